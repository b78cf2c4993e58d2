#include "rtl/ini_file.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/mem_ini_file.h"
#include "rtl/string_list.h"
#include "rtl/wide_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Every test's files live in a folder of their own that goes with the test program.
const TempFolder& Folder() {
    static const TempFolder folder;
    return folder;
}

std::string TempFileName(const char* name) {
    return Folder().File(name);
}

std::vector<std::string> Sections(const TIniFile& ini) {
    TStringList names;
    ini.ReadSections(names);
    std::vector<std::string> result;
    for (int i = 0; i < names.Count(); ++i)
        result.push_back(names.Get(i));
    return result;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(IniFile, EveryWriteReachesTheFileAtOnce) {
    std::string fileName = TempFileName("ini_file_test.prm");
    DeleteFileByName(fileName);
    {
        TIniFile ini(fileName);
        EXPECT_EQ(ini.ReadString("Form", "Flags", "none"), "none"); // no file yet
        ini.EraseSection("Form");                                   // nor is one made
        EXPECT_FALSE(FileExists(fileName));
        ini.WriteString("Form", "Flags", "0");
        ini.WriteInteger("Form", "ShowCmd", 3);
        // Another reader of the file sees both keys before this object goes.
        TMemIniFile disk(fileName);
        EXPECT_EQ(disk.ReadString("Form", "Flags", "?"), "0");
        EXPECT_EQ(disk.ReadString("Form", "ShowCmd", "?"), "3");
        ini.EraseSection("Form");
        EXPECT_EQ(TMemIniFile(fileName).ReadString("Form", "Flags", "gone"), "gone");
        ini.WriteString("Other", "NormPos", "1,2,3,4");
    }
    TIniFile again(fileName);
    EXPECT_EQ(again.ReadString("other", "normpos", ""), "1,2,3,4");
    EXPECT_EQ(Sections(again), (std::vector<std::string>{"Other"}));
    DeleteFileByName(fileName);
}

TEST(IniFile, ReadingDropsOnePairOfEnclosingQuotes) {
    std::string fileName = TempFileName("ini_file_quotes.ini");
    WriteWholeFile(fileName, "[S]\r\nDouble=\"\"a\"\"\r\nSingle=\"'a'\"\r\nOne=\"\"\"\r\n"
                             "Open=\"a\r\nMixed='a\"\r\nBare='a'\r\n");
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("S", "Double", ""), "\"a\"");
    EXPECT_EQ(ini.ReadString("S", "Single", ""), "'a'");
    EXPECT_EQ(ini.ReadString("S", "One", ""), "\"");
    EXPECT_EQ(ini.ReadString("S", "Open", ""), "\"a");
    EXPECT_EQ(ini.ReadString("S", "Mixed", ""), "'a\"");
    EXPECT_EQ(ini.ReadString("S", "Bare", ""), "a");
    // A default stays as given, quotes and blanks included; an empty value is no default.
    EXPECT_EQ(ini.ReadString("S", "Missing", "\"d\""), "\"d\"");
    EXPECT_EQ(ini.ReadString("None", "Missing", " d "), " d ");
    ini.WriteString("S", "Empty", "");
    EXPECT_EQ(ini.ReadString("S", "Empty", "d"), "");
    DeleteFileByName(fileName);
}

// Files that a person has edited read as every other program reads them.
TEST(IniFile, HandEditedFilesReadAsTheSystemReadsThem) {
    std::string fileName = TempFileName("ini_file_edited.prm");
    WriteWholeFile(fileName, "; placements of the viewer\r\n"
                             "Loose=1\r\n"
                             "[fmChart] \r\n"
                             "  NormPos = 10,20,300,400 \r\n"
                             "ShowCmd=1 \r\n"
                             ";kept in the section\r\n"
                             "[fmSystem] ;the system window\r\n"
                             "NormPos=1,2,3,4\r\n"
                             "[fmChart]\r\n"
                             "NormPos=5,6,7,8\r\n"
                             "Flags=2\r\n");
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("fmChart", "NormPos", ""), "10,20,300,400");
    EXPECT_EQ(ini.ReadInteger("fmChart", "ShowCmd", 0), 1);
    EXPECT_EQ(ini.ReadString("fmSystem", "NormPos", ""), "1,2,3,4");
    // Of a section named twice only the first counts.
    EXPECT_EQ(ini.ReadString("fmChart", "Flags", "none"), "none");
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"fmChart", "fmSystem", "fmChart"}));
    TStringList values;
    ini.ReadSectionValues("fmChart", values);
    EXPECT_EQ(values.Count(), 2);
    EXPECT_EQ(values.Values("NormPos"), "10,20,300,400");

    // A write goes into the first section, and the lines around it stay.
    ini.WriteString("fmChart", "NormPos", "11,21,301,401");
    EXPECT_EQ(ini.ReadString("fmChart", "NormPos", ""), "11,21,301,401");
    EXPECT_EQ(Sections(ini), (std::vector<std::string>{"fmChart", "fmSystem", "fmChart"}));
    const std::string text = ReadWholeFile(fileName);
    EXPECT_TRUE(Contains(text, "; placements of the viewer\r\nLoose=1\r\n")) << text;
    EXPECT_TRUE(Contains(text, ";kept in the section")) << text;
    EXPECT_TRUE(Contains(text, "NormPos=5,6,7,8")) << text;
    DeleteFileByName(fileName);
}

TEST(IniFile, AFileWithAByteOrderMarkKeepsItsFirstSection) {
    std::string fileName = TempFileName("ini_file_bom.prm");
    WriteWholeFile(fileName, "\xEF\xBB\xBF[fmChart]\r\nNormPos=10,20,300,400\r\n"
                             "Caption=\xD0\x93\xD1\x80\xD0\xB0\xD1\x84\xD0\xB8\xD0\xBA\r\n");
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("fmChart", "NormPos", ""), "10,20,300,400");
    EXPECT_EQ(ini.ReadString("fmChart", "Caption", ""), "График");
    ini.WriteString("fmChart", "Visible", "1");
    EXPECT_EQ(TIniFile(fileName).ReadString("fmChart", "NormPos", ""), "10,20,300,400");
    DeleteFileByName(fileName);
}

TEST(IniFile, TwoObjectsOnOneFileKeepEachOthersKeys) {
    std::string fileName = TempFileName("ini_file_shared.prm");
    DeleteFileByName(fileName);
    TIniFile first(fileName), second(fileName);
    first.WriteString("fmChart", "NormPos", "1,2,3,4");
    second.WriteString("fmSystem", "NormPos", "5,6,7,8");
    second.WriteString("fmChart", "ShowCmd", "3");
    first.WriteString("fmChart", "Flags", "0");
    EXPECT_EQ(first.ReadString("fmSystem", "NormPos", ""), "5,6,7,8");
    TStringList values;
    second.ReadSectionValues("fmChart", values);
    EXPECT_EQ(values.Text(), "NormPos=1,2,3,4\r\nShowCmd=3\r\nFlags=0\r\n");
    DeleteFileByName(fileName);
}

TEST(IniFile, LongValuesSectionsAndNamesAreReadWhole) {
    std::string fileName = TempFileName("ini_file_long.ini");
    std::string longValue(70000, 'v');
    longValue += "end";
    std::string text = "[Long]\r\nValue=" + longValue + "\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 500; ++i)
        text += "[Section number " + std::to_string(i) + "]\r\n";
    WriteWholeFile(fileName, text);
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("Long", "Value", ""), longValue);
    EXPECT_EQ(ini.ReadString("Long", "Missing", longValue), longValue);
    TStringList values;
    ini.ReadSectionValues("Long", values);
    ASSERT_EQ(values.Count(), 3001);
    EXPECT_EQ(values.Get(0), "Value=" + longValue);
    EXPECT_EQ(values.Get(3000), "Key2999=2999");
    auto sections = Sections(ini);
    ASSERT_EQ(sections.size(), 501u);
    EXPECT_EQ(sections.back(), "Section number 499");
    DeleteFileByName(fileName);
}

TEST(IniFile, NamesAndValuesKeepTheirLetters) {
    std::string fileName = TempFileName("ini_file_cyrillic.prm");
    DeleteFileByName(fileName);
    TIniFile ini(fileName);
    ini.WriteString("Окно графика", "Заголовок", "Параметры «базы» №1");
    EXPECT_EQ(TIniFile(fileName).ReadString("Окно графика", "Заголовок", ""),
              "Параметры «базы» №1");
    // The file holds the program's own code page.
    EXPECT_TRUE(Contains(ReadWholeFile(fileName), "[Окно графика]")) << ReadWholeFile(fileName);
    DeleteFileByName(fileName);
}

TEST(IniFile, ARelativeNameCountsFromTheCurrentFolder) {
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(ToWide(Folder().Path()).c_str()));
    TIniFile ini("relative.ini");
    ini.WriteString("S", "k", "v");
    SetCurrentDirectoryW(before);
    EXPECT_EQ(ini.FileName(), TempFileName("relative.ini"));
    EXPECT_TRUE(FileExists(TempFileName("relative.ini")));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    DeleteFileByName(TempFileName("relative.ini"));
}

TEST(IniFile, AnUnwritableFileRaises) {
    TIniFile ini(TempFileName("no_such_folder\\x.ini"));
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
    EXPECT_THROW(ini.WriteString("S", "k", "v"), EInOutError);
    EXPECT_THROW(ini.EraseSection("S"), EInOutError);
}
