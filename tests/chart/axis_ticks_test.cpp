#include "chart/axis_ticks.h"

#include "rtl/date_time.h"
#include "rtl/strings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Labels(const std::vector<TAxisTick>& ticks) {
    std::vector<std::string> labels;
    for (const TAxisTick& t : ticks)
        labels.push_back(t.Label);
    return labels;
}

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, 0);
}

} // namespace

TEST(AxisTicks, ValuesGetRoundStepsThatFitTheSpacing) {
    // 0..100 on 200 pixels, 20 pixels apart at least: a step of 10.
    std::vector<TAxisTick> ticks = AxisTicks({0, 100}, false, 200, 20);
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_EQ(ticks[3].Value, 30);
    EXPECT_EQ(ticks[3].Label, "30");
    // Tighter: 25 pixels make 12.5 a step at least, so 20.
    EXPECT_EQ(Labels(AxisTicks({0, 100}, false, 200, 25)),
              (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
    // Ticks start at the first multiple inside the range; fractions read cleanly.
    EXPECT_EQ(Labels(AxisTicks({0.05, 0.52}, false, 100, 20)),
              (std::vector<std::string>{FloatToStr(0.1), FloatToStr(0.2), FloatToStr(0.3),
                                        FloatToStr(0.4), FloatToStr(0.5)}));
    EXPECT_EQ(Labels(AxisTicks({-3, 3}, false, 60, 20)),
              (std::vector<std::string>{"-2", "0", "2"}));

    EXPECT_TRUE(AxisTicks({5, 5}, false, 100, 20).empty());
    EXPECT_TRUE(AxisTicks({0, 10}, false, 0, 20).empty());
    // Values so large that the step drowns in their precision get no ticks rather than hang.
    EXPECT_TRUE(AxisTicks({1e20, 1e20 + 1e5}, false, 1000, 1).empty());
}

TEST(AxisTicks, DateTimeLabelsReadByTheSpanShown) {
    TDateTime start = At(2006, 2, 1, 10, 0, 0);
    EXPECT_EQ(TAxisLabels({start, start + 5.0 / 1440}, true).Pattern(), "hh:nn:ss");
    EXPECT_EQ(TAxisLabels({start, start + 3}, true).Pattern(), "dd.mm hh:nn");
    EXPECT_EQ(TAxisLabels({start, start + 90}, true).Pattern(), "dd.mm.yyyy");
    EXPECT_EQ(TAxisLabels({start, start + 90}, false).Text(12.5), FloatToStr(12.5));

    // Five minutes on 300 pixels, labels of "hh:nn:ss" 55 pixels apart: whole minutes.
    EXPECT_EQ(Labels(AxisTicks({start - 1e-7, start + 5.0 / 1440}, true, 300, 55)),
              (std::vector<std::string>{"10:00:00", "10:01:00", "10:02:00", "10:03:00", "10:04:00",
                                        "10:05:00"}));
    // Three days: whole days.
    EXPECT_EQ(Labels(AxisTicks({start, start + 3}, true, 400, 80)),
              (std::vector<std::string>{"02.02 00:00", "03.02 00:00", "04.02 00:00"}));
}

TEST(AxisTicks, LongDateTimeSpansTickOnMonthsAndYears) {
    std::vector<TAxisTick> months = AxisTicks({At(2006, 1, 15), At(2006, 7, 1)}, true, 600, 70);
    EXPECT_EQ(Labels(months), (std::vector<std::string>{"01.02.2006", "01.03.2006", "01.04.2006",
                                                        "01.05.2006", "01.06.2006", "01.07.2006"}));
    EXPECT_EQ(months[0].Value, At(2006, 2, 1));
    // Two-month steps fall on odd months: January, March...
    EXPECT_EQ(Labels(AxisTicks({At(2006, 1, 15), At(2006, 7, 1)}, true, 300, 70)),
              (std::vector<std::string>{"01.03.2006", "01.05.2006", "01.07.2006"}));
    EXPECT_EQ(Labels(AxisTicks({At(2001, 6, 1), At(2011, 6, 1)}, true, 600, 70)),
              (std::vector<std::string>{"01.01.2002", "01.01.2004", "01.01.2006", "01.01.2008",
                                        "01.01.2010"}));
    // Outside the calendar there is nothing to label.
    EXPECT_TRUE(AxisTicks({-1e7, 1e7}, true, 300, 70).empty());
}

TEST(AxisTicks, MonthsAndYearsStopAtTheCalendarsEnds) {
    // The step after the last tick would land past 31.12.9999.
    EXPECT_EQ(Labels(AxisTicks({At(2006, 1, 2, 10), At(9998, 12, 31, 23, 59, 59)}, true, 600, 70)),
              (std::vector<std::string>{"01.01.3000", "01.01.4000", "01.01.5000", "01.01.6000",
                                        "01.01.7000", "01.01.8000", "01.01.9000"}));
    EXPECT_EQ(Labels(AxisTicks({At(9999, 7, 15), MaxDateTime}, true, 600, 70)),
              (std::vector<std::string>{"01.08.9999", "01.09.9999", "01.10.9999", "01.11.9999",
                                        "01.12.9999"}));
    EXPECT_EQ(Labels(AxisTicks({MinDateTime, MaxDateTime}, true, 600, 70)),
              (std::vector<std::string>{"01.01.2000", "01.01.4000", "01.01.6000", "01.01.8000"}));
    EXPECT_EQ(Labels(AxisTicks({MinDateTime, At(1, 6, 1)}, true, 600, 70)),
              (std::vector<std::string>{"01.01.0001", "01.02.0001", "01.03.0001", "01.04.0001",
                                        "01.05.0001", "01.06.0001"}));
}
