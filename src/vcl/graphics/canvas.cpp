#include "vcl/graphics/canvas.h"

#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/dib_lines.h"
#include "vcl/graphics/gdi_objects.h"

enum TDrawTools { dtPen = 1, dtBrush = 2, dtFont = 4 };

// Selects the canvas's tools for one drawing call and restores the context afterwards.
class TDrawScope {
public:
    TDrawScope(TCanvas& canvas, unsigned tools) : FDC(canvas.Handle()), FSaved(FDC) {
        if (tools & dtPen) {
            static const int modes[] = {R2_BLACK,    R2_WHITE,      R2_NOP,    R2_NOT,
                                        R2_COPYPEN,  R2_NOTCOPYPEN, R2_XORPEN, R2_NOTXORPEN,
                                        R2_MERGEPEN, R2_MASKPEN};
            SelectObject(FDC, canvas.FPen->Handle());
            SetROP2(FDC, modes[canvas.FPen->Mode()]);
        }
        if (tools & dtBrush) {
            SelectObject(FDC, canvas.FBrush->Handle());
            SetBrushOrgEx(FDC, 0, 0, nullptr);
        }
        if (tools & dtFont) {
            SelectObject(FDC, canvas.FFont->Handle());
            SetTextColor(FDC, ColorToRGB(canvas.FFont->Color()));
            bool clear = canvas.FBrush->Style() == bsClear;
            SetBkMode(FDC, clear ? TRANSPARENT : OPAQUE);
            if (!clear)
                SetBkColor(FDC, ColorToRGB(canvas.FBrush->Color()));
        }
    }
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    TSavedDC FSaved;
};

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    FHandle = dc;
}

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    FHandle = dc;
}

void TCanvas::LineTo(int x, int y) {
    TDrawScope s(*this, dtPen);
    MoveToEx(s.DC(), FPenPos.X, FPenPos.Y, nullptr);
    ::LineTo(s.DC(), x, y);
    FPenPos = {x, y};
}

namespace {
std::vector<POINT> ToPoints(const std::vector<TPoint>& points) {
    std::vector<POINT> result;
    result.reserve(points.size());
    for (const TPoint& p : points)
        result.push_back(ToPOINT(p));
    return result;
}
} // namespace

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    if (FPen->Style() == psSolid && FPen->Width() <= 1 && FPen->Mode() == pmCopy &&
        DrawPolylineIntoDib(Handle(), points, ColorToRGB(FPen->Color()))) {
        FPenPos = points.back();
        return;
    }
    TDrawScope s(*this, dtPen);
    std::vector<POINT> pts = ToPoints(points);
    ::Polyline(s.DC(), pts.data(), int(pts.size()));
    FPenPos = points.back();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty())
        return;
    TDrawScope s(*this, dtPen | dtBrush);
    std::vector<POINT> pts = ToPoints(points);
    ::Polygon(s.DC(), pts.data(), int(pts.size()));
}

void TCanvas::Rectangle(const TRect& r) {
    TDrawScope s(*this, dtPen | dtBrush);
    ::Rectangle(s.DC(), r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::Ellipse(const TRect& r) {
    TDrawScope s(*this, dtPen | dtBrush);
    ::Ellipse(s.DC(), r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
    TDrawScope s(*this, dtPen | dtBrush);
    ::RoundRect(s.DC(), r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
}

void TCanvas::FillRect(const TRect& r) {
    TDrawScope s(*this, dtBrush);
    RECT rc = ToRECT(r);
    ::FillRect(s.DC(), &rc, FBrush->Handle());
}

void TCanvas::FrameRect(const TRect& r) {
    TDrawScope s(*this, dtBrush);
    RECT rc = ToRECT(r);
    ::FrameRect(s.DC(), &rc, FBrush->Handle());
}

void TCanvas::DrawFocusRect(const TRect& r) {
    TDrawScope s(*this, 0);
    RECT rc = ToRECT(r);
    ::DrawFocusRect(s.DC(), &rc);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    TDrawScope s(*this, dtFont);
    std::wstring w = ToWide(text);
    ExtTextOutW(s.DC(), x, y, 0, nullptr, w.c_str(), UINT(w.size()), nullptr);
    FPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    TDrawScope s(*this, dtFont);
    std::wstring w = ToWide(text);
    RECT rc = ToRECT(r);
    UINT options = ETO_CLIPPED | (FBrush->Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutW(s.DC(), x, y, options, &rc, w.c_str(), UINT(w.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
    TDrawScope s(*this, dtFont);
    std::wstring w = ToWide(text);
    RECT rc = ToRECT(r);
    int height = ::DrawTextW(s.DC(), w.c_str(), int(w.size()), &rc, flags);
    if (flags & DT_CALCRECT)
        r = FromRECT(rc);
    return height;
}

TSize TCanvas::TextExtent(const std::string& text) {
    TDrawScope s(*this, dtFont);
    std::wstring w = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(s.DC(), w.c_str(), int(w.size()), &size);
    return {int(size.cx), int(size.cy)};
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    TDrawScope s(*this, 0);
    if (bitmap.Transparent)
        TransparentBlt(s.DC(), x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0,
                       bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.EffectiveTransparentColor()));
    else
        BitBlt(s.DC(), x, y, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    TDrawScope s(*this, 0);
    SetStretchBltMode(s.DC(), COLORONCOLOR);
    StretchBlt(s.DC(), r.Left, r.Top, r.Width(), r.Height(), bitmap.DC(), 0, 0, bitmap.Width(),
               bitmap.Height(), SRCCOPY);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    TDrawScope s(*this, 0);
    SetStretchBltMode(s.DC(), COLORONCOLOR);
    StretchBlt(s.DC(), dest.Left, dest.Top, dest.Width(), dest.Height(), source.Handle(),
               sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) {
    return TColor(GetPixel(Handle(), x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixel(Handle(), x, y, ColorToRGB(color));
}

TRect TCanvas::ClipRect() {
    RECT rc{};
    GetClipBox(Handle(), &rc);
    return FromRECT(rc);
}
