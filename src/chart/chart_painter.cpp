#include "chart/chart_painter.h"

#include "chart/series_thinning.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>

namespace {

constexpr TColor GridColor = clSilver;

void PaintBackground(TCanvas& canvas, const TChartLayout& layout, TColor background) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(background);
    canvas.FillRect(layout.Client);
}

void SetPen(TCanvas& canvas, TColor color, int width, TPenStyle style) {
    canvas.Pen()->SetColor(color);
    canvas.Pen()->SetWidth(width);
    canvas.Pen()->SetStyle(style);
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void PaintGrid(TCanvas& canvas, const TChartLayout& layout) {
    const TRect& plot = layout.Plot;
    SetPen(canvas, GridColor, 1, psDot);
    for (const TAxisTick& tick : layout.Left.Ticks) {
        int y = layout.Left.Scale.ValueToPixel(tick.Value);
        Line(canvas, plot.Left + 1, y, plot.Right, y);
    }
    for (const TAxisTick& tick : layout.Bottom.Ticks) {
        int x = layout.Bottom.Scale.ValueToPixel(tick.Value);
        Line(canvas, x, plot.Top, x, plot.Bottom - 1);
    }
}

void PaintLeftAxis(TCanvas& canvas, const TChartLayout& layout) {
    const TRect& plot = layout.Plot;
    int textHeight = canvas.TextHeight("0");
    int labelRight = plot.Left - AxisTickLength - AxisLabelGap;
    for (const TAxisTick& tick : layout.Left.Ticks) {
        int y = layout.Left.Scale.ValueToPixel(tick.Value);
        Line(canvas, plot.Left - AxisTickLength, y, plot.Left, y);
        canvas.TextOut(labelRight - canvas.TextWidth(tick.Label), y - textHeight / 2, tick.Label);
    }
    Line(canvas, plot.Left, plot.Top, plot.Left, plot.Bottom);
}

void PaintBottomAxis(TCanvas& canvas, const TChartLayout& layout) {
    const TRect& plot = layout.Plot;
    int axisY = plot.Bottom - 1;
    int labelTop = axisY + AxisTickLength + AxisLabelGap;
    for (const TAxisTick& tick : layout.Bottom.Ticks) {
        int x = layout.Bottom.Scale.ValueToPixel(tick.Value);
        Line(canvas, x, axisY, x, axisY + AxisTickLength + 1);
        // The outer labels stay whole inside the control instead of being cut at its edges.
        int width = canvas.TextWidth(tick.Label);
        int left =
            std::max(layout.Client.Left, std::min(x - width / 2, layout.Client.Right - width));
        canvas.TextOut(left, labelTop, tick.Label);
    }
    Line(canvas, plot.Left, axisY, plot.Right, axisY);
}

void PaintSeries(TCanvas& canvas, const TLineSeries& series, const TChartLayout& layout,
                 TSeriesPixelCache& pixels) {
    if (!series.Active() || series.Count() == 0)
        return;
    const std::vector<TPoint>& points =
        pixels.Pixels(series, layout.Bottom.Scale, layout.Left.Scale);
    if (points.empty())
        return;
    SetPen(canvas, series.Color(), series.PenWidth(), series.PenStyle());
    // A lone point still shows as a dot.
    if (points.size() == 1)
        canvas.Polyline({points[0], {points[0].X + 1, points[0].Y}});
    else
        canvas.Polyline(points);
}

void PaintAllSeries(TCanvas& canvas, const TChartSeriesList& series, const TChartLayout& layout,
                    TSeriesPixelCache& pixels) {
    HDC dc = canvas.Handle();
    TSavedDC saved(dc);
    const TRect& plot = layout.Plot;
    IntersectClipRect(dc, plot.Left, plot.Top, plot.Right, plot.Bottom);
    for (int i = 0; i < series.Count(); ++i)
        PaintSeries(canvas, *series.Items(i), layout, pixels);
    pixels.ForgetUnused();
}

void PaintLegend(TCanvas& canvas, const TLegendLayout& legend) {
    if (legend.Empty())
        return;
    SetPen(canvas, clBlack, 1, psSolid);
    canvas.Brush()->SetColor(clWhite);
    canvas.Rectangle(legend.Frame);
    TRect inside = legend.Frame.Inflate(-1, -1);
    for (const TLegendRow& row : legend.Rows) {
        canvas.Brush()->SetColor(row.Color);
        canvas.FillRect(row.ColorBox);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextRect(inside, row.TextPos.X, row.TextPos.Y, row.Text);
        canvas.Brush()->SetStyle(bsSolid);
    }
}

} // namespace

void PaintChart(TCanvas& canvas, const TChartModel& model, const TChartLayout& layout,
                TColor background, TSeriesPixelCache& pixels) {
    PaintBackground(canvas, layout, background);
    PaintGrid(canvas, layout);
    SetPen(canvas, clBlack, 1, psSolid);
    canvas.Brush()->SetStyle(bsClear);
    PaintLeftAxis(canvas, layout);
    PaintBottomAxis(canvas, layout);
    PaintAllSeries(canvas, model.Series(), layout, pixels);
    canvas.Brush()->SetStyle(bsSolid);
    PaintLegend(canvas, layout.Legend);
    if (model.ZoomDrag().Dragging()) {
        // The outline runs through the pixels where the drag started and where it is now.
        TRect r = model.ZoomDrag().Rect();
        canvas.DrawFocusRect({r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    }
}
