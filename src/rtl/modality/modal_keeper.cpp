#include "rtl/modality/modal_keeper.h"

#include "rtl/modality/modal_chain.h"
#include "rtl/modality/modal_window.h"
#include "rtl/modality/window_manager_keys.h"

namespace {

// Whether a window of the program hides a modal window is looked at ten times a second from a
// thread of its own (see TBackgroundLook): a window manager raises one chosen from its list or
// task bar and tells the program nothing. The pointer is looked at every fifth time: a window
// manager's frame around a window is not the program's, and nothing tells it that the pointer
// came onto one from outside the program's windows. Where another program is in front nothing is
// looked at: the program hears when it comes back.
const unsigned PointerEveryNth = 5;
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
    bool quiet = false;
    FLooks.LookEvery(NextInterval(quiet));
    if (quiet)
        LookQuietly();
}

void TModalKeeper::LookAtTheModalWindows() {
    // Once a modal window brought back by any path is active; on the stand-in's path, in the
    // same look.
    if (TModalWindow* innermost = InnermostModalWindow()) {
        innermost->Restore().GiveFocusBack(innermost->Window());
        TUserWait::SeeItOver();
        innermost->KeysOwed().See(InnermostWindow());
    }
    NoteWhereTheFocusIs();
    const std::vector<HWND> topLevel = TopLevelWindows();
    const std::vector<HWND> windows = ModalWindowsInOrder(topLevel);
    if (windows.empty() || !InTheForeground(windows.back()))
        return;
    FRaiseOrder.Look(topLevel, windows);
}

void TModalKeeper::LookQuietly() {
    FLooks.LookQuietly(
        [modal = ModalChain(), thread = GetCurrentThreadId(), pointer = FRaiseOrder.Pointer(),
         looks = 0u]() mutable {
            if (AWindowRaisedOver(modal, thread))
                return true;
            if (++looks % PointerEveryNth)
                return false;
            POINT now{};
            GetCursorPos(&now);
            return now.x != pointer.x || now.y != pointer.y;
        },
        InnermostWindow());
}

UINT TModalKeeper::NextInterval(bool& quiet) {
    quiet = false;
    if (FUserWait.StandInActive())
        return WaitingEvery;
    TModalWindow* innermost = InnermostModalWindow();
    if (FUserWait.Waiting() || FLooks.Busy() || FRaiseOrder.FrameWatched() ||
        (innermost && innermost->KeysOwed().Since()))
        return TKeeperLooks::BusyEvery;
    const HWND window = InnermostWindow();
    quiet = window && IsShown(window) && InTheForeground(window);
    return 0;
}
