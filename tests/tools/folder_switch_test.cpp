#include "tools/folder_switch.h"

#include "rtl/strings.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
std::string CurrentFolder() {
    char folder[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}
} // namespace

TEST(FolderSwitch, ThePreviousFolderComesBackAlsoWhenTheWorkRaises) {
    TempFolder folder;
    const std::string before = CurrentFolder();
    try {
        TFolderSwitch inFolder(folder.Path() + "\\");
        EXPECT_TRUE(AnsiSameText(CurrentFolder(), folder.Path()));
        throw std::runtime_error("the library failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CurrentFolder(), before);
    {
        TFolderSwitch nowhere(folder.File("missing"));
        EXPECT_EQ(CurrentFolder(), before);
    }
    EXPECT_EQ(CurrentFolder(), before);
}
