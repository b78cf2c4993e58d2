#pragma once
#include "rtl/modality/keeper_hooks.h"
#include "rtl/modality/keeper_looks.h"
#include "rtl/modality/raise_order.h"
#include "rtl/modality/user_wait.h"

// What keeps the modal windows of the thread on top while any is up; the outermost modal window
// owns it. It looks at them only while something changes: each change of a window's place, order
// or activation starts the looks again; left alone, it costs nothing.
class TModalKeeper : private TKeeperEvents {
public:
    TModalKeeper();
    ~TModalKeeper();
    TModalKeeper(const TModalKeeper&) = delete;
    TModalKeeper& operator=(const TModalKeeper&) = delete;

    // The keeper of this thread, while a modal window is up.
    static TModalKeeper* Current();

    void RaiseAll() { FRaiseOrder.RaiseAll(); }
    void RaiseInnermost() { FRaiseOrder.RaiseInnermost(); }
    void Wake() { FLooks.Wake(); }
    bool KeepsOut(HWND window) const override { return FUserWait.KeepsOut(window); }

private:
    void Changed() override { Wake(); }
    void FocusLeft() override;
    void DisabledWindowPressed() override { BringBack(); }

    // The modal windows come above the others, those minimised first back on the screen with
    // the innermost active and given the keys.
    void BringBack();
    void Look();
    void LookAtTheModalWindows();
    // How often the program's thread looks at the modal windows from now on; 0: not until
    // something changes.
    UINT NextInterval() const;

    TRaiseOrder FRaiseOrder;
    TUserWait FUserWait;
    TKeeperLooks FLooks;
    TKeeperHooks FHooks;
};
