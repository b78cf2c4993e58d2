#include "rtl/modal_window.h"

#include <windows.h>

namespace {

// The innermost modal window of this thread, and what keeps it on top while any is up.
thread_local TModalWindow* Innermost = nullptr;
thread_local HHOOK ClickWatch = nullptr;
thread_local UINT_PTR KeepOnTop = 0;
thread_local HWND Pivot = nullptr;

// Often enough that a window brought over the modal one goes back within a moment.
const UINT CheckInterval = 50;

HWND InnermostWindow() {
    return Innermost ? static_cast<HWND>(Innermost->Window()) : nullptr;
}

// The innermost modal window above every other window, which takes along those it owns.
// Wine restacks a window on the display only when it becomes the first in its own order, and a
// window the window manager raised may still be below the modal one there: a hidden window goes
// first, which no one sees, and the modal one above it. A window that owns one on the screen is
// never first there, so an outer modal window cannot be raised while an inner one is up.
void RaiseModalWindow() {
    const HWND modal = InnermostWindow();
    if (!modal || !IsWindowVisible(modal) || IsIconic(modal))
        return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (Pivot)
        SetWindowPos(Pivot, HWND_TOP, 0, 0, 0, 0, flags);
    SetWindowPos(modal, HWND_TOP, 0, 0, 0, 0, flags);
}

// The program is the one the user works in: the innermost modal window, or a window it owns (a
// system dialog opened from it), is the foreground window. Another program's window the user
// brought forward stays where it is.
bool InTheForeground() {
    const HWND modal = InnermostWindow();
    for (HWND window = GetForegroundWindow(); modal && window; window = GetWindow(window, GW_OWNER))
        if (window == modal)
            return true;
    return false;
}

// A press on a disabled window reaches the program only as a hit on nothing (HTERROR).
LRESULT CALLBACK WatchClicks(int code, WPARAM message, LPARAM info) {
    if (code == HC_ACTION &&
        (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
         message == WM_NCMBUTTONDOWN) &&
        int(reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->wHitTestCode) == HTERROR)
        RaiseModalWindow();
    return CallNextHookEx(nullptr, code, message, info);
}

// A window raised by a click on its title bar or from the window manager's list tells the
// program nothing, and the program's own order of its windows does not show it: the modal window
// goes back on top however it stands. The window manager may also raise the window clicked inside
// only after the program heard of the press.
void CALLBACK RaiseWhileInTheForeground(HWND, UINT, UINT_PTR, DWORD) {
    if (InTheForeground())
        RaiseModalWindow();
}

} // namespace

TModalWindow::TModalWindow(void* window) : FOuter(Innermost) {
    Innermost = this;
    if (!FOuter) {
        Pivot = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0, 0,
                                0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ClickWatch = SetWindowsHookExW(WH_MOUSE, WatchClicks, nullptr, GetCurrentThreadId());
        KeepOnTop = SetTimer(nullptr, 0, CheckInterval, RaiseWhileInTheForeground);
    }
    SetWindow(window);
}

TModalWindow::~TModalWindow() {
    Innermost = FOuter;
    if (FOuter) {
        // Its windows are disabled again: the outer modal window goes back above them.
        RaiseModalWindow();
        return;
    }
    if (KeepOnTop)
        KillTimer(nullptr, KeepOnTop);
    if (ClickWatch)
        UnhookWindowsHookEx(ClickWatch);
    if (Pivot)
        DestroyWindow(Pivot);
    KeepOnTop = 0;
    ClickWatch = nullptr;
    Pivot = nullptr;
}

void TModalWindow::SetWindow(void* window) {
    FWindow = window;
    RaiseModalWindow();
}
