#include "reader_files.h"

#include "rtl/file_io.h"
#include "rtl/wide_text.h"
#include "support/debug_file_writer.h"

#include <windows.h>

namespace {

std::string NewTempName() {
    static int counter = 0;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return FromWide(folder) + "qvr_reader_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter) + ".dbg";
}

} // namespace

TTempDebugFile::TTempDebugFile() : FName(NewTempName()) {}

TTempDebugFile::TTempDebugFile(const std::string& text) : TTempDebugFile() {
    Write(text);
}

TTempDebugFile::~TTempDebugFile() {
    DeleteFileByName(FName);
}

void TTempDebugFile::Write(const std::string& text) const {
    SaveDebugFile(FName, text);
}
