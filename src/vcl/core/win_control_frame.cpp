// The frame of a windowed control: border styles, bevels outside the client area, and the
// non-client messages that size and paint them.
#include "vcl/core/win_control.h"

#include "rtl/property_change.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/gdi_objects.h"

namespace {
unsigned EdgeOf(TBevelCut cut, unsigned raised, unsigned sunken) {
    switch (cut) {
    case bvRaised:
        return raised;
    case bvLowered:
        return sunken;
    default:
        return 0;
    }
}
} // namespace

template <class T> void TWinControl::SetFrameProperty(T& field, const T& value) {
    if (ChangeValue(field, value))
        FrameChanged();
}

void TWinControl::SetBorderStyle(TBorderStyle value) {
    SetFrameProperty(FBorderStyle, value == bsNone ? bsNone : bsSingle);
}

void TWinControl::SetCtl3D(bool value) {
    SetFrameProperty(FCtl3D, value);
}

void TWinControl::SetBevelKind(TBevelKind value) {
    SetFrameProperty(FBevelKind, value);
}

void TWinControl::SetBevelInner(TBevelCut value) {
    SetFrameProperty(FBevelInner, value);
}

void TWinControl::SetBevelOuter(TBevelCut value) {
    SetFrameProperty(FBevelOuter, value);
}

void TWinControl::SetBevelEdges(TBevelEdges value) {
    SetFrameProperty(FBevelEdges, value);
}

void TWinControl::SetBevelWidth(int value) {
    if (value >= 1)
        SetFrameProperty(FBevelWidth, value);
}

int TWinControl::BevelEdgeSize(TBevelEdge Edge) const {
    if (FBevelKind == bkNone || !FBevelEdges.Contains(Edge))
        return 0;
    // A flat bevel is one line whatever the cuts; the others a line per cut.
    if (FBevelKind == bkFlat)
        return 1;
    return (FBevelInner != bvNone ? 1 : 0) + (FBevelOuter != bvNone ? 1 : 0);
}

unsigned TWinControl::BevelCutEdges() const {
    return EdgeOf(FBevelOuter, BDR_RAISEDOUTER, BDR_SUNKENOUTER) |
           EdgeOf(FBevelInner, BDR_RAISEDINNER, BDR_SUNKENINNER);
}

unsigned TWinControl::BevelSideFlags() const {
    return (FBevelEdges.Contains(beLeft) ? BF_LEFT : 0) |
           (FBevelEdges.Contains(beTop) ? BF_TOP : 0) |
           (FBevelEdges.Contains(beRight) ? BF_RIGHT : 0) |
           (FBevelEdges.Contains(beBottom) ? BF_BOTTOM : 0);
}

void TWinControl::AddFrameStyles(TCreateParams& Params) const {
    if (FBorderStyle == bsNone)
        return;
    if (FCtl3D)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TWinControl::FrameChanged() {
    if (FHandle) {
        TCreateParams params;
        CreateParams(params);
        const LONG frameStyles = WS_BORDER;
        const LONG frameExStyles = WS_EX_CLIENTEDGE;
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        LONG exStyle = GetWindowLongW(FHandle, GWL_EXSTYLE);
        SetWindowLongW(FHandle, GWL_STYLE,
                       (style & ~frameStyles) | (LONG(params.Style) & frameStyles));
        SetWindowLongW(FHandle, GWL_EXSTYLE,
                       (exStyle & ~frameExStyles) | (LONG(params.ExStyle) & frameExStyles));
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
    Realign();
    Invalidate();
}

void TWinControl::NCCalcSizeMessage(TMessage& Message) {
    DefaultHandler(Message);
    auto* rect = reinterpret_cast<RECT*>(Message.LParam);
    if (Message.WParam)
        rect = &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
    TRect client = FromRECT(*rect);
    NCCalcSize(client);
    *rect = ToRECT(client);
}

void TWinControl::NCCalcSize(TRect& ClientArea) {
    ClientArea.Left += BevelEdgeSize(beLeft) * FBevelWidth;
    ClientArea.Top += BevelEdgeSize(beTop) * FBevelWidth;
    ClientArea.Right -= BevelEdgeSize(beRight) * FBevelWidth;
    ClientArea.Bottom -= BevelEdgeSize(beBottom) * FBevelWidth;
    if (ClientArea.Right < ClientArea.Left)
        ClientArea.Right = ClientArea.Left;
    if (ClientArea.Bottom < ClientArea.Top)
        ClientArea.Bottom = ClientArea.Top;
}

void TWinControl::NCPaintMessage(TMessage& Message) {
    DefaultHandler(Message);
    TWindowDC dc(FHandle, true);
    RECT screen{};
    GetWindowRect(FHandle, &screen);
    // Only the frame is painted: the client area, where it lies in the window, is clipped away.
    RECT client{};
    GetClientRect(FHandle, &client);
    MapWindowPoints(FHandle, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -screen.left, -screen.top);
    TSavedDC saved(dc.DC());
    ExcludeClipRect(dc.DC(), client.left, client.top, client.right, client.bottom);
    const RECT window{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    NCPaint(dc.DC(), FromRECT(window));
}

void TWinControl::NCPaint(HDC WindowDC, const TRect& WindowRect) {
    if (FBevelKind == bkNone)
        return;
    // The bevels lie inside what the system's own border took.
    RECT r = ToRECT(WindowRect);
    if (FBorderStyle != bsNone) {
        const int border = FCtl3D ? GetSystemMetrics(SM_CXEDGE) : GetSystemMetrics(SM_CXBORDER);
        InflateRect(&r, -border, -border);
    }
    unsigned sides = BevelSideFlags();
    unsigned style = FBevelKind == bkFlat ? BF_FLAT : FBevelKind == bkSoft ? BF_SOFT : 0;
    unsigned edge = BevelCutEdges();
    if (FBevelKind == bkFlat)
        edge = BDR_SUNKENOUTER;
    // Space cuts take their room and draw nothing.
    for (int i = 0; i < FBevelWidth && edge; ++i)
        DrawEdge(WindowDC, &r, edge, sides | style | BF_ADJUST);
}
