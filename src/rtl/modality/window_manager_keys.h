#pragma once
#include <cstdint>

// Whether the calling thread's window is the foreground window: the program is the one the user
// works in, rather than another program.
bool ThreadInForeground();

// Whether the system activates the window a program asks for, as Windows does; Wine leaves the
// choice to the window manager.
bool SystemActivatesWhatItIsAsked();

// After a modal window ends, the window the program made active must also be the one the window
// manager gives the keys to. Hiding the modal window makes the manager focus the window it
// focused before it, and Wine moves the keys only when the manager offers them. That is the
// window the modal window was opened from unless the manager focused another one meanwhile
// (another program's, or another window of the program as it minimised the modal window); only
// then is this asked. A newly shown window is offered the focus: one that shows nothing is
// mapped and hands the offer on to the given window. For a moment the manager's offers to the
// program's other windows are refused, so that its fallback from the modal window cannot take
// the keys back. A system that activates the window a program asks for (Windows) needs none of
// this, and nothing is done there.
void AskWindowManagerForTheKeys(void* window);

// Whether a message is the window manager's offer of the focus to the window, as Wine passes it
// on: a question whether the window wants to be active, as if its menu bar were clicked.
bool IsFocusOffer(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Whether a request still waits for the window manager's offer.
bool KeysRequestWaits();

// Whether the last request's offer gave the keys to the window, at the given time (a tick
// count) or later.
bool KeysGivenSince(void* window, unsigned long since);

// The window is on the screen, enabled and not minimised: it can take the keys.
bool CanTakeTheKeys(void* window);

// A modal window opened while the request from the end of the one before it still waits for the
// manager's offer, by the same action of the user, takes the request over: the keys then go to
// the window active at the offer, that is the new one once it is up. The manager would not give
// them to it: it fell back to the window it focused before, another program's. False when no
// request waits; what is left of one whose offer came is dropped. An offer that came before the
// new window was up, or none at all, leaves the new window to ask again once it is.
bool HandKeysRequestOn();
