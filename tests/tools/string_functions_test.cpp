#include "tools/fast_str.h"
#include "tools/qz_string.h"

#include <gtest/gtest.h>

TEST(FastStr, PositionsAreOneBasedAndBounded) {
    EXPECT_EQ(Q_PosStr("ab", "xxab", 3), 3);
    EXPECT_EQ(Q_PosStr("ab", "xxab", 4), 0);
    EXPECT_EQ(Q_PosStr("ab", "abxxab", 2), 5);
    EXPECT_EQ(Q_PosStr("ab", "xxab", 0), 3); // below 1 starts at 1
    EXPECT_EQ(Q_PosStr("ab", "xxab", -5), 3);
    EXPECT_EQ(Q_PosStr("", "xxab", 1), 0);
    EXPECT_EQ(Q_PosStr("ab", "", 1), 0);
    EXPECT_EQ(Q_PosStr("xxabc", "xxab", 1), 0);
    EXPECT_EQ(Q_PosStr("AB", "xxab", 1), 0); // byte for byte
    EXPECT_EQ(Q_PosStr(std::string("\0b", 2), std::string("a\0b", 3), 1), 2);
}

TEST(FastStr, TextSearchIgnoresLatinAndCyrillicCase) {
    EXPECT_EQ(Q_PosText("ПРИВЕТ", "скажи привет", 1), 7);
    EXPECT_EQ(Q_PosText("Ёлка", "ЁЛКА ёлка", 2), 6);
    EXPECT_EQ(Q_PosText("debugdata", "v1 DebugData 10", 1), 4);
    EXPECT_EQ(Q_PosText("ab", "xxAB", 4), 0);
    EXPECT_EQ(Q_PosText("ab", "xxAB", 0), 3);
    EXPECT_EQ(Q_PosText("[", "", 1), 0);
    // The table maps the further pairs of the code page.
    EXPECT_EQ(ToUpperChars[0xB8], 0xA8); // ё
    EXPECT_EQ(ToUpperChars[0x90], 0x80);
    EXPECT_EQ(ToUpperChars[0xBC], 0xA3);
    EXPECT_EQ(ToUpperChars[0xB4], 0xA5);
    EXPECT_EQ(ToUpperChars[0xA8], 0xA8);
    EXPECT_EQ(ToUpperChars[0xD7], 0xD7); // capitals and other bytes stay
    EXPECT_EQ(ToUpperChars[0xB5], 0xB5);
}

TEST(QZString, EscapeCodingRoundTrips) {
    EXPECT_EQ(CharsToCode("a:b#c", TCharSet(":"), '#'), "a#3Ab#23c");
    EXPECT_EQ(CharsToCode("a:b#c", TCharSet(), '#'), "a:b#c"); // empty set: nothing escaped
    const std::string cell = "name=Иван;\r\nx\xFF";
    const TCharSet special{'=', ';', '\r', '\n', '\xFF'};
    const std::string coded = CharsToCode(cell, special, '%');
    EXPECT_EQ(coded, "name%3DИван%3B%0D%0Ax%FF");
    EXPECT_EQ(CodeToChars(coded, '%', 1), cell);

    EXPECT_EQ(CodeToChars("a#3ab#23c", '#', 1), "a:b#c"); // small hex digits too
    EXPECT_EQ(CodeToChars("#4", '#', 1), "#4");
    EXPECT_EQ(CodeToChars("ab#", '#', 1), "ab#");
    EXPECT_EQ(CodeToChars("#zz", '#', 1), std::string(1, '\0'));
    EXPECT_EQ(CodeToChars("xy#41", '#', 3), "A");
}

TEST(QZString, HexAndWords) {
    EXPECT_EQ(Hex2Dec("1F"), 31);
    EXPECT_EQ(Hex2Dec("$ff"), 255);
    EXPECT_EQ(Hex2Dec("zz"), 0);
    EXPECT_EQ(Hex2Dec(""), 0);

    const TCharSet delims(" ,");
    EXPECT_EQ(WordCount("  one, two  three,", delims), 3);
    EXPECT_EQ(WordCount(" ,, ", delims), 0);
    EXPECT_EQ(WordPosition(2, "  one, two  three,", delims), 8);
    EXPECT_EQ(WordPosition(4, "  one, two  three,", delims), 0);
    EXPECT_EQ(ExtractWord(3, "  one, two  three,", delims), "three");
    EXPECT_EQ(ExtractWord(1, "solo", delims), "solo");
    EXPECT_EQ(ExtractWord(2, "solo", delims), "");
}

TEST(QZString, ReplaceNeverRescansReplacedText) {
    EXPECT_EQ(ReplaceStr("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceStr("a.b.c", ".", ""), "abc");
    EXPECT_EQ(ReplaceStr("Abc abc", "abc", "x"), "Abc x");
    EXPECT_EQ(ReplaceStr("abc", "", "x"), "abc");
}

TEST(QZString, GetSubstringDeletesAsFlagged) {
    for (int flag : {0, 1, 2, 7}) {
        std::string source = "[a] x";
        EXPECT_EQ(GetSubstring(source, "[", "]", flag), "a");
        const char* expected[] = {"[a] x", " x", "[] x"};
        EXPECT_EQ(source, flag <= 2 ? expected[flag] : "[a] x") << flag;
    }
    std::string header = "[01.02.2003 10:11] Version: 1.0 DEBUGDATA 10";
    EXPECT_EQ(GetSubstring(header, "version: ", " debugdata", 1), "1.0");
    EXPECT_EQ(header, "[01.02.2003 10:11]  10");

    std::string text = "x] [y";
    EXPECT_EQ(GetSubstring(text, "[", "]", 1), ""); // no end mark after the start mark
    EXPECT_EQ(text, "x] [y");
    EXPECT_EQ(GetSubstring(text, "", "]", 1), "");
    EXPECT_EQ(GetSubstring(text, "x", "", 1), "");
    EXPECT_EQ(text, "x] [y");
}

TEST(QZString, GetNextParamConsumesUpToTheSymbol) {
    std::string s = "host:port";
    EXPECT_EQ(GetNextParam(s, ":"), "host");
    EXPECT_EQ(s, "port");
    EXPECT_EQ(GetNextParam(s, ":"), "port");
    EXPECT_EQ(s, "");
    s = "a AND b";
    EXPECT_EQ(GetNextParam(s, " and "), "a");
    EXPECT_EQ(s, "b");
    s = "abc";
    EXPECT_EQ(GetNextParam(s, ""), "abc");
    EXPECT_EQ(s, "");
}

TEST(QZString, DelSymbolsTrimsRuns) {
    EXPECT_EQ(DelBSymbols("00120", '0'), "120");
    EXPECT_EQ(DelESymbols("00120", '0'), "0012");
    EXPECT_EQ(DelSymbols("00120", '0'), "12");
    EXPECT_EQ(DelSymbols("000", '0'), "");
    EXPECT_EQ(DelSymbols("", '0'), "");
}
