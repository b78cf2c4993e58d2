#pragma once

#include <windows.h>

// The keys a modal window is owed: opened right as the one before it ended, or shown after a box
// that did (a dialog after the boxes of its opening), it is owed the keys the user gave that one.
// It asks the window manager for them once it is on the screen, unless the request that the end of
// the one before it made still waits: the manager focuses a window it maps itself only where
// nothing else has the focus, and Wine gives the keys to a window only once the manager mapped it.
class TKeysOwed {
public:
    // Nothing where the system activates what it is asked.
    void Owe();
    void Clear() { FOwed = false; }
    bool Owed() const { return FOwed; }
    // The window it is owed to is on the screen: the keys are asked for, once.
    void Shown(HWND window);

private:
    bool FOwed = false;
};
