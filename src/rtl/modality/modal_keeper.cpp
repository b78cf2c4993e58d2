#include "rtl/modality/modal_keeper.h"

#include "rtl/modality/modal_chain.h"
#include "rtl/modality/modal_window.h"
#include "rtl/modality/window_manager_keys.h"

namespace {

// While a modal window waits for the user to come back to the program, whether the program is
// in front is looked at this often.
const UINT WaitingEvery = 100;

thread_local TModalKeeper* Keeper = nullptr;

// The innermost modal window on the screen, minimised or not the one the user works in: the
// window manager focused another window.
void NoteWhereTheFocusIs() {
    const HWND window = InnermostWindow();
    if (window && IsWindowVisible(window) && (IsIconic(window) || !InTheForeground(window)))
        InnermostModalWindow()->NoteFocusWentElsewhere();
}

} // namespace

TModalKeeper::TModalKeeper() : FLooks([this] { Look(); }), FHooks(*this) {
    Keeper = this;
    Wake();
}

TModalKeeper::~TModalKeeper() {
    Keeper = nullptr;
}

TModalKeeper* TModalKeeper::Current() {
    return Keeper;
}

void TModalKeeper::FocusLeft() {
    if (TModalWindow* innermost = InnermostModalWindow())
        innermost->NoteFocusWentElsewhere();
}

void TModalKeeper::BringBack() {
    const bool restored = RestoreMinimised();
    const std::vector<HWND> windows = ModalWindowsInOrder();
    RaiseAll();
    TModalWindow* innermost = InnermostModalWindow();
    const bool waited = innermost && innermost->OpenedElsewhere().Waits;
    if ((restored || waited) && !windows.empty()) {
        FUserWait.CameBack();
        innermost->NoteFocusWentElsewhere();
        SetForegroundWindow(windows.back());
        FUserWait.LetTheStandInGo();
        AskWindowManagerForTheKeys(windows.back());
    }
}

void TModalKeeper::Look() {
    if (FUserWait.Look())
        BringBack();
    if (!FUserWait.StandInActive())
        LookAtTheModalWindows();
    FLooks.LookEvery(NextInterval());
}

void TModalKeeper::LookAtTheModalWindows() {
    // Once a modal window brought back by any path is active; on the stand-in's path, in the
    // same look.
    if (TModalWindow* innermost = InnermostModalWindow()) {
        innermost->Restore().GiveFocusBack(innermost->Window());
        TUserWait::SeeItOver();
    }
    NoteWhereTheFocusIs();
    FRaiseOrder.Look();
}

UINT TModalKeeper::NextInterval() const {
    if (FUserWait.StandInActive())
        return WaitingEvery;
    if (FUserWait.Waiting() || FLooks.Busy())
        return TKeeperLooks::BusyEvery;
    return 0;
}
