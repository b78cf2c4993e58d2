#include "chart/axis_scale.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds as lround does, without its call into the runtime library: a series of many thousand
// points is mapped on every paint.
int RoundHalfAway(double value) {
    int whole = int(value);
    const double fraction = value - whole;
    if (fraction >= 0.5)
        ++whole;
    else if (fraction <= -0.5)
        --whole;
    return whole;
}

} // namespace

int TAxisScale::ValueToPixel(double value) const {
    double span = Range.Max - Range.Min;
    if (span == 0)
        return From;
    double pixel = From + (value - Range.Min) / span * (To - From);
    // Deep in a zoom, points far off the plot stay within what the drawing functions take.
    constexpr double Reach = 1 << 26;
    return RoundHalfAway(std::clamp(pixel, -Reach, Reach));
}

double TAxisScale::PixelToValue(int pixel) const {
    if (To == From)
        return Range.Min;
    return Range.Min + double(pixel - From) / (To - From) * (Range.Max - Range.Min);
}
