#include "reader_files.h"

#include "rtl/file_io.h"
#include "support/debug_file_writer.h"

#include <windows.h>

namespace {

std::string NewTempName() {
    static int counter = 0;
    return TempDirectory() + "qvr_reader_" + std::to_string(GetCurrentProcessId()) + "_" +
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
