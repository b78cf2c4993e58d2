#include "rtl/modality/user_wait.h"

#include "rtl/modality/modal_chain.h"
#include "rtl/modality/modal_window.h"
#include "rtl/modality/window_list.h"
#include "rtl/modality/window_manager_keys.h"

namespace {

// A window manager offers the focus to a new window as it shows it; that offer is over well before
// the user can activate a window. From a window it minimises it falls back to another one at
// once, before the program hears of it: once the program is no longer in front, that offer is
// over.
const DWORD FallbackOver = 500;

TOpenedElsewhere* InnermostOpenedElsewhere() {
    TModalWindow* innermost = InnermostModalWindow();
    return innermost ? &innermost->OpenedElsewhere() : nullptr;
}

} // namespace

bool TUserWait::Look() {
    const HWND window = InnermostWindow();
    const TOpenedElsewhere* opened = InnermostOpenedElsewhere();
    const bool minimised = window && IsWindowVisible(window) && IsIconic(window);
    const bool unseen = opened && opened->Waits && IsShown(window);
    const HWND waiting = minimised || unseen ? window : nullptr;
    // Wine makes the program the one in front as it shows a window, whether the window becomes
    // active or not: the program in front would have the stand-in become the foreground window.
    // Until the stand-in takes over, the other program is put back.
    const HWND frontBefore = unseen ? opened->FrontBefore : nullptr;
    if (frontBefore && !FStandInActive && (!GetForegroundWindow() || ThreadInForeground()) &&
        IsWindow(frontBefore))
        SetForegroundWindow(frontBefore);
    if (!waiting || waiting != FWaitingWindow) {
        FWaitingWindow = waiting;
        FWaitingSince = GetTickCount();
        LetTheStandInGo();
        if (unseen) {
            FLASHWINFO flash{sizeof(flash), window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
            FlashWindowEx(&flash);
        }
    } else if (FStandInActive) {
        if (ThreadInForeground())
            return true;
    } else if (!ThreadInForeground() &&
               (minimised || GetTickCount() - FWaitingSince >= FallbackOver)) {
        if (!FStandIn)
            FStandIn = std::make_unique<TStandInWindow>();
        FStandInActive = FStandIn->TakeTheActivation();
    }
    return false;
}

bool TUserWait::KeepsOut(HWND window) const {
    const TOpenedElsewhere* opened = InnermostOpenedElsewhere();
    if (!opened || !opened->Waits)
        return false;
    // A form is shown before it is known as the modal window.
    const HWND innermost = InnermostWindow();
    return !innermost || (window == innermost && (FWaitingWindow != innermost ||
                                                  GetTickCount() - FWaitingSince < FallbackOver));
}

void TUserWait::CameBack() {
    FWaitingWindow = nullptr;
    End();
}

void TUserWait::LetTheStandInGo() {
    if (FStandIn)
        FStandIn->LetGo();
    FStandInActive = false;
}

void TUserWait::End() {
    TOpenedElsewhere* opened = InnermostOpenedElsewhere();
    if (!opened || !opened->Waits)
        return;
    opened->Waits = false;
    if (const HWND window = InnermostWindow(); window && IsWindow(window)) {
        FLASHWINFO flash{sizeof(flash), window, FLASHW_STOP, 0, 0};
        FlashWindowEx(&flash);
    }
}

void TUserWait::SeeItOver() {
    const HWND window = InnermostWindow();
    const TOpenedElsewhere* opened = InnermostOpenedElsewhere();
    if (opened && opened->Waits && window && GetActiveWindow() == window && ThreadInForeground())
        End();
}
