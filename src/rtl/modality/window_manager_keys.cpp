#include "rtl/modality/window_manager_keys.h"

#include <windows.h>

namespace {

const wchar_t* const ClassName = L"QVRKeysRequest";
// Long enough for the window manager to offer it the focus, short enough to pass unseen in its
// window list.
const UINT LivesFor = 300;

thread_local HWND Request = nullptr;

bool CanTakeTheKeys(HWND window) {
    return window && IsWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window) &&
           !IsIconic(window);
}

// The window the request is for; the active one if that can no longer take the keys.
HWND TargetOf(HWND request) {
    const HWND target = HWND(GetWindowLongPtrW(request, GWLP_USERDATA));
    return CanTakeTheKeys(target) ? target : GetActiveWindow();
}

LRESULT CALLBACK RequestProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        // Wine asks this, as for a click, when the window manager offers the focus; the offer it
        // made another window of the program as the modal window hid may have activated that one.
        // The target is activated, this window answers that it stays inactive, and Wine then
        // gives the keys to the active window.
        if (const HWND target = TargetOf(window); target != window && CanTakeTheKeys(target))
            SetForegroundWindow(target);
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        // The system activated it in want of another window: the target takes over, or, when it
        // cannot, this one goes from the screen and leaves the choice to the system again.
        if (LOWORD(wParam) != WA_INACTIVE) {
            const HWND target = HWND(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (CanTakeTheKeys(target))
                SetActiveWindow(target);
            else
                ShowWindow(window, SW_HIDE);
        }
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        if (Request == window)
            Request = nullptr;
        break;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterRequestClass() {
    WNDCLASSW c{};
    c.lpfnWndProc = RequestProcedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = ClassName;
    return RegisterClassW(&c) != 0;
}

} // namespace

bool ThreadInForeground() {
    const HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId();
}

void AskWindowManagerForTheKeys(void* window) {
    static const bool registered = RegisterRequestClass();
    const HWND target = static_cast<HWND>(window);
    DropKeysRequest();
    if (!registered || !CanTakeTheKeys(target))
        return;
    // Its one pixel lies inside the target, below it: nobody sees it. On the task bar, so that the
    // window manager takes it as a window of its own to manage and focus.
    RECT bounds{};
    GetWindowRect(target, &bounds);
    Request = CreateWindowExW(WS_EX_APPWINDOW, ClassName, L"", WS_POPUP,
                              (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2, 1,
                              1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!Request)
        return;
    SetWindowLongPtrW(Request, GWLP_USERDATA, LONG_PTR(target));
    SetTimer(Request, 1, LivesFor, nullptr);
    SetWindowPos(Request, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void DropKeysRequest() {
    if (Request)
        DestroyWindow(Request);
}
