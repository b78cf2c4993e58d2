#pragma once
#include <memory>
#include <optional>

class TDisabledWindows;
class TModalWindow;
struct TShownDialog;

// A system dialog (a message box, the open dialog, the folder browser) run modal to the whole
// program for this object's scope: with an owner the system would disable that window only.
// Every window of the thread is disabled while it is up, and exactly those are enabled again
// as it hides; the dialog, the first top-level dialog made in the scope, is kept above every
// other window of the program; its end never enables a window a modal form disabled; and the
// window active before is active again, on top and with the keys.
class TProgramModalDialog {
public:
    // The owner the dialog is asked to have, or any of its child windows.
    explicit TProgramModalDialog(void* owner);
    ~TProgramModalDialog();
    TProgramModalDialog(const TProgramModalDialog&) = delete;
    TProgramModalDialog& operator=(const TProgramModalDialog&) = delete;

private:
    // The window active before is enabled and active again before the dialog hides.
    void DialogHiding();

    void* FActiveBefore;
    void* FOwner;
    bool FOwnerWasEnabled;
    // Whether the window manager is to be asked for the keys, decided as the dialog went.
    std::optional<bool> FAskForTheKeys;
    std::unique_ptr<TDisabledWindows> FDisabled;
    std::unique_ptr<TModalWindow> FModal;
    std::unique_ptr<TShownDialog> FDialog;
    TShownDialog* FOuterDialog;
    void* FCreationWatch = nullptr;
};
