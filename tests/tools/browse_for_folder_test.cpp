#include "tools/browse_for_folder.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/dialog_answer.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::string LongName(const std::string& path) {
    wchar_t name[MAX_PATH + 1] = {};
    GetLongPathNameW(ToWide(path).c_str(), name, MAX_PATH);
    return FromWide(name);
}

} // namespace

TEST(FolderBrowser, OkTakesTheFolderItOpenedOnAndCancelLeavesTheNameAlone) {
    TempFolder root;
    CreateDirectoryW(ToWide(root.File("inner")).c_str(), nullptr);
    struct {
        std::string Path() const { return P; }
        std::string P;
    } folder{root.File("inner")};
    std::string dir = folder.Path();
    {
        DialogAnswer answer(IDCANCEL, "inner");
        EXPECT_FALSE(QZSelectDirectory(nullptr, "Pick the templates", dir));
        ASSERT_TRUE(answer.Pressed);
        EXPECT_NE(std::find(answer.Texts.begin(), answer.Texts.end(), "Pick the templates"),
                  answer.Texts.end());
        EXPECT_EQ(dir, folder.Path());
    }
    bool chosen = false;
    EXPECT_TRUE(PressWhenFolderShown(IDOK, "inner", [&] {
        dir = folder.Path();
        chosen = QZSelectDirectory(nullptr, "Pick the templates", dir);
    }));
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(AnsiSameText(LongName(dir), LongName(folder.Path()))) << dir;
}

TEST(FolderBrowser, FlagsMapToTheShellsBits) {
    EXPECT_EQ(TBrowseForFolder::ShellFlags({bf_statustext, bf_ReturnOnlyFSDIRS}),
              unsigned(BIF_STATUSTEXT | BIF_RETURNONLYFSDIRS));
    EXPECT_EQ(TBrowseForFolder::ShellFlags({bf_BrowseForComputer, bf_EditBox}), 0x1010u);
    TBrowseForFolder browser;
    EXPECT_EQ(browser.FolderName, "C:\\");
    EXPECT_EQ(browser.Caption, "Select Folder");
    EXPECT_EQ(browser.Flags().Bits(), 0u);
}
