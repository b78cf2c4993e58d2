#include "rtl/modality/modal_window.h"

#include "rtl/modality/modal_chain.h"
#include "rtl/modality/modal_keeper.h"
#include "rtl/modality/raiser.h"
#include "rtl/modality/window_list.h"
#include "rtl/modality/window_manager_keys.h"

#include <windows.h>

TModalWindow::TModalWindow(void* window) : FOuter(InnermostModalWindow()) {
    // Opened right as the modal window before it ended (a box after a box, a dialog after its
    // boxes), it takes over the keys that one's end asked for; and as the manager's history now
    // puts another program before the program's own windows, its own end asks again.
    const bool requestHandedOn = HandKeysRequestOn();
    const bool keysHandedOn = requestHandedOn || (FOuter && FOuter->FKeysOwed.Owed());
    if (keysHandedOn)
        FKeysOwed.Owe();
    if (FOuter)
        FOuter->FKeysOwed.Clear();
    // Otherwise, opened while another program is in front, the user works there.
    FOpenedElsewhere.Waits =
        !keysHandedOn && !SystemActivatesWhatItIsAsked() && AnotherThreadInFront();
    if (FOpenedElsewhere.Waits)
        FOpenedElsewhere.FrontBefore = GetForegroundWindow();

    SetInnermostModalWindow(this);
    if (!FOuter)
        FKeeper = std::make_unique<TModalKeeper>();
    if (keysHandedOn)
        NoteFocusWentElsewhere();
    SetWindow(window);
}

TModalWindow::~TModalWindow() {
    SetMinimizeBox(false);
    // Modal no longer, it goes back among the program's windows, hidden by now.
    if (const HWND window = static_cast<HWND>(FWindow); window && IsWindow(window))
        TRaiser::LetDown({window});
    SetInnermostModalWindow(FOuter);
    if (!FOuter)
        return;
    if (FEndedMinimised)
        FOuter->ShowAgainOnTheDisplay();
    // Their windows are disabled again: the outer modal windows go back above them.
    TModalKeeper::Current()->RaiseAll();
}

void TModalWindow::SetWindow(void* window) {
    SetMinimizeBox(false);
    FWindow = window;
    FRestore.Reset(window);
    SetMinimizeBox(true);
    TModalKeeper::Current()->RaiseInnermost();
    TModalKeeper::Current()->Wake();
    if (window && IsWindowVisible(static_cast<HWND>(window)))
        WindowShown();
}

void TModalWindow::WindowShown() {
    FKeysOwed.Shown(static_cast<HWND>(FWindow));
}

void TModalWindow::WindowDestroyed() {
    FMinimizeBoxAdded = false;
    SetWindow(nullptr);
}

// Wine takes a window the window manager minimised as minimised only when it has a minimise box;
// otherwise the program could never bring it back. A captioned modal window has one while it is
// modal.
void TModalWindow::SetMinimizeBox(bool on) {
    const HWND window = static_cast<HWND>(FWindow);
    if (!window || !IsWindow(window) || on == FMinimizeBoxAdded)
        return;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (on && ((style & WS_CAPTION) != WS_CAPTION || (style & WS_MINIMIZEBOX)))
        return;
    SetWindowLongPtrW(window, GWL_STYLE,
                      on ? style | WS_MINIMIZEBOX : style & ~LONG_PTR(WS_MINIMIZEBOX));
    FMinimizeBoxAdded = on;
}

bool TModalWindow::AskForTheKeysAtItsEnd() const {
    return FFocusWentElsewhere && ThreadInForeground();
}

bool TModalWindow::HandTheKeysOn() {
    if (!AskForTheKeysAtItsEnd())
        return false;
    AskWindowManagerForTheKeys(GetActiveWindow(), true);
    return true;
}

void TModalWindow::NoteFocusWentElsewhere() {
    for (TModalWindow* modal = this; modal; modal = modal->FOuter)
        modal->FFocusWentElsewhere = true;
}

void TModalWindow::ActiveWindowTakesOver(bool keysAskedFor) {
    const HWND active = GetActiveWindow();
    // A modal window still up that is not on the screen yet (a dialog shown after the boxes of
    // its opening) is owed the keys the ending one asked for.
    if (TModalWindow* innermost = InnermostModalWindow();
        keysAskedFor && innermost && !CanTakeTheKeys(innermost->FWindow))
        innermost->FKeysOwed.Owe();
    const HWND root = active ? GetAncestor(active, GA_ROOT) : nullptr;
    if (!InnermostModalWindow() && IsShown(root) && InTheForeground(root) && IsCovered(root))
        TRaiser().Raise(root);
}

bool TModalWindow::DeclinesOffer(void* window, unsigned message, uintptr_t wParam,
                                 intptr_t lParam) {
    return IsFocusOffer(window, message, wParam, lParam) && TModalKeeper::Current() &&
           TModalKeeper::Current()->KeepsOut(static_cast<HWND>(window));
}

void TModalWindow::PlaceChanging(void* window, void* windowPos) {
    TModalWindow* modal = InnermostModalWindow();
    while (modal && modal->FWindow != window)
        modal = modal->FOuter;
    if (!modal)
        return;
    // Closed from the window manager's list while minimised.
    if (IsIconic(static_cast<HWND>(window)) &&
        (static_cast<const WINDOWPOS*>(windowPos)->flags & SWP_HIDEWINDOW))
        modal->FEndedMinimised = true;
    modal->FRestore.PlaceChanging(window, windowPos);
}

// A window manager minimises the windows a modal window was opened over along with it. Wine,
// as they are disabled, minimises them on the display only, and shows one there again only as it
// comes out of the minimised state: a modal window that ended minimised would leave the one it
// was opened over hidden. That one goes through the minimised state, its focus kept.
void TModalWindow::ShowAgainOnTheDisplay() {
    const HWND window = static_cast<HWND>(FWindow);
    if (SystemActivatesWhatItIsAsked() || !window || !IsWindowVisible(window) || IsIconic(window))
        return;
    const HWND focus = GetFocus();
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    if (focus && IsWindow(focus) && GetFocus() != focus)
        SetFocus(focus);
}
