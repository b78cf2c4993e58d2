#include "rtl/mem_ini_file.h"

#include "rtl/string_list.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TMemIniFile> Loaded(const std::string& text) {
    auto ini = std::make_unique<TMemIniFile>("");
    ini->SetStrings(TStringList(text));
    return ini;
}

std::string TextOf(const TMemIniFile& ini) {
    TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}

} // namespace

TEST(IniMemIniFile, LoadsLinesAsTheyStand) {
    auto ini = Loaded("Orphan=1\r\n"
                      "; comment\r\n"
                      "[Main]\r\n"
                      "\r\n"
                      "Key=a=b\r\n"
                      " Spaced = x \r\n"
                      " [NotASection]\r\n"
                      "NoEquals\r\n"
                      "[\r\n"
                      "[]\r\n"
                      "Empty=\r\n");
    EXPECT_EQ(ini->ReadString("Main", "Key", "?"), "a=b"); // the value runs past later '='
    EXPECT_EQ(ini->ReadString("Main", " Spaced ", "?"), " x ");
    EXPECT_EQ(ini->ReadString("Main", "Spaced", "?"), "?"); // keys are not trimmed
    EXPECT_EQ(ini->ReadString("Main", "Orphan", "?"), "?");
    EXPECT_EQ(ini->ReadString("", "Empty", "?"), ""); // "[]" names the empty section
    EXPECT_EQ(TextOf(*ini), "[Main]\r\n"
                            "Key=a=b\r\n"
                            " Spaced = x \r\n"
                            " [NotASection]\r\n"
                            "NoEquals\r\n"
                            "[\r\n"
                            "\r\n"
                            "[]\r\n"
                            "Empty=\r\n"
                            "\r\n");
}

TEST(IniMemIniFile, NamesMatchWithoutCaseAndTheFirstOccurrenceCounts) {
    auto ini = Loaded("[Config]\r\nPort=1\r\nPORT=2\r\n[Other]\r\nx=1\r\n"
                      "[CONFIG]\r\nHost=h\r\nport=3\r\n");
    EXPECT_EQ(ini->ReadString("config", "pORt", ""), "1");
    // A repeated section is its first block: a key only in the later block is not read.
    EXPECT_EQ(ini->ReadString("Config", "host", "none"), "none");
    ini->WriteString("CONFIG", "port", "9"); // replaces the first entry only
    EXPECT_EQ(TextOf(*ini), "[Config]\r\nport=9\r\nPORT=2\r\n\r\n"
                            "[Other]\r\nx=1\r\n\r\n");
}

TEST(IniMemIniFile, ErasingASectionLeavesTheOthersFound) {
    auto ini = Loaded("[A]\r\na=1\r\n[Раздел]\r\nКлюч=2\r\n[C]\r\nc=3\r\nC=4\r\n");
    EXPECT_EQ(ini->ReadString("раздел", "КЛЮЧ", ""), "2");
    ini->EraseSection("РАЗДЕЛ");
    EXPECT_EQ(ini->ReadString("Раздел", "Ключ", "none"), "none");
    EXPECT_EQ(ini->ReadString("c", "C", ""), "3");
    ini->WriteString("C", "c", "5");
    ini->WriteString("раздел", "ключ", "6"); // anew, at the end
    ini->WriteString("A", "x", "7");
    EXPECT_EQ(TextOf(*ini), "[A]\r\na=1\r\nx=7\r\n\r\n[C]\r\nc=5\r\nC=4\r\n\r\n"
                            "[раздел]\r\nключ=6\r\n\r\n");
    ini->EraseSection("a");
    ini->WriteString("C", "d", "8");
    EXPECT_EQ(ini->ReadString("Раздел", "Ключ", ""), "6");
    EXPECT_EQ(TextOf(*ini), "[C]\r\nc=5\r\nC=4\r\nd=8\r\n\r\n[раздел]\r\nключ=6\r\n\r\n");
}

TEST(IniMemIniFile, TypedReadsFallBackToTheDefault) {
    auto ini = Loaded("[S]\r\nHex=0x10\r\nDollar=$1f\r\nNeg=-5\r\nBad=12a\r\n"
                      "Blank=\r\nTwo=2\r\nZero=0\r\n");
    EXPECT_EQ(ini->ReadInteger("S", "Hex", 0), 16);
    EXPECT_EQ(ini->ReadInteger("S", "Dollar", 0), 31);
    EXPECT_EQ(ini->ReadInteger("S", "Neg", 0), -5);
    EXPECT_EQ(ini->ReadInteger("S", "Bad", 7), 7);
    EXPECT_EQ(ini->ReadInteger("S", "Blank", 7), 7);
    EXPECT_EQ(ini->ReadInteger("S", "Missing", 7), 7);
    EXPECT_TRUE(ini->ReadBool("S", "Two", false));
    EXPECT_FALSE(ini->ReadBool("S", "Zero", true));
    EXPECT_TRUE(ini->ReadBool("S", "Bad", true));
    EXPECT_FALSE(ini->ReadBool("Nowhere", "x", false));
}

TEST(IniMemIniFile, WritesAddSectionsAndKeysInOrder) {
    TMemIniFile ini("");
    ini.WriteString("B", "Text", "");
    ini.WriteInteger("A", "Number", -12);
    ini.WriteBool("B", "On", true);
    ini.WriteBool("B", "Off", false);
    EXPECT_EQ(TextOf(ini), "[B]\r\nText=\r\nOn=1\r\nOff=0\r\n\r\n[A]\r\nNumber=-12\r\n\r\n");
    ini.EraseSection("b");
    ini.EraseSection("Absent");
    EXPECT_EQ(TextOf(ini), "[A]\r\nNumber=-12\r\n\r\n");
    ini.Clear();
    EXPECT_EQ(TextOf(ini), "");
}

TEST(IniMemIniFile, ReadSectionValuesReplacesTheList) {
    auto ini = Loaded("[S]\r\na=1\r\nNoEquals\r\na=2\r\n");
    TStringList lines("old");
    ini->ReadSectionValues("s", lines);
    EXPECT_EQ(lines.Text(), "a=1\r\nNoEquals\r\na=2\r\n");
    ini->ReadSectionValues("Absent", lines);
    EXPECT_EQ(lines.Count(), 0);
}
