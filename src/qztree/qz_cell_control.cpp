#include "qztree/qz_cell_control.h"

#include "qztree/custom_qz_tree.h"
#include "qztree/qz_cell_style.h"
#include "qztree/qz_state_style.h"
#include "qztree/qz_tree_item.h"
#include "qztree/themes.h"
#include "vcl/bitmap.h"
#include "vcl/canvas.h"
#include "vcl/gdi_objects.h"
#include "vcl/graphics.h"
#include "vcl/menus.h"
#include "vcl/win_api.h"

TQZCellControl::TQZCellControl() : TComponent(nullptr), FFont(std::make_unique<TFont>()) {
    FFont->SetColor(clBtnText);
    FFont->OnChange = [this](TObject*) { Update(); };
}

TQZCellControl::~TQZCellControl() {
    if (FOwner) {
        TQZCellStyle* style = FOwner;
        FOwner = nullptr;
        style->ControlGone(this);
    }
}

void TQZCellControl::SetPopupMenu(TPopupMenu* Value) {
    ReferTo(FPopupMenu, Value);
}

void TQZCellControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TQZCellControl::Update() {
    if (FVisible && FOwner)
        FOwner->Update();
}

void TQZCellControl::TriggerClickEvent() {
    Fire(OnClick, this);
}

void TQZCellControl::TriggerDblClickEvent() {
    Fire(OnDblClick, this);
}

void TQZCellControl::TriggerMouseDownEvent(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Fire(OnMouseDown, this, Button, Shift, X, Y);
}

void TQZCellControl::TriggerMouseUpEvent(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Fire(OnMouseUp, this, Button, Shift, X, Y);
}

void TQZCellControl::TriggerMouseMoveEvent(TShiftState Shift, int X, int Y) {
    Fire(OnMouseMove, this, Shift, X, Y);
}

// ---- Check box

TQZCellCheckBox::TQZCellCheckBox() = default;

void TQZCellCheckBox::SetState(TCheckBoxState Value) {
    if (Value != cbGrayed || FAllowGrayed)
        Change(FState, Value);
}

void TQZCellCheckBox::TriggerClickEvent() {
    if (!Enabled())
        return;
    switch (FState) {
    case cbUnchecked:
        FState = FAllowGrayed ? cbGrayed : cbChecked;
        break;
    case cbChecked:
        FState = cbUnchecked;
        break;
    case cbGrayed:
        FState = cbChecked;
        break;
    }
    Update();
    TQZCellControl::TriggerClickEvent();
}

namespace {
constexpr int BP_CHECKBOX = 3;
}

void TQZCellCheckBox::Paint(TCanvas& Canvas, const TRect& Cell) {
    TRect r = Cell;
    ++r.Right;
    ++r.Bottom;
    TCustomQZTree* tree = Owner() && Owner()->Owner() ? Owner()->Owner()->Owner() : nullptr;
    const int size = tree ? tree->EffectiveCheckBoxSize() : 15;
    const bool rightText = tree && tree->RightAlignedText();
    // The box on the side away from the caption.
    TRect box, caption = r;
    const int top = r.Top + r.Height() / 2 - size / 2;
    if ((FAlignment == taRightJustify) != rightText) {
        box = Rect(r.Left + 2, top, r.Left + 2 + size, top + size);
        caption.Left = r.Left + size + 4;
    } else {
        const int left = FAlignment == taCenter && !rightText ? (r.Left + r.Right - size) / 2 - 1
                                                              : r.Right - 2 - size;
        box = Rect(left, top, left + size, top + size);
        caption.Right = r.Right - size - 4;
    }
    HDC dc = Canvas.Handle();
    TBitmap* glyph = tree && tree->CustomCheckboxes() ? tree->CheckBoxGlyph() : nullptr;
    if (tree && tree->IsThemeApplied() && !glyph) {
        RECT rc = ToRECT(box);
        const int state = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
        if (SUCCEEDED(DrawThemeBackgroundTo(L"BUTTON", dc, BP_CHECKBOX, state, rc, nullptr)))
            glyph = nullptr;
    } else if (glyph && !glyph->Empty()) {
        const int frame = glyph->Width() / 6;
        const int index = (FState == cbChecked  ? 1
                           : FState == cbGrayed ? 2
                                                : 0) +
                          (Enabled() ? 0 : 3);
        BitBlt(dc, box.Left, box.Top, frame, glyph->Height(), glyph->DC(), index * frame, 0,
               SRCCOPY);
    } else {
        UINT flags = DFCS_BUTTONCHECK;
        if (FState == cbChecked)
            flags |= DFCS_CHECKED;
        if (FState == cbGrayed)
            flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (!Enabled())
            flags |= DFCS_INACTIVE;
        RECT rc = ToRECT(box);
        DrawFrameControl(dc, &rc, DFC_BUTTON, flags);
    }
    if (Caption().empty())
        return;
    caption = caption.Inflate(-1, -1);
    Canvas.SetFont(Font());
    Canvas.Brush()->SetStyle(bsClear);
    const unsigned flags = DT_SINGLELINE | DT_VCENTER;
    if (!Enabled()) {
        TRect shifted = caption;
        shifted = shifted.Offset(1, 1);
        Canvas.Font()->SetColor(clBtnHighlight);
        Canvas.DrawText(Caption(), shifted, flags);
        Canvas.Font()->SetColor(clBtnShadow);
    } else if (TQZTreeItem* item = Owner() ? Owner()->Owner() : nullptr;
               item && item->Selected() && tree && !tree->BarStyle() &&
               item->BorderStyle == ibsNone && tree->RowSelect()) {
        Canvas.Font()->SetColor(item->LookStyles()->GetStateStyle(item)->FontColor());
    }
    Canvas.DrawText(Caption(), caption, flags);
    Canvas.Brush()->SetStyle(bsSolid);
}
