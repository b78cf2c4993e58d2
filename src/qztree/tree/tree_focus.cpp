// The tree and the keyboard focus: the tree hands it to its view, where the keys work, and the
// view shows on screen whether it has it.
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/core/forms.h"

void TCustomQZTree::PassFocusOn(HWND From) {
    if (!FTreeView || !FTreeView->HandleAllocated())
        return;
    if (From != FTreeView->WindowHandle()) {
        FTreeView->SetFocus();
        return;
    }
    // Shift+Tab out of the view lands on the tree first: it goes on backwards.
    if (TCustomForm* form = GetParentForm(this))
        form->SelectNext(this, false, true);
}

void TCustomQZTree::ScrollBarMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    if (FTreeView)
        FTreeView->SetFocus();
}

void TQZTreeView::SetFocus() {
    if (CanFocus())
        TCustomControl::SetFocus();
}

void TQZTreeView::FocusChanged(bool Gained) {
    FHasFocus = Gained;
    // Also when the focus comes back from another window, which the form does not report.
    FOwner->FTreeIsFocused = Gained;
    if (!Gained) {
        FHintItemEx = nullptr;
        DoHideLineHint();
    }
    // Hidden selection: every selected row changes its look, not only the focused one.
    if (FOwner->HideSelection())
        Invalidate();
    else
        FOwner->RedrawFocused();
    if (FOwner->DrawsFlatBorder())
        FOwner->UpdateFrame();
}

void TQZTreeView::ForgetPress() {
    // A press whose release went elsewhere (a dialog opened from the click) must not start a
    // frame selection or a drag on the next move of the mouse.
    FPressed = false;
    CancelMouseSel();
}

void TQZTreeView::CancelMode() {
    ForgetPress();
    TCustomControl::CancelMode();
}
