#pragma once
// The standard scroll bars of a window painted flat over its non-client area.
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"
#include "vcl/base/win_types.h"

// DC is a window context (non-client coordinates); ScrollBars narrows the bars the window's
// style has.
void DrawFlatScrollbars(HWND Wnd, HDC DC, bool Focused, TScrollStyle ScrollBars);
// One bar in R: Bar is SB_HORZ or SB_VERT.
void DrawFlatScrollBar(HWND Wnd, HDC DC, const TRect& R, int Bar, bool Focused);
void DrawFlatScrollbarThumb(HDC DC, const TRect& R, bool Focused);
