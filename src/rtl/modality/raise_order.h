#pragma once
#include "rtl/modality/raiser.h"
#include "rtl/modality/window_list.h"

#include <vector>

#include <windows.h>

// Keeps the modal windows above the program's other windows, each above the one it was shown
// over. A window manager raises a window clicked or chosen from its list and tells the program
// nothing; Wine's order of the windows follows only where the window raised was covered, and
// raising the modal windows on a timer alone would keep the window manager busy and could push
// back a window of another program the user just switched to. All of them are raised at a press
// on a disabled window and whenever the program's windows changed their order or places. A title
// bar clicked on a window they did not cover changes nothing the program sees: while the pointer
// is on another window's frame, they are raised now and then, for a while after it got there.
class TRaiseOrder {
public:
    // Every modal window on the screen, each above the one it was shown over.
    void RaiseAll(const std::vector<HWND>& topLevel = TopLevelWindows());
    // The innermost one only: above the modal windows it was shown over already.
    void RaiseInnermost();

    // A look while the program is in front: the modal windows go up if the program's windows
    // changed since the last raise, or if the pointer stays on another window's frame.
    void Look(const std::vector<HWND>& topLevel, const std::vector<HWND>& modal);
    // The pointer is on another window's frame since a moment: its title bar may be clicked.
    bool FrameWatched() const;
    // Where the pointer was at the last look.
    POINT Pointer() const { return FPointer; }

private:
    bool FrameRaiseDue(const std::vector<HWND>& modal, const std::vector<TShownWindow>& shown);

    TRaiser FRaiser;
    std::vector<TShownWindow> FSeen;
    POINT FPointer{};
    HWND FFrame = nullptr;
    DWORD FFrameSince = 0;
    DWORD FLastFrameRaise = 0;
};
