#include "chart/line_series.h"
#include "chart/series_list.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

std::vector<double> XValues(const TLineSeries& s) {
    std::vector<double> xs;
    for (int i = 0; i < s.Count(); ++i)
        xs.push_back(s.XValue(i));
    return xs;
}

class FreedSeries : public TLineSeries {
public:
    explicit FreedSeries(int& freed) : FFreed(freed) {}
    ~FreedSeries() override { ++FFreed; }

private:
    int& FFreed;
};

} // namespace

TEST(LineSeries, PointsStayInAscendingXOrder) {
    TLineSeries s;
    EXPECT_EQ(s.AddXY(3, 30), 0);
    EXPECT_EQ(s.AddXY(1, 10), 0);
    EXPECT_EQ(s.AddXY(2, 20), 1);
    // Equal X keep the order they came in: the later one follows, giving a vertical segment.
    EXPECT_EQ(s.AddXY(2, 25), 2);
    EXPECT_EQ(XValues(s), (std::vector<double>{1, 2, 2, 3}));
    EXPECT_EQ(s.YValue(1), 20);
    EXPECT_EQ(s.YValue(2), 25);
    EXPECT_EQ(s.XRange()->Min, 1);
    EXPECT_EQ(s.XRange()->Max, 3);
    EXPECT_EQ(s.YRange()->Min, 10);
    EXPECT_EQ(s.YRange()->Max, 30);

    EXPECT_THROW(s.XValue(4), EListError);
    EXPECT_THROW(s.YValue(-1), EListError);
    EXPECT_THROW(s.MovePoint(4, 0, 0), EListError);

    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_FALSE(s.XRange());
}

TEST(LineSeries, MovedPointsKeepTheirIndexSoASegmentMovesWhole) {
    TLineSeries marker;
    marker.AddXY(5, 0);
    marker.AddXY(5, 100);
    // Both ends go past each other's old X one after the other.
    marker.MovePoint(0, 1, -10);
    marker.MovePoint(1, 1, 90);
    EXPECT_EQ(XValues(marker), (std::vector<double>{1, 1}));
    EXPECT_EQ(marker.YValue(0), -10);
    EXPECT_EQ(marker.YValue(1), 90);
    marker.MovePoint(1, 9, 90);
    marker.MovePoint(0, 9, -10);
    EXPECT_EQ(XValues(marker), (std::vector<double>{9, 9}));
}

TEST(LineSeries, OnlyRealChangesAreAnnounced) {
    TLineSeries s;
    int changes = 0;
    s.OnChange = [&] { ++changes; };
    s.SetTitle("OpenSessions");
    s.SetTitle("OpenSessions");
    s.SetPenWidth(2);
    s.SetPenWidth(2);
    s.SetPenStyle(psDash);
    s.SetShowInLegend(false);
    s.SetXValuesDateTime(true);
    s.SetTag(7); // the user's own: not drawn
    EXPECT_EQ(changes, 5);
    s.AddXY(1, 1);
    s.MovePoint(0, 2, 2);
    s.Clear();
    s.Clear();
    s.Repaint();
    EXPECT_EQ(changes, 9);
    EXPECT_EQ(s.Tag(), 7);
    s.SetPenWidth(0);
    EXPECT_EQ(s.PenWidth(), 1);
}

TEST(SeriesList, OwnsItsSeriesAndFreesThemByIndex) {
    int freed = 0;
    TChartSeriesList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    TLineSeries* a = list.Add(std::make_unique<FreedSeries>(freed));
    TLineSeries* b = list.Add(std::make_unique<FreedSeries>(freed));
    TLineSeries* c = list.Add(std::make_unique<FreedSeries>(freed));
    EXPECT_EQ(list.IndexOf(b), 1);
    EXPECT_EQ(changes, 3);
    b->AddXY(1, 1); // a series tells its list
    EXPECT_EQ(changes, 4);

    list.Delete(1);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(list.IndexOf(b), -1);
    EXPECT_EQ(list.Items(1), c);
    std::unique_ptr<TLineSeries> taken = list.Extract(0);
    EXPECT_EQ(taken.get(), a);
    EXPECT_EQ(freed, 1);
    taken->AddXY(2, 2); // no longer heard by the list
    EXPECT_EQ(changes, 6);
    EXPECT_THROW(list.Delete(1), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    list.Clear();
    EXPECT_EQ(freed, 2);
    EXPECT_EQ(list.Count(), 0);
}

TEST(SeriesList, GivesEachSeriesAColourOfItsOwn) {
    TChartSeriesList list;
    auto own = std::make_unique<TLineSeries>();
    own->SetColor(clBlack);
    list.Add(std::move(own));
    std::set<TColor> colours{clBlack};
    for (int i = 0; i < 5; ++i)
        colours.insert(list.Add(std::make_unique<TLineSeries>())->Color());
    EXPECT_EQ(colours.size(), 6u);
    EXPECT_EQ(list.Items(0)->Color(), clBlack);

    // A freed colour is handed out again before new ones.
    TColor second = list.Items(2)->Color();
    list.Delete(2);
    EXPECT_EQ(list.Add(std::make_unique<TLineSeries>())->Color(), second);
}

TEST(SeriesList, RangesCoverTheActiveSeriesOnly) {
    TChartSeriesList list;
    EXPECT_FALSE(list.XRange());
    TLineSeries* a = list.Add(std::make_unique<TLineSeries>());
    TLineSeries* b = list.Add(std::make_unique<TLineSeries>());
    list.Add(std::make_unique<TLineSeries>()); // without points: adds nothing
    a->AddXY(10, 5);
    a->AddXY(20, 7);
    b->AddXY(15, -3);
    b->AddXY(40, 2);
    b->SetXValuesDateTime(true);
    EXPECT_EQ(list.XRange()->Min, 10);
    EXPECT_EQ(list.XRange()->Max, 40);
    EXPECT_EQ(list.YRange()->Min, -3);
    EXPECT_EQ(list.YRange()->Max, 7);
    EXPECT_TRUE(list.XValuesDateTime());
    b->SetActive(false);
    EXPECT_EQ(list.XRange()->Max, 20);
    EXPECT_EQ(list.YRange()->Min, 5);
    EXPECT_FALSE(list.XValuesDateTime());
}
