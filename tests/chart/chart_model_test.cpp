#include "chart/chart_model.h"

#include "fixed_measure.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TRect Client{0, 0, 600, 400};

// A chart with the window's look: a value axis fixed at 0 and a date-time bottom axis.
class ChartModel : public ::testing::Test {
protected:
    ChartModel() {
        chart.LeftAxis().SetAutomatic(false);
        chart.LeftAxis().SetAutomaticMinimum(false);
        chart.Legend().SetColorWidth(10);
        chart.Legend().SetTopPos(4);
    }

    TLineSeries* AddSeries(const std::string& title, const std::vector<double>& ys) {
        auto series = std::make_unique<TLineSeries>();
        series->SetTitle(title);
        series->SetXValuesDateTime(true);
        for (size_t i = 0; i < ys.size(); ++i)
            series->AddXY(Day + double(i) / 24, ys[i]);
        return chart.Series().Add(std::move(series));
    }

    TChartLayout Layout() const { return chart.Layout(Client, measure); }

    void Drag(TPoint from, TPoint to) {
        TChartLayout layout = Layout();
        if (chart.BeginZoomDrag(from, layout)) {
            chart.TrackZoomDrag(to);
            chart.EndZoomDrag(to, layout);
        }
    }

    static constexpr double Day = 38749; // 01.02.2006
    FixedMeasure measure;
    TChartModel chart;
};

} // namespace

TEST_F(ChartModel, LayoutPlacesPlotAxesAndLegend) {
    AddSeries("OpenSessions.Count", {5, 10, 20});
    TLineSeries* hidden = AddSeries("Marker", {0, 0, 0});
    hidden->SetShowInLegend(false);
    chart.OnGetLegendText = [](TObject*, int index, std::string& text) {
        text = text.substr(0, text.find('.'));
    };
    TChartLayout layout = Layout();

    // The legend lists the series shown in it, by the handler's text, at the top right.
    ASSERT_EQ(layout.Legend.Rows.size(), 1u);
    const TLegendRow& row = layout.Legend.Rows[0];
    EXPECT_EQ(row.Text, "OpenSessions");
    EXPECT_EQ(row.SeriesIndex, 0);
    EXPECT_EQ(row.ColorBox.Width(), 10);
    EXPECT_EQ(layout.Legend.Frame.Top, 4);
    EXPECT_LT(layout.Legend.Frame.Right, Client.Right);
    EXPECT_EQ(layout.Legend.Frame.Width(), 4 + 10 + 4 + 12 * FixedMeasure::CharWidth + 4);
    EXPECT_GE(row.TextPos.X, row.ColorBox.Right);

    // The plot lies left of the legend with room for labels left of it and under it.
    const TRect& plot = layout.Plot;
    EXPECT_LT(plot.Right, layout.Legend.Frame.Left);
    EXPECT_GT(plot.Left, AxisTickLength + FixedMeasure::CharWidth);
    EXPECT_LE(plot.Bottom + AxisTickLength + FixedMeasure::Height, Client.Bottom);

    // 0 sits on the bottom row, the largest value on the top row, the first and last
    // snapshots on the left and right columns.
    EXPECT_EQ(layout.Left.Scale.ValueToPixel(0), plot.Bottom - 1);
    EXPECT_EQ(layout.Left.Scale.ValueToPixel(20), plot.Top);
    EXPECT_EQ(layout.Bottom.Scale.ValueToPixel(Day), plot.Left);
    EXPECT_EQ(layout.Bottom.Scale.ValueToPixel(Day + 2.0 / 24), plot.Right - 1);

    // Ticks lie on the axes, labelled by the span: two hours read as times.
    ASSERT_FALSE(layout.Left.Ticks.empty());
    ASSERT_FALSE(layout.Bottom.Ticks.empty());
    EXPECT_EQ(layout.Left.Ticks.front().Label, "0");
    EXPECT_EQ(layout.Left.Ticks.back().Label, "20");
    EXPECT_EQ(layout.Bottom.Ticks.front().Label, "00:00:00");
    for (const TAxisTick& tick : layout.Bottom.Ticks) {
        int x = layout.Bottom.Scale.ValueToPixel(tick.Value);
        EXPECT_TRUE(x >= plot.Left && x < plot.Right) << tick.Label;
    }
    for (size_t i = 1; i < layout.Bottom.Ticks.size(); ++i)
        EXPECT_GE(layout.Bottom.Scale.ValueToPixel(layout.Bottom.Ticks[i].Value) -
                      layout.Bottom.Scale.ValueToPixel(layout.Bottom.Ticks[i - 1].Value),
                  8 * FixedMeasure::CharWidth);
}

TEST_F(ChartModel, WithoutLegendRowsThePlotTakesTheWidth) {
    AddSeries("A", {1, 2})->SetShowInLegend(false);
    EXPECT_TRUE(Layout().Legend.Empty());
    int wide = Layout().Plot.Right;
    chart.Series().Items(0)->SetShowInLegend(true);
    chart.Legend().SetVisible(false);
    EXPECT_TRUE(Layout().Legend.Empty());
    EXPECT_EQ(Layout().Plot.Right, wide);
    chart.Legend().SetVisible(true);
    EXPECT_LT(Layout().Plot.Right, wide);

    // A window too small for anything still gives a plot to map onto.
    TChartLayout tiny = chart.Layout({0, 0, 10, 10}, measure);
    EXPECT_GE(tiny.Plot.Width(), 1);
    EXPECT_GE(tiny.Plot.Height(), 1);
}

TEST_F(ChartModel, DraggingRightAndDownZoomsToTheRectangle) {
    AddSeries("A", {0, 50, 100, 40});
    int zooms = 0, undos = 0, changes = 0;
    chart.OnZoom = [&](TObject*) { ++zooms; };
    chart.OnUndoZoom = [&](TObject*) { ++undos; };
    chart.OnChange = [&] { ++changes; };
    TChartLayout before = Layout();
    const TRect& plot = before.Plot;
    TPoint from{plot.Left + 40, plot.Top + 30}, to{plot.Left + 200, plot.Top + 130};
    double x1 = before.Bottom.Scale.PixelToValue(from.X),
           x2 = before.Bottom.Scale.PixelToValue(to.X);
    double top = before.Left.Scale.PixelToValue(from.Y),
           bottom = before.Left.Scale.PixelToValue(to.Y);

    Drag(from, to);
    EXPECT_EQ(zooms, 1);
    EXPECT_GT(changes, 0);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.BottomAxis().CurrentMinimum(), x1);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().CurrentMaximum(), x2);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().CurrentMinimum(), bottom);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().CurrentMaximum(), top);
    // What was under the corners now spans the plot.
    TChartLayout after = Layout();
    EXPECT_EQ(after.Bottom.Scale.ValueToPixel(x1), after.Plot.Left);
    EXPECT_EQ(after.Left.Scale.ValueToPixel(top), after.Plot.Top);

    // A second zoom goes deeper; one drag to the left brings back the automatic ranges.
    Drag({after.Plot.Left + 10, after.Plot.Top + 10},
         {after.Plot.Left + 100, after.Plot.Top + 100});
    EXPECT_EQ(zooms, 2);
    EXPECT_LT(chart.BottomAxis().CurrentMaximum(), x2);
    Drag({plot.Left + 200, plot.Top + 50}, {plot.Left + 20, plot.Top + 10});
    EXPECT_EQ(undos, 1);
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_EQ(chart.LeftAxis().CurrentMinimum(), 0);
    EXPECT_EQ(chart.LeftAxis().CurrentMaximum(), 100);
    EXPECT_EQ(chart.BottomAxis().CurrentMaximum(), Day + 3.0 / 24);
    Drag({plot.Left + 200, plot.Top + 50}, {plot.Left + 20, plot.Top + 10});
    EXPECT_EQ(undos, 1); // nothing left to undo
}

TEST_F(ChartModel, ClicksUpwardDragsAndDragsOffThePlotDoNotZoom) {
    AddSeries("A", {0, 50, 100});
    int zooms = 0;
    chart.OnZoom = [&](TObject*) { ++zooms; };
    TRect plot = Layout().Plot;
    Drag({plot.Left + 50, plot.Top + 50}, {plot.Left + 51, plot.Top + 52});   // a click
    Drag({plot.Left + 50, plot.Top + 150}, {plot.Left + 150, plot.Top + 50}); // right but up
    Drag({plot.Left - 5, plot.Top + 50}, {plot.Left + 150, plot.Top + 150});  // on the labels
    EXPECT_EQ(zooms, 0);
    EXPECT_FALSE(chart.Zoomed());

    // Dragging past the plot's edge zooms to the edge.
    Drag({plot.Left + 50, plot.Top + 50}, {Client.Right + 100, Client.Bottom + 100});
    EXPECT_EQ(zooms, 1);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().CurrentMinimum(), 0);
    EXPECT_EQ(chart.BottomAxis().CurrentMaximum(), Day + 2.0 / 24);
}

TEST_F(ChartModel, ATimeAxisAroundOneMomentStaysWithinTheCalendar) {
    auto series = std::make_unique<TLineSeries>();
    series->SetXValuesDateTime(true);
    TLineSeries* moment = chart.Series().Add(std::move(series));
    // Widened by a day around the last moment, then around the first one.
    moment->AddXY(MaxDateTime, 5);
    TChartLayout layout = Layout();
    EXPECT_EQ(layout.Bottom.Scale.Range.Min, MaxDateTime - 1);
    EXPECT_EQ(layout.Bottom.Scale.Range.Max, MaxDateTime);
    ASSERT_FALSE(layout.Bottom.Ticks.empty());
    EXPECT_EQ(layout.Bottom.Ticks.back().Label.substr(0, 6), "31.12 ");
    // A zoom over the whole plot ends there too, however the pixels round.
    Drag({layout.Plot.Left, layout.Plot.Top}, {layout.Plot.Right, layout.Plot.Bottom});
    ASSERT_TRUE(chart.Zoomed());
    EXPECT_LE(chart.BottomAxis().CurrentMaximum(), MaxDateTime);
    chart.UndoZoom();

    moment->MovePoint(0, MinDateTime, 5);
    layout = Layout();
    EXPECT_EQ(layout.Bottom.Scale.Range.Min, MinDateTime);
    EXPECT_EQ(layout.Bottom.Scale.Range.Max, MinDateTime + 1);
    ASSERT_FALSE(layout.Bottom.Ticks.empty());
    EXPECT_EQ(layout.Bottom.Ticks.front().Label, "01.01 00:00");

    // Numbers know no calendar.
    moment->SetXValuesDateTime(false);
    EXPECT_EQ(chart.BottomAxis().CurrentMinimum(), MinDateTime - 0.5);
}
