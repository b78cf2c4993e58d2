#include "vcl/controls/track_bar.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TTrackBar::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TTrackBar", &TWinControl::StaticClassInfo())
            .Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
            .Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin)
            .Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax);
    return *info;
}

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = TRACKBAR_CLASSW;
    static const unsigned marks[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH};
    Params.Style |=
        TBS_ENABLESELRANGE | marks[FTickMarks] | (FOrientation == trVertical ? TBS_VERT : TBS_HORZ);
    if (FTickStyle == tsNone)
        Params.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto)
        Params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND h = WindowHandle();
    SendMessageW(h, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(h, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(h, TBM_SETTICFREQ, FFrequency, 0);
    SendMessageW(h, TBM_SETLINESIZE, 0, FLineSize);
    SendMessageW(h, TBM_SETPAGESIZE, 0, FPageSize);
    SendMessageW(h, TBM_SETPOS, TRUE, FPosition);
    PushSelection();
}

void TTrackBar::SetPosition(int value) {
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition)
        return;
    FPosition = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_SETPOS, TRUE, value);
    Changed();
}

void TTrackBar::SetRange(int min, int max) {
    if (min == FMin && max == FMax)
        return;
    FMin = min;
    FMax = max;
    if (HandleAllocated()) {
        SendMessageW(WindowHandle(), TBM_SETRANGEMIN, FALSE, min);
        SendMessageW(WindowHandle(), TBM_SETRANGEMAX, TRUE, max);
    }
    // A selection beyond the new range would point at values that no longer exist.
    FSelStart = std::clamp(FSelStart, min, max);
    FSelEnd = std::clamp(FSelEnd, min, max);
    PushSelection();
    // A position outside the new range moves into it, and that is a change like any other.
    const int before = FPosition;
    SetPosition(FPosition);
    if (FPosition == before)
        PlaceThumb();
}

void TTrackBar::PlaceThumb() {
    // The control works out where its thumb goes only when the position value changes, not
    // when the range does, and would go on drawing the thumb where the old range put it: the
    // position is moved off, quietly, and back.
    if (!HandleAllocated() || FMin == FMax)
        return;
    const HWND h = WindowHandle();
    SendMessageW(h, TBM_SETPOS, FALSE, FPosition == FMin ? FMax : FMin);
    SendMessageW(h, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetMin(int value) {
    SetRange(value, std::max(value, FMax));
}

void TTrackBar::SetMax(int value) {
    SetRange(std::min(value, FMin), value);
}

void TTrackBar::PushSelection() {
    if (!HandleAllocated())
        return;
    // One message sets both ends, but only as 16-bit numbers.
    if (FSelStart >= 0 && FSelEnd >= 0 && FSelStart <= 0xFFFF && FSelEnd <= 0xFFFF) {
        SendMessageW(WindowHandle(), TBM_SETSEL, TRUE, MAKELPARAM(FSelStart, FSelEnd));
        return;
    }
    SendMessageW(WindowHandle(), TBM_SETSELSTART, FALSE, FSelStart);
    SendMessageW(WindowHandle(), TBM_SETSELEND, TRUE, FSelEnd);
}

void TTrackBar::SetSelStart(int value) {
    if (value == FSelStart)
        return;
    FSelStart = value;
    PushSelection();
}

void TTrackBar::SetSelEnd(int value) {
    if (value == FSelEnd)
        return;
    FSelEnd = value;
    PushSelection();
}

void TTrackBar::SetFrequency(int value) {
    if (value == FFrequency)
        return;
    FFrequency = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_SETTICFREQ, value, 0);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == FTickMarks)
        return;
    FTickMarks = value;
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == FTickStyle)
        return;
    FTickStyle = value;
    RecreateWnd();
}

void TTrackBar::SetLineSize(int value) {
    FLineSize = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value) {
    FPageSize = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::CNScroll(TMessage& Message) {
    int position = int(SendMessageW(WindowHandle(), TBM_GETPOS, 0, 0));
    if (position == FPosition)
        return;
    FPosition = position;
    Changed();
}

TRect TTrackBar::ChannelRect() const {
    RECT r{};
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_GETCHANNELRECT, 0, LPARAM(&r));
    return FromRECT(r);
}

int TTrackBar::ValueToPixel(int value) const {
    const TRect channel = ChannelRect();
    RECT thumb{};
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    const int thumbWidth = thumb.right - thumb.left;
    const int range = FMax - FMin;
    const int start = channel.Left + thumbWidth / 2;
    if (range <= 0)
        return start;
    const int64_t travel = channel.Width() - thumbWidth;
    return start + int(travel * (std::clamp(value, FMin, FMax) - FMin) / range);
}

TRect TTrackBar::SelectionBand() const {
    if (FSelEnd <= FSelStart || FOrientation != trHorizontal)
        return {};
    const TRect channel = ChannelRect();
    // A little taller than the channel, which some looks draw only two pixels high.
    return {ValueToPixel(FSelStart), channel.Top - 1, ValueToPixel(FSelEnd) + 1,
            channel.Bottom + 1};
}

namespace {
// The system's track bar marks the selection with two small triangles at most, which some looks
// leave out; the interval is what the operator works with, so it is drawn as a band over the
// channel.
intptr_t CustomDraw(const NMCUSTOMDRAW& draw, const TTrackBar& bar) {
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return draw.dwItemSpec == TBCD_CHANNEL ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
    case CDDS_ITEMPOSTPAINT:
        if (draw.dwItemSpec == TBCD_CHANNEL) {
            const TRect band = bar.SelectionBand();
            if (!band.IsEmpty()) {
                const RECT r = ToRECT(band);
                FillRect(draw.hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
        }
        return CDRF_DODEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}
} // namespace

void TTrackBar::CNNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (header->code != NM_CUSTOMDRAW)
        return DefaultHandler(Message);
    Message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(Message.LParam), *this);
}
