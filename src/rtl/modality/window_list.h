#pragma once
#include <vector>

#include <windows.h>

// Questions about the system's list of top-level windows that keeping modal windows on top asks.

// On the screen and not minimised.
bool IsShown(HWND window);

// Whether the window is kept on top.
bool KeptOnTop(HWND window);

// The top-level windows, the one on top first, asked of the system at once: walking them one by
// one asks it once a window.
std::vector<HWND> TopLevelWindows();

// A dialog a system dialog opened over itself (its own message box) that takes the input.
HWND DialogOwnedBy(HWND owner, const std::vector<HWND>& topLevel);

// Another program is the one the user works in: a window of another thread (under Wine, the
// desktop's once another program has the keys) is the foreground window.
bool AnotherThreadInFront();

// The program is the one the user works in: the given window, or a window it owns (a system
// dialog opened from it), is the foreground window. Another program's window the user brought
// forward stays where it is.
bool InTheForeground(HWND window);

// Whether a window above the given one hides part of it; those it owns go up with it, and those
// kept on top stay there. Wine brings a window the user clicks, or one a window manager raises,
// only above those covering the point clicked or the part shown: one put above windows it does
// not overlap would stay above them whatever is clicked.
bool IsCovered(HWND window);

struct TShownWindow {
    HWND Window;
    RECT Bounds;
    bool operator==(const TShownWindow& other) const {
        return Window == other.Window && EqualRect(&Bounds, &other.Bounds);
    }
};

// The program's windows on the screen, in the system's order, with their places.
std::vector<TShownWindow> ShownWindows(const std::vector<HWND>& topLevel = TopLevelWindows());
