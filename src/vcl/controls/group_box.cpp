#include "vcl/controls/group_box.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/gdi_objects.h"

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TGroupBox", &TCustomControl::StaticClassInfo())
            .String("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
    return *info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                     csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() const {
    TMemoryDC dc;
    TSelectObject font(dc.DC(), Font()->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.DC(), &metrics);
    return int(metrics.tmHeight);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight();
    Rect = Rect.Inflate(-2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
    int textHeight = CaptionHeight();
    // The frame runs through the middle of the caption's line.
    RECT frame =
        ToRECT(Rect(client.Left, client.Top + textHeight / 2, client.Right, client.Bottom));
    DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty())
        return;
    TRect text = Rect(8, 0, client.Right - 8, textHeight);
    unsigned flags = DT_SINGLELINE | DT_LEFT | DT_TOP;
    canvas->DrawText(Caption(), text, flags | DT_CALCRECT);
    text = text.Inflate(2, 0);
    canvas->FillRect(text);
    canvas->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    text = text.Inflate(-2, 0);
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(Caption(), text, flags);
}

void TCustomGroupBox::TextChanged() {
    Invalidate();
}

void TCustomGroupBox::FontChanged() {
    TCustomControl::FontChanged();
    Realign();
}
