#include "tools/browse_for_folder.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/temp_folder.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Presses a button of the next dialog box of this thread from inside its modal loop, as the
// operator would, and notes the dialog's title.
struct TDialogAnswer {
    int Button = IDCANCEL;
    std::vector<std::string> Texts; // of the dialog's controls
    bool Answered = false;
};
TDialogAnswer Answer;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND window, LPARAM) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    Answer.Texts.push_back(FromWide(text));
    return TRUE;
}

void CALLBACK PressButton(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, LPARAM(&dialog));
    if (!dialog || Answer.Answered)
        return;
    KillTimer(nullptr, timer);
    EnumChildWindows(dialog, CollectText, 0);
    Answer.Answered = true;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(Answer.Button, BN_CLICKED),
                 LPARAM(GetDlgItem(dialog, Answer.Button)));
}

void AnswerNextDialog(int button) {
    Answer = TDialogAnswer();
    Answer.Button = button;
    SetTimer(nullptr, 0, 100, PressButton);
}

std::string LongName(const std::string& path) {
    wchar_t name[MAX_PATH + 1] = {};
    GetLongPathNameW(ToWide(path).c_str(), name, MAX_PATH);
    return FromWide(name);
}

} // namespace

TEST(FolderBrowser, OkTakesTheFolderItOpenedOnAndCancelLeavesTheNameAlone) {
    TempFolder folder;
    std::string dir = folder.Path();
    AnswerNextDialog(IDCANCEL);
    EXPECT_FALSE(QZSelectDirectory(nullptr, "Pick the templates", dir));
    ASSERT_TRUE(Answer.Answered);
    EXPECT_NE(std::find(Answer.Texts.begin(), Answer.Texts.end(), "Pick the templates"),
              Answer.Texts.end());
    EXPECT_EQ(dir, folder.Path());

    AnswerNextDialog(IDOK);
    EXPECT_TRUE(QZSelectDirectory(nullptr, "Pick the templates", dir));
    ASSERT_TRUE(Answer.Answered);
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
