#include "vcl/controls/panel.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& TPanel::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TPanel", &TCustomControl::StaticClassInfo())
            .String("Caption", &TPanel::Caption, &TPanel::SetCaption);
    return *info;
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBevelOuter(bvRaised);
    SetBevelInner(bvNone);
    SetBounds(0, 0, 185, 41);
}

void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        rect.Right -= 1;
        rect.Bottom -= 1;
        canvas->Pen()->SetColor(topLeft);
        canvas->Polyline({{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}});
        canvas->Pen()->SetColor(bottomRight);
        canvas->Polyline(
            {{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}});
        rect = rect.Inflate(-1, -1);
        rect.Right += 1;
        rect.Bottom += 1;
    }
}

int TPanel::BevelSize() const {
    return (BevelOuter() != bvNone ? BevelWidth() : 0) +
           (BevelInner() != bvNone ? BevelWidth() : 0);
}

void TPanel::AdjustClientRect(TRect& Rect) const {
    TCustomControl::AdjustClientRect(Rect);
    Rect = Rect.Inflate(-BevelSize(), -BevelSize());
}

void TPanel::Paint() {
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        TColor light = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor dark = cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (cut == bvSpace)
            light = dark = Color();
        Frame3D(Canvas(), r, light, dark, BevelWidth());
    };
    bevel(BevelOuter());
    r = r.Inflate(-BorderWidth(), -BorderWidth());
    bevel(BevelInner());
    if (Caption().empty())
        return;
    static const unsigned alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->DrawText(Caption(), r,
                       alignments[FAlignment] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TPanel::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}
