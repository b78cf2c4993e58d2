#include "support/shell_drop.h"

#include <windows.h>
// shlobj.h needs the types of windows.h first.
#include <shlobj.h>

#include <cwchar>

HDROP MakeShellDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const std::wstring& n : names)
        chars += n.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& n : names) {
        std::wcscpy(text, n.c_str());
        text += n.size() + 1;
    }
    *text = 0;
    GlobalUnlock(memory);
    return HDROP(memory);
}
