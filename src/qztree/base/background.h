#pragma once
#include "vcl/base/geometry.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/colors.h"

class TBitmap;

enum TQZBkGndType {
    bgtTileBitmap,
    bgtStretchBitmap,
    bgtColorFill,
    bgtCenterBitmap,
    bgtHorzGradient,
    bgtVertGradient,
    bgtTopLeftBitmap
};

// What the tree view paints its background with.
struct TQZBackground {
    TQZBkGndType DrawMode = bgtColorFill;
    const TBitmap* SourceBitmap = nullptr;
    bool DoBlend = false;
    TColor OverColor = clWhite;
    TColor FillColor = clWindow;
    bool InvertedMode = false;
};

// Paints Target of the context with the background of a document placed at Doc (scrolled
// documents pass their offset through it). Gradients are left to the caller.
void ExtDrawBkgnd(HDC DC, const TRect& Target, const TRect& Doc, const TQZBackground& Background);
