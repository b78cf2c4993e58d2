#pragma once
#include <functional>
#include <string>

// Every message box of the program goes through here, so tests can take the text instead of
// blocking on a dialog. The hook gets text, caption and MB_* flags and returns the button (ID*).
using TMessageBoxHook =
    std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

// Returns the previous hook; an empty hook restores the real dialog.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);

// Caption used by ShowMessage; the application sets it to its title.
void SetMessageBoxTitle(const std::string& title);
const std::string& MessageBoxTitle();

// A box modal to the whole program, owned by the active window.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);
// The same, owned by the given window instead of the active one.
int ShowOwnedMessageBox(void* owner, const std::string& text, const std::string& caption,
                        unsigned flags);
void ShowMessage(const std::string& text);
