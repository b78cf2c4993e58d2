#pragma once
#include <vector>

#include <windows.h>

class TModalWindow;

// The modal windows up on this thread: the innermost one, and through it the ones it was shown
// over.
TModalWindow* InnermostModalWindow();
void SetInnermostModalWindow(TModalWindow* modal);
// Its window, or none.
HWND InnermostWindow();

// The modal windows, minimised ones too, the outermost first.
std::vector<HWND> ModalChain();

// The modal windows on the screen, the outermost first, and after them the dialogs the
// innermost opened itself, which the program did not wait on.
std::vector<HWND> ModalWindowsInOrder(const std::vector<HWND>& topLevel);
std::vector<HWND> ModalWindowsInOrder();

// A modal window the window manager minimised, with the windows it was opened over that it hid
// along with it, comes back, the outermost first; the innermost is active. Whether any did.
bool RestoreMinimised();
