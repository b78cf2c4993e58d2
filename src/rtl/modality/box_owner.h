#pragma once

// Where a message box goes among the program's windows.

// The window a box asked to be owned by the given one is owned by: its top-level window, or,
// while that is not on the screen yet (a modal form in its OnShow), the window that form is
// owned by, since the window manager keeps a box above a shown owner only.
void* BoxOwner(void* window);
