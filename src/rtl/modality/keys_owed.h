#pragma once

#include <windows.h>

// The keys a modal window is owed: opened right as the one before it ended, or shown after a box
// that did (a dialog after the boxes of its opening), it is owed the keys the user gave that one.
// While it is up it asks the window manager again until the program is in front, whatever became
// of the manager's offer.
class TKeysOwed {
public:
    // Owed since then (a tick count); nothing where the system activates what it is asked.
    void Owe(DWORD since);
    void Clear() { FSince = 0; }
    // Owed still: not for long after the end that asked for them.
    bool Owed() const;
    DWORD Since() const { return FSince; }

    // A look at the window they are owed to: asked for anew once it is surely on the display,
    // until a request's offer gave them to it then. The program seeming in front proves nothing:
    // the manager's fallback to another program may not have reached it yet.
    void See(HWND window);

private:
    DWORD FSince = 0;
    // Since when it can take the keys, as far as the program knows, while they are owed; or 0.
    DWORD FUpSince = 0;
};
