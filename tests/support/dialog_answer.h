#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Answers the next dialog box of this thread from inside its modal loop, as the operator would:
// presses Button once the dialog shows, and when Selection is given, once its tree has that
// item selected (the tree fills itself after showing), or after twenty seconds.
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

// Presses a key on every dialog box of this thread that shows while it lives, as the operator
// would on the keyboard: the box's own loop takes the key.
class KeyOnEveryBox {
public:
    explicit KeyOnEveryBox(uint16_t key);
    ~KeyOnEveryBox();

private:
    uintptr_t FTimer = 0;
};

// Runs open, which shows a folder dialog, and presses Button once the dialog shows Folder. A
// cold shell under Wine now and then ignores the start folder it was given and never selects
// it; such a run is tried again, up to three times, rather than taken for the code's fault.
// open must set up what it works on afresh each time. True when the folder was shown.
bool PressWhenFolderShown(int button, const std::string& folder, const std::function<void()>& open);
