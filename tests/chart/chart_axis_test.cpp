#include "chart/axis_scale.h"
#include "chart/chart_axis.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct AxisOverData {
    std::optional<TValueRange> Data;
    TChartAxis Axis{[this] { return Data; }};
};

} // namespace

TEST(ChartAxis, AutomaticEndsFollowTheData) {
    AxisOverData a;
    a.Data = TValueRange{3, 40};
    EXPECT_EQ(a.Axis.CurrentMinimum(), 3);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 40);

    // The chart window's value axis: fixed at its minimum, open to the top.
    a.Axis.SetAutomatic(false);
    a.Axis.SetAutomaticMinimum(false);
    EXPECT_EQ(a.Axis.CurrentMinimum(), 0);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 40);
    a.Data = TValueRange{3, 250};
    EXPECT_EQ(a.Axis.CurrentMaximum(), 250);

    a.Axis.SetAutomaticMaximum(false);
    a.Axis.SetMaximum(100);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 100);
    a.Axis.SetAutomatic(true);
    EXPECT_EQ(a.Axis.CurrentMinimum(), 3);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 250);
}

TEST(ChartAxis, AnAutomaticRangeNeverCollapses) {
    AxisOverData a;
    EXPECT_EQ(a.Axis.CurrentMinimum(), -0.5); // no data at all
    EXPECT_EQ(a.Axis.CurrentMaximum(), 0.5);
    a.Data = TValueRange{7, 7};
    EXPECT_EQ(a.Axis.CurrentMinimum(), 6.5);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 7.5);

    a.Axis.SetAutomatic(false);
    a.Axis.SetAutomaticMinimum(false); // all values 0 against a fixed 0
    a.Data = TValueRange{0, 0};
    EXPECT_EQ(a.Axis.CurrentMinimum(), 0);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 1);

    a.Axis.SetAutomaticMinimum(true);
    a.Axis.SetAutomaticMaximum(false);
    a.Axis.SetMaximum(-5);
    EXPECT_EQ(a.Axis.CurrentMinimum(), -6);
    EXPECT_EQ(a.Axis.CurrentMaximum(), -5);
}

TEST(ChartAxis, ZoomOverridesTheSettingsUntilUndone) {
    AxisOverData a;
    int changes = 0;
    a.Axis.OnChange = [&] { ++changes; };
    a.Data = TValueRange{0, 50};
    a.Axis.ZoomTo({10, 20});
    a.Axis.SetMaximum(100); // a setting changed while zoomed survives the undo
    a.Axis.SetMaximum(100);
    EXPECT_TRUE(a.Axis.Zoomed());
    EXPECT_EQ(a.Axis.CurrentMinimum(), 10);
    EXPECT_EQ(a.Axis.CurrentMaximum(), 20);
    a.Data = TValueRange{0, 80};
    a.Axis.UndoZoom();
    a.Axis.UndoZoom();
    EXPECT_FALSE(a.Axis.Zoomed());
    EXPECT_EQ(a.Axis.CurrentMaximum(), 80);
    EXPECT_EQ(a.Axis.Maximum(), 100);
    EXPECT_EQ(changes, 3);
}

TEST(AxisScale, MapsValuesToPixelsAndBack) {
    TAxisScale horizontal{{100, 200}, 50, 449};
    EXPECT_EQ(horizontal.ValueToPixel(100), 50);
    EXPECT_EQ(horizontal.ValueToPixel(200), 449);
    EXPECT_EQ(horizontal.ValueToPixel(150), 250);
    EXPECT_EQ(horizontal.ValueToPixel(0), -349);
    EXPECT_NEAR(horizontal.PixelToValue(449), 200, 1e-9);
    EXPECT_NEAR(horizontal.PixelToValue(horizontal.ValueToPixel(123.4)), 123.4, 0.25);

    // Upwards: the minimum on the bottom row.
    TAxisScale vertical{{0, 100}, 300, 100};
    EXPECT_EQ(vertical.ValueToPixel(0), 300);
    EXPECT_EQ(vertical.ValueToPixel(100), 100);
    EXPECT_EQ(vertical.ValueToPixel(25), 250);
    EXPECT_NEAR(vertical.PixelToValue(150), 75, 1e-9);

    // Far outside a deep zoom the pixel stays a drawable number.
    TAxisScale deep{{0, 1e-9}, 0, 1000};
    EXPECT_LT(deep.ValueToPixel(1e6), 1 << 27);
    EXPECT_GT(deep.ValueToPixel(-1e6), -(1 << 27));

    TAxisScale collapsed{{5, 5}, 10, 10};
    EXPECT_EQ(collapsed.ValueToPixel(7), 10);
    EXPECT_EQ(collapsed.PixelToValue(12), 5);
}
