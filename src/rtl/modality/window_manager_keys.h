#pragma once

// Whether the calling thread's window is the foreground window: the program is the one the user
// works in, rather than another program.
bool ThreadInForeground();

// After a modal window ends, the window the program made active must also be the one the window
// manager gives the keys to. Hiding the modal window makes the manager focus the window it
// focused before it: another program's, or another window of the program, which Wine then
// activates; and Wine moves the keys only when the manager offers them. A newly shown window is
// offered the focus: one is shown for a moment below the given window and hands the offer on to
// it.
void AskWindowManagerForTheKeys(void* window);

// A request still waiting for the offer is dropped: a new modal window takes the keys itself.
void DropKeysRequest();
