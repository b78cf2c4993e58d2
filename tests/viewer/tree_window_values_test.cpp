#include "viewer/bll_leak_info_text.h"
#include "viewer/leak_rate.h"
#include "viewer/task_tabs.h"
#include "viewer/tree_window_values.h"

#include "qvr/bll_leak_object_info.h"
#include "qvr/debug_reader.h"
#include "rtl/date_time.h"
#include "rtl/lists.h"
#include "tools/sorted_lists.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
TDateTime At(int hour) {
    return EncodeDate(2006, 1, 10) + EncodeTime(hour, 0, 0, 0);
}

// A snapshot's key and the count of one name there; none leaves the name out.
struct TCountAt {
    std::string Key;
    std::optional<int> Count;
};

// The rate of that name through the many-names path and through CalcRate over the same samples.
std::pair<std::optional<double>, std::optional<double>>
BothRates(const std::vector<TCountAt>& counts) {
    TDebugReader store;
    std::vector<TRateSample> samples;
    for (const auto& [key, count] : counts) {
        TDebugInfo* di = store.AddDebugInfo(key);
        if (count)
            di->SystemLeak.AddObject("Handle", IntToObject(*count));
        samples.push_back({di->Time, count.value_or(0)});
    }
    return {LeakRates(store, {"Handle"}, 0, int(counts.size()) - 1)[0], CalcRate(samples)};
}
} // namespace

TEST(LeakRate, SlopeOverScaledTimeOfTheInterval) {
    // Scaled times 0, 0.25 and 1.
    EXPECT_EQ(RateText(CalcRate({{At(0), 10}, {At(3), 20}, {At(12), 30}})), "18.4615384615385");
    // Steady growth from a to b over the interval is b - a.
    EXPECT_EQ(RateText(CalcRate({{At(0), 10}, {At(6), 20}, {At(12), 30}})), "20");
    EXPECT_EQ(RateText(CalcRate({{At(0), 7}, {At(6), 7}, {At(12), 7}})), "0");
    EXPECT_EQ(RateText(CalcRate({{At(0), 30}, {At(6), 20}, {At(12), 10}})), "-20");
    // Snapshots without the name count 0.
    EXPECT_EQ(RateText(CalcRate({{At(0), 0}, {At(12), 4}})), "4");
}

TEST(LeakRate, NoRateWithoutATimeSpan) {
    EXPECT_EQ(RateText(CalcRate({})), "");
    EXPECT_EQ(RateText(CalcRate({{At(5), 1}})), "");
    EXPECT_EQ(RateText(CalcRate({{At(5), 1}, {At(5), 9}})), "");
}

TEST(TaskTabs, OneConnectionShowsNoTabsAndNewOnesAppendInOrder) {
    TTaskTabs one = RescanTaskTabs({}, "", {"h1:1", "h1:1"});
    EXPECT_TRUE(one.Tabs.empty());
    EXPECT_EQ(one.TabIndex, -1);
    EXPECT_EQ(one.Filter, "");

    TTaskTabs two = RescanTaskTabs({}, "", {"b:2", "a:1", "b:2"});
    EXPECT_EQ(two.Tabs, (std::vector<std::string>{"b:2", "a:1"}));
    EXPECT_EQ(two.TabIndex, 0);
    EXPECT_EQ(two.Filter, "b:2");
}

TEST(TaskTabs, SelectedConnectionStaysSelectedWhileItExists) {
    TTaskTabs next = RescanTaskTabs({"a:1", "b:2", "c:3"}, "c:3", {"c:3", "d:4", "b:2"});
    // Kept tabs keep their places, the gone one is dropped, the new one is appended.
    EXPECT_EQ(next.Tabs, (std::vector<std::string>{"b:2", "c:3", "d:4"}));
    EXPECT_EQ(next.TabIndex, 1);
    EXPECT_EQ(next.Filter, "c:3");

    TTaskTabs gone = RescanTaskTabs({"a:1", "b:2"}, "a:1", {"b:2", "e:5"});
    EXPECT_EQ(gone.TabIndex, 0);
    EXPECT_EQ(gone.Filter, "b:2");
}

TEST(BLLLeakInfo, LiveTimeCountsHoursPastADay) {
    EXPECT_EQ(LiveTimeText(EncodeTime(1, 2, 3, 4)), "01:02:03:004");
    EXPECT_EQ(LiveTimeText(3 + EncodeTime(0, 0, 1, 0)), "72:00:01:000");
    EXPECT_EQ(LiveTimeText(0), "00:00:00:000");
    // A damaged record's time shows as the number it holds.
    EXPECT_EQ(LiveTimeText(std::nan("")), "nan");
    EXPECT_EQ(LiveTimeText(-HUGE_VAL), "-inf");
    EXPECT_EQ(LiveTimeText(1e300), "1e+300");
}

TEST(BLLLeakInfo, ClassRowListsStacksAndTheirObjectsIndented) {
    TQZSortedNamedObjects stacks;
    stacks.FlagDestroyObject = true;
    auto records = std::make_unique<TObjectList>();
    for (const char* info : {"first", "second"}) {
        auto record = std::make_unique<TBLLLeakObjectInfo>();
        record->LiveTime = EncodeTime(0, 0, 2, 500);
        record->AddInfo = info;
        records->Add(record.release());
    }
    TObjectList* stackRecords = records.get();
    stacks.AddObject("Unit1.Proc\r\nUnit2.Caller", records.release());

    EXPECT_EQ(
        BLLLeakInfoLines("TMyClass", &stacks),
        (std::vector<std::string>{"TMyClass", "", "  Unit1.Proc", "  Unit2.Caller", "",
                                  "      Live time: 00:00:02:500 -> Added info: first",
                                  "      Live time: 00:00:02:500 -> Added info: second", ""}));
    EXPECT_EQ(BLLLeakInfoLines("Unit1.Proc", stackRecords),
              (std::vector<std::string>{"Unit1.Proc", "",
                                        "    Live time: 00:00:02:500 -> Added info: first",
                                        "    Live time: 00:00:02:500 -> Added info: second"}));
}

TEST(LeakRate, RatesOfManyNamesReadEachSnapshotOnce) {
    TDebugReader store;
    const std::vector<std::vector<std::pair<std::string, int>>> leaks{
        {{"Handle", 10}, {"Same", 4}, {"Falling", 9}},
        {{"HANDLE", 20}, {"Same", 4}},
        {{"Handle", 30}, {"Same", 4}, {"Falling", 1}}};
    const int hours[] = {0, 3, 12};
    for (int i = 0; i < 3; ++i) {
        TDebugInfo* di = store.AddDebugInfo("10.01.2006 " + std::to_string(10 + i));
        di->Time = At(hours[i]);
        for (const auto& [name, count] : leaks[size_t(i)])
            di->SystemLeak.AddObject(name, IntToObject(count));
    }
    const std::vector<std::string> names{"handle", "Same", "Falling", "Never"};
    std::vector<std::string> texts;
    for (const std::optional<double>& rate : LeakRates(store, names, 0, 2))
        texts.push_back(RateText(rate));
    // Names match without regard to case; a snapshot without the name counts 0 there.
    EXPECT_EQ(texts[0], "18.4615384615385");
    EXPECT_EQ(texts[1], "0");
    EXPECT_EQ(texts[2], RateText(CalcRate({{At(0), 9}, {At(3), 0}, {At(12), 1}})));
    EXPECT_EQ(texts[3], "0");

    // Negative counts: a snapshot without the name counts 0, above the smallest count.
    TDebugReader negative;
    const std::vector<std::vector<std::pair<std::string, int>>> counts{
        {{"Minus", -2}, {"Mixed", -4}},
        {{"Minus", -2}},
        {{"Mixed", 6}},
        {{"Minus", -2}, {"Mixed", 1}}};
    const int at[] = {0, 6, 12, 24};
    for (int i = 0; i < 4; ++i) {
        TDebugInfo* di = negative.AddDebugInfo("10.01.2006 " + std::to_string(10 + i));
        di->Time = At(0) + at[i] / 24.0;
        for (const auto& [name, count] : counts[size_t(i)])
            di->SystemLeak.AddObject(name, IntToObject(count));
    }
    const std::vector<std::optional<double>> rates = LeakRates(negative, {"Minus", "Mixed"}, 0, 3);
    EXPECT_EQ(RateText(rates[0]), "0.228571428571429");
    EXPECT_EQ(RateText(rates[1]), "4.91428571428571");

    // No end snapshot, or ends without a time span: blank.
    EXPECT_EQ(RateText(LeakRates(store, names, 1, 3)[0]), "");
    EXPECT_EQ(RateText(LeakRates(store, names, 1, 1)[0]), "");
}

TEST(LeakRate, ManyNamesPathGivesTheRateOfOneName) {
    const int low = -2147483647 - 1;
    const std::string feb = "01.02.2006 ", oct = "29.10.2023 ";
    const struct {
        std::vector<TCountAt> Counts;
        const char* Text;
    } cases[] = {
        // Counts that never change, with a name in every snapshot.
        {{{feb + "00:00:03", -1},
          {feb + "00:00:06", -1},
          {feb + "00:00:19", -1},
          {feb + "00:00:55", -1}},
         "0"},
        {{{feb + "00:00:03", -5},
          {feb + "00:00:06", -5},
          {feb + "00:00:19", -5},
          {feb + "00:00:55", -5}},
         "0"},
        // Large counts count from the smallest: as for 2, 0, 2, 0.
        {{{feb + "00:00:00", 99999999},
          {feb + "14:00:00", 99999997},
          {feb + "18:00:00", 99999999},
          {feb + "19:00:00", 99999997}},
         "-1.2351029252431"},
        {{{oct + "03:52:59", low + 3},
          {oct + "05:47:01", low},
          {oct + "06:49:07", low},
          {oct + "07:38:34", low}},
         "-3.07087211779128"},
    };
    for (const auto& c : cases) {
        const auto [many, one] = BothRates(c.Counts);
        EXPECT_EQ(RateText(many), c.Text);
        EXPECT_EQ(many, one);
    }

    // A name missing from some snapshots counts 0 there, far above counts near the smallest.
    const auto [many, one] = BothRates({{oct + "03:52:59", low},
                                        {oct + "05:47:01", {}},
                                        {oct + "06:49:07", low + 1},
                                        {oct + "07:38:34", {}},
                                        {oct + "08:00:00", low},
                                        {oct + "09:15:30", low + 1}});
    EXPECT_EQ(many, one);
    ASSERT_TRUE(one);
    EXPECT_NEAR(*one, -240992303.8318358, 240992303.8318358 * 1e-12);
}
