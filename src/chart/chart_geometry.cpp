#include "chart/chart_geometry.h"

#include <algorithm>

namespace {

constexpr int OuterMargin = 8;
constexpr int LegendGap = 8;
constexpr int TickSpacingX = 12;
constexpr int TickSpacingY = 6;

int WidestLabel(const std::vector<TAxisTick>& ticks, const TTextMeasure& measure) {
    int width = 0;
    for (const TAxisTick& tick : ticks)
        width = std::max(width, measure.TextWidth(tick.Label));
    return width;
}

} // namespace

TChartLayout LayoutChart(const TRect& client, const TChartRanges& ranges, TLegendLayout legend,
                         const TTextMeasure& measure) {
    TChartLayout layout;
    layout.Client = client;
    int textHeight = measure.TextHeight();
    TRect& plot = layout.Plot;
    // Half a label above the top tick, a row of labels under the bottom axis.
    plot.Top = client.Top + OuterMargin + textHeight / 2;
    plot.Bottom = client.Bottom - OuterMargin - textHeight - AxisLabelGap - AxisTickLength;
    plot.Bottom = std::max(plot.Bottom, plot.Top + 1);
    layout.Left.Scale = {ranges.Left, plot.Bottom - 1, plot.Top};
    layout.Left.Ticks = AxisTicks(ranges.Left, false, plot.Height() - 1, textHeight + TickSpacingY);

    plot.Left = client.Left + OuterMargin + WidestLabel(layout.Left.Ticks, measure) + AxisLabelGap +
                AxisTickLength;
    plot.Right = legend.Empty() ? client.Right - OuterMargin : legend.Frame.Left - LegendGap;
    plot.Right = std::max(plot.Right, plot.Left + 1);
    layout.Bottom.Scale = {ranges.Bottom, plot.Left, plot.Right - 1};
    TAxisLabels labels(ranges.Bottom, ranges.BottomDateTime);
    int labelWidth = std::max(measure.TextWidth(labels.Text(ranges.Bottom.Min)),
                              measure.TextWidth(labels.Text(ranges.Bottom.Max)));
    if (ranges.BottomLabels)
        layout.Bottom.Ticks = AxisTicks(ranges.Bottom, ranges.BottomDateTime, plot.Width() - 1,
                                        labelWidth + TickSpacingX);
    layout.Legend = std::move(legend);
    return layout;
}
