#pragma once
#include "rtl/modality/stand_in_window.h"

#include <memory>

#include <windows.h>

// A modal window opened while the user worked in another program, and not active since: it
// waits for the user; the window in front then.
struct TOpenedElsewhere {
    bool Waits = false;
    HWND FrontBefore = nullptr;
};

// The innermost modal window waits for the user while it is minimised, or while it has not been
// active since it opened in another program's time; once that window is on the screen, the
// window manager is asked to mark it as wanting attention. While it waits and the program is not
// the one the user works in, the stand-in takes the thread's activation; the program becoming
// the foreground one then means the user activated one of its windows, and the modal windows are
// to come back.
class TUserWait {
public:
    // One look; true when the user came back to the program by a window the stand-in stood for.
    bool Look();
    // Whether the innermost modal window, opened while the user worked in another program, is
    // kept from being activated: until the window manager's offer as it shows it is over, but
    // for a click on it.
    bool KeepsOut(HWND window) const;

    bool Waiting() const { return FWaitingWindow != nullptr; }
    bool StandInActive() const { return FStandInActive; }
    // The modal windows came back: minimised again before the next look, the innermost waits
    // out the manager's fallback anew.
    void CameBack();
    // Once the modal windows are back the stand-in no longer takes the activation.
    void LetTheStandInGo();

    // A window that waited for the user since it opened no longer asks for attention.
    static void End();
    // A window that waited since it opened and that the user activated waits no longer.
    static void SeeItOver();

private:
    // It lives as long as the keeper: a window opened meanwhile may have taken it as its owner,
    // being the active one.
    std::unique_ptr<TStandInWindow> FStandIn;
    // The innermost modal window while it waits for the user, and since when.
    HWND FWaitingWindow = nullptr;
    DWORD FWaitingSince = 0;
    bool FStandInActive = false;
};
