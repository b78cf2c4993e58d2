#include "chart/chart.h"

#include "vcl/core/forms.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int Width = 400;
constexpr int Height = 300;

class ChartControl : public ::testing::Test {
protected:
    ChartControl() : form(MakeOwned<TForm>()) {
        form->SetBounds(0, 0, Width + 50, Height + 50);
        chart = new TChart(form.get());
        chart->SetParent(form.get());
        chart->SetBounds(0, 0, Width, Height);
        chart->SetColor(clWhite);
    }

    TLineSeries* AddSeries(const std::vector<TSeriesPoint>& points, TColor color = clDefault) {
        auto series = std::make_unique<TLineSeries>();
        series->SetColor(color);
        series->SetTitle("Series");
        for (const TSeriesPoint& p : points)
            series->AddXY(p.X, p.Y);
        return chart->AddSeries(std::move(series));
    }

    TPoint PlotPixel(double x, double y) {
        TChartLayout layout = chart->Layout();
        return {layout.Bottom.Scale.ValueToPixel(x), layout.Left.Scale.ValueToPixel(y)};
    }

    static bool Near(const TPaintedPixels& pixels, TPoint p, TColor color) {
        return pixels.Around(p.X, p.Y, PixelOf(color));
    }

    TOwnedPtr<TForm> form;
    TChart* chart;
};

} // namespace

TEST_F(ChartControl, PaintsAxesSeriesAndLegend) {
    AddSeries({{0, 0}, {10, 100}, {20, 50}}, clRed);
    TChartLayout layout = chart->Layout();
    const TRect& plot = layout.Plot;
    TPaintedPixels pixels(chart, Width, Height);

    EXPECT_EQ(pixels.At(plot.Left, (plot.Top + plot.Bottom) / 2), PixelOf(clBlack));
    EXPECT_EQ(pixels.At((plot.Left + plot.Right) / 2, plot.Bottom - 1), PixelOf(clBlack));
    // On the line between (0, 0) and (10, 100), and off it.
    TPoint onLine = PlotPixel(5, 50);
    EXPECT_TRUE(Near(pixels, onLine, clRed));
    EXPECT_TRUE(Near(pixels, PlotPixel(15, 75), clRed));
    EXPECT_FALSE(Near(pixels, PlotPixel(15, 20), clRed));

    ASSERT_EQ(layout.Legend.Rows.size(), 1u);
    const TRect& box = layout.Legend.Rows[0].ColorBox;
    EXPECT_EQ(pixels.At(box.Left + 1, box.Top + 1), PixelOf(clRed));
    EXPECT_EQ(pixels.At(layout.Legend.Frame.Left, layout.Legend.Frame.Top + 2), PixelOf(clBlack));

    chart->FreeSeries(0);
    EXPECT_EQ(chart->SeriesCount(), 0);
    TPaintedPixels empty(chart, Width, Height);
    EXPECT_FALSE(Near(empty, onLine, clRed));
    EXPECT_NE(empty.At(box.Left + 1, box.Top + 1), PixelOf(clRed));
}

TEST_F(ChartControl, SeriesKeepTheirPenAndStayInsideThePlot) {
    AddSeries({{0, 0}, {20, 100}}, clGreen);
    // A vertical dashed segment, and a line that runs far beyond the plot.
    TLineSeries* marker = AddSeries({{10, 0}, {10, 100}}, clBlue);
    marker->SetPenStyle(psDash);
    marker->SetShowInLegend(false);
    TLineSeries* thick = AddSeries({{0, 50}}, clFuchsia);
    thick->SetPenWidth(3);
    chart->LeftAxis()->SetAutomatic(false);
    chart->LeftAxis()->SetAutomaticMaximum(false);
    chart->LeftAxis()->SetMaximum(80);
    TChartLayout layout = chart->Layout();
    TPaintedPixels pixels(chart, Width, Height);

    int x = PlotPixel(10, 0).X, blue = 0, rows = 0;
    for (int y = layout.Plot.Top + 1; y < layout.Plot.Bottom - 1; ++y, ++rows)
        blue += pixels.At(x, y) == PixelOf(clBlue);
    EXPECT_GT(blue, rows / 4);
    EXPECT_LT(blue, rows); // dashed, not solid

    // Values above the axis maximum are cut at the plot's top.
    for (int y = 0; y < layout.Plot.Top; ++y)
        EXPECT_NE(pixels.At(x, y), PixelOf(clBlue)) << y;
    // A lone point shows, as thick as its pen.
    TPoint dot = PlotPixel(0, 50);
    EXPECT_EQ(pixels.At(dot.X + 1, dot.Y + 1), PixelOf(clFuchsia));
    EXPECT_EQ(layout.Legend.Rows.size(), 2u);
}

TEST_F(ChartControl, MouseDragsZoomAndUndo) {
    AddSeries({{0, 0}, {10, 100}});
    int zooms = 0, undos = 0;
    chart->OnZoom = [&](TObject* sender) {
        EXPECT_EQ(sender, chart);
        ++zooms;
    };
    chart->OnUndoZoom = [&](TObject*) { ++undos; };
    TChartLayout layout = chart->Layout();
    TRect plot = layout.Plot;
    TPoint from{plot.Left + 20, plot.Top + 20}, to{plot.Left + 120, plot.Top + 100};

    SendMouse(chart, WM_LBUTTONDOWN, from.X, from.Y, MK_LBUTTON);
    SendMouse(chart, WM_MOUSEMOVE, to.X, to.Y, MK_LBUTTON);
    {
        // The dragged rectangle is drawn while the button is down.
        TPaintedPixels during(chart, Width, Height);
        int y = (from.Y + to.Y) / 2;
        bool drawn =
            during.At(to.X, y) != PixelOf(clWhite) || during.At(to.X, y + 1) != PixelOf(clWhite);
        EXPECT_TRUE(drawn);
    }
    SendMouse(chart, WM_LBUTTONUP, to.X, to.Y);
    EXPECT_EQ(zooms, 1);
    EXPECT_TRUE(chart->Zoomed());
    EXPECT_DOUBLE_EQ(chart->BottomAxis()->CurrentMinimum(),
                     layout.Bottom.Scale.PixelToValue(from.X));
    EXPECT_DOUBLE_EQ(chart->LeftAxis()->CurrentMaximum(), layout.Left.Scale.PixelToValue(from.Y));

    SendMouse(chart, WM_LBUTTONDOWN, to.X, to.Y, MK_LBUTTON);
    SendMouse(chart, WM_MOUSEMOVE, from.X, from.Y, MK_LBUTTON);
    SendMouse(chart, WM_LBUTTONUP, from.X, from.Y);
    EXPECT_EQ(undos, 1);
    EXPECT_FALSE(chart->Zoomed());
    EXPECT_EQ(chart->LeftAxis()->CurrentMaximum(), 100);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ChartControl, RemovedSeriesLeaveTheChartButLive) {
    TLineSeries* a = AddSeries({{0, 1}});
    TLineSeries* b = AddSeries({{0, 2}});
    std::unique_ptr<TLineSeries> taken = chart->RemoveSeries(0);
    EXPECT_EQ(taken.get(), a);
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), b);
    EXPECT_EQ(chart->Layout().Legend.Rows.size(), 1u);
}

TEST_F(ChartControl, ASeriesOfManyThousandPointsKeepsItsPeaks) {
    std::vector<TSeriesPoint> points;
    for (int i = 0; i < 20000; ++i)
        points.push_back({double(i), 40.0 + (i % 3)});
    points[12345].Y = 100; // one snapshot out of 20,000
    AddSeries(points, clRed);
    TChartLayout layout = chart->Layout();
    TPaintedPixels pixels(chart, Width, Height);
    EXPECT_TRUE(Near(pixels, PlotPixel(12345, 99), clRed));
    EXPECT_TRUE(Near(pixels, PlotPixel(5000, 41), clRed));
    EXPECT_FALSE(Near(pixels, PlotPixel(5000, 80), clRed));

    // Zoomed in by the mouse around the peak, it is still there.
    const int peak = PlotPixel(12345, 100).X;
    SendMouse(chart, WM_LBUTTONDOWN, peak - 30, layout.Plot.Top + 2, MK_LBUTTON);
    SendMouse(chart, WM_MOUSEMOVE, peak + 30, layout.Plot.Bottom - 2, MK_LBUTTON);
    SendMouse(chart, WM_LBUTTONUP, peak + 30, layout.Plot.Bottom - 2);
    ASSERT_TRUE(chart->Zoomed());
    TPaintedPixels zoomed(chart, Width, Height);
    EXPECT_TRUE(Near(zoomed, PlotPixel(12345, 99), clRed));
}
