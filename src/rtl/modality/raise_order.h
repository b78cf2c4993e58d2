#pragma once
#include "rtl/modality/raiser.h"
#include "rtl/modality/window_list.h"

#include <vector>

#include <windows.h>

// Keeps the modal windows above the program's other windows, each above the one it was shown
// over. While the program is the one the user works in they are kept on top, in the window
// manager's layer above the others, where no other window of the program can come over them;
// once the user went to another program they go back among the others, below the window the
// user went to. Among themselves they are raised in order whenever the program's windows changed
// their order or places: a window manager raises an outer one clicked over the inner one, and
// Wine's order follows where it covered it.
class TRaiseOrder {
public:
    // Every modal window on the screen, each above the one it was shown over; kept on top while
    // the program is in front.
    void RaiseAll();
    // The innermost one only: above the modal windows it was shown over already.
    void RaiseInnermost();

    // A look: the modal windows are kept on top while the program is in front, and raised again
    // if the program's windows changed since the last raise; otherwise they go back among the
    // others.
    void Look();

private:
    void RaiseInOrder(const std::vector<HWND>& modal);
    // The program's windows as the last raise left them.
    void Seen();

    TRaiser FRaiser;
    std::vector<TShownWindow> FSeen;
};
