#include "rtl/modality/stand_in_window.h"

#include "rtl/modality/window_manager_keys.h"

#include <windows.h>

TStandInWindow::TStandInWindow() {
    if (SystemActivatesWhatItIsAsked())
        return;
    // Above and left of every monitor: Wine maps no window that lies wholly off them.
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN) - 100;
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN) - 100;
    // A window on the task bar is one Wine leaves to the window manager, and does not focus it
    // on the display itself as it becomes active.
    FWindow = CreateWindowExW(WS_EX_APPWINDOW, L"STATIC", L"", WS_POPUP, left, top, 1, 1, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (FWindow)
        ShowWindow(static_cast<HWND>(FWindow), SW_SHOWNOACTIVATE);
}

TStandInWindow::~TStandInWindow() {
    if (FWindow)
        DestroyWindow(static_cast<HWND>(FWindow));
}

bool TStandInWindow::TakeTheActivation() {
    const HWND window = static_cast<HWND>(FWindow);
    if (!window)
        return false;
    // A system dialog opened since disabled every window of the thread, this one too.
    EnableWindow(window, TRUE);
    SetActiveWindow(window);
    return GetActiveWindow() == window;
}

void TStandInWindow::LetGo() {
    if (FWindow && IsWindowEnabled(static_cast<HWND>(FWindow)))
        EnableWindow(static_cast<HWND>(FWindow), FALSE);
}
