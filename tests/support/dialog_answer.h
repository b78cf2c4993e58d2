#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Answers the next dialog box of this thread from inside its modal loop, as the operator would:
// presses Button once the dialog shows, and when Selection is given, once its tree has that
// item selected (the tree fills itself after showing), or after ten seconds.
class DialogAnswer {
public:
    DialogAnswer(int button, std::string selection = "");
    ~DialogAnswer();

    bool Pressed = false;
    std::string SelectedWhenPressed;
    std::vector<std::string> Texts; // of the dialog's controls

    // Called by the timer: presses when the dialog is there and ready.
    void Check();

private:
    int FButton;
    std::string FSelection;
    uintptr_t FTimer = 0;
    unsigned long FDeadline = 0;
};
