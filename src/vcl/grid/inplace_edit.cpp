#include "vcl/grid/inplace_edit.h"

#include "vcl/base/win_api.h"
#include "vcl/grid/custom_grid.h"

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomEdit(grid), FGrid(grid) {
    SetVisible(false);
    SetParent(grid);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    // The grid's lines frame it.
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        // Besides arrows and characters it takes Enter and Escape, and Tab when the grid
        // moves between cells with it; a dialog must not act on them.
        TCustomEdit::WndProc(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (const MSG* msg = reinterpret_cast<const MSG*>(Message.LParam);
            msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE ||
             (msg->wParam == VK_TAB && FGrid->Options().Contains(goTabs))))
            Message.Result |= DLGC_WANTMESSAGE;
        return;
    }
    TCustomEdit::WndProc(Message);
}

void TInplaceEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key)
        FGrid->EditorKey(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    // A single-line edit beeps at these; the grid has already acted on their key-down.
    if (Key == '\r' || Key == '\x1b' || (Key == '\t' && FGrid->Options().Contains(goTabs)))
        Key = 0;
}

void TInplaceEdit::Change() {
    TCustomEdit::Change();
    FGrid->EditorTextChanged(Text());
}
