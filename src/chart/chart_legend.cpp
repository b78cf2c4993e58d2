#include "chart/chart_legend.h"

#include "chart/series_list.h"
#include "rtl/property_change.h"

#include <algorithm>

namespace {

constexpr int Padding = 4;
constexpr int TextGap = 4;
constexpr int RightMargin = 8;

} // namespace

void TChartLegend::SetVisible(bool value) {
    ChangeValue(FVisible, value, OnChange);
}
void TChartLegend::SetColorWidth(int value) {
    ChangeValue(FColorWidth, std::max(value, 0), OnChange);
}
void TChartLegend::SetTopPos(int value) {
    ChangeValue(FTopPos, std::max(value, 0), OnChange);
}

std::vector<TLegendRow> LegendRows(const TChartSeriesList& series,
                                   const TGetLegendTextEvent& getText, TObject* sender) {
    std::vector<TLegendRow> rows;
    for (int i = 0; i < series.Count(); ++i) {
        const TLineSeries* s = series.Items(i);
        if (!s->Active() || !s->ShowInLegend())
            continue;
        TLegendRow row;
        row.SeriesIndex = i;
        row.Text = s->Title();
        row.Color = s->Color();
        Fire(getText, sender, i, row.Text);
        rows.push_back(std::move(row));
    }
    return rows;
}

TLegendLayout LayoutLegend(std::vector<TLegendRow> rows, const TChartLegend& legend,
                           const TRect& client, const TTextMeasure& measure) {
    TLegendLayout layout;
    if (!legend.Visible() || rows.empty())
        return layout;
    int textWidth = 0;
    for (const TLegendRow& row : rows)
        textWidth = std::max(textWidth, measure.TextWidth(row.Text));
    // Long titles are cut rather than squeezing the plot to nothing.
    textWidth = std::min(textWidth, client.Width() / 2);
    int rowHeight = measure.TextHeight() + 2;
    int width = Padding + legend.ColorWidth() + TextGap + textWidth + Padding;
    int right = client.Right - RightMargin;
    int top = client.Top + legend.TopPos();
    layout.Frame = {right - width, top, right, top + 2 * Padding + int(rows.size()) * rowHeight};
    int boxHeight = std::max(rowHeight - 6, 2);
    for (size_t i = 0; i < rows.size(); ++i) {
        int rowTop = top + Padding + int(i) * rowHeight;
        int boxLeft = layout.Frame.Left + Padding;
        int boxTop = rowTop + (rowHeight - boxHeight) / 2;
        rows[i].ColorBox = {boxLeft, boxTop, boxLeft + legend.ColorWidth(), boxTop + boxHeight};
        rows[i].TextPos = {rows[i].ColorBox.Right + TextGap, rowTop + 1};
    }
    layout.Rows = std::move(rows);
    return layout;
}
