#pragma once
#include <vector>

#include <windows.h>

// Raises windows so that Wine restacks them on the display too. Wine restacks a window there only
// when it becomes the first in its own order, and a window the window manager raised may still
// be below the one to raise there: a hidden window, which no one sees, goes first, and the window
// above it. It takes along the windows it owns.
class TRaiser {
public:
    TRaiser();
    ~TRaiser();
    TRaiser(const TRaiser&) = delete;
    TRaiser& operator=(const TRaiser&) = delete;

    void Raise(HWND window) const;

    // Each window above those before it. Wine keeps a window that owns one on the screen below
    // it, so it could never become the first: the later ones let go of their owners meanwhile,
    // and take them back in order once all are raised.
    void RaiseInOrder(const std::vector<HWND>& windows) const;

private:
    HWND FPivot;
};
