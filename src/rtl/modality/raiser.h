#pragma once
#include <vector>

#include <windows.h>

// Raises windows so that Wine restacks them on the display too. Wine restacks a window there only
// when it becomes the first in its own order, and a window the window manager raised may still
// be below the one to raise there: a hidden window, which no one sees, goes first, and the window
// above it. It takes along the windows it owns.
//
// Raised to be kept on top (topmost), a window goes into the window manager's layer above the
// others (Wine asks for it as it marks the window to stay above): there no window of the normal
// layer can come over it, whether the manager raises one clicked, or one chosen from its list or
// task bar, which Wine's own order would not even hear of where it does not overlap.
class TRaiser {
public:
    TRaiser();
    ~TRaiser();
    TRaiser(const TRaiser&) = delete;
    TRaiser& operator=(const TRaiser&) = delete;

    void Raise(HWND window, bool keptOnTop = false) const;

    // Each window above those before it. Wine keeps a window that owns one on the screen below
    // it, so it could never become the first: the later ones let go of their owners meanwhile,
    // and take them back in order once all are raised.
    void RaiseInOrder(const std::vector<HWND>& windows, bool keptOnTop) const;

    // Windows kept on top go back among the others, each above those after it, right below the
    // lowest other window on the screen: the first in Wine's order would be raised on the
    // display, over the window of another program that the user went to.
    static void LetDown(const std::vector<HWND>& windows);

private:
    HWND FPivot;
};
