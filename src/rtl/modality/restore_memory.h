#pragma once
#include <optional>
#include <utility>

// What a modal window is to have again as it comes out of the minimised or the maximised state:
// its place and size, and the control that had the focus. Under Wine the window manager decides
// both returns, and Wine takes over whatever the manager shows in that moment: a minimised window
// shown again by the manager itself comes back where its deiconify animation is, and a window
// the manager un-maximises may keep the maximised size, at once or as the manager's report of
// it comes after the un-maximising. Wine's dialogs also lose their focused
// control when they are deactivated while minimised.
class TRestoreMemory {
public:
    // Starts afresh for the window (none: nothing is noted), in the state it is in.
    void Reset(void* window);

    // Every change of the window's place passes here before it is made (its WINDOWPOS, given as
    // is). Going into either state the window's place is noted; the change that brings it out of
    // that state takes the place. One maximised before it was minimised comes back maximised,
    // where the system puts it.
    void PlaceChanging(void* window, void* windowPos);

    // Every change of the thread's focus the program asks for passes here before it is made. The
    // window's control that last had it while the window was up is noted: a window manager that
    // minimises the window deactivates it first, which takes the focus from it.
    void FocusMoving(void* window, void* control);

    // Once the window came back from the minimised state and is active, the control that had the
    // focus before has it again, an edit field with its selection.
    void GiveFocusBack(void* window);

private:
    struct TPlace {
        int Left, Top, Width, Height;
    };

    bool FMinimised = false;
    // As it was when last not minimised.
    bool FMaximised = false;
    std::optional<TPlace> FPlaceBeforeMinimised;
    std::optional<TPlace> FPlaceBeforeMaximised;
    // As it was maximised, and when it was un-maximised last.
    std::optional<TPlace> FMaximisedSize;
    unsigned long FUnmaximisedAt = 0;
    void* FFocus = nullptr;
    // Of that control, if an edit field, as the window was minimised: start and end. A dialog
    // coming back selects the whole text of the field it focuses, and typing would replace it.
    std::optional<std::pair<int, int>> FSelection;
    bool FFocusToGiveBack = false;
};
