#include "vcl/core/dropped_files.h"
#include "vcl/core/forms.h"
#include "vcl/core/screen.h"
#include "vcl/core/timer.h"
#include "vcl/dialogs/dialogs.h"

#include "../user_input.h"
#include "../vcl_test_support.h"
#include "support/dialog_answer.h"
#include "support/message_capture.h"
#include "support/shell_drop.h"
#include "support/system_calls.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <thread>

namespace {

class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* AOwner) : TForm(AOwner) {
        SetBorderStyle(bsNone);
        SetBounds(0, 0, 200, 100);
    }
    std::vector<std::string> Dropped;

protected:
    void CreateParams(TCreateParams& Params) override {
        TForm::CreateParams(Params);
        Params.ExStyle |= WS_EX_ACCEPTFILES;
    }
    void DropFiles(const std::vector<std::string>& FileNames) override { Dropped = FileNames; }
};

TOwnedPtr<TTestForm> MakeForm() {
    return TOwnedPtr<TTestForm>(CreateComponent<TTestForm>(nullptr));
}

TOwnedPtr<TTestForm> ShownFormAt(int left) {
    auto form = MakeForm();
    form->SetLeft(left);
    form->Show();
    return form;
}

// A step run once, from whatever message loop runs 30 ms (or the time given) after the timer is

} // namespace

TEST(Forms, ClosingHidesAFormThatIsNotMain) {
    auto form = MakeForm();
    std::vector<std::string> events;
    form->OnShow = [&](TObject*) { events.push_back("show"); };
    form->OnHide = [&](TObject*) { events.push_back("hide"); };
    form->OnClose = [&](TObject*, TCloseAction& action) {
        events.push_back(action == caHide ? "close hide" : "close other");
    };
    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    std::vector<std::string> expected = {"show", "close hide", "hide"};
    EXPECT_EQ(events, expected);
}

TEST(Forms, CloseQueryCanVetoAndCloseActionCanKeep) {
    auto form = MakeForm();
    form->Show();
    bool allow = false;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->Close();
    EXPECT_TRUE(form->Visible());
    allow = true;
    form->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
    form->Close();
    EXPECT_TRUE(form->Visible());
}

TEST(Forms, ClosingTheMainFormEndsTheProgram) {
    TTestForm* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(Application->MainForm(), main);
    main->Show();
    main->Close();
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
    // The quit message stays for the loop that owns it.
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    Application->ClearTerminated();
    main->Free();
}

TEST(Forms, RunFreesTheApplicationsFormsWhenTheLoopEnds) {
    const int formsBefore = Screen->FormCount();
    TTestForm* main = nullptr;
    TTestForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    ASSERT_EQ(Application->MainForm(), main);
    PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    Application->ClearTerminated();
    // Gone before the program's end destroys what their controls use.
    EXPECT_EQ(Screen->FormCount(), formsBefore);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, ShowModalRunsUntilAResultAndDisablesOtherForms) {
    auto other = MakeForm();
    other->Show();
    auto dialog = MakeForm();
    bool otherDisabled = false;
    auto timer = MakeOwned<TTimer>();
    timer->SetInterval(30);
    timer->SetOnTimer([&](TObject*) {
        otherDisabled = !IsWindowEnabled(other->Handle());
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(dialog->Visible());

    // Closing a modal form cancels it.
    timer->SetOnTimer([&](TObject*) { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(Forms, ConstraintsLimitTheWindowSize) {
    auto form = MakeForm();
    form->SetBorderStyle(bsSizeable);
    TSizeConstraints limits;
    limits.MinHeight = 80;
    limits.MaxHeight = 80;
    form->SetConstraints(limits);
    form->Show();
    SetWindowPos(form->Handle(), nullptr, 0, 0, 300, 300, SWP_NOZORDER | SWP_NOMOVE);
    MINMAXINFO info{};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize.y, 80);
    EXPECT_EQ(info.ptMinTrackSize.y, 80);
    form->SetHeight(300);
    EXPECT_EQ(form->Height(), 80);
}

TEST(Forms, AMinimisedFormMeasuresTheClientAreaItIsRestoredTo) {
    auto form = MakeForm();
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    const TRect restored = form->ClientRect();
    ShowWindow(form->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(form->ClientRect(), restored);
    EXPECT_EQ(form->Height() - form->ClientHeight(), 200 - restored.Height());
}

TEST(Forms, BoundsSetWhileMinimisedAreTakenWhenTheFormIsRestored) {
    auto form = MakeForm();
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(10, 20, 300, 200);
    form->Show();
    ShowWindow(form->Handle(), SW_MINIMIZE);
    TSizeConstraints pinned;
    pinned.MinHeight = pinned.MaxHeight = 150;
    form->SetConstraints(pinned);
    EXPECT_EQ(form->Height(), 150);
    ShowWindow(form->Handle(), SW_RESTORE);
    RunMessagesFor(100);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(FromRECT(window), Bounds(10, 20, 300, 150));
    EXPECT_EQ(form->BoundsRect(), Bounds(10, 20, 300, 150));
    MINMAXINFO info{};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize.y, 150);
}

TEST(Forms, ScreenListsFormsInCreationOrder) {
    int before = Screen->FormCount();
    auto a = MakeForm();
    auto b = MakeForm();
    ASSERT_EQ(Screen->FormCount(), before + 2);
    EXPECT_EQ(Screen->Forms(before), a.get());
    EXPECT_EQ(Screen->Forms(before + 1), b.get());
    a.reset();
    EXPECT_EQ(Screen->FormCount(), before + 1);
    EXPECT_GT(Screen->Width(), 0);
    EXPECT_NE(Screen->Cursors(crHourGlass), nullptr);
}

TEST(Forms, DroppedFilesArriveWholeAndInOrder) {
    auto form = MakeForm();
    std::wstring longName = L"C:\\" + std::wstring(300, L'д') + L"\\snapshot.dbg";
    HDROP drop = MakeShellDrop({L"C:\\a.txt", longName, L"C:\\Данные\\b.txt"});
    SendMessageW(form->Handle(), WM_DROPFILES, WPARAM(drop), 0);
    ASSERT_EQ(form->Dropped.size(), 3u);
    EXPECT_EQ(form->Dropped[0], "C:\\a.txt");
    EXPECT_EQ(form->Dropped[1].size(), 3u + 300u + 13u);
    EXPECT_EQ(form->Dropped[1], "C:\\" + std::string(300, 'д') + "\\snapshot.dbg");
    EXPECT_EQ(form->Dropped[2], "C:\\Данные\\b.txt");
    EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(Forms, ExceptionInOnCreateIsShown) {
    struct TFailingForm : TForm {
        explicit TFailingForm(TComponent* o) : TForm(o) {
            OnCreate = [](TObject*) { throw Exception("Cannot create"); };
        }
    };
    MessageCapture capture;
    auto form = TOwnedPtr<TFailingForm>(CreateComponent<TFailingForm>(nullptr));
    EXPECT_EQ(capture.Texts, std::vector<std::string>{"Cannot create"});
}

TEST(Forms, AFocusedControlMadeByAnotherControlIsForgottenWhenItGoes) {
    auto form = MakeOwned<TTestForm>();
    form->Show();
    // The inner control belongs to the panel, not to the form: the form hears nothing of its
    // freeing through ownership.
    auto* panel = new TWinControl(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 100, 50);
    auto* inner = new TWinControl(panel);
    inner->SetParent(panel);
    inner->SetBounds(0, 0, 50, 20);
    form->SetActiveControl(inner);
    ASSERT_EQ(form->ActiveControl(), inner);
    inner->Free();
    EXPECT_NE(form->ActiveControl(), inner);
    // The same when the inner control goes with its parent.
    inner = new TWinControl(panel);
    inner->SetParent(panel);
    form->SetActiveControl(inner);
    panel->Free();
    EXPECT_EQ(form->ActiveControl(), nullptr);
}
