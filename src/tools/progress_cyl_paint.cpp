// Painting of the cylinder progress bar: the shaded cylinder, the bevels and the text, drawn into
// a bitmap of the bar's size that then reaches the screen in one copy.
#include "tools/progress_cyl.h"

#include "rtl/wide_text.h"
#include "vcl/controls/panel.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

// A colour as a bitmap's scan line holds it (0x00RRGGBB).
uint32_t ScanLinePixel(TColor color) {
    uint32_t bgr = ColorToRGB(color);
    return (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF);
}

void FillBitmap(TBitmap& bitmap, uint32_t pixel) {
    for (int y = 0; y < bitmap.Height(); ++y)
        std::fill_n(bitmap.ScanLine(y), bitmap.Width(), pixel);
}

int Escapement(TQZFontOrientation orientation) {
    switch (orientation) {
    case foTopToBottom:
        return 2700;
    case foBottomToTop:
        return 900;
    default:
        return 1;
    }
}

HFONT CreateTurnedFont(const TFont& font, int escapement, BYTE quality) {
    LOGFONTW lf{};
    lf.lfQuality = quality;
    lf.lfHeight = font.Height();
    lf.lfEscapement = lf.lfOrientation = escapement;
    lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Style().Contains(fsItalic);
    lf.lfUnderline = font.Style().Contains(fsUnderline);
    lf.lfStrikeOut = font.Style().Contains(fsStrikeOut);
    lf.lfCharSet = BYTE(font.Charset());
    std::wstring face = ToWide(font.Name());
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

void DrawTextAt(HDC dc, const TPoint& at, const std::wstring& text, TColor color) {
    SetTextColor(dc, ColorToRGB(color));
    TextOutW(dc, at.X, at.Y, text.c_str(), int(text.size()));
}

} // namespace

void TQZProgressCyl::Paint() {
    if (!FInit || !FGeometry.Valid())
        return;
    PaintCylinder(*FBmpShow);
    PaintBevels(*FBmpShow);
    if (FShowText)
        PaintText(*FBmpShow);
    Canvas()->Draw(0, 0, *FBmpShow);
}

void TQZProgressCyl::PaintCylinder(TBitmap& bitmap) const {
    FillBitmap(bitmap, ScanLinePixel(Color()));
    const TCylGeometry& g = FGeometry;
    // Shades change across the bar and stay the same along it; the fill grows rightwards in a
    // horizontal bar and upwards in a vertical one.
    const bool vertical = FOrientation == pbVertical;
    const int acrossEnd = vertical ? g.CylR : g.CylB;
    const int alongEnd = std::max(vertical ? g.CylB - 1 : g.CylR - 1, FFill.LinePos);
    const int pace = vertical ? g.PaceV : g.PaceH;
    const TCylShading& fore = FForeStyle->Shading();
    const TCylShading& back = FBackStyle->Shading();
    // Each row is fetched once: a fetch flushes the system's pending drawing, which cost more
    // than the pixel itself when done for every pixel.
    std::vector<uint32_t*> rows(size_t(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        rows[size_t(y)] = bitmap.ScanLine(y);
    int kF = ShadeStart(acrossEnd - g.CylTL, fore);
    int kB = ShadeStart(acrossEnd - g.CylTL, back);
    for (int across = g.CylTL; across < acrossEnd; ++across, ++kF, ++kB) {
        const uint32_t forePixel = ShadedPixel(kF, pace, fore, FForeFactors);
        const uint32_t linePixel = ShadedPixel(kF, pace, fore, FLineFactors);
        const uint32_t backPixel = ShadedPixel(kB, pace, back, FBackFactors);
        const uint32_t before = vertical ? backPixel : forePixel;
        const uint32_t after = vertical ? forePixel : backPixel;
        for (int along = g.CylTL; along <= alongEnd; ++along) {
            const int x = vertical ? across : along;
            const int y = vertical ? along : across;
            if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height())
                continue;
            rows[size_t(y)][x] = along < FFill.LinePos    ? before
                                 : along == FFill.LinePos ? linePixel
                                                          : after;
        }
    }
}

void TQZProgressCyl::PaintBevels(TBitmap& bitmap) const {
    const TCylGeometry& g = FGeometry;
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(FBackBorderColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FrameRect(Rect(g.CylTL, g.CylTL, g.CylR, g.CylB));
    if (FBevelInner != bvNone) {
        TRect inner = Rect(g.InnTL, g.InnTL, g.InnR, g.InnB);
        Frame3D(canvas, inner, FBevelColors.InnTL, FBevelColors.InnBR, FBevelWidth);
    }
    if (FBevelOuter != bvNone) {
        TRect outer = Rect(g.OutTL, g.OutTL, g.OutR, g.OutB);
        Frame3D(canvas, outer, FBevelColors.OutTL, FBevelColors.OutBR, FBevelWidth);
    }
}

void TQZProgressCyl::PaintText(TBitmap& bitmap) {
    const std::wstring text = ToWide(ShownText());
    const int escapement = Escapement(FFontOrientation);
    // The XOR mask of inverted text must be all or nothing, so its letters are not smoothed.
    const bool inverted = FFontEffect == feInvert && FBmpFont;
    TGdiObject<HFONT> font(
        CreateTurnedFont(*Font(), escapement, inverted ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY));
    HDC dc = bitmap.DC();
    TSavedDC saved(dc);
    SelectObject(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    const TPoint at =
        CylinderTextOrigin(escapement, bitmap.Width(), bitmap.Height(), size.cx, size.cy);
    SetBkMode(dc, TRANSPARENT);
    if (FFontFXFactor != 0)
        DrawTextAt(dc, Point(at.X + FFontFXFactor, at.Y + FFontFXFactor), text, FFontShadowColor);
    if (!inverted)
        return DrawTextAt(dc, at, text, Font()->Color());
    // The text is drawn white on black and laid over the bar with XOR, so every pixel under a
    // letter shows in the inverse of the bar's colour there.
    HDC mask = FBmpFont->DC();
    TSavedDC savedMask(mask);
    PatBlt(mask, 0, 0, FBmpFont->Width(), FBmpFont->Height(), BLACKNESS);
    SelectObject(mask, font.Handle());
    SetBkMode(mask, TRANSPARENT);
    DrawTextAt(mask, at, text, clWhite);
    BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), mask, 0, 0, SRCINVERT);
}
