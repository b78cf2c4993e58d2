#pragma once
#include "chart/axis_scale.h"
#include "vcl/base/geometry.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// The pixels of a series to draw, thinned so that a series of many thousand points costs no
// more than the plot is wide. Of the points that fall into one pixel column, in a row, only
// the lowest and the highest are kept, in their order: the line still spans every column from
// its minimum to its maximum, so peaks stay visible; only the short links between neighbouring
// columns may start a few pixels apart from where all points would start them.
std::vector<TPoint> ThinToPixelColumns(const std::vector<TPoint>& pixels);

// The pixels of the points (in ascending X) that the plot from left to right can show: those
// inside, and one on either side so that lines leaving the plot are drawn, thinned as above.
std::vector<TPoint> SeriesPixels(const std::vector<TSeriesPoint>& points, const TAxisScale& x,
                                 const TAxisScale& y);

// The thinned pixels of each series, kept while neither its points nor the axes change: a chart
// is painted again far more often than its data or its zoom change (the time-line markers move
// with every step of the track bar).
class TSeriesPixelCache {
public:
    const std::vector<TPoint>& Pixels(const TLineSeries& series, const TAxisScale& x,
                                      const TAxisScale& y);
    // Drops the series not asked for since the last call; called after each paint.
    void ForgetUnused();

private:
    struct TEntry {
        uint64_t Revision = 0;
        TAxisScale X, Y;
        std::vector<TPoint> Pixels;
        bool Used = false;
    };
    // A series freed and another made at its address differ in their revisions.
    std::unordered_map<const TLineSeries*, TEntry> FEntries;
};
