#include "tools/folder_switch.h"

#include "rtl/exceptions.h"
#include "tools/file_paths.h"

#include <windows.h>

TFolderSwitch::TFolderSwitch(const std::string& folder) {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    FPrevious.assign(n, L'\0');
    FPrevious.resize(GetCurrentDirectoryW(n, FPrevious.data()));
    try {
        QZChDir(folder);
    } catch (const EInOutError&) {
    }
}

TFolderSwitch::~TFolderSwitch() {
    if (!FPrevious.empty())
        SetCurrentDirectoryW(FPrevious.c_str());
}
