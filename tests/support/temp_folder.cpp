#include "support/temp_folder.h"

#include "rtl/file_io.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <stdexcept>

namespace {

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TempFolder::TempFolder() {
    std::wstring base = ToWide(TempDirectory());
    base.pop_back();
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::wstring path = base + L"\\qvrtest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                            std::to_wstring(++counter);
        if (CreateDirectoryW(path.c_str(), nullptr)) {
            FPath = FromWide(path);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    RemoveTree(ToWide(FPath));
}
