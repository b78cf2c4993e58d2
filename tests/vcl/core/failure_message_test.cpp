// What the program says when it fails where no window can be made (no display).
#include "rtl/modality/message_box.h"
#include "vcl/core/application.h"
#include "vcl/core/control.h"

#include "support/refused_windows.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(FailureMessage, AMessageNoBoxCanShowGoesToStandardError) {
    TempFolder folder;
    const std::string path = folder.File("error.txt");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, file);
    // The real box this time, not the tests' stand-in.
    TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    {
        RefusedWindows refused;
        try {
            throw EInvalidOperation("Error creating window for TForm");
        } catch (...) {
            Application->HandleException(Application);
        }
    }
    SetMessageBoxHook(testHook);
    SetStdHandle(STD_ERROR_HANDLE, standardError);
    CloseHandle(file);

    std::ifstream written(path, std::ios::binary);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), Application->Title() + ": Error creating window for TForm\n");
}
