#include "qztree/base/background.h"

#include "qztree/base/draw.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>

namespace {

TRect Intersection(const TRect& a, const TRect& b) {
    return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
}

// Copies Piece (destination coordinates) from a source context whose origin lies at SourceAt;
// a blended piece takes its checkerboard from the target's origin, so that pieces meet without
// seams whatever their sizes.
void CopyPiece(HDC DC, const TRect& Piece, HDC Source, const TPoint& SourceAt, const TRect& Target,
               const TQZBackground& b) {
    if (Piece.IsEmpty())
        return;
    DWORD rop = b.InvertedMode ? SRCINVERT : SRCCOPY;
    int sx = Piece.Left - SourceAt.X, sy = Piece.Top - SourceAt.Y;
    if (!b.DoBlend) {
        BitBlt(DC, Piece.Left, Piece.Top, Piece.Width(), Piece.Height(), Source, sx, sy, rop);
        return;
    }
    // Every second pixel shows OverColor.
    TBitmap blended(Piece.Width(), Piece.Height());
    BitBlt(blended.DC(), 0, 0, Piece.Width(), Piece.Height(), Source, sx, sy, SRCCOPY);
    uint32_t over = ColorToRGB(b.OverColor);
    uint32_t pixel = (over & 0xFF) << 16 | (over & 0xFF00) | (over >> 16 & 0xFF);
    int phase = (Piece.Left - Target.Left) + (Piece.Top - Target.Top);
    for (int y = 0; y < Piece.Height(); ++y) {
        uint32_t* row = blended.ScanLine(y);
        for (int x = 0; x < Piece.Width(); ++x)
            if (((phase + x + y) & 1) == 1)
                row[x] = pixel;
    }
    BitBlt(DC, Piece.Left, Piece.Top, Piece.Width(), Piece.Height(), blended.DC(), 0, 0, rop);
}

void DrawStretched(HDC DC, const TRect& Target, const TRect& Doc, const TQZBackground& b) {
    if (Doc.IsEmpty())
        return;
    TBitmap stretched(Doc.Width(), Doc.Height());
    SetStretchBltMode(stretched.DC(), COLORONCOLOR);
    StretchBlt(stretched.DC(), 0, 0, Doc.Width(), Doc.Height(), b.SourceBitmap->DC(), 0, 0,
               b.SourceBitmap->Width(), b.SourceBitmap->Height(), SRCCOPY);
    CopyPiece(DC, Intersection(Target, Doc), stretched.DC(), Doc.TopLeft(), Target, b);
}

void DrawTiled(HDC DC, const TRect& Target, const TRect& Doc, const TQZBackground& b) {
    int w = b.SourceBitmap->Width(), h = b.SourceBitmap->Height();
    int firstX = Doc.Left + std::max(0, (Target.Left - Doc.Left) / w) * w;
    int firstY = Doc.Top + std::max(0, (Target.Top - Doc.Top) / h) * h;
    for (int y = firstY; y < Target.Bottom; y += h)
        for (int x = firstX; x < Target.Right; x += w)
            CopyPiece(DC, Intersection(Target, Bounds(x, y, w, h)), b.SourceBitmap->DC(),
                      Point(x, y), Target, b);
}

} // namespace

void ExtDrawBkgnd(HDC DC, const TRect& Target, const TRect& Doc, const TQZBackground& b) {
    if (b.DrawMode == bgtHorzGradient || b.DrawMode == bgtVertGradient)
        return;
    // A bitmap without pixels counts as no bitmap.
    bool noBitmap = !b.SourceBitmap || b.SourceBitmap->Empty();
    if (b.DrawMode == bgtColorFill || noBitmap)
        return FillSolidRect2(DC, Target, b.FillColor);
    switch (b.DrawMode) {
    case bgtTileBitmap:
        return DrawTiled(DC, Target, Doc, b);
    case bgtStretchBitmap:
        return DrawStretched(DC, Target, Doc, b);
    case bgtCenterBitmap:
    case bgtTopLeftBitmap: {
        FillSolidRect2(DC, Target, b.FillColor);
        TPoint at = Doc.TopLeft();
        if (b.DrawMode == bgtCenterBitmap) {
            TRect place;
            CenterRects(b.SourceBitmap->Width(), Doc.Width(), b.SourceBitmap->Height(), place,
                        Doc.Height());
            at = Point(Doc.Left + place.Left, Doc.Top + place.Top);
        }
        TRect picture = Bounds(at.X, at.Y, b.SourceBitmap->Width(), b.SourceBitmap->Height());
        return CopyPiece(DC, Intersection(Target, picture), b.SourceBitmap->DC(), at, Target, b);
    }
    default:
        return;
    }
}
