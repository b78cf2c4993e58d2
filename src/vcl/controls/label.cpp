#include "vcl/controls/label.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/gdi_objects.h"

const TClassInfo& TLabel::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TLabel", &TGraphicControl::StaticClassInfo())
            .String("Caption", &TLabel::Caption, &TLabel::SetCaption);
    return *info;
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 65, 17);
}

unsigned TLabel::DrawFlags() const {
    static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return alignments[FAlignment] | DT_NOPREFIX | DT_EXPANDTABS |
           (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
}

void TLabel::Paint() {
    TRect r = ClientRect();
    if (!FTransparent) {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(r);
    }
    Canvas()->Brush()->SetStyle(bsClear);
    if (!Enabled())
        Canvas()->Font()->SetColor(clGrayText);
    Canvas()->DrawText(Caption(), r, DrawFlags());
}

void TLabel::AdjustSize() {
    if (!FAutoSize || ComponentState().Contains(csLoading))
        return;
    TRect r = Rect(0, 0, FWordWrap ? Width() : 0, 0);
    {
        // The canvas goes before the screen context it measures on.
        TWindowDC screen(nullptr);
        TCanvas canvas(screen.DC());
        canvas.Font()->Assign(Font());
        std::string text = Caption().empty() ? " " : Caption();
        canvas.DrawText(text, r, DrawFlags() | DT_CALCRECT);
    }
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::TextChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustSize();
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustSize();
}

void TLabel::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    FTransparent = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustSize();
    Invalidate();
}
