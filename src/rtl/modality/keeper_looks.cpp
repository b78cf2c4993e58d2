#include "rtl/modality/keeper_looks.h"

namespace {

// The looks go on a while after the last change seen.
const DWORD BusyFor = 1000;

} // namespace

thread_local TKeeperLooks* TKeeperLooks::Current = nullptr;

TKeeperLooks::TKeeperLooks(std::function<void()> look) : FLook(std::move(look)) {
    Current = this;
}

TKeeperLooks::~TKeeperLooks() {
    Current = nullptr;
    if (FTimer)
        KillTimer(nullptr, FTimer);
}

void TKeeperLooks::Wake() {
    FBusyUntil = GetTickCount() + BusyFor;
    LookEvery(BusyEvery);
}

bool TKeeperLooks::Busy() const {
    return int(FBusyUntil - GetTickCount()) > 0;
}

void TKeeperLooks::LookEvery(UINT interval) {
    if (interval == FInterval)
        return;
    FInterval = interval;
    if (!interval) {
        KillTimer(nullptr, FTimer);
        FTimer = 0;
    } else {
        FTimer = SetTimer(nullptr, FTimer, interval, Tick);
    }
}

void CALLBACK TKeeperLooks::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Current)
        Current->FLook();
}
