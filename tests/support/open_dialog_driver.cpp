#include "support/open_dialog_driver.h"

#include "rtl/wide_text.h"

#include <windows.h>

#include <chrono>

namespace {

constexpr int OpenButtonId = IDOK;
// The file-name field: a combo box in the explorer-style dialog, an edit in the old one.
constexpr int FileNameComboId = 1148;
constexpr int FileNameEditId = 1152;

struct TDialogSearch {
    DWORD Process;
    HWND Found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TDialogSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == search->Process && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770" && GetDlgItem(window, OpenButtonId)) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialogOfThisProcess() {
    TDialogSearch search{GetCurrentProcessId(), nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FileNameEdit(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, FileNameComboId)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
            return edit;
        return combo;
    }
    return GetDlgItem(dialog, FileNameEditId);
}

std::wstring TextOf(HWND window) {
    wchar_t text[4096] = {};
    SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
    return text;
}

// Puts text into the field as a paste does, and waits until the field shows it still a moment
// later: the dialog fills its fields once more after it has been shown, which can wipe it.
bool TypeInto(HWND edit, const std::wstring& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Sleep(50);
        if (TextOf(edit) == text)
            return true;
    }
    return false;
}

void ClickAtCentre(HWND button) {
    RECT r;
    GetClientRect(button, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(button, WM_LBUTTONUP, 0, at);
}

} // namespace

TOpenDialogDriver::TOpenDialogDriver(std::string fileName)
    : FFileName(std::move(fileName)), FThread([this] { Run(); }) {}

TOpenDialogDriver::~TOpenDialogDriver() {
    FQuit = true;
    FThread.join();
}

void TOpenDialogDriver::Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    HWND dialog = nullptr;
    HWND edit = nullptr;
    while (!edit && !FQuit && std::chrono::steady_clock::now() < deadline) {
        Sleep(10);
        dialog = FindDialogOfThisProcess();
        edit = dialog ? FileNameEdit(dialog) : nullptr;
    }
    if (edit && TypeInto(edit, ToWide(FFileName))) {
        ClickAtCentre(GetDlgItem(dialog, OpenButtonId));
        FAnswered = true;
    } else if (dialog) {
        // A dialog that cannot be answered is cancelled, so a failing test does not hang.
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    FFinished = true;
}
