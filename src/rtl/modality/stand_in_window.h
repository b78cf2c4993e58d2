#pragma once

// While a modal window is minimised, every window of the program the window manager can show is
// disabled. Under Wine, a manager that activates one of them (from its window list or task bar)
// has Wine hand the activation to the thread's active window instead, if that one can be active;
// the program itself hears nothing of it. This window can be: it is shown, enabled and lies off
// every screen, so that it is never mapped and no window manager ever sees it. Once it took the
// thread's activation, the program becoming the foreground one tells that the user activated one
// of its windows. A system that activates what it is asked (Windows) needs none of this, and
// nothing is made there.
class TStandInWindow {
public:
    TStandInWindow();
    ~TStandInWindow();
    TStandInWindow(const TStandInWindow&) = delete;
    TStandInWindow& operator=(const TStandInWindow&) = delete;

    // It becomes the thread's active window, without the program coming to the foreground;
    // false where it cannot.
    bool TakeTheActivation();
    // Once the modal windows are back it can no longer be active: Wine would activate it in want
    // of another window as a modal window hides, and a box opened next would take it as its owner.
    void LetGo();

private:
    void* FWindow = nullptr;
};
