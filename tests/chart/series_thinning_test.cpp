#include "chart/series_thinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TColumn {
    int X, Low, High;
    bool operator==(const TColumn& o) const { return X == o.X && Low == o.Low && High == o.High; }
};

// The lowest and the highest Y of each run of one pixel column.
std::vector<TColumn> Columns(const std::vector<TPoint>& pixels) {
    std::vector<TColumn> columns;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const TPoint& p = pixels[i];
        if (i == 0 || p.X != pixels[i - 1].X)
            columns.push_back({p.X, p.Y, p.Y});
        TColumn& c = columns.back();
        c.Low = std::min(c.Low, p.Y);
        c.High = std::max(c.High, p.Y);
    }
    return columns;
}

} // namespace

TEST(SeriesThinning, KeepsTheLowestAndHighestOfEachColumnInOrder) {
    EXPECT_TRUE(ThinToPixelColumns({}).empty());
    const std::vector<TPoint> sparse = {{0, 5}, {1, 7}, {1, 3}, {3, 4}};
    EXPECT_EQ(ThinToPixelColumns(sparse), sparse);

    // The highest point on screen (smallest Y) comes before the lowest here.
    const std::vector<TPoint> column = {{2, 10}, {2, 12}, {2, 1}, {2, 30}, {2, 8}, {2, 9}};
    EXPECT_EQ(ThinToPixelColumns(column), (std::vector<TPoint>{{2, 1}, {2, 30}}));
    EXPECT_EQ(ThinToPixelColumns({{4, 9}, {4, 5}, {4, 0}, {5, 3}, {5, 3}}),
              (std::vector<TPoint>{{4, 9}, {4, 0}, {5, 3}}));
}

TEST(SeriesThinning, ManyPointsPerColumnDrawTheSamePixels) {
    std::vector<TPoint> pixels;
    uint32_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1664525u + 1013904223u;
        pixels.push_back({i / 40, int(state >> 24)}); // 40 points per column
    }
    pixels[7777].Y = -500; // one peak
    const std::vector<TPoint> thinned = ThinToPixelColumns(pixels);
    EXPECT_LE(thinned.size(), 2u * 500u);
    EXPECT_EQ(Columns(thinned), Columns(pixels));
    EXPECT_NE(std::find(thinned.begin(), thinned.end(), pixels[7777]), thinned.end());
}

TEST(SeriesThinning, TakesThePointsThePlotShowsAndOneOnEitherSide) {
    std::vector<TSeriesPoint> points;
    for (int i = 0; i <= 100; ++i)
        points.push_back({double(i), double(i % 7)});
    TAxisScale x{{40, 50}, 0, 100}; // zoomed in on X 40 .. 50
    TAxisScale y{{0, 10}, 100, 0};
    const std::vector<TPoint> shown = SeriesPixels(points, x, y);
    ASSERT_EQ(shown.size(), 13u);
    EXPECT_EQ(shown.front(), (TPoint{-10, 100 - 10 * (39 % 7)}));
    EXPECT_EQ(shown.back(), (TPoint{110, 100 - 10 * (51 % 7)}));

    // Nothing inside: the neighbours still draw the line across the plot.
    const std::vector<TPoint> across = SeriesPixels({{0, 1}, {100, 1}}, x, y);
    EXPECT_EQ(across.size(), 2u);
    EXPECT_TRUE(SeriesPixels({}, x, y).empty());
}

TEST(SeriesThinning, TheCacheThinsAgainOnlyWhenPointsOrAxesChange) {
    TSeriesPixelCache cache;
    auto series = std::make_unique<TLineSeries>();
    series->AddXY(0, 0);
    series->AddXY(10, 10);
    TAxisScale x{{0, 10}, 0, 100}, y{{0, 10}, 100, 0};
    const std::vector<TPoint>* first = &cache.Pixels(*series, x, y);
    EXPECT_EQ(*first, (std::vector<TPoint>{{0, 100}, {100, 0}}));
    EXPECT_EQ(&cache.Pixels(*series, x, y), first);

    series->MovePoint(1, 10, 5);
    EXPECT_EQ(cache.Pixels(*series, x, y), (std::vector<TPoint>{{0, 100}, {100, 50}}));
    x.Range.Max = 20; // zoomed out
    EXPECT_EQ(cache.Pixels(*series, x, y), (std::vector<TPoint>{{0, 100}, {50, 50}}));

    // A new series where the freed one was is thinned afresh.
    cache.ForgetUnused();
    series = std::make_unique<TLineSeries>();
    series->AddXY(0, 10);
    EXPECT_EQ(cache.Pixels(*series, x, y), (std::vector<TPoint>{{0, 0}}));
}
