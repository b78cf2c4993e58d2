#pragma once
#include "rtl/modality/keys_owed.h"
#include "rtl/modality/restore_memory.h"
#include "rtl/modality/user_wait.h"

#include <cstdint>
#include <memory>

class TModalKeeper;

// The window the program waits on while it is up: a modal form, a message box or a system
// dialog. The others take no input then, yet a window manager still raises one that is clicked,
// or brought forward from its window list, over the modal window and hides it. While a modal
// window is up and the program is in the foreground, it is kept above every window of the
// program, and each modal window it was opened over above the others, in the order they were
// opened; windows of other programs the user brought forward are left where they are. One the
// window manager minimised comes back at a click on a window it disables, or as the manager
// activates any window of the program, always at the place it had and with the control that had
// the focus.
class TModalWindow {
public:
    // The window may be given later: a box is made inside the call that shows it.
    explicit TModalWindow(void* window = nullptr);
    // The modal windows this one was shown over go back above the windows they disable.
    ~TModalWindow();
    TModalWindow(const TModalWindow&) = delete;
    TModalWindow& operator=(const TModalWindow&) = delete;

    // A window already on the screen is raised at once: one shown without the user's input can
    // be mapped below the window that has the focus.
    void SetWindow(void* window);
    // The window is being destroyed: it is let go of as it is, as nothing put on it matters now.
    void WindowDestroyed();
    void* Window() const { return FWindow; }
    // The modal window this one was shown over, if any.
    const TModalWindow* Outer() const { return FOuter; }

    // A system dialog shows itself some time after it was made: it is on the screen now.
    void WindowShown();

    // Whether the window manager is to be asked for the keys as this modal window ends: the
    // program is the one the user works in, and while this window or one shown over it was up
    // the manager gave the focus to another window (another program's, or another of the
    // program's as it minimised the modal window), to which it would fall back as this one hides
    // rather than to the window this one was opened from.
    bool AskForTheKeysAtItsEnd() const;
    // Called as this modal window is about to hide, once the window that takes over is active:
    // where the keys are to be asked for, they are asked for the active window now, before this
    // one hides, so that the manager falls back to the request. Whether they were asked for.
    bool HandTheKeysOn();

    // Once a modal window ended and another window was made active: a modal window still up that
    // is not on the screen yet is owed the keys the ending one asked for. Once no modal window
    // is up, the active window also goes above the program's other windows when another window
    // hides part of it, as the system brings forward a window it activates: the one a modal
    // window's end activates may have been left under a window the user raised meanwhile. One
    // nothing hides stays where it is, so that a window beside it the user clicks next still
    // comes first.
    static void ActiveWindowTakesOver(bool keysAskedFor);

    // Every change of a window's place passes here before it is made (its WM_WINDOWPOSCHANGING,
    // given as is). A modal window coming out of the minimised or the maximised state comes back
    // at the place it had before (TRestoreMemory).
    static void PlaceChanging(void* window, void* windowPos);

    // Whether a modal window declines the window manager's offer of the focus (its
    // WM_MOUSEACTIVATE, given as is). One opened while the user works in another program does not
    // take the keys from it: it comes up above the program's windows without being active, the
    // window manager is asked to mark it as wanting attention, and it declines the offer the
    // manager makes as it shows it. It takes the keys once the user activates it or any window
    // of the program. A system that activates what it is asked (Windows) keeps such a window
    // from the front by its own rules, and nothing of this is done there.
    static bool DeclinesOffer(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

    // What the keeper of the modal windows looks after for this one.
    TRestoreMemory& Restore() { return FRestore; }
    TKeysOwed& KeysOwed() { return FKeysOwed; }
    TOpenedElsewhere& OpenedElsewhere() { return FOpenedElsewhere; }
    // The window manager focused another window while this one was up: this one and the ones it
    // was shown over.
    void NoteFocusWentElsewhere();

private:
    void SetMinimizeBox(bool on);
    void ShowAgainOnTheDisplay();

    void* FWindow = nullptr;
    TRestoreMemory FRestore;
    TKeysOwed FKeysOwed;
    TOpenedElsewhere FOpenedElsewhere;
    // It was hidden while minimised.
    bool FEndedMinimised = false;
    bool FMinimizeBoxAdded = false;
    bool FFocusWentElsewhere = false;
    TModalWindow* FOuter;
    std::unique_ptr<TModalKeeper> FKeeper;
};
