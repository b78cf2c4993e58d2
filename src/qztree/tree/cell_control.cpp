#include "qztree/tree/cell_control.h"

#include "qztree/base/themes.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/menus.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/canvas.h"
#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/graphics.h"

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

// The "BUTTON" theme class for drawing without a window; closed when it goes.
class TButtonTheme {
public:
    TButtonTheme()
        : FTheme(ThemesAvailable && ThemeApi.OpenThemeData
                     ? ThemeApi.OpenThemeData(nullptr, L"BUTTON")
                     : nullptr) {}
    ~TButtonTheme() {
        if (FTheme && ThemeApi.CloseThemeData)
            ThemeApi.CloseThemeData(FTheme);
    }
    TButtonTheme(const TButtonTheme&) = delete;
    TButtonTheme& operator=(const TButtonTheme&) = delete;
    explicit operator bool() const { return FTheme != nullptr; }
    bool DrawBackground(HDC DC, int State, const TRect& Box) const {
        const RECT r = ToRECT(Box);
        return ThemeApi.DrawThemeBackground &&
               SUCCEEDED(ThemeApi.DrawThemeBackground(FTheme, DC, BP_CHECKBOX, State, &r, nullptr));
    }
    bool DrawText(HDC DC, int State, const std::string& Text, const TRect& Box) const {
        const std::wstring wide = ToWide(Text);
        const RECT r = ToRECT(Box);
        return ThemeApi.DrawThemeText && SUCCEEDED(ThemeApi.DrawThemeText(
                                             FTheme, DC, BP_CHECKBOX, State, wide.c_str(),
                                             int(wide.size()), DT_SINGLELINE | DT_VCENTER, 0, &r));
    }

private:
    HTHEME FTheme;
};
} // namespace

TCustomQZTree* TQZCellCheckBox::Tree() const {
    return Owner() && Owner()->Owner() ? Owner()->Owner()->Owner() : nullptr;
}

bool TQZCellCheckBox::ShowsSelected() const {
    TCustomQZTree* tree = Tree();
    TQZTreeItem* item = Owner()->Owner();
    if (!tree || !item->Selected() || tree->BarStyle() || item->BorderStyle != ibsNone)
        return false;
    return tree->RowSelect() || (tree->ShowColumns() && Owner()->Section() == tree->SelectColumn());
}

void TQZCellCheckBox::DrawBox(HDC DC, const TRect& Box) const {
    TCustomQZTree* tree = Tree();
    TBitmap* glyph = tree && tree->CustomCheckboxes() ? tree->CheckBoxGlyph() : nullptr;
    if (glyph && !glyph->Empty()) {
        const int frame = glyph->Width() / 6;
        const int index = (FState == cbChecked  ? 1
                           : FState == cbGrayed ? 2
                                                : 0) +
                          (Enabled() ? 0 : 3);
        BitBlt(DC, Box.Left, Box.Top, frame, glyph->Height(), glyph->DC(), index * frame, 0,
               SRCCOPY);
        return;
    }
    UINT flags = DFCS_BUTTONCHECK;
    if (FState == cbChecked)
        flags |= DFCS_CHECKED;
    if (FState == cbGrayed)
        flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!Enabled())
        flags |= DFCS_INACTIVE;
    RECT rc = ToRECT(Box);
    DrawFrameControl(DC, &rc, DFC_BUTTON, flags);
}

void TQZCellCheckBox::Paint(TCanvas& Canvas, const TRect& Cell) {
    TRect r = Cell;
    ++r.Right;
    ++r.Bottom;
    TCustomQZTree* tree = Tree();
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
    caption = caption.Inflate(-1, -1);
    HDC dc = Canvas.Handle();
    Canvas.SetFont(Font());
    // A theme that cannot draw the box leaves it to the classic look, caption included.
    const bool custom = tree && tree->CustomCheckboxes() && tree->CheckBoxGlyph() &&
                        !tree->CheckBoxGlyph()->Empty();
    bool themed = false;
    if (tree && tree->IsThemeApplied() && !custom) {
        const TButtonTheme theme;
        const int state = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
        themed = theme && theme.DrawBackground(dc, state, box);
        if (themed && (Caption().empty() || theme.DrawText(dc, state, Caption(), caption)))
            return;
    }
    if (!themed)
        DrawBox(dc, box);
    if (Caption().empty())
        return;
    Canvas.Brush()->SetStyle(bsClear);
    const unsigned flags = DT_SINGLELINE | DT_VCENTER;
    if (!Enabled()) {
        TRect shifted = caption.Offset(1, 1);
        Canvas.Font()->SetColor(clBtnHighlight);
        Canvas.DrawText(Caption(), shifted, flags);
        Canvas.Font()->SetColor(clBtnShadow);
    } else if (ShowsSelected()) {
        TQZTreeItem* item = Owner()->Owner();
        Canvas.Font()->SetColor(item->LookStyles()->GetStateStyle(item)->FontColor());
    }
    Canvas.DrawText(Caption(), caption, flags);
    Canvas.Brush()->SetStyle(bsSolid);
}
