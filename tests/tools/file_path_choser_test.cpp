#include "tools/chooser_paths.h"
#include "tools/file_path_choser.h"

#include "rtl/file_io.h"
#include "rtl/file_names.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/dialog_answer.h"
#include "support/temp_folder.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/core/forms.h"
#include "vcl/user_input.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

std::string LongName(const std::string& path) {
    wchar_t name[MAX_PATH + 1] = {};
    GetLongPathNameW(ToWide(path).c_str(), name, MAX_PATH);
    return FromWide(name);
}

// The walk up either ends or the test fails after a while instead of hanging the run.
std::string WalkUpWithin(const std::string& folder) {
    auto walk = std::async(std::launch::async, [folder] { return ExistingFolderUp(folder); });
    if (walk.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "walking up from '" << folder << "' does not end";
        ExitProcess(1);
    }
    return walk.get();
}

struct TChoserOnForm {
    TChoserOnForm() : Form(MakeOwned<TForm>()) {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 400, 100);
        Choser = new TQZFilePathChoser(Form.get());
        Choser->SetParent(Form.get());
        Choser->SetBounds(10, 10, 300, 45);
        Choser->SetCaption("Шаблоны");
        Form->Show();
        Application->ProcessMessages();
    }
    TOwnedPtr<TForm> Form;
    TQZFilePathChoser* Choser;
    std::vector<std::string> Events;
};

// Answers the file-open dialog: notes where it opened and picks Choice (empty: cancel).
struct TOpenDialogAnswer {
    TOpenDialogAnswer() {
        Previous = SetOpenDialogHook([this](TOpenDialog& dialog) {
            InitialDir = dialog.InitialDir;
            FileName = dialog.FileName;
            dialog.FileName = Choice;
            return !Choice.empty();
        });
    }
    ~TOpenDialogAnswer() { SetOpenDialogHook(std::move(Previous)); }
    std::string Choice, InitialDir, FileName;
    TOpenDialogHook Previous;
};

} // namespace

TEST(ChooserPaths, WalkingUpEndsAtAnExistingFolderOrAtNothing) {
    TempFolder root;
    CreateDirectoryW(ToWide(root.File("sub")).c_str(), nullptr);
    EXPECT_EQ(WalkUpWithin(root.File("sub\\missing\\deeper")), root.File("sub"));
    EXPECT_EQ(WalkUpWithin(root.Path()), root.Path());
    // Relative and empty names, and a drive that is not there, run out without hanging.
    EXPECT_EQ(WalkUpWithin("no such folder\\nor this"), "");
    EXPECT_EQ(WalkUpWithin("no such folder"), "");
    EXPECT_EQ(WalkUpWithin(""), "");
    EXPECT_EQ(WalkUpWithin("Q:\\missing\\deeper"), "");
    EXPECT_EQ(WalkUpWithin("\\\\"), "");

    EXPECT_EQ(FileChooserStartFolder(root.File("sub\\missing\\file.txt"), ""), root.File("sub"));
    EXPECT_EQ(FileChooserStartFolder("missing\\file.txt", root.Path()), root.Path());
    EXPECT_EQ(FileChooserStartFolder("file.txt", ""), "");
    EXPECT_EQ(FolderChooserStartFolder("sub\\missing\\", root.Path()), root.File("sub"));
    EXPECT_EQ(FolderChooserStartFolder(root.File("sub") + "\\", ""), root.File("sub"));
    EXPECT_EQ(ChosenPath(root.File("sub\\a.txt"), root.Path()), "sub\\a.txt");
    EXPECT_EQ(ChosenPath(root.File("sub\\a.txt"), ""), root.File("sub\\a.txt"));
}

TEST(FilePathChoser, TheFileChooserOpensInTheNearestFolderAndKeepsTheChoiceRelative) {
    TempFolder root;
    CreateDirectoryW(ToWide(root.File("conf")).c_str(), nullptr);
    TChoserOnForm on;
    auto* c = on.Choser;
    c->SetChooseFile(true);
    c->SetFilter("INI|*.ini");
    c->SetRelativePath(root.Path());
    c->SetText("conf\\old\\crypto.ini");
    c->onBeforeButtonClick = [&](TObject* s) { on.Events.push_back(s == c ? "button" : "?"); };
    c->onBeforeChoose = [&](TObject*, int type, std::string& path) {
        on.Events.push_back("before " + IntToStr(type) + " " + path);
    };
    c->onAfterChoose = [&](TObject*, int, std::string& path) {
        on.Events.push_back("after " + path);
    };
    c->onChange = [&](TObject*) { on.Events.push_back("change " + c->Text()); };

    TOpenDialogAnswer answer;
    answer.Choice = root.File("conf\\crypto.ini");
    PostClick(c->btnChoose->Handle(), 5, 5);
    EXPECT_EQ(answer.InitialDir, root.File("conf"));
    EXPECT_EQ(answer.FileName, "crypto.ini");
    EXPECT_EQ(c->Text(), "conf\\crypto.ini");
    EXPECT_EQ(on.Events,
              (std::vector<std::string>{"button", "before 0 conf\\old\\crypto.ini",
                                        "after conf\\crypto.ini", "change conf\\crypto.ini"}));

    // Cancelled: nothing changes. With nothing found, the dialog opens in RelativePath and gets
    // the whole name.
    c->SetText("Q:\\nowhere\\x.ini");
    answer.Choice.clear();
    EXPECT_FALSE(c->Choose());
    EXPECT_EQ(c->Text(), "Q:\\nowhere\\x.ini");
    EXPECT_EQ(answer.InitialDir, root.Path());
    EXPECT_EQ(answer.FileName, "Q:\\nowhere\\x.ini");

    // onChoose alone decides.
    c->onChoose = [](TObject*, bool& ok, std::string& path) {
        ok = true;
        path = "chosen elsewhere";
    };
    EXPECT_TRUE(c->Choose());
    EXPECT_EQ(c->Text(), "chosen elsewhere");
}

TEST(FilePathChoser, TheFolderChooserOpensOnTheNearestFolderAndNeverHangsOnARelativeName) {
    TempFolder root;
    CreateDirectoryW(ToWide(root.File("templates")).c_str(), nullptr);
    TChoserOnForm on;
    auto* c = on.Choser;
    EXPECT_TRUE(c->ChoosePath());
    c->SetRelativePath(root.Path());
    c->SetText("templates\\gone\\deeper");
    const std::string typed = c->Text();
    EXPECT_TRUE(PressWhenFolderShown(IDOK, "templates", [&] {
        c->SetText(typed);
        PostClick(c->btnChoose->Handle(), 5, 5);
    }));
    EXPECT_TRUE(AnsiSameText(c->Text(), "templates")) << c->Text();

    c->SetRelativePath("");
    c->SetInitialDir(root.Path());
    bool chosen = false;
    EXPECT_TRUE(PressWhenFolderShown(IDOK, ExtractFileName(root.Path()), [&] {
        c->SetText("relative name\\that is nowhere");
        chosen = c->Choose();
    }));
    EXPECT_TRUE(chosen);
    EXPECT_TRUE(AnsiSameText(LongName(c->Text()), LongName(root.Path()))) << c->Text();

    c->SetText("kept");
    DialogAnswer answer(IDCANCEL);
    EXPECT_FALSE(c->Choose());
    EXPECT_EQ(c->Text(), "kept");
}

TEST(FilePathChoser, OpeningNeedsAPathUnlessTheHandlerAllowsIt) {
    TChoserOnForm on;
    auto* c = on.Choser;
    c->SetOpenButtonVisible(true);
    std::vector<std::string> opened;
    TShellOpenHook previous = SetShellOpenHook([&](const std::string& p) { opened.push_back(p); });
    std::vector<std::string> asked;
    bool allow = false;
    c->onBeforeOpen = [&](TObject* sender, bool& allowed, std::string& path) {
        asked.push_back(std::string(sender == c->btnOpen ? "btnOpen " : "? ") +
                        (allowed ? "yes " : "no ") + path);
        allowed = allowed || allow;
    };
    c->SetText("   ");
    PostClick(c->btnOpen->Handle(), 5, 5);
    allow = true;
    PostClick(c->btnOpen->Handle(), 5, 5);
    allow = false;
    c->SetText("C:\\windows");
    PostClick(c->btnOpen->Handle(), 5, 5);

    // Ctrl+O released in the edit opens too; O alone does not.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(c->edPathFile->Handle(), WM_KEYUP, 'O', 0xC0000001);
    Application->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    PostMessageW(c->edPathFile->Handle(), WM_KEYUP, 'O', 0xC0000001);
    Application->ProcessMessages();
    SetShellOpenHook(std::move(previous));

    EXPECT_EQ(asked,
              (std::vector<std::string>{"btnOpen no    ", "btnOpen no    ",
                                        "btnOpen yes C:\\windows", "btnOpen yes C:\\windows"}));
    EXPECT_EQ(opened, (std::vector<std::string>{"   ", "C:\\windows", "C:\\windows"}));
}

TEST(FilePathChoser, ReadOnlyDisablesTheChooserAndKeepsTheFocusOffTheEdit) {
    TChoserOnForm on;
    auto* c = on.Choser;
    c->SetFocus();
    EXPECT_EQ(GetFocus(), c->edPathFile->Handle());
    c->SetReadOnly(true);
    EXPECT_FALSE(IsWindowEnabled(c->btnChoose->Handle()));
    EXPECT_TRUE(GetWindowLongW(c->edPathFile->Handle(), GWL_STYLE) & ES_READONLY);
    SetFocus(nullptr);
    c->SetFocus();
    EXPECT_NE(GetFocus(), c->edPathFile->Handle());
    c->SetReadOnly(false);
    EXPECT_TRUE(IsWindowEnabled(c->btnChoose->Handle()));
}

TEST(FilePathChoser, PartsStandInARowInsideTheFrame) {
    TChoserOnForm on;
    auto* c = on.Choser;
    c->SetOpenButtonVisible(true);
    RECT edit, choose, open, self;
    GetWindowRect(c->edPathFile->Handle(), &edit);
    GetWindowRect(c->btnChoose->Handle(), &choose);
    GetWindowRect(c->btnOpen->Handle(), &open);
    GetWindowRect(c->Handle(), &self);
    EXPECT_EQ(choose.left - edit.right, 2);
    EXPECT_EQ(open.left - choose.right, 2);
    EXPECT_EQ(choose.right - choose.left, 35);
    EXPECT_EQ(self.right - open.right, 1 + 1 + 2); // frame, 3-D edge and the gap
    EXPECT_EQ(edit.top, choose.top);
    EXPECT_GT(edit.top - self.top, 8);     // below the caption
    EXPECT_FALSE(c->lbCaption->Visible()); // the frame carries the caption

    // Without the frame the caption label stands before the edit.
    c->SetShowBorder(false);
    GetWindowRect(c->edPathFile->Handle(), &edit);
    EXPECT_TRUE(c->lbCaption->Visible());
    EXPECT_EQ(edit.left - self.left, 2 + c->lbCaption->Width() + 4);
    EXPECT_EQ(edit.top, self.top);
}
