#pragma once
#include "chart/axis_scale.h"
#include "vcl/geometry.h"

#include <vector>

// The pixels of a series to draw, thinned so that a series of many thousand points costs no
// more than the plot is wide. Of the points that fall into one pixel column, in a row, only
// the first, the lowest, the highest and the last are kept, in their order: the polyline
// through them covers the same pixels as through all of them, so peaks stay visible.
std::vector<TPoint> ThinToPixelColumns(const std::vector<TPoint>& pixels);

// The pixels of the points (in ascending X) that the plot from left to right can show: those
// inside, and one on either side so that lines leaving the plot are drawn, thinned as above.
std::vector<TPoint> SeriesPixels(const std::vector<TSeriesPoint>& points, const TAxisScale& x,
                                 const TAxisScale& y);
