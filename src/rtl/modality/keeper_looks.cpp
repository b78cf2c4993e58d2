#include "rtl/modality/keeper_looks.h"

#include "rtl/modality/helper_window.h"

namespace {

// The looks go on a while after the last change seen.
const DWORD BusyFor = 1000;
const UINT LookNow = WM_APP;
const UINT_PTR LookTimer = 1;
const wchar_t* const ClassName = L"QVRModalKeeperLooks";

} // namespace

TKeeperLooks::TKeeperLooks(std::function<void()> look)
    : FLook(std::move(look)),
      FWindow(CreateHelperWindow(ClassName, Procedure, HWND_MESSAGE, 0, 0)) {
    if (FWindow)
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, LONG_PTR(this));
}

TKeeperLooks::~TKeeperLooks() {
    if (FWindow)
        DestroyWindow(FWindow);
}

LRESULT CALLBACK TKeeperLooks::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* looks = reinterpret_cast<TKeeperLooks*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (looks && (msg == LookNow || (msg == WM_TIMER && wParam == LookTimer))) {
        if (msg == LookNow)
            looks->FLookPosted = false;
        // What the look itself changes is looked at on the next tick, not at once again.
        looks->FLooking = true;
        looks->FLook();
        looks->FLooking = false;
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void TKeeperLooks::Wake() {
    FBusyUntil = GetTickCount() + BusyFor;
    if (FWindow && !FLookPosted && !FLooking)
        FLookPosted = PostMessageW(FWindow, LookNow, 0, 0);
    LookEvery(BusyEvery);
}

bool TKeeperLooks::Busy() const {
    return int(FBusyUntil - GetTickCount()) > 0;
}

void TKeeperLooks::LookEvery(UINT interval) {
    if (interval == FInterval || !FWindow)
        return;
    FInterval = interval;
    if (interval)
        SetTimer(FWindow, LookTimer, interval, nullptr);
    else
        KillTimer(FWindow, LookTimer);
}
