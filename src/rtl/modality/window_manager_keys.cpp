#include "rtl/modality/window_manager_keys.h"

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
// Long enough for the window manager to offer the request the focus and to make its own offer to
// the window it falls back to; a request not taken by then goes.
const UINT LivesFor = 300;

// The request waiting on this thread: the window mapped to be offered the focus (gone once it
// handed the offer on), the window it is for, and the watches that refuse the manager's offers
// to the program's other windows meanwhile.
struct TKeysRequest {
    HWND Window = nullptr;
    HWND Target = nullptr;
    HHOOK OfferWatch = nullptr;
    HHOOK ActivationWatch = nullptr;
    UINT_PTR Timer = 0;
    // The window the manager has just offered the focus to, until its activation is decided.
    HWND Offered = nullptr;
};

// A request still waiting is dropped.
void DropKeysRequest();

// Nothing to do at the program's end: whatever a request holds the system frees with it.
static_assert(std::is_trivially_destructible_v<TKeysRequest>);
thread_local TKeysRequest Request;
// The window the last request's offer gave the keys to, and when.
thread_local HWND KeysGivenTo = nullptr;
thread_local DWORD KeysGivenAt = 0;

// The window the request is for; the active one if that can no longer take the keys, or if the
// request was handed on.
HWND Target() {
    return CanTakeTheKeys(Request.Target) ? Request.Target : GetActiveWindow();
}

LRESULT CALLBACK WatchOffers(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (IsFocusOffer(call.hwnd, call.message, call.wParam, call.lParam))
            Request.Offered = call.hwnd;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The offer to another window of the program is the manager's fallback from the modal window,
// or an old one: that window stays inactive, and Wine then gives the keys to the active one.
LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND window = HWND(wParam);
        const bool offered = window == Request.Offered;
        Request.Offered = nullptr;
        if (offered && !reinterpret_cast<const CBTACTIVATESTRUCT*>(lParam)->fMouse &&
            window != Request.Window && window != Target())
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RequestProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        // The manager's offer: the target is activated, this window answers that it stays
        // inactive, and Wine gives the keys to the active window. Its work done, it goes at once,
        // so that the manager no longer lists it; the request no longer waits for an offer. One
        // handed on to a modal window not on the screen yet (a dialog shows once its loop first
        // finds nothing to do) is asked for anew by that window once it is up.
        Request.Window = nullptr;
        if (const HWND target = Target(); CanTakeTheKeys(target)) {
            SetForegroundWindow(target);
            KeysGivenTo = target;
            KeysGivenAt = GetTickCount();
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        return MA_NOACTIVATE;
    case WM_ACTIVATE:
        // The system activated it in want of another window: the target takes over, or, when it
        // cannot, this one goes and leaves the choice to the system again.
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (CanTakeTheKeys(Request.Target))
                SetActiveWindow(Request.Target);
            else
                ShowWindow(window, SW_HIDE);
        }
        return 0;
    case WM_NCDESTROY:
        if (Request.Window == window)
            Request.Window = nullptr;
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

// Named as the window it leads to, in the rare case the manager lists it meanwhile; on the task
// bar, so that the manager takes it as a window of its own to manage and focus; with an empty
// region, so that nothing of it is drawn.
HWND ShowRequestWindowFor(HWND target) {
    RECT bounds{};
    GetWindowRect(target, &bounds);
    wchar_t caption[256] = {};
    GetWindowTextW(target, caption, 256);
    const HWND window =
        CreateWindowExW(WS_EX_APPWINDOW, ClassName, caption, WS_POPUP,
                        (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2, 1, 1,
                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    // The window owns the region once it took it.
    const HRGN nothing = CreateRectRgn(0, 0, 0, 0);
    if (nothing && !SetWindowRgn(window, nothing, FALSE))
        DeleteObject(nothing);
    // Below the program's windows, so that none counts as covered by it.
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return window;
}

void CALLBACK RequestLived(HWND, UINT, UINT_PTR, DWORD) {
    DropKeysRequest();
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

void AskWindowManagerForTheKeys(void* window) {
    DropKeysRequest();
    KeysGivenTo = nullptr;
    const HWND target = static_cast<HWND>(window);
    // One that cannot take the keys yet is asked for all the same: a modal window it was opened
    // from still disables it, and the one that window shows next (a box after a box) takes the
    // request over; otherwise the offer finds no window to give the keys to and changes nothing.
    if (SystemActivatesWhatItIsAsked() || !target || !IsWindow(target))
        return;
    static const bool registered = RegisterRequestClass();
    if (!registered)
        return;
    // The watches come first: the manager's fallback offer may be taken as soon as the program
    // looks at its messages.
    Request.Target = target;
    Request.OfferWatch =
        SetWindowsHookExW(WH_CALLWNDPROC, WatchOffers, nullptr, GetCurrentThreadId());
    Request.ActivationWatch =
        SetWindowsHookExW(WH_CBT, WatchActivations, nullptr, GetCurrentThreadId());
    Request.Timer = SetTimer(nullptr, 0, LivesFor, RequestLived);
    Request.Window = ShowRequestWindowFor(target);
}

bool KeysRequestWaits() {
    return Request.Window != nullptr;
}

bool KeysGivenSince(void* window, unsigned long since) {
    return KeysGivenTo && KeysGivenTo == static_cast<HWND>(window) &&
           int(KeysGivenAt - DWORD(since)) >= 0;
}

bool HandKeysRequestOn() {
    if (!Request.Window) {
        DropKeysRequest();
        return false;
    }
    Request.Target = nullptr;
    // A system dialog disabled it along with every other window of the thread, and Wine would
    // pass the manager's offer on to the active window only if that one is up already.
    EnableWindow(Request.Window, TRUE);
    return true;
}

namespace {

void DropKeysRequest() {
    if (Request.Timer)
        KillTimer(nullptr, Request.Timer);
    if (Request.OfferWatch)
        UnhookWindowsHookEx(Request.OfferWatch);
    if (Request.ActivationWatch)
        UnhookWindowsHookEx(Request.ActivationWatch);
    const HWND window = Request.Window;
    Request = TKeysRequest();
    if (window)
        DestroyWindow(window);
}

} // namespace
