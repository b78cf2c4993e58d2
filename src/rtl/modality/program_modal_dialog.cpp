#include "rtl/modality/program_modal_dialog.h"

#include "rtl/modality/disabled_windows.h"
#include "rtl/modality/modal_window.h"
#include "rtl/modality/window_manager_keys.h"

#include <windows.h>

#include <functional>

// The dialog's window, once made; the window holds it as a property.
struct TShownDialog {
    HWND Window = nullptr;
    HWND Owner = nullptr;
    WNDPROC Procedure = nullptr;
    TModalWindow* Modal = nullptr;
    std::function<void()> Hiding;
};

namespace {

// The dialog of the innermost scope on this thread: the one being made.
thread_local TShownDialog* CurrentDialog = nullptr;

const wchar_t* const DialogProperty = L"QVRProgramModalDialog";

// The dialog's window goes back to its own procedure and no longer reaches the dialog's state.
void LetGoOfTheWindow(TShownDialog& dialog) {
    SetWindowLongPtrW(dialog.Window, GWLP_WNDPROC, LONG_PTR(dialog.Procedure));
    RemovePropW(dialog.Window, DialogProperty);
    dialog.Window = nullptr;
}

// A dialog ends from a button's command (its buttons, Enter, Escape, closing it), and ending
// enables its owner. It lets go of the owner just before, and takes it back when the command
// left it up.
LRESULT CALLBACK DialogProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<TShownDialog*>(GetPropW(window, DialogProperty));
    // Without its state the window goes on with its class's procedure, the one replaced at its
    // creation.
    if (!dialog)
        return CallWindowProcW(WNDPROC(GetClassLongPtrW(window, GCLP_WNDPROC)), window, msg, wParam,
                               lParam);
    const WNDPROC procedure = dialog->Procedure;
    if (msg == WM_NCDESTROY) {
        // The window's last message. Whatever the modal window still sends it as it lets go goes
        // straight to the dialog's own procedure.
        LetGoOfTheWindow(*dialog);
        dialog->Modal->WindowDestroyed();
        return CallWindowProcW(procedure, window, msg, wParam, lParam);
    }
    if (TModalWindow::DeclinesOffer(window, msg, wParam, lParam))
        return MA_NOACTIVATE;
    if (msg == WM_WINDOWPOSCHANGING) {
        TModalWindow::PlaceChanging(window, reinterpret_cast<void*>(lParam));
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)
            dialog->Hiding();
    }
    if (msg == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        const LRESULT result = CallWindowProcW(procedure, window, msg, wParam, lParam);
        dialog->Modal->WindowShown();
        return result;
    }
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return CallWindowProcW(procedure, window, msg, wParam, lParam);
    const HWND owner = dialog->Owner;
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
    const LRESULT result = CallWindowProcW(procedure, window, msg, wParam, lParam);
    if (IsWindow(window) && IsWindowVisible(window))
        SetWindowLongPtrW(window, GWLP_HWNDPARENT, LONG_PTR(owner));
    return result;
}

// The dialog is the first top-level dialog window made in the scope.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    TShownDialog* dialog = CurrentDialog;
    if (code == HCBT_CREATEWND && dialog && !dialog->Window) {
        const HWND window = HWND(wParam);
        const CREATESTRUCTW& creation = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (!(creation.style & WS_CHILD) && lstrcmpW(name, L"#32770") == 0) {
            dialog->Window = window;
            dialog->Owner = creation.hwndParent;
            SetPropW(window, DialogProperty, dialog);
            dialog->Procedure =
                WNDPROC(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(&DialogProcedure)));
            // The dialog's loop would tell its owner each time it runs out of messages, on
            // every tick of the modal window's keeper, through the program's hooks: a handful
            // of calls into the system each time, which nothing here listens to.
            SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | DS_NOIDLEMSG);
            dialog->Modal->SetWindow(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TProgramModalDialog::TProgramModalDialog(void* owner)
    : FActiveBefore(GetActiveWindow()),
      FOwner(owner ? GetAncestor(static_cast<HWND>(owner), GA_ROOT) : nullptr),
      FOwnerWasEnabled(FOwner && IsWindowEnabled(static_cast<HWND>(FOwner))),
      FDisabled(std::make_unique<TDisabledWindows>(ThreadWindows())),
      FModal(std::make_unique<TModalWindow>()), FDialog(std::make_unique<TShownDialog>()),
      FOuterDialog(CurrentDialog) {
    FDialog->Modal = FModal.get();
    FDialog->Hiding = [this] { DialogHiding(); };
    CurrentDialog = FDialog.get();
    FCreationWatch = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
}

TProgramModalDialog::~TProgramModalDialog() {
    if (FCreationWatch)
        UnhookWindowsHookEx(static_cast<HHOOK>(FCreationWatch));
    CurrentDialog = FOuterDialog;
    // A dialog that outlived its call no longer reaches this scope.
    if (FDialog->Window && IsWindow(FDialog->Window))
        LetGoOfTheWindow(*FDialog);
    // A dialog that went without hiding first asks for the keys once the window active before is
    // active again.
    const bool askLate = !FAskForTheKeys.has_value() && FModal->AskForTheKeysAtItsEnd();
    FModal.reset();
    FDisabled.reset();
    // An end the dialog took without a button's command (a double click on a file) enabled
    // the owner whatever it found.
    const HWND owner = static_cast<HWND>(FOwner);
    if (owner && !FOwnerWasEnabled && IsWindow(owner) && IsWindowEnabled(owner))
        EnableWindow(owner, FALSE);
    // A dialog that went without hiding first: its owner, or none, was activated.
    const HWND before = static_cast<HWND>(FActiveBefore);
    const HWND active = GetActiveWindow();
    if ((!active || !IsWindowEnabled(active)) && before && IsWindow(before))
        SetActiveWindow(before);
    if (askLate)
        AskWindowManagerForTheKeys(GetActiveWindow());
    TModalWindow::ActiveWindowTakesOver(askLate || FAskForTheKeys.value_or(false));
}

void TProgramModalDialog::DialogHiding() {
    if (FAskForTheKeys.has_value())
        return;
    // Closing a dialog activates its owner, or, when it let go of it, the next window that can
    // be active: another program's while the program's own are disabled. The window active
    // before is active again first, disabled or not (a form a modal form disabled, which the
    // next box is then owned by), so the keys never leave the program; and the keys are asked
    // for before the dialog goes from the display.
    FDisabled.reset();
    const HWND before = static_cast<HWND>(FActiveBefore);
    if (before && IsWindow(before) && IsWindowVisible(before))
        SetActiveWindow(before);
    FAskForTheKeys = FModal->HandTheKeysOn();
}
