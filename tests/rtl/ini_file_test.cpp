#include "rtl/ini_file.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

// Every test's files live in a folder of their own that goes with the test program.
std::string TempFileName(const char* name) {
    static const TempFolder folder;
    return folder.File(name);
}

} // namespace

TEST(IniFile, EveryWriteReachesTheFileAtOnce) {
    std::string fileName = TempFileName("ini_file_test.prm");
    DeleteFileByName(fileName);
    {
        TIniFile ini(fileName);
        EXPECT_EQ(ini.ReadString("Form", "Flags", "none"), "none"); // no file yet
        ini.WriteString("Form", "Flags", "0");
        ini.WriteInteger("Form", "ShowCmd", 3);
        EXPECT_EQ(ReadWholeFile(fileName), "[Form]\r\nFlags=0\r\nShowCmd=3\r\n\r\n");
        ini.EraseSection("Form");
        EXPECT_EQ(ReadWholeFile(fileName), "");
        ini.WriteString("Other", "NormPos", "1,2,3,4");
    }
    TIniFile again(fileName);
    EXPECT_EQ(again.ReadString("other", "normpos", ""), "1,2,3,4");
    DeleteFileByName(fileName);
}

TEST(IniFile, ReadingDropsOnePairOfEnclosingQuotes) {
    std::string fileName = TempFileName("ini_file_quotes.ini");
    WriteWholeFile(fileName, "[S]\r\nDouble=\"\"a\"\"\r\nSingle=\"'a'\"\r\nOne=\"\"\"\r\n"
                             "Open=\"a\r\nMixed='a\"\r\n");
    TIniFile ini(fileName);
    EXPECT_EQ(ini.ReadString("S", "Double", ""), "\"a\"");
    EXPECT_EQ(ini.ReadString("S", "Single", ""), "'a'");
    EXPECT_EQ(ini.ReadString("S", "One", ""), "\"");
    EXPECT_EQ(ini.ReadString("S", "Open", ""), "\"a");
    EXPECT_EQ(ini.ReadString("S", "Mixed", ""), "'a\"");
    EXPECT_EQ(ini.ReadString("S", "Missing", "\"d\""), "\"d\""); // a default stays as given
    DeleteFileByName(fileName);
}

TEST(IniFile, AnUnwritableFileRaises) {
    TIniFile ini(TempFileName("no_such_folder\\x.ini"));
    EXPECT_THROW(ini.WriteString("S", "k", "v"), EInOutError);
}
