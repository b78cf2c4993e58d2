#pragma once
#include "chart/chart_model.h"
#include "chart/series_thinning.h"
#include "chart/text_measure.h"
#include "vcl/graphics/canvas.h"

// Text sizes in the canvas's font.
class TCanvasTextMeasure : public TTextMeasure {
public:
    explicit TCanvasTextMeasure(TCanvas& canvas) : FCanvas(canvas) {}
    int TextWidth(const std::string& text) const override { return FCanvas.TextWidth(text); }
    int TextHeight() const override { return FCanvas.TextHeight("0"); }

private:
    TCanvas& FCanvas;
};

// Draws the chart as the layout places it: background, grid, axes with their labels, the
// series clipped to the plot, the legend and, while the mouse drags, the zoom rectangle.
// The series' pixels come from pixels.
void PaintChart(TCanvas& canvas, const TChartModel& model, const TChartLayout& layout,
                TColor background, TSeriesPixelCache& pixels);
