#include "chart/series_thinning.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct TColumn {
    TPoint First, Last;
    int Low, High;
};

// The first and last point, the lowest and the highest Y of each run of one pixel column.
std::vector<TColumn> Columns(const std::vector<TPoint>& pixels) {
    std::vector<TColumn> columns;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const TPoint& p = pixels[i];
        if (i == 0 || p.X != pixels[i - 1].X)
            columns.push_back({p, p, p.Y, p.Y});
        TColumn& c = columns.back();
        c.Last = p;
        c.Low = std::min(c.Low, p.Y);
        c.High = std::max(c.High, p.Y);
    }
    return columns;
}

bool SameColumns(const std::vector<TColumn>& a, const std::vector<TColumn>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].First != b[i].First || a[i].Last != b[i].Last || a[i].Low != b[i].Low ||
            a[i].High != b[i].High)
            return false;
    return true;
}

} // namespace

TEST(SeriesThinning, KeepsFirstLowestHighestAndLastOfEachColumnInOrder) {
    EXPECT_TRUE(ThinToPixelColumns({}).empty());
    const std::vector<TPoint> sparse = {{0, 5}, {1, 7}, {1, 3}, {3, 4}};
    EXPECT_EQ(ThinToPixelColumns(sparse), sparse);

    // The highest point on screen (smallest Y) comes before the lowest here.
    const std::vector<TPoint> column = {{2, 10}, {2, 12}, {2, 1}, {2, 30}, {2, 8}, {2, 9}};
    EXPECT_EQ(ThinToPixelColumns(column), (std::vector<TPoint>{{2, 10}, {2, 1}, {2, 30}, {2, 9}}));
    // The extremes at the ends are not repeated.
    EXPECT_EQ(ThinToPixelColumns({{4, 0}, {4, 5}, {4, 9}}), (std::vector<TPoint>{{4, 0}, {4, 9}}));
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
    EXPECT_LE(thinned.size(), 4u * 500u);
    EXPECT_TRUE(SameColumns(Columns(thinned), Columns(pixels)));
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
