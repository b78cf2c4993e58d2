#include "rtl/strings.h"

#include "rtl/exceptions.h"
#include "rtl/format.h"
#include "rtl/wide_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

TEST(Strings, CaseMappingFollowsTheRussianLocale) {
    EXPECT_EQ(AnsiUpperCase("abc Привет ёж"), "ABC ПРИВЕТ ЁЖ");
    EXPECT_EQ(AnsiLowerCase("ПРИВЕТ"), "привет");
    EXPECT_TRUE(AnsiSameText("привет", "ПРИВЕТ"));
    EXPECT_LT(AnsiCompareStr("А", "Б"), 0);
    EXPECT_GT(AnsiCompareStr("Б", "A"), 0); // Cyrillic sorts after Latin
    EXPECT_EQ(UpperCase("abcя"), "ABCя");
    // SameText folds A to Z only, and a shorter text is never the same.
    EXPECT_TRUE(SameText("RunTasks", "runtasks"));
    EXPECT_FALSE(SameText("привет", "ПРИВЕТ"));
    EXPECT_FALSE(SameText("RunTasks", "RunTasksList"));
    EXPECT_FALSE(SameText("a[", "A{")); // '[' and '{' are 32 apart but no letters
}

// Texts of digits and capital letters are compared by their bytes; the order must stay the
// locale's, which the lists of every snapshot are sorted in.
TEST(Strings, CompareStrKeepsTheLocaleOrder) {
    std::vector<std::string> texts{"",
                                   "TBLLOBJECT1",
                                   "TBLLOBJECT10",
                                   "TBLLOBJECT9",
                                   "TBLLOBJECTA",
                                   "TBLL_OBJECT",
                                   "TBLL-OBJECT",
                                   "A B",
                                   "a",
                                   "ab",
                                   "Ab",
                                   "Ё",
                                   "Е",
                                   "Ж",
                                   "1A",
                                   "A1"};
    const std::string alphabet = "019ABYZ";
    for (char c : alphabet) {
        texts.push_back(std::string(1, c));
        for (char d : alphabet)
            texts.push_back(std::string{c, d});
    }
    const auto localeOrder = [](const std::string& a, const std::string& b) {
        const std::wstring wa = ToWide(a), wb = ToWide(b);
        return CompareStringW(LOCALE_USER_DEFAULT, 0, wa.data(), int(wa.size()), wb.data(),
                              int(wb.size())) -
               CSTR_EQUAL;
    };
    for (const std::string& a : texts)
        for (const std::string& b : texts)
            ASSERT_EQ(AnsiCompareStr(a, b), localeOrder(a, b)) << a << " / " << b;
}

TEST(Strings, TrimTreatsBytesAsUnsigned) {
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(Trim("\xA0я\xA0"), "\xA0я\xA0"); // 0xA0 is a letter-range byte, not a blank
    EXPECT_EQ(TrimBlanks(std::string_view("\x01 x \x01y", 5)), "x");
    EXPECT_EQ(TrimBlanks(" \t "), "");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(Strings, ValAcceptsThePlatformSyntax) {
    EXPECT_EQ(StrToIntDef("$1F", -1), 31);
    EXPECT_EQ(StrToIntDef("0x10", -1), 16);
    EXPECT_EQ(StrToIntDef("  -12", 0), -12);
    EXPECT_EQ(StrToIntDef("12 ", 7), 7);
    EXPECT_EQ(StrToIntDef("", 7), 7);
    EXPECT_EQ(StrToIntDef("2147483647", 0), 2147483647);
    EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
    EXPECT_THROW(StrToInt("x"), EConvertError);
    int v = 0, code = 0;
    Val("12a", v, code);
    EXPECT_EQ(code, 3);
    int64_t big = 0;
    EXPECT_TRUE(TryStrToInt64("5000000000", big));
    EXPECT_EQ(big, 5000000000LL);
}

TEST(Strings, FloatToStrIsGeneralWith15Digits) {
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(-2), "-2");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(0.0000015), "1.5E-6");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    // A single keeps 7 digits, so its binary noise is not written.
    EXPECT_EQ(FloatToStrGeneral(double(0.1f), 7), "0.1");
    EXPECT_EQ(FloatToStrGeneral(12345678.0, 7), "1.234568E7");
}

TEST(Strings, RoundSendsHalvesToEven) {
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.6), 3);
}

TEST(Strings, FormatFitsPatternToArguments) {
    EXPECT_EQ(Format("%s: %d of %d", {"files", 2, 10}), "files: 2 of 10");
    EXPECT_EQ(Format("[%5d|%-4s|%x|%.3d]", {42, "ab", 255, 7}), "[   42|ab  |FF|007]");
    EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
    EXPECT_EQ(Format("%.2f%%", {12.345}), "12.35%");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
}
