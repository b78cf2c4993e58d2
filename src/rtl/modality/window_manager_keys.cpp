#include "rtl/modality/window_manager_keys.h"

#include "rtl/modality/helper_window.h"

#include <windows.h>

#include <type_traits>

bool CanTakeTheKeys(void* window) {
    const HWND handle = static_cast<HWND>(window);
    return handle && IsWindow(handle) && IsWindowVisible(handle) && IsWindowEnabled(handle) &&
           !IsIconic(handle);
}

// Wine asks a window the manager offers the focus whether it wants to be active as if its menu
// bar were clicked, and activates it unless it declines; a real click activates by the mouse.
bool IsFocusOffer(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    return message == WM_MOUSEACTIVATE && LOWORD(lParam) == HTMENU &&
           HIWORD(lParam) == WM_LBUTTONDOWN && HWND(wParam) == static_cast<HWND>(window);
}

namespace {

const wchar_t* const ClassName = L"QVRKeysRequest";
// After the offers it waits for, the window stays this long after the last one: the manager may
// fall back more than once as the window with the keys goes, each time to the first window in its
// order that is not going away.
const UINT StaysAfterTheOffers = 500;
const UINT_PTR EndTimer = 1;

// The request of this thread: the window it is made with, made once and shown only while a
// request waits, and the window it is for.
struct TKeysRequest {
    HWND Window = nullptr;
    HWND Target = nullptr;
    bool Waits = false;
    // The manager's offers it waits for still: as it maps the window, and as the window with the
    // keys hides after it.
    int OffersLeft = 0;
};

// Nothing to do at the program's end: the system frees the window with it.
static_assert(std::is_trivially_destructible_v<TKeysRequest>);
thread_local TKeysRequest Request;

// The window the request is for; the active one if that can no longer take the keys, or if the
// request was handed on.
HWND Target() {
    return CanTakeTheKeys(Request.Target) ? Request.Target : GetActiveWindow();
}

// The window hides, and the manager no longer lists it.
void EndTheRequest() {
    Request.Waits = false;
    Request.Target = nullptr;
    if (Request.Window) {
        KillTimer(Request.Window, EndTimer);
        if (IsWindowVisible(Request.Window))
            ShowWindow(Request.Window, SW_HIDE);
    }
}

LRESULT CALLBACK RequestProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        // The manager's offer: the target is activated, this window answers that it stays
        // inactive, and Wine gives the keys to the active window. It stays on the display until
        // the manager fell back to it as well: the manager passes over a window whose going it
        // already sees coming, and would fall back to another program's.
        if (const HWND target = Target(); CanTakeTheKeys(target))
            SetForegroundWindow(target);
        if (--Request.OffersLeft <= 0)
            SetTimer(window, EndTimer, StaysAfterTheOffers, nullptr);
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == EndTimer)
            EndTheRequest();
        return 0;
    case WM_ACTIVATE:
        // The system activated it in want of another window as the one with the keys hid: the
        // target takes over, or, when it cannot, no window is active. It stays on the display, as
        // the manager is yet to fall back to it; a box opened next would take it as its owner.
        if (LOWORD(wParam) != WA_INACTIVE)
            SetActiveWindow(CanTakeTheKeys(Request.Target) ? Request.Target : nullptr);
        return 0;
    case WM_ACTIVATEAPP:
        // The user went to another program: an offer made after that would take the keys back.
        if (!wParam)
            EndTheRequest();
        break;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND MakeRequestWindow() {
    // On the task bar, so that the manager takes it as a window of its own to manage and focus;
    // with an empty region, so that nothing of it is drawn. It is shown 1x1.
    const HWND window =
        CreateHelperWindow(ClassName, RequestProcedure, nullptr, WS_POPUP, WS_EX_APPWINDOW);
    // The window owns the region once it took it.
    const HRGN nothing = window ? CreateRectRgn(0, 0, 0, 0) : nullptr;
    if (nothing && !SetWindowRgn(window, nothing, FALSE))
        DeleteObject(nothing);
    return window;
}

// Named as the window it leads to, in the rare case the manager lists it meanwhile, and in its
// middle; below the program's windows, so that none counts as covered by it.
void ShowRequestWindowFor(HWND target) {
    RECT bounds{};
    GetWindowRect(target, &bounds);
    wchar_t caption[256] = {};
    GetWindowTextW(target, caption, 256);
    SetWindowTextW(Request.Window, caption);
    SetWindowPos(Request.Window, HWND_BOTTOM, (bounds.left + bounds.right) / 2,
                 (bounds.top + bounds.bottom) / 2, 1, 1, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

} // namespace

bool SystemActivatesWhatItIsAsked() {
    static const bool itself = !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return itself;
}

bool ThreadInForeground() {
    const HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId();
}

void AskWindowManagerForTheKeys(void* window, bool aWindowWithTheKeysHidesNext) {
    const HWND target = static_cast<HWND>(window);
    // One that cannot take the keys yet is asked for all the same: a modal window it was opened
    // from still disables it, and the one that window shows next (a box after a box) takes the
    // request over; otherwise the offer finds no window to give the keys to and changes nothing.
    if (SystemActivatesWhatItIsAsked() || !target || !IsWindow(target))
        return;
    if (!Request.Window)
        Request.Window = MakeRequestWindow();
    if (!Request.Window)
        return;
    // Shown anew, the manager takes it as a new window again.
    EndTheRequest();
    Request.Target = target;
    Request.Waits = true;
    Request.OffersLeft = aWindowWithTheKeysHidesNext ? 2 : 1;
    ShowRequestWindowFor(target);
}

bool KeysRequestWaits() {
    return Request.Waits;
}

bool HandKeysRequestOn() {
    if (!Request.Waits)
        return false;
    Request.Target = nullptr;
    return true;
}

bool IsKeysRequestWindow(void* window) {
    return window && static_cast<HWND>(window) == Request.Window;
}
