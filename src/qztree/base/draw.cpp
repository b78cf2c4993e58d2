#include "qztree/base/draw.h"

#include "qztree/base/colors.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>
#include <cstdlib>

int QZMulDiv(int Number, int Numerator, int Denominator) {
    return MulDiv(Number, Numerator, Denominator);
}

void FillSolidRect2(HDC DC, const TRect& R, TColor Color) {
    COLORREF old = SetBkColor(DC, ColorToRGB(Color));
    RECT r = ToRECT(R);
    ExtTextOutW(DC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(DC, old);
}

void FillSolidRect(HDC DC, int X, int Y, int CX, int CY, TColor Color) {
    // Negative extents count back from the given edge.
    if (CX < 0) {
        X += CX;
        CX = -CX;
    }
    if (CY < 0) {
        Y += CY;
        CY = -CY;
    }
    FillSolidRect2(DC, Bounds(X, Y, CX, CY), Color);
}

void GradientFill(HDC DC, const TRect& R, TColor StartColor, bool Vertical, int Steps,
                  TColor EndColor) {
    if (StartColor == EndColor) {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(StartColor)));
        RECT r = ToRECT(R);
        FillRect(DC, &r, brush.Handle());
        return;
    }
    if (Steps < 1)
        return;
    int r0 = ColorRValue(StartColor), g0 = ColorGValue(StartColor), b0 = ColorBValue(StartColor);
    int dr = ColorRValue(EndColor) - r0, dg = ColorGValue(EndColor) - g0,
        db = ColorBValue(EndColor) - b0;
    int extent = Vertical ? R.Height() : R.Width();
    for (int i = 0; i < Steps; ++i) {
        int from = QZMulDiv(i, extent, Steps);
        int to = QZMulDiv(i + 1, extent, Steps);
        TRect band = Vertical ? Rect(R.Left, R.Top + from, R.Right, R.Top + to)
                              : Rect(R.Left + from, R.Top, R.Left + to, R.Bottom);
        int last = Steps - 1;
        auto channel = [&](int start, int delta) {
            return last == 0 ? start : start + QZMulDiv(i, delta, last);
        };
        TGdiObject<HBRUSH> brush(
            CreateSolidBrush(RGB(channel(r0, dr), channel(g0, dg), channel(b0, db))));
        TSelectObject selected(DC, brush.Handle());
        PatBlt(DC, band.Left, band.Top, band.Width(), band.Height(), PATCOPY);
    }
}

namespace {

void ArrowLines(TCanvas* Canvas, TQZArrowDir Dir, int x, int y) {
    // Four lines of 7, 5, 3 and 1 pixels from the base to the tip.
    for (int i = 0; i < 4; ++i) {
        int from = i, to = 7 - i;
        switch (Dir) {
        case eadLeft:
            Canvas->MoveTo(x + 3 - i, y + from);
            Canvas->LineTo(x + 3 - i, y + to);
            break;
        case eadRight:
            Canvas->MoveTo(x + i, y + from);
            Canvas->LineTo(x + i, y + to);
            break;
        case eadUp:
            Canvas->MoveTo(x + from, y + 3 - i);
            Canvas->LineTo(x + to, y + 3 - i);
            break;
        case eadDown:
            Canvas->MoveTo(x + from, y + i);
            Canvas->LineTo(x + to, y + i);
            break;
        }
    }
}

} // namespace

void DrawArrow(TCanvas* Canvas, TQZArrowDir Dir, const TRect& R, bool Enabled, TColor Color) {
    bool across = Dir == eadLeft || Dir == eadRight;
    int w = across ? 4 : 7, h = across ? 7 : 4;
    if (R.Width() < (across ? 3 : 6) || R.Height() < (across ? 6 : 3))
        return;
    TRect place;
    CenterRects(w, R.Width(), h, place, R.Height());
    int x = R.Left + place.Left, y = R.Top + place.Top;
    TColor oldColor = Canvas->Pen()->Color();
    if (Enabled) {
        Canvas->Pen()->SetColor(Color);
        ArrowLines(Canvas, Dir, x, y);
    } else {
        Canvas->Pen()->SetColor(clBtnHighlight);
        ArrowLines(Canvas, Dir, x + 1, y + 1);
        Canvas->Pen()->SetColor(clBtnShadow);
        ArrowLines(Canvas, Dir, x, y);
    }
    Canvas->Pen()->SetColor(oldColor);
}

void DrawTransparentBitmapEx(HDC DC, const TBitmap& Bitmap, int X, int Y, const TRect& SrcRect,
                             TColor TransparentColor) {
    HDC source = Bitmap.DC();
    int w = SrcRect.Width(), h = SrcRect.Height();
    if (!source || w <= 0 || h <= 0)
        return;
    TMemoryDC maskDC(DC);
    TGdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    TSelectObject maskSelected(maskDC.DC(), mask.Handle());
    COLORREF oldSourceBk = SetBkColor(source, ColorToRGB(TransparentColor));
    // The mask is white where the bitmap has the transparent colour.
    BitBlt(maskDC.DC(), 0, 0, w, h, source, SrcRect.Left, SrcRect.Top, SRCCOPY);
    SetBkColor(source, oldSourceBk);
    COLORREF oldBk = SetBkColor(DC, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
    BitBlt(DC, X, Y, w, h, source, SrcRect.Left, SrcRect.Top, SRCINVERT);
    BitBlt(DC, X, Y, w, h, maskDC.DC(), 0, 0, SRCAND);
    BitBlt(DC, X, Y, w, h, source, SrcRect.Left, SrcRect.Top, SRCINVERT);
    SetBkColor(DC, oldBk);
    SetTextColor(DC, oldText);
}

void DrawTypedText(TCanvas* Canvas, const TRect& R, const std::string& Text,
                   TQZTextDrawType DrawType, unsigned Flags) {
    TRect r = R;
    if (DrawType != tdtNormal) {
        TColor fontColor = Canvas->Font()->Color();
        bool shadowed = DrawType == tdtShadowed;
        Canvas->Font()->SetColor(shadowed ? clBtnShadow : clBtnHighlight);
        TRect under = shadowed ? R.Offset(2, 2) : R.Offset(-1, -1);
        Canvas->DrawText(Text, under, Flags);
        Canvas->Font()->SetColor(fontColor);
    }
    Canvas->DrawText(Text, r, Flags);
}

void Draw3dRect(HDC DC, int X, int Y, int CX, int CY, TColor TopLeft, TColor BottomRight) {
    FillSolidRect(DC, X, Y, CX - 1, 1, TopLeft);
    FillSolidRect(DC, X, Y, 1, CY - 1, TopLeft);
    FillSolidRect(DC, X + CX, Y, -1, CY, BottomRight);
    FillSolidRect(DC, X, Y + CY, CX, -1, BottomRight);
}

void Draw3dBorder(HDC DC, const TRect& R, TColor Color1, TColor Color2, TColor Color3,
                  TColor Color4) {
    Draw3dRect(DC, R.Left, R.Top, R.Width(), R.Height(), Color1, Color4);
    Draw3dRect(DC, R.Left + 1, R.Top + 1, R.Width() - 2, R.Height() - 2, Color3, Color2);
}

namespace {

struct TButtonColors {
    TColor Highlight, Light, Face, Shadow;
};

TButtonColors ButtonColors(TColor ButtonColor) {
    if (ButtonColor == clBtnFace)
        return {clBtnHighlight, cl3DLight, clBtnFace, clBtnShadow};
    auto lighter = [](int l) { return l + l / 2; };
    auto light = [](int l) { return l + l / 4; };
    auto darker = [](int l) { return l - l / 3; };
    return {WithLightness(ButtonColor, 239, lighter), WithLightness(ButtonColor, 239, light),
            ButtonColor, WithLightness(ButtonColor, 239, darker)};
}

void DrawBorder(HDC DC, const TRect& R, TColor OuterTL, TColor OuterBR, TColor InnerTL,
                TColor InnerBR, bool Thin) {
    Draw3dRect(DC, R.Left, R.Top, R.Width(), R.Height(), OuterTL, OuterBR);
    if (!Thin)
        Draw3dRect(DC, R.Left + 1, R.Top + 1, R.Width() - 2, R.Height() - 2, InnerTL, InnerBR);
}

} // namespace

void DrawButtonFrameEx(HDC DC, const TRect& R, bool Focused, bool Pushed, TColor ButtonColor,
                       bool Thin) {
    TButtonColors c = ButtonColors(ButtonColor);
    if (Pushed)
        DrawBorder(DC, R, c.Shadow, c.Highlight, c.Face, c.Light, Thin);
    else if (Focused)
        DrawBorder(DC, R, c.Light, c.Shadow, c.Highlight, c.Face, Thin);
    else
        DrawBorder(DC, R, c.Shadow, c.Shadow, c.Face, c.Face, Thin);
}

TRect DrawBevel(HDC DC, const TRect& R, TColor Color1, TColor Color2, TQZBorderSides Sides) {
    TRect r = R;
    if (Sides.Contains(ebsLeft))
        FillSolidRect(DC, R.Left, R.Top, 1, R.Height(), Color1);
    if (Sides.Contains(ebsTop))
        FillSolidRect(DC, R.Left, R.Top, R.Width(), 1, Color1);
    if (Sides.Contains(ebsRight))
        FillSolidRect(DC, R.Right - 1, R.Top, 1, R.Height(), Color2);
    if (Sides.Contains(ebsBottom))
        FillSolidRect(DC, R.Left, R.Bottom - 1, R.Width(), 1, Color2);
    if (Sides.Contains(ebsLeft))
        ++r.Left;
    if (Sides.Contains(ebsTop))
        ++r.Top;
    if (Sides.Contains(ebsRight))
        --r.Right;
    if (Sides.Contains(ebsBottom))
        --r.Bottom;
    return r;
}

void DrawFlatFrame2(HDC DC, const TRect& R, TColor Color, TQZBorderSides Sides, bool Double) {
    TRect r = DrawBevel(DC, R, Color, Color, Sides);
    r = DrawBevel(DC, r, Color, Color, Sides);
    r = DrawBevel(DC, r, clBtnShadow, clBtnHighlight, Sides);
    if (Double)
        DrawBevel(DC, r, clBtnText, cl3DLight, Sides);
}

namespace {

unsigned EdgeStyle(TQZFlatBorderType type) {
    switch (type) {
    case fbtSunken:
        return EDGE_SUNKEN;
    case fbtSunkenInner:
        return BDR_SUNKENINNER;
    case fbtSunkenOuter:
        return BDR_SUNKENOUTER;
    case fbtRaised:
        return EDGE_RAISED;
    case fbtRaisedInner:
        return BDR_RAISEDINNER;
    case fbtRaisedOuter:
        return BDR_RAISEDOUTER;
    case fbtBump:
    case fbtBigBump:
    case fbtFramed:
        return EDGE_BUMP;
    case fbtEtched:
        return EDGE_ETCHED;
    default:
        return 0;
    }
}

unsigned EdgeSides(TQZBorderSides sides) {
    unsigned flags = BF_ADJUST;
    if (sides.Contains(ebsLeft))
        flags |= BF_LEFT;
    if (sides.Contains(ebsRight))
        flags |= BF_RIGHT;
    if (sides.Contains(ebsTop))
        flags |= BF_TOP;
    if (sides.Contains(ebsBottom))
        flags |= BF_BOTTOM;
    return flags;
}

} // namespace

void DrawFlatFrameEx2(HDC DC, const TRect& R, TColor Color, TColor BkColor, bool Focused,
                      bool Enabled, TQZBorderSides BorderSides, TQZFlatBorderType BorderType) {
    if (BorderType == fbtFlat)
        return DrawFlatFrame2(DC, R, BkColor, BorderSides, false);
    RECT r = ToRECT(R);
    if (unsigned edge = EdgeStyle(BorderType)) {
        DrawEdge(DC, &r, edge, EdgeSides(BorderSides));
        TRect inner = FromRECT(r);
        switch (BorderType) {
        case fbtRaised:
            DrawBevel(DC, inner, clBtnShadow, clBtnHighlight, BorderSides);
            break;
        case fbtBigBump:
            DrawBevel(DC, inner, clBtnFace, clBtnFace, BorderSides);
            break;
        case fbtFramed:
            DrawBevel(DC, inner, clWindow, clWindow, BorderSides);
            break;
        default:
            break;
        }
        return;
    }
    switch (BorderType) {
    case fbtLine:
    case fbtLineBorder:
    case fbtNone: {
        TRect inner = DrawBevel(DC, R, BkColor, BkColor, BorderSides);
        DrawBevel(DC, inner, BkColor, BkColor, BorderSides);
        if (BorderType == fbtLine)
            FillSolidRect(DC, R.Left, R.Bottom - 1, R.Width(), 1, clWindowFrame);
        else if (BorderType == fbtLineBorder)
            DrawBevel(DC, R, clWindowFrame, clWindowFrame, BorderSides);
        break;
    }
    case fbtColorLineBorder: {
        TRect inner = DrawBevel(DC, R, Color, Color, BorderSides);
        DrawBevel(DC, inner, BkColor, BkColor, BorderSides);
        break;
    }
    default:
        break;
    }
}

void CenterRects(int InnerW, int OuterW, int InnerH, TRect& R, int OuterH) {
    R.Left = std::max(OuterW / 2 - InnerW / 2, 0);
    R.Right = std::min(R.Left + InnerW - 1, R.Left + OuterW - 1);
    R.Top = std::max(OuterH / 2 - InnerH / 2, 0);
    R.Bottom = std::min(R.Top + InnerH - 1, R.Top + OuterH - 1);
}

int Sign(int N) {
    return N > 0 ? 1 : N < 0 ? -1 : 0;
}

bool InRange(int Low, int High, int Value) {
    return Low <= Value && Value <= High;
}
