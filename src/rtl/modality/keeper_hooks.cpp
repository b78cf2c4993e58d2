#include "rtl/modality/keeper_hooks.h"

#include "rtl/modality/modal_chain.h"
#include "rtl/modality/modal_window.h"

thread_local TKeeperEvents* TKeeperHooks::Events = nullptr;

TKeeperHooks::TKeeperHooks(TKeeperEvents& events)
    : FClickWatch(SetWindowsHookExW(WH_MOUSE, WatchClicks, nullptr, GetCurrentThreadId())),
      FFocusWatch(SetWindowsHookExW(WH_CBT, WatchFocus, nullptr, GetCurrentThreadId())),
      FChangeWatch(
          SetWindowsHookExW(WH_CALLWNDPROCRET, WatchChanges, nullptr, GetCurrentThreadId())) {
    Events = &events;
}

TKeeperHooks::~TKeeperHooks() {
    Events = nullptr;
    for (HHOOK hook : {FClickWatch, FFocusWatch, FChangeWatch})
        if (hook)
            UnhookWindowsHookEx(hook);
}

// A press on a disabled window reaches the program only as a hit on nothing (HTERROR), and only
// once: the system drops it the first time the queue is looked at, taking it out or not. As on
// the system, it goes to the modal window in front of it, which comes back if the window manager
// minimised it.
LRESULT CALLBACK TKeeperHooks::WatchClicks(int code, WPARAM message, LPARAM info) {
    if ((code == HC_ACTION || code == HC_NOREMOVE) && Events &&
        (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
         message == WM_NCMBUTTONDOWN) &&
        int(reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->wHitTestCode) == HTERROR)
        Events->DisabledWindowPressed();
    return CallNextHookEx(nullptr, code, message, info);
}

LRESULT CALLBACK TKeeperHooks::WatchFocus(int code, WPARAM window, LPARAM info) {
    TModalWindow* innermost = InnermostModalWindow();
    if (code == HCBT_SETFOCUS && innermost && innermost->Window())
        innermost->Restore().FocusMoving(innermost->Window(), reinterpret_cast<void*>(window));
    if (code == HCBT_ACTIVATE && Events && Events->KeepsOut(HWND(window)) &&
        !reinterpret_cast<const CBTACTIVATESTRUCT*>(info)->fMouse)
        return 1;
    return CallNextHookEx(nullptr, code, window, info);
}

LRESULT CALLBACK TKeeperHooks::WatchChanges(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && Events) {
        const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if ((call.message == WM_ACTIVATEAPP && !call.wParam) ||
            (call.message == WM_WINDOWPOSCHANGED && IsIconic(call.hwnd)))
            Events->FocusLeft();
        if (call.message == WM_WINDOWPOSCHANGED || call.message == WM_ACTIVATE ||
            call.message == WM_NCACTIVATE || call.message == WM_ACTIVATEAPP)
            Events->Changed();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
