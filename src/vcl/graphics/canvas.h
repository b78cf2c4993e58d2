#pragma once
#include "vcl/base/geometry.h"
#include "vcl/graphics/graphics.h"

#include <memory>
#include <string>
#include <vector>

class TBitmap;

// Drawing on a device context with a font, a pen and a brush. Every drawing call selects the
// tools it needs and gives the context back as it found it, so the context is never left holding
// one of this canvas's objects. Texts are code page 1251 and are drawn through the W functions.
class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;

    // The context drawn on; a canvas of a control gets one from its window when asked.
    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(const TFont* value) { FFont->Assign(value); }

    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    void Rectangle(const TRect& r);
    void Rectangle(int left, int top, int right, int bottom) {
        Rectangle(Rect(left, top, right, bottom));
    }
    void Ellipse(const TRect& r);
    void RoundRect(const TRect& r, int cornerWidth, int cornerHeight);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);

    void TextOut(int x, int y, const std::string& text);
    // Text clipped to the rectangle, drawn from (x, y).
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // DrawText with DT_* flags; with DT_CALCRECT the rectangle receives the measured size.
    int DrawText(const std::string& text, TRect& r, unsigned flags);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    TRect ClipRect();

protected:
    // A canvas without a context may make one here (the control canvas takes its window's).
    virtual void CreateHandle() {}

private:
    friend class TDrawScope;
    HDC FHandle = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
};
