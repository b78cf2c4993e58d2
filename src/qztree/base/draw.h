#pragma once
// Drawing functions shared by the header, the scroll bar and the tree.
#include "vcl/base/geometry.h"
#include "vcl/base/set.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/canvas.h"
#include "vcl/graphics/colors.h"

#include <string>

class TBitmap;

enum TQZArrowDir { eadLeft, eadUp, eadRight, eadDown };
enum TQZTextDrawType { tdtNormal, tdtShadowed, tdtRaised };
enum TQZFlatBorderType {
    fbtFlat,
    fbtSunken,
    fbtSunkenInner,
    fbtSunkenOuter,
    fbtRaised,
    fbtRaisedInner,
    fbtRaisedOuter,
    fbtBump,
    fbtBigBump,
    fbtEtched,
    fbtFramed,
    fbtLine,
    fbtLineBorder,
    fbtNone,
    fbtColorLineBorder
};
enum TQZBorderSide { ebsLeft, ebsRight, ebsTop, ebsBottom };
using TQZBorderSides = TSet<TQZBorderSide>;
const TQZBorderSides AllBorderSides{ebsLeft, ebsRight, ebsTop, ebsBottom};

// The platform's MulDiv: rounds half away from zero, -1 on a zero divisor.
int QZMulDiv(int Number, int Numerator, int Denominator);

// Bands of colour from StartColor to EndColor; with equal colours one fill.
void GradientFill(HDC DC, const TRect& R, TColor StartColor, bool Vertical, int Steps,
                  TColor EndColor);
// A 4 x 7 (left, right) or 7 x 4 (up, down) arrow centred in R; disabled ones embossed.
void DrawArrow(TCanvas* Canvas, TQZArrowDir Dir, const TRect& R, bool Enabled, TColor Color);
// Copies the SrcRect part of the bitmap to (X, Y), leaving TransparentColor pixels out.
void DrawTransparentBitmapEx(HDC DC, const TBitmap& Bitmap, int X, int Y, const TRect& SrcRect,
                             TColor TransparentColor);
void DrawTypedText(TCanvas* Canvas, const TRect& R, const std::string& Text,
                   TQZTextDrawType DrawType, unsigned Flags);

void FillSolidRect2(HDC DC, const TRect& R, TColor Color);
void FillSolidRect(HDC DC, int X, int Y, int CX, int CY, TColor Color);
void Draw3dRect(HDC DC, int X, int Y, int CX, int CY, TColor TopLeft, TColor BottomRight);
void Draw3dBorder(HDC DC, const TRect& R, TColor Color1, TColor Color2, TColor Color3,
                  TColor Color4);
void DrawButtonFrameEx(HDC DC, const TRect& R, bool Focused, bool Pushed, TColor ButtonColor,
                       bool Thin);
// Lines on the chosen sides; returns R shrunk by 1 on every drawn side.
TRect DrawBevel(HDC DC, const TRect& R, TColor Color1, TColor Color2, TQZBorderSides Sides);
void DrawFlatFrame2(HDC DC, const TRect& R, TColor Color, TQZBorderSides Sides, bool Double);
void DrawFlatFrameEx2(HDC DC, const TRect& R, TColor Color, TColor BkColor, bool Focused,
                      bool Enabled, TQZBorderSides BorderSides, TQZFlatBorderType BorderType);

// Places an inner size in an outer one (inclusive right and bottom), not below 0.
void CenterRects(int InnerW, int OuterW, int InnerH, TRect& R, int OuterH);
int Sign(int N);
bool InRange(int Low, int High, int Value);
