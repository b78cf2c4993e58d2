#include "rtl/date_time.h"

#include "rtl/exceptions.h"
#include "rtl/format_settings.h"
#include "rtl/value_scope.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(DateTime, EncodeCountsDaysFromTheEndOf1899) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2003, 2, 1), 37653);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 2, 29) + 1, EncodeDate(2000, 3, 1));
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2003, 4, 31), EConvertError);
    EXPECT_THROW(EncodeDate(2003, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2003, 1, 0), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(DateTime, DecodeReversesEncode) {
    for (int year : {1, 1600, 1899, 1900, 1999, 2000, 2004, 2100, 9999})
        for (int month = 1; month <= 12; ++month)
            for (int day : {1, 15, DaysInMonth(year, month)}) {
                int y = 0, m = 0, d = 0;
                DecodeDate(EncodeDate(year, month, day) + EncodeTime(23, 59, 59, 999), y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
            }
    int hour, minute, second, msec;
    DecodeTime(EncodeDate(2003, 2, 1) + EncodeTime(10, 11, 12, 345), hour, minute, second, msec);
    EXPECT_EQ(hour * 10000000 + minute * 100000 + second * 1000 + msec, 101112345);
}

TEST(DateTime, FormatPatternsOfTheViewer) {
    const TDateTime value = EncodeDate(2003, 2, 1) + EncodeTime(9, 5, 7, 45);
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss", value), "01.02.2003 09:05:07");
    EXPECT_EQ(FormatDateTime("hh:nn:ss:zzz", value), "09:05:07:045");
    EXPECT_EQ(FormatDateTime("d.m.yy h:n:s.z", value), "1.2.03 9:5:7.45");
    EXPECT_EQ(FormatDateTime("hh:mm", value), "09:05"); // minutes right after an hour
    EXPECT_EQ(FormatDateTime("'at' hh\"h\"", value), "at 09h");
    // The last millisecond of a day stays in that day.
    const TDateTime late = EncodeDate(2003, 12, 31) + EncodeTime(23, 59, 59, 999);
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss:zzz", late), "31.12.2003 23:59:59:999");
    // The calendar's ends, the years in four digits.
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss:zzz", MinDateTime), "01.01.0001 00:00:00:000");
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss:zzz", MaxDateTime), "31.12.9999 23:59:59:999");
}

TEST(DateTime, SystemTimesPastTheCalendarStopAtItsLastMoment) {
    // The system's file times run to the year 30827.
    const SYSTEMTIME late = {30000, 6, 0, 15, 12, 0, 0, 0};
    EXPECT_EQ(SystemTimeToDateTime(late), MaxDateTime);
    const SYSTEMTIME last = {9999, 12, 5, 31, 23, 59, 59, 999};
    EXPECT_EQ(SystemTimeToDateTime(last), MaxDateTime);
}

TEST(DateTime, DecodeKnowsTheFirstDay) {
    int year = 0, month = 0, day = 0;
    DecodeDate(0, year, month, day);
    EXPECT_EQ(year * 10000 + month * 100 + day, 18991230);
    DecodeDate(37653.75, year, month, day);
    EXPECT_EQ(year * 10000 + month * 100 + day, 20030201);
}

TEST(DateTime, TextsReadInTheOrderAndWithTheSeparatorsOfTheFormat) {
    TValueScope<TFormatSettings> formats(FormatSettings(), TFormatSettings{});
    TDateTime value = 0;
    ASSERT_TRUE(TryStrToDate("01.02.2023", value));
    EXPECT_EQ(value, EncodeDate(2023, 2, 1));
    ASSERT_TRUE(TryStrToDate("1.2.23", value)); // two-digit years in this century
    EXPECT_EQ(value, EncodeDate(2023, 2, 1));
    EXPECT_FALSE(TryStrToDate("31.02.2023", value));
    EXPECT_FALSE(TryStrToDate("01/02/2023", value));
    EXPECT_FALSE(TryStrToDate("soon", value));
    ASSERT_TRUE(TryStrToTime("12:30", value));
    EXPECT_DOUBLE_EQ(value, EncodeTime(12, 30, 0, 0));
    ASSERT_TRUE(TryStrToTime("23:59:59.5", value));
    EXPECT_DOUBLE_EQ(value, EncodeTime(23, 59, 59, 5));
    EXPECT_FALSE(TryStrToTime("25:00", value));
    ASSERT_TRUE(TryStrToDateTime("02.01.2024 10:00", value));
    EXPECT_DOUBLE_EQ(value, EncodeDate(2024, 1, 2) + EncodeTime(10, 0, 0, 0));
    ASSERT_TRUE(TryStrToDateTime("10:00", value));
    EXPECT_DOUBLE_EQ(value, EncodeTime(10, 0, 0, 0));

    FormatSettings().ShortDateFormat = "yyyy-mm-dd";
    FormatSettings().DateSeparator = '-';
    ASSERT_TRUE(TryStrToDate("2023-02-01", value));
    EXPECT_EQ(value, EncodeDate(2023, 2, 1));
}
