#pragma once
#include "chart/text_measure.h"
#include "rtl/events.h"
#include "vcl/base/geometry.h"
#include "vcl/graphics/colors.h"

#include <functional>
#include <string>
#include <vector>

class TChartSeriesList;

// A handler may change the text shown for the series at SeriesIndex.
using TGetLegendTextEvent =
    std::function<void(TObject* Sender, int SeriesIndex, std::string& LegendText)>;

// The legend box at the chart's right: one row per visible series shown in the legend, a box
// in the series' colour ColorWidth pixels wide, then its title. TopPos is the box's distance
// from the chart's top.
class TChartLegend {
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    int ColorWidth() const { return FColorWidth; }
    void SetColorWidth(int value);
    int TopPos() const { return FTopPos; }
    void SetTopPos(int value);

    std::function<void()> OnChange;

private:
    bool FVisible = true;
    int FColorWidth = 20;
    int FTopPos = 10;
};

struct TLegendRow {
    int SeriesIndex = 0;
    std::string Text;
    TColor Color = 0;
    TRect ColorBox;
    TPoint TextPos;
};

struct TLegendLayout {
    TRect Frame;
    std::vector<TLegendRow> Rows;
    bool Empty() const { return Rows.empty(); }
};

// The rows in series order, their texts passed through the handler.
std::vector<TLegendRow> LegendRows(const TChartSeriesList& series,
                                   const TGetLegendTextEvent& getText, TObject* sender);
// Places the rows in the client area; no frame without rows or when the legend is hidden.
TLegendLayout LayoutLegend(std::vector<TLegendRow> rows, const TChartLegend& legend,
                           const TRect& client, const TTextMeasure& measure);
