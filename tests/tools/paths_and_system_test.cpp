#include "tools/file_paths.h"
#include "tools/system_info.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string CurrentFolder() {
    wchar_t buffer[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
    return FromWide(buffer, int(n));
}

bool EndsWithText(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && AnsiSameText(text.substr(text.size() - tail.size()), tail);
}

} // namespace

TEST(FilePaths, SlashesFollowTheDriveRule) {
    EXPECT_EQ(PathDelSlash("C:"), "C:\\");
    EXPECT_EQ(PathDelSlash("C:\\"), "C:\\");
    EXPECT_EQ(PathDelSlash("C:\\a\\"), "C:\\a");
    EXPECT_EQ(PathDelSlash("C:\\a\\\\"), "C:\\a\\"); // one backslash only
    EXPECT_EQ(PathDelSlash(""), "");
    EXPECT_EQ(DelSlash("C:\\"), "C:");
    EXPECT_EQ(DelSlash(""), "");
    EXPECT_EQ(AddSlash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(AddSlash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(AddSlash("C:"), "C:\\");
    EXPECT_EQ(AddSlash(""), "");
}

TEST(FilePaths, SplitPathNameJoinsUnlessTheNameIsAbsolute) {
    EXPECT_EQ(SplitPathName("C:\\a", "\\b.txt"), "C:\\a\\b.txt");
    EXPECT_EQ(SplitPathName("C:\\a\\", "b.txt"), "C:\\a\\b.txt");
    EXPECT_EQ(SplitPathName("C:\\a", "D:\\b.txt"), "D:\\b.txt");
    EXPECT_EQ(SplitPathName("C:\\a", "\\\\server\\share\\b.txt"), "\\\\server\\share\\b.txt");
    EXPECT_EQ(SplitPathName("C:\\a", ""), "C:\\a");
    EXPECT_EQ(SplitPathName("C:", "b.txt"), "C:\\b.txt");
}

TEST(FilePaths, ChangeFolderAndFileSize) {
    TempFolder temp;
    const std::string saved = CurrentFolder();
    WriteWholeFile(temp.File("данные.bin"), std::string(1234, 'x'));
    EXPECT_EQ(GetFileSize(temp.File("данные.bin")), 1234);
    EXPECT_EQ(GetFileSize(temp.File("*.bin")), 1234);
    EXPECT_EQ(GetFileSize(temp.Path()), 0); // a folder matches too
    EXPECT_EQ(GetFileSize(temp.File("missing.bin")), -1);
    EXPECT_EQ(GetFileSize(""), -1);

    QZChDir("  " + temp.Path() + "\\ ");
    EXPECT_TRUE(AnsiSameText(CurrentFolder(), temp.Path()));
    EXPECT_EQ(GetFileSize("данные.bin"), 1234); // relative names are expanded
    QZChDir("   ");
    EXPECT_TRUE(AnsiSameText(CurrentFolder(), temp.Path()));
    EXPECT_THROW(QZChDir(temp.File("missing")), EInOutError);
    QZChDir(saved);
}

TEST(SystemInfo, ModuleNames) {
    EXPECT_TRUE(EndsWithText(GetCurrentProgramFullName(), "test_tools.exe"))
        << GetCurrentProgramFullName();
    EXPECT_TRUE(EndsWithText(GetModulName("kernel32.dll"), "\\kernel32.dll"))
        << GetModulName("kernel32.dll");
    EXPECT_EQ(GetModulName("no_such_module_here.dll"), "");
}

TEST(SystemInfo, FlagsFollowTheVersion) {
    DefineOS();
    const TOS os = GetOS();
    EXPECT_EQ(IsNT, os == osNT3 || os == osNT4 || os == os2K || os == osXP);
    EXPECT_EQ(IsWinNT, IsNT);
    EXPECT_EQ(Is95, os == os95);
    EXPECT_EQ(IsWin95, Is95);
    EXPECT_EQ(IsOSR2, os == os95OSR2);
    EXPECT_EQ(IsWin95OSR2, IsOSR2);
    EXPECT_EQ(Is98, os == os98);
    EXPECT_EQ(IsWin98, Is98);
    EXPECT_EQ(IsSE, os == os98SE);
    EXPECT_EQ(Is2K, os == os2K);
    EXPECT_EQ(IsWin2000, Is2K);
    EXPECT_EQ(IsME, os == osME);
    EXPECT_EQ(IsXP, os == osXP);
    const int set = IsNT + Is95 + IsOSR2 + Is98 + IsSE + IsME;
    EXPECT_EQ(set, os == osUnknown ? 0 : 1);
}
