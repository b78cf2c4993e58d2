#include "tools/conversions.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

TEST(Conversions, DateTextPartsEndAtAnyNonDigit) {
    const TDateTime day = EncodeDate(2003, 2, 1);
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("01.02.2003 10:11:12"), day + EncodeTime(10, 11, 12, 0));
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("01.02.2003 10:11:12.345"),
                     day + EncodeTime(10, 11, 12, 345));
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("01.02.2003"), day);
    // Two separators in a row end an empty part.
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("01.02.2003  10:11"), day + EncodeTime(0, 10, 11, 0));
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("1/2/2003-1-2-3-4-5-6"), day + EncodeTime(1, 2, 3, 4));
}

TEST(Conversions, ImpossibleDatesRaiseConvertError) {
    for (const char* text : {"", "00.02.2003", "01.13.2003", "01.02.2003 24:00", "29.02.2003",
                             "31.04.2003 10:60", "01.02.65536"})
        EXPECT_THROW(QZDateStrToDateTime(text), EConvertError) << text;
    // Numbers are kept in 16 bits, so a longer one wraps instead of failing.
    EXPECT_DOUBLE_EQ(QZDateStrToDateTime("01.02.67539"), EncodeDate(2003, 2, 1));
}

TEST(Conversions, StrToIntFollowsVal) {
    EXPECT_EQ(QZStrToInt("42", -1), 42);
    EXPECT_EQ(QZStrToInt(" -7", 0), -7);
    EXPECT_EQ(QZStrToInt("$1F", 0), 31);
    EXPECT_EQ(QZStrToInt("12 ", -1), -1);
    EXPECT_EQ(QZStrToInt("", 5), 5);
    EXPECT_EQ(QZStrToInt("x", 5), 5);
}
