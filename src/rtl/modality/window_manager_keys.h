#pragma once
#include <cstdint>

// Whether the calling thread's window is the foreground window: the program is the one the user
// works in, rather than another program.
bool ThreadInForeground();

// Whether the system activates the window a program asks for, as Windows does; Wine leaves the
// choice to the window manager.
bool SystemActivatesWhatItIsAsked();

// Under Wine the window manager alone gives the keys to a window: the window the program makes
// active takes them only once the manager offers one of the program's windows the focus, and Wine
// then passes them to the active window. As a window the manager focused hides, the manager falls
// back to the window it focused before it: another program's if the user worked there meanwhile,
// even though the program made one of its own windows active.
//
// This asks the manager for the keys for the given window: a window that shows nothing is mapped,
// which the manager takes as a new window of its own to focus, and as the last one it focused
// would it hide now. Its offer makes the given window active, or the one active then, and Wine
// gives it the keys; where no window can take them (a box after a box), the manager focuses
// nothing, and the next window it maps it then focuses itself. Asked before a window of the
// program that has the keys hides, the manager falls back to the request rather than to another
// program; the request window then stays until the manager fell back to it too. It hides a moment
// after the offers it waits for, as the manager may fall back more than once, and any offer the
// manager still makes it goes to the active window all the same. A system that activates the window
// a program asks for (Windows) needs none of this, and nothing is done there.
void AskWindowManagerForTheKeys(void* window, bool aWindowWithTheKeysHidesNext = false);

// Whether a message is the window manager's offer of the focus to the window, as Wine passes it
// on: a question whether the window wants to be active, as if its menu bar were clicked.
bool IsFocusOffer(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Whether a request still waits for the window manager's offer.
bool KeysRequestWaits();

// The window is on the screen, enabled and not minimised: it can take the keys.
bool CanTakeTheKeys(void* window);

// A modal window opened while the request from the end of the one before it still waits for the
// manager's offer, by the same action of the user, takes the request over: the keys then go to
// the window active at the offer. False when no request waits.
bool HandKeysRequestOn();

// The window the requests are made with: no modal window disables it, so that Wine asks it
// whether it wants the manager's offer.
bool IsKeysRequestWindow(void* window);
