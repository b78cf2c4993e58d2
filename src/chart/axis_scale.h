#pragma once
#include "chart/line_series.h"

// Maps an axis range onto a run of pixels. The minimum lands on From and the maximum on To;
// a vertical axis runs from its bottom pixel up to its top pixel.
struct TAxisScale {
    TValueRange Range;
    int From = 0;
    int To = 0;

    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;
};
