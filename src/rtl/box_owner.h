#pragma once
#include <string>

// Where a message box goes among the program's windows.

// The window a box asked to be owned by the given one is owned by: its top-level window, or,
// while that is not on the screen yet (a modal form in its OnShow), the window that form is
// owned by, since the window manager keeps a box above a shown owner only.
void* BoxOwner(void* window);

// A box modal to the whole program: every window of the thread is disabled while it is up and
// those it disabled are enabled again after, so a window a modal form disabled stays disabled.
// The box is owned by the given window (or none), kept above it and above every other window of
// the program; closing it would otherwise enable its owner.
int ShowProgramModalBox(void* owner, const std::wstring& text, const std::wstring& caption,
                        unsigned flags);
