#pragma once
#include "chart/axis_scale.h"
#include "chart/axis_ticks.h"
#include "chart/chart_legend.h"

#include <vector>

struct TAxisLayout {
    TAxisScale Scale;
    std::vector<TAxisTick> Ticks;
};

// Where everything of the chart goes. Painting, zooming and hit testing all read one layout,
// so the mouse lands on the values that were drawn under it.
struct TChartLayout {
    TRect Client;
    // The plot's left column and bottom row carry the axes.
    TRect Plot;
    TAxisLayout Left;
    TAxisLayout Bottom;
    TLegendLayout Legend;
};

struct TChartRanges {
    TValueRange Left;
    TValueRange Bottom;
    bool BottomDateTime = false;
    bool BottomLabels = true; // false: the bottom axis has no ticks and no labels
};

constexpr int AxisTickLength = 4;
constexpr int AxisLabelGap = 2;

TChartLayout LayoutChart(const TRect& client, const TChartRanges& ranges, TLegendLayout legend,
                         const TTextMeasure& measure);
