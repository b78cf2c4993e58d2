#pragma once
#include <string>

// Where a message box goes among the program's windows.

// The window a box asked to be owned by the given one is owned by: its top-level window, or,
// while that is not on the screen yet (a modal form in its OnShow), the window that form is
// owned by, since the window manager keeps a box above a shown owner only.
void* BoxOwner(void* window);

// A box owned by a window that is disabled (by a modal form), kept above it, which stays
// disabled throughout: closing a box would otherwise enable its owner. The box is modal to
// the whole task, as a box without an owner would be.
int ShowBoxOverDisabledOwner(void* owner, const std::wstring& text, const std::wstring& caption,
                             unsigned flags);
