#pragma once
#include "vcl/base/geometry.h"
#include "vcl/base/windows_clean.h"

#include <cstdint>
#include <vector>

// Draws a solid polyline one pixel wide straight into the pixels of the TTopDownDib
// selected into dc, with the pixels the system's own line drawing sets (each
// segment without its last point), inside the context's clip box. The system spends far more
// per segment than setting its few pixels costs, and a chart draws thousands of short ones.
// Draws nothing and returns false where the context is not of that plain kind (another bitmap,
// a mapping or transform, a mix mode other than copying, a clip region of several rectangles,
// coordinates far outside the bitmap): the caller then draws through the system. rgb is a
// COLORREF.
bool DrawPolylineIntoDib(HDC dc, const std::vector<TPoint>& points, uint32_t rgb);
