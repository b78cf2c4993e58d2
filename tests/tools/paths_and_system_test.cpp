#include "tools/file_paths.h"
#include "tools/system_info.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

TEST(SystemInfo, VersionsGiveTheirKindAndFlags) {
    struct TCase {
        bool Nt;
        unsigned Major, Minor;
        const char* ServicePack;
        TOS Os;
    };
    const TCase cases[] = {
        {false, 4, 0, "", os95},      {false, 4, 0, " B ", os95OSR2}, {false, 4, 10, "", os98},
        {false, 4, 10, "A", os98SE},  {false, 4, 90, "", osME},       {false, 4, 3, "", osUnknown},
        {false, 5, 0, "", osUnknown}, {true, 3, 51, "", osNT3},       {true, 4, 0, "SP6", osNT4},
        {true, 5, 0, "", os2K},       {true, 5, 1, "SP2", osXP},      {true, 5, 2, "", os2K},
        {true, 6, 1, "", osUnknown},  {true, 10, 0, "", osUnknown},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(OSOfVersion(c.Nt, c.Major, c.Minor, c.ServicePack), c.Os)
            << c.Nt << " " << c.Major << "." << c.Minor << " " << c.ServicePack;

    // Each kind sets its own flags and their twins, and no other.
    struct TFlags {
        TOS Os;
        std::vector<bool*> Set;
    };
    const std::vector<bool*> all = {&IsNT,    &IsWinNT, &Is95,      &IsWin95, &Is98,
                                    &IsWin98, &Is2K,    &IsWin2000, &IsOSR2,  &IsWin95OSR2,
                                    &IsSE,    &IsME,    &IsXP};
    const TFlags flags[] = {
        {osUnknown, {}},
        {os95, {&Is95, &IsWin95}},
        {os95OSR2, {&IsOSR2, &IsWin95OSR2}},
        {os98, {&Is98, &IsWin98}},
        {os98SE, {&IsSE}},
        {osME, {&IsME}},
        {osNT3, {&IsNT, &IsWinNT}},
        {osNT4, {&IsNT, &IsWinNT}},
        {os2K, {&IsNT, &IsWinNT, &Is2K, &IsWin2000}},
        {osXP, {&IsNT, &IsWinNT, &IsXP}},
    };
    for (const TFlags& f : flags) {
        SetOSFlags(f.Os);
        for (size_t i = 0; i < all.size(); ++i) {
            const bool expected = std::find(f.Set.begin(), f.Set.end(), all[i]) != f.Set.end();
            EXPECT_EQ(*all[i], expected) << "kind " << f.Os << ", flag " << i;
        }
    }
    DefineOS();
}
