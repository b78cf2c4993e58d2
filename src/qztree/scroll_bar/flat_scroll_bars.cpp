#include "qztree/scroll_bar/flat_scroll_bars.h"

#include "qztree/base/draw.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/canvas.h"

#include <algorithm>

void DrawFlatScrollbarThumb(HDC DC, const TRect& R, bool Focused) {
    FillSolidRect2(DC, R.Inflate(-2, -2), clBtnFace);
    if (Focused)
        Draw3dBorder(DC, R, clBtnFace, clBtnShadow, clBtnHighlight, cl3DDkShadow);
    else
        Draw3dBorder(DC, R, clBtnHighlight, clBtnFace, clBtnFace, clBtnShadow);
}

void DrawFlatScrollBar(HWND Wnd, HDC DC, const TRect& R, int Bar, bool Focused) {
    bool horizontal = Bar == SB_HORZ;
    int length = horizontal ? R.Width() : R.Height();
    int button = std::min(horizontal ? R.Height() : R.Width(), length / 2);
    auto span = [&](int from, int to) {
        return horizontal ? Rect(R.Left + from, R.Top, R.Left + to, R.Bottom)
                          : Rect(R.Left, R.Top + from, R.Right, R.Top + to);
    };
    FillSolidRect2(DC, span(button, length - button), clScrollBar);
    TCanvas canvas(DC);
    for (bool first : {true, false}) {
        TRect b = first ? span(0, button) : span(length - button, length);
        FillSolidRect2(DC, b, clBtnFace);
        DrawButtonFrameEx(DC, b, Focused, false, clBtnFace, true);
        TQZArrowDir dir = horizontal ? (first ? eadLeft : eadRight) : (first ? eadUp : eadDown);
        DrawArrow(&canvas, dir, b, IsWindowEnabled(Wnd), clBtnText);
    }
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(Wnd, Bar, &si) || si.nMax <= si.nMin)
        return;
    int track = length - 2 * button;
    int range = si.nMax - si.nMin + 1;
    int thumb = si.nPage ? MulDiv(int(si.nPage), track, range) : button;
    thumb = std::clamp(thumb, std::min(8, track), track);
    int steps = std::max(1, range - std::max(1, int(si.nPage)));
    int at = button + MulDiv(track - thumb, si.nPos - si.nMin, steps);
    DrawFlatScrollbarThumb(DC, span(at, at + thumb), Focused);
}

void DrawFlatScrollbars(HWND Wnd, HDC DC, bool Focused, TScrollStyle ScrollBars) {
    LONG style = GetWindowLongW(Wnd, GWL_STYLE);
    LONG exStyle = GetWindowLongW(Wnd, GWL_EXSTYLE);
    bool horz = (style & WS_HSCROLL) && (ScrollBars == ssHorizontal || ScrollBars == ssBoth);
    bool vert = (style & WS_VSCROLL) && (ScrollBars == ssVertical || ScrollBars == ssBoth);
    if (!horz && !vert)
        return;
    int border = 0;
    if (style & WS_BORDER)
        border = GetSystemMetrics(SM_CXBORDER);
    else if (exStyle & WS_EX_CLIENTEDGE)
        border = GetSystemMetrics(SM_CXEDGE);
    RECT wr;
    GetWindowRect(Wnd, &wr);
    TRect r = Rect(border, border, wr.right - wr.left - border, wr.bottom - wr.top - border);
    int vw = GetSystemMetrics(SM_CXVSCROLL), hh = GetSystemMetrics(SM_CYHSCROLL);
    // A bar needs room for itself and for the other one.
    if (vert && r.Width() >= vw && r.Height() >= (horz ? hh : 0) + 2 * vw)
        DrawFlatScrollBar(Wnd, DC, Rect(r.Right - vw, r.Top, r.Right, r.Bottom - (horz ? hh : 0)),
                          SB_VERT, Focused);
    if (horz && r.Height() >= hh && r.Width() >= (vert ? vw : 0) + 2 * hh)
        DrawFlatScrollBar(Wnd, DC, Rect(r.Left, r.Bottom - hh, r.Right - (vert ? vw : 0), r.Bottom),
                          SB_HORZ, Focused);
    if (horz && vert)
        FillSolidRect2(DC, Rect(r.Right - vw, r.Bottom - hh, r.Right, r.Bottom), clBtnFace);
}
