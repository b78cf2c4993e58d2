#include "support/dialog_answer.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <commctrl.h>

namespace {

DialogAnswer* Current = nullptr;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM result) {
    if (ClassOf(window) != L"#32770" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

BOOL CALLBACK FindTree(HWND window, LPARAM result) {
    if (ClassOf(window) != L"SysTreeView32")
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM texts) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(FromWide(text));
    return TRUE;
}

std::string TreeSelection(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(dialog, FindTree, LPARAM(&tree));
    if (!tree)
        return std::string();
    wchar_t text[MAX_PATH + 1] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !TreeView_GetItem(tree, &item))
        return std::string();
    return FromWide(text);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Current && !Current->Pressed)
        Current->Check();
}

uint16_t KeyForBoxes = 0;

void CALLBACK PressKeyOnBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, LPARAM(&dialog));
    if (!dialog)
        return;
    const UINT scan = MapVirtualKeyW(KeyForBoxes, MAPVK_VK_TO_VSC);
    PostMessageW(dialog, WM_KEYDOWN, KeyForBoxes, LPARAM(1 | scan << 16));
    PostMessageW(dialog, WM_KEYUP, KeyForBoxes, LPARAM(1 | scan << 16 | 3u << 30));
}

} // namespace

DialogAnswer::DialogAnswer(int button, std::string selection)
    : FButton(button), FSelection(std::move(selection)) {
    Current = this;
    // The deadline only keeps a test from hanging when the expected folder never shows.
    FDeadline = GetTickCount() + 20000;
    FTimer = SetTimer(nullptr, 0, 50, Tick);
}

DialogAnswer::~DialogAnswer() {
    KillTimer(nullptr, FTimer);
    Current = nullptr;
}

void DialogAnswer::Check() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, LPARAM(&dialog));
    if (!dialog)
        return;
    SelectedWhenPressed = TreeSelection(dialog);
    if (!FSelection.empty() && !AnsiSameText(SelectedWhenPressed, FSelection) &&
        int(FDeadline - GetTickCount()) > 0)
        return;
    EnumChildWindows(dialog, CollectText, LPARAM(&Texts));
    Pressed = true;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(FButton, BN_CLICKED),
                 LPARAM(GetDlgItem(dialog, FButton)));
}

KeyOnEveryBox::KeyOnEveryBox(uint16_t key) {
    KeyForBoxes = key;
    FTimer = SetTimer(nullptr, 0, 50, PressKeyOnBox);
}

KeyOnEveryBox::~KeyOnEveryBox() {
    KillTimer(nullptr, FTimer);
}

bool PressWhenFolderShown(int button, const std::string& folder,
                          const std::function<void()>& open) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        DialogAnswer answer(button, folder);
        open();
        if (answer.Pressed && AnsiSameText(answer.SelectedWhenPressed, folder))
            return true;
    }
    return false;
}
