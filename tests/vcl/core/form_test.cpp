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
// enabled (a modal form's); the timer starts enabled unless asked otherwise.
TOwnedPtr<TTimer> StepFromTheLoop(std::function<void()> step, bool enabled = true,
                                  unsigned after = 30) {
    auto timer = MakeOwned<TTimer>();
    timer->SetEnabled(enabled);
    timer->SetInterval(after);
    TTimer* once = timer.get();
    timer->SetOnTimer([once, step = std::move(step)](TObject*) {
        once->SetEnabled(false);
        step();
    });
    return timer;
}

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

namespace {
// What the system does to windows while it lives: the owners the dialog boxes made on this
// thread were given, and how often a window was enabled.
class WindowWatch {
public:
    explicit WindowWatch(HWND watched) : FWatched(watched) {
        Current = this;
        FCreation = SetWindowsHookExW(WH_CBT, Creation, nullptr, GetCurrentThreadId());
        FCalls = SetWindowsHookExW(WH_CALLWNDPROC, Call, nullptr, GetCurrentThreadId());
    }
    ~WindowWatch() {
        UnhookWindowsHookEx(FCreation);
        UnhookWindowsHookEx(FCalls);
        Current = nullptr;
    }
    std::vector<HWND> BoxOwners;
    int TimesEnabled = 0;

private:
    static LRESULT CALLBACK Creation(int code, WPARAM wParam, LPARAM lParam) {
        wchar_t name[16] = {};
        GetClassNameW(HWND(wParam), name, 16);
        if (code == HCBT_CREATEWND && std::wstring(name) == L"#32770")
            Current->BoxOwners.push_back(
                reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Call(int code, WPARAM wParam, LPARAM lParam) {
        const auto& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
        if (call.hwnd == Current->FWatched && call.message == WM_ENABLE && call.wParam)
            ++Current->TimesEnabled;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline WindowWatch* Current = nullptr;
    HWND FWatched;
    HHOOK FCreation = nullptr;
    HHOOK FCalls = nullptr;
};
} // namespace

TEST(Forms, AModalFormAndItsBoxesStayOverTheFormItWasOpenedFromWhichStaysDisabled) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    auto dialog = MakeForm();
    // The real boxes, with the active window as their owner: one of those the dialog disabled.
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    SetActiveWindow(other->Handle());
    std::vector<bool> enabledWhileUp;
    HWND ownerWhileUp = nullptr;
    bool activeAfterAClickOnTheOther = false;
    auto timer = StepFromTheLoop(
        [&] {
            enabledWhileUp = {IsWindowEnabled(main->Handle()) != 0,
                              IsWindowEnabled(other->Handle()) != 0};
            ownerWhileUp = GetWindow(dialog->Handle(), GW_OWNER);
            SetCursorPos(350, 50);
            ClickAtPointer();
            activeAfterAClickOnTheOther = GetActiveWindow() == dialog->Handle();
            dialog->SetModalResult(mrOk);
        },
        false);
    WindowWatch watch(other->Handle());
    dialog->OnShow = [&](TObject*) {
        KeyOnEveryBox enter(VK_RETURN);
        // Two boxes, as a missing library gives: the second comes after the first closed.
        ShowMessage("Error load library: Sigmakit.dll");
        ShowMessage("Error load library: ");
        timer->SetEnabled(true);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    SetMessageBoxHook(testHook);
    // Owned by the form the dialog waits on, which the window manager keeps them above.
    EXPECT_EQ(watch.BoxOwners, (std::vector<HWND>{other->Handle(), other->Handle()}));
    EXPECT_EQ(ownerWhileUp, other->Handle());
    EXPECT_EQ(watch.TimesEnabled, 1) << "enabled only as the dialog closed";
    EXPECT_EQ(enabledWhileUp, (std::vector<bool>{false, false}));
    EXPECT_TRUE(activeAfterAClickOnTheOther);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), nullptr);
}

TEST(Forms, AModalFormKeepsItsWindowWhenTheFormItWasOpenedFromGoes) {
    auto opener = MakeForm();
    opener->Show();
    SetActiveWindow(opener->Handle());
    auto dialog = MakeForm();
    HWND window = nullptr;
    bool keptWindow = false;
    auto timer = StepFromTheLoop([&] {
        window = dialog->Handle();
        opener.reset();
        keptWindow = IsWindow(window) && dialog->WindowHandle() == window &&
                     IsWindowVisible(window) && !GetWindow(window, GW_OWNER);
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(keptWindow);
    EXPECT_EQ(dialog->WindowHandle(), window);
}

namespace {
// The program's windows on the screen, the one on top first.
std::vector<HWND> WindowsOfTheProgramInOrder() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            windows.push_back(window);
    }
    return windows;
}

// The window of this program the user sees on top.
HWND FirstWindowOfTheProgram() {
    const std::vector<HWND> windows = WindowsOfTheProgramInOrder();
    return windows.empty() ? nullptr : windows.front();
}

// What a window manager does on a click on a window's title bar: the window goes on top
// without being activated.
void RaiseAsAWindowManagerWould(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool CanBeActive(HWND window) {
    return window && IsWindowVisible(window) && IsWindowEnabled(window) && !IsIconic(window);
}

// What Wine does when a window manager offers a window the focus: it asks the window as if its
// menu bar were clicked, and activates it unless it declines. One that cannot be active (a
// disabled one) passes the offer to the thread's focused or active window, if that one can be.
void OfferTheFocusAsAWindowManagerDoesUnderWine(HWND window) {
    if (!CanBeActive(window)) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        GetGUIThreadInfo(GetCurrentThreadId(), &thread);
        const HWND instead =
            thread.hwndFocus ? GetAncestor(thread.hwndFocus, GA_ROOT) : thread.hwndActive;
        if (CanBeActive(instead))
            SetForegroundWindow(instead);
        return;
    }
    const LRESULT answer =
        SendMessageW(window, WM_MOUSEACTIVATE, WPARAM(window), MAKELPARAM(HTMENU, WM_LBUTTONDOWN));
    if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT)
        SetForegroundWindow(window);
}

// What Wine does as a window manager brings a window out of the minimised or the maximised state
// by itself: the window is restored at the place and size the manager shows it at in that moment.
void RestoredByTheWindowManagerTo(HWND window, const RECT& bounds) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = bounds;
    placement.showCmd = SW_RESTORE;
    SetWindowPlacement(window, &placement);
}

// A minimised window shown again elsewhere, as at the screen's edge its deiconify animation is at.
void RestoredByTheWindowManagerAt(HWND window, int left, int top) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    RECT bounds = placement.rcNormalPosition;
    OffsetRect(&bounds, left - bounds.left, top - bounds.top);
    RestoredByTheWindowManagerTo(window, bounds);
}

RECT PlaceOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

BOOL CALLBACK FindVisibleBox(HWND window, LPARAM result) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND VisibleBoxOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleBox, LPARAM(&found));
    return found;
}

// A key for a system dialog's own loop, which it takes as that dialog's command.
void PostKeyForItsLoop(HWND dialog, uint16_t key) {
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(dialog, WM_KEYDOWN, key, LPARAM(1 | scan << 16));
    PostMessageW(dialog, WM_KEYUP, key, LPARAM(1 | scan << 16 | 3u << 30));
}

// A step run once on the first system dialog of this thread to show, from that dialog's own
// loop; the timer starts enabled unless asked otherwise.
TOwnedPtr<TTimer> StepOnTheDialog(std::function<void(HWND)> step, bool enabled = true) {
    auto timer = MakeOwned<TTimer>();
    timer->SetEnabled(enabled);
    timer->SetInterval(30);
    TTimer* once = timer.get();
    timer->SetOnTimer([once, step = std::move(step)](TObject*) {
        const HWND dialog = VisibleBoxOfThisThread();
        if (!dialog)
            return;
        once->SetEnabled(false);
        step(dialog);
    });
    return timer;
}

// A window of another thread, with its own message loop, standing for another program's.
class OtherThreadWindow {
public:
    OtherThreadWindow() {
        FThread = std::thread([this] {
            FWindow = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 0, 100,
                                      100, nullptr, nullptr, nullptr, nullptr);
            SetEvent(FMade);
            while (MsgWaitForMultipleObjects(1, &FDone, FALSE, INFINITE, QS_ALLINPUT) !=
                   WAIT_OBJECT_0) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageW(&msg);
            }
            DestroyWindow(FWindow);
        });
        WaitForSingleObject(FMade, INFINITE);
    }
    ~OtherThreadWindow() {
        SetEvent(FDone);
        FThread.join();
        CloseHandle(FMade);
        CloseHandle(FDone);
    }
    HWND Window() const { return FWindow; }

private:
    HANDLE FMade = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE FDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND FWindow = nullptr;
    std::thread FThread;
};
} // namespace

TEST(Forms, AModalFormComesBackAboveAFormRaisedOverItWhileTheProgramIsInTheForeground) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    auto dialog = MakeForm();
    dialog->SetLeft(100);
    bool onTheTaskBar = false;
    bool cameBack = false;
    bool stayedBelowTheOtherProgram = false;
    auto timer = StepFromTheLoop([&] {
        // Owned by the form it was opened from, which keeps it off the task bar unless it asks.
        onTheTaskBar = GetWindowLongW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW;
        RaiseAsAWindowManagerWould(other->Handle());
        cameBack = PumpUntil([&] { return FirstWindowOfTheProgram() == dialog->Handle(); });
        {
            OtherThreadWindow other;
            SetForegroundWindow(other.Window());
            RaiseAsAWindowManagerWould(other.Window());
            RunMessagesFor(300);
            stayedBelowTheOtherProgram = FirstWindowOfTheProgram() == other.Window();
        }
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(onTheTaskBar);
    EXPECT_TRUE(cameBack);
    EXPECT_TRUE(stayedBelowTheOtherProgram);
    EXPECT_FALSE(GetWindowLongW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(Forms, AModalFormEndedAfterAnotherProgramWasInFrontLeavesTheFormItWasOpenedFromInFront) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    auto dialog = MakeForm();
    dialog->SetLeft(100);
    OtherThreadWindow otherProgram;
    SetForegroundWindow(main->Handle());
    std::vector<HWND> activated;
    for (TForm* form : {static_cast<TForm*>(main.get()), static_cast<TForm*>(other.get())})
        form->OnActivate = [&activated, form](TObject*) { activated.push_back(form->Handle()); };
    auto timer = StepFromTheLoop([&] {
        // The user works in the other program a while, then clicks the dialog, which the window
        // manager makes the foreground window, and closes it.
        SetForegroundWindow(otherProgram.Window());
        RunMessagesFor(100);
        SetForegroundWindow(dialog->Handle());
        RunMessagesFor(100);
        activated.clear();
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(GetForegroundWindow(), main->Handle());
    EXPECT_EQ(activated, std::vector<HWND>{main->Handle()});
}

TEST(Forms, AMinimisedModalFormComesBackActiveAtAClickOnAWindowItDisables) {
    auto main = ShownFormAt(0);
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetLeft(300);
    bool minimizeBoxWhileModal = false;
    bool cameBack = false;
    auto timer = StepFromTheLoop([&] {
        minimizeBoxWhileModal = GetWindowLongW(dialog->Handle(), GWL_STYLE) & WS_MINIMIZEBOX;
        // As the window manager minimises it from its title bar's button.
        ShowWindow(dialog->Handle(), SW_MINIMIZE);
        SetCursorPos(100, 50);
        ClickAtPointer();
        cameBack = PumpUntil([&] {
            return !IsIconic(dialog->Handle()) && GetActiveWindow() == dialog->Handle() &&
                   FirstWindowOfTheProgram() == dialog->Handle();
        });
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(minimizeBoxWhileModal) << "the system takes a window as minimised only with one";
    EXPECT_TRUE(cameBack);
    EXPECT_FALSE(GetWindowLongW(dialog->Handle(), GWL_STYLE) & WS_MINIMIZEBOX);
}

TEST(Forms, AModalFormTheWindowManagerShowsAgainElsewhereComesBackAndOpensAtItsOwnPlace) {
    auto main = ShownFormAt(0);
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBounds(300, 200, 240, 160);
    RECT before{}, restored{}, reopened{};
    auto timer = StepFromTheLoop([&] {
        before = PlaceOf(dialog->Handle());
        // As Wine minimises it when the window manager does, and restores it as the manager shows
        // it again with the window it was opened from, at the screen's bottom edge.
        SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        RestoredByTheWindowManagerAt(dialog->Handle(), 672, 976);
        restored = PlaceOf(dialog->Handle());
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    auto again = StepFromTheLoop([&] {
        reopened = PlaceOf(dialog->Handle());
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(EqualRect(&restored, &before));
    EXPECT_TRUE(EqualRect(&reopened, &before));
    EXPECT_EQ(dialog->Top(), 200);
}

TEST(Forms, AModalFormMaximisedMinimisedAndBroughtBackIsUnmaximisedToItsOwnPlace) {
    auto main = ShownFormAt(0);
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsSizeable);
    dialog->SetBounds(300, 200, 240, 160);
    RECT before{}, unmaximised{}, afterTheLateReport{};
    bool cameBackMaximised = false;
    auto timer = StepFromTheLoop([&] {
        before = PlaceOf(dialog->Handle());
        ShowWindow(dialog->Handle(), SW_MAXIMIZE);
        SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        SendMessageW(dialog->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
        cameBackMaximised = IsZoomed(dialog->Handle());
        // Un-maximised while the manager still shows it at the maximised size.
        const RECT maximised = PlaceOf(dialog->Handle());
        RestoredByTheWindowManagerTo(dialog->Handle(), maximised);
        unmaximised = PlaceOf(dialog->Handle());
        // The manager's report of the maximised place, come after the un-maximising.
        SetWindowPos(dialog->Handle(), nullptr, maximised.left, maximised.top,
                     maximised.right - maximised.left, maximised.bottom - maximised.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        afterTheLateReport = PlaceOf(dialog->Handle());
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(cameBackMaximised);
    EXPECT_TRUE(EqualRect(&unmaximised, &before));
    EXPECT_TRUE(EqualRect(&afterTheLateReport, &before));
}

namespace {
struct TBroughtBack {
    bool KeptMinimisedOverTheFallback = false;
    bool CameBack = false;
};

// The window manager minimises the window and falls back to another window at once; the user
// works in another program a while, then activates the given window of the program. Whether the
// window stayed minimised over the fallback, and then came back at its place, in front.
TBroughtBack MinimisedThenBroughtBackBy(HWND window, HWND activated, HWND otherProgram) {
    TBroughtBack seen;
    const RECT before = PlaceOf(window);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    OfferTheFocusAsAWindowManagerDoesUnderWine(activated);
    RunMessagesFor(100);
    seen.KeptMinimisedOverTheFallback = IsIconic(window);
    SetForegroundWindow(otherProgram);
    RunMessagesFor(700);
    OfferTheFocusAsAWindowManagerDoesUnderWine(activated);
    seen.CameBack = PumpUntil([&] {
        const RECT now = PlaceOf(window);
        return !IsIconic(window) && GetForegroundWindow() == window && EqualRect(&now, &before);
    });
    return seen;
}
} // namespace

TEST(Forms, AMinimisedModalFormOrBoxComesBackWhenTheWindowManagerActivatesAWindowItDisables) {
    auto main = ShownFormAt(0);
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBounds(300, 200, 240, 160);
    OtherThreadWindow otherProgram;
    TBroughtBack form, box;
    // A box opened over the form once it came back, which disables every window of the thread.
    auto boxStep = StepOnTheDialog(
        [&](HWND window) {
            box = MinimisedThenBroughtBackBy(window, main->Handle(), otherProgram.Window());
            PostKeyForItsLoop(window, VK_RETURN);
        },
        false);
    auto timer = StepFromTheLoop([&] {
        form = MinimisedThenBroughtBackBy(dialog->Handle(), main->Handle(), otherProgram.Window());
        boxStep->SetEnabled(true);
        const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
        ShowMessage("Cannot open file");
        SetMessageBoxHook(testHook);
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(form.KeptMinimisedOverTheFallback);
    EXPECT_TRUE(form.CameBack);
    EXPECT_TRUE(box.KeptMinimisedOverTheFallback);
    EXPECT_TRUE(box.CameBack);
    EXPECT_EQ(GetActiveWindow(), main->Handle());
}

namespace {
// What a window manager does as a modal window ends and the next one is mapped, when another
// program's window had the focus before the first: it falls back to that window, and of the
// windows mapped since it focuses only a new one of the program that is on the screen and has no
// owner, once; one that belongs to windows it does not focus it leaves alone, as the user works
// elsewhere. The windows it saw are added to those seen before. OfferTheNewlyMapped is the
// second half alone.
void OfferTheNewlyMapped(std::vector<HWND>& seen) {
    RECT screen{}, common{};
    SetRect(&screen, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (HWND window : WindowsOfTheProgramInOrder()) {
        if (std::find(seen.begin(), seen.end(), window) != seen.end())
            continue;
        seen.push_back(window);
        const RECT bounds = PlaceOf(window);
        if (!GetWindow(window, GW_OWNER) && IntersectRect(&common, &bounds, &screen))
            OfferTheFocusAsAWindowManagerDoesUnderWine(window);
    }
}

void NextMappedAsTheWindowManagerDoes(HWND otherProgram, std::vector<HWND>& seen) {
    SetForegroundWindow(otherProgram);
    OfferTheNewlyMapped(seen);
}
} // namespace

namespace {
// Run once as the next dialog window of this thread is made.
thread_local std::function<void()> OnTheNextDialogMade;

LRESULT CALLBACK WatchDialogsMade(int code, WPARAM window, LPARAM creation) {
    wchar_t name[16] = {};
    if (code == HCBT_CREATEWND && OnTheNextDialogMade && GetClassNameW(HWND(window), name, 16) &&
        std::wstring(name) == L"#32770")
        std::exchange(OnTheNextDialogMade, nullptr)();
    return CallNextHookEx(nullptr, code, window, creation);
}
} // namespace

TEST(Forms, BoxesAndTheFormAfterThemTakeTheKeysWhenAnotherProgramWasUsedWhileTheFirstWasUp) {
    const HHOOK dialogsMade =
        SetWindowsHookExW(WH_CBT, WatchDialogsMade, nullptr, GetCurrentThreadId());
    auto main = ShownFormAt(0);
    OtherThreadWindow otherProgram;
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    enum TRound { FirstLeft, FirstMinimised, OfferBeforeTheSecondShows, OfferLost };
    for (const TRound round : {FirstLeft, FirstMinimised, OfferBeforeTheSecondShows, OfferLost}) {
        SCOPED_TRACE(round == FirstLeft        ? "the first box left"
                     : round == FirstMinimised ? "the first box minimised meanwhile"
                     : round == OfferLost      ? "the manager's offer lost"
                                               : "the manager's offer before the second box shows");
        auto dialog = MakeForm();
        dialog->SetBounds(300, 200, 240, 160);
        std::vector<HWND> shown;
        bool secondInFront = false, formInFront = false, offeredBeforeTheSecondShowed = false;
        auto formStep = StepFromTheLoop(
            [&] {
                NextMappedAsTheWindowManagerDoes(otherProgram.Window(), shown);
                formInFront = PumpUntil([&] {
                    return GetForegroundWindow() == dialog->Handle() &&
                           GetActiveWindow() == dialog->Handle();
                });
                dialog->SetModalResult(mrOk);
            },
            false);
        auto secondStep = StepOnTheDialog(
            [&](HWND box) {
                RunMessagesFor(100);
                if (round == OfferLost || round == OfferBeforeTheSecondShows) {
                    // The manager's fallback reaches the program only now; each window mapped
                    // from now on is offered the focus as it appears.
                    SetForegroundWindow(otherProgram.Window());
                    PumpUntil([&] {
                        OfferTheNewlyMapped(shown);
                        return GetForegroundWindow() == box;
                    });
                } else {
                    NextMappedAsTheWindowManagerDoes(otherProgram.Window(), shown);
                }
                secondInFront = PumpUntil([&] { return GetForegroundWindow() == box; });
                shown = WindowsOfTheProgramInOrder();
                formStep->SetEnabled(true);
                PostKeyForItsLoop(box, VK_RETURN);
            },
            false);
        // As the second box is made, before it is shown; or the manager never offers the window
        // mapped at the first box's end.
        std::function<void()> earlyOffer = [&] {
            offeredBeforeTheSecondShowed = !VisibleBoxOfThisThread();
            NextMappedAsTheWindowManagerDoes(otherProgram.Window(), shown);
        };
        std::function<void()> lostOffer = [&] { shown = WindowsOfTheProgramInOrder(); };
        auto firstStep = StepOnTheDialog([&](HWND box) {
            shown = WindowsOfTheProgramInOrder();
            if (round == FirstMinimised) {
                MinimisedThenBroughtBackBy(box, main->Handle(), otherProgram.Window());
            } else {
                // The user works in the other program, then brings the box back by its entry.
                SetForegroundWindow(otherProgram.Window());
                RunMessagesFor(200);
                SetForegroundWindow(box);
            }
            secondStep->SetEnabled(true);
            if (round == OfferBeforeTheSecondShows)
                OnTheNextDialogMade = earlyOffer;
            if (round == OfferLost)
                OnTheNextDialogMade = lostOffer;
            PostKeyForItsLoop(box, VK_RETURN);
        });
        // As the settings dialog shows the boxes of a library it cannot load.
        dialog->OnShow = [](TObject*) {
            ShowMessage("Error load library: first");
            ShowMessage("Error load library: second");
        };
        SetForegroundWindow(main->Handle());
        EXPECT_EQ(dialog->ShowModal(), mrOk);
        EXPECT_TRUE(secondInFront);
        EXPECT_TRUE(formInFront);
        EXPECT_EQ(offeredBeforeTheSecondShowed, round == OfferBeforeTheSecondShows);
    }
    SetMessageBoxHook(testHook);
    UnhookWindowsHookEx(dialogsMade);
}

namespace {
// What a modal window opened while another program was in front did.
struct TOpenedElsewhere {
    bool ActiveAtOnce = false;
    bool OnTopOfTheProgram = false;
    // And stayed inactive until the user came back.
    bool DeclinedTheManagersOffer = false;
    bool TookTheKeysAsTheProgramWasActivated = false;
};

// The window manager offers the window the focus as it maps it; later the user activates the
// given window of the program from the manager's list.
TOpenedElsewhere OpenedElsewhereThenActivated(HWND window, HWND activated) {
    TOpenedElsewhere seen;
    seen.ActiveAtOnce = GetActiveWindow() == window || GetForegroundWindow() == window;
    seen.OnTopOfTheProgram = FirstWindowOfTheProgram() == window;
    OfferTheFocusAsAWindowManagerDoesUnderWine(window);
    RunMessagesFor(100);
    seen.DeclinedTheManagersOffer = GetActiveWindow() != window && GetForegroundWindow() != window;
    RunMessagesFor(700);
    seen.DeclinedTheManagersOffer = seen.DeclinedTheManagersOffer && GetActiveWindow() != window &&
                                    GetForegroundWindow() != window;
    OfferTheFocusAsAWindowManagerDoesUnderWine(activated);
    seen.TookTheKeysAsTheProgramWasActivated =
        PumpUntil([&] { return GetForegroundWindow() == window && GetActiveWindow() == window; });
    return seen;
}

void ExpectWaitedForTheUser(const TOpenedElsewhere& seen) {
    EXPECT_FALSE(seen.ActiveAtOnce);
    EXPECT_TRUE(seen.OnTopOfTheProgram);
    EXPECT_TRUE(seen.DeclinedTheManagersOffer);
    EXPECT_TRUE(seen.TookTheKeysAsTheProgramWasActivated);
}
} // namespace

TEST(Forms, AModalFormOrBoxOpenedWhileAnotherProgramIsInFrontWaitsForTheUserAboveTheProgram) {
    auto main = ShownFormAt(0);
    OtherThreadWindow otherProgram;
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBounds(300, 200, 240, 160);
    TOpenedElsewhere form, box;
    // What the program asked of the window manager before is settled by then.
    const auto userGoesElsewhere = [&] {
        SetForegroundWindow(otherProgram.Window());
        RunMessagesFor(500);
    };
    SetForegroundWindow(main->Handle());
    userGoesElsewhere();
    // As a dialog or box that waited for a long read comes up once the user went elsewhere.
    auto formStep = StepFromTheLoop([&] {
        form = OpenedElsewhereThenActivated(dialog->Handle(), main->Handle());
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    userGoesElsewhere();
    auto boxStep = StepOnTheDialog([&](HWND window) {
        box = OpenedElsewhereThenActivated(window, main->Handle());
        PostKeyForItsLoop(window, VK_RETURN);
    });
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    ShowMessage("The file is read");
    SetMessageBoxHook(testHook);
    {
        SCOPED_TRACE("the form");
        ExpectWaitedForTheUser(form);
    }
    {
        SCOPED_TRACE("the box");
        ExpectWaitedForTheUser(box);
    }
}

namespace {
// Counts the messages this thread takes from its queue: each time its loop wakes it takes one
// at least.
class TMessagesTaken {
public:
    TMessagesTaken()
        : FHook(SetWindowsHookExW(WH_GETMESSAGE, Count, nullptr, GetCurrentThreadId())) {}
    ~TMessagesTaken() { UnhookWindowsHookEx(FHook); }
    TMessagesTaken(const TMessagesTaken&) = delete;
    TMessagesTaken& operator=(const TMessagesTaken&) = delete;
    unsigned long Taken() const { return Counted; }
    void Restart() { Counted = 0; }

private:
    static LRESULT CALLBACK Count(int code, WPARAM removed, LPARAM message) {
        if (code == HC_ACTION && removed == PM_REMOVE)
            ++Counted;
        return CallNextHookEx(nullptr, code, removed, message);
    }
    static thread_local unsigned long Counted;
    HHOOK FHook;
};
thread_local unsigned long TMessagesTaken::Counted = 0;
} // namespace

TEST(Forms, AModalFormOrBoxLeftAloneCallsTheSystemAlmostNever) {
    auto main = ShownFormAt(0);
    SetForegroundWindow(main->Handle());
    // Whatever the program asked of the window manager before is settled.
    RunMessagesFor(500);
    auto dialog = MakeForm();
    dialog->SetBounds(300, 200, 240, 160);
    TSystemCallCount calls("user32.dll");
    ASSERT_TRUE(calls.Counting());
    // The program's thread sleeps meanwhile: whether another window was raised over the modal
    // one is looked at from a thread of its own.
    TMessagesTaken taken;
    // A second counted once the modal window is up a while, in its own loop, which only the
    // test's timers wake, at the second's start and end.
    unsigned long formCalls = 0, boxCalls = 0, formTaken = 0, boxTaken = 0;
    const auto restart = [&] {
        calls.Restart();
        taken.Restart();
    };
    auto formStart = StepFromTheLoop(restart, true, 1500);
    auto formEnd = StepFromTheLoop(
        [&] {
            formCalls = calls.Calls();
            formTaken = taken.Taken();
            dialog->SetModalResult(mrOk);
        },
        true, 2500);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    auto boxStart = StepFromTheLoop(restart, true, 1500);
    auto boxEnd = StepFromTheLoop(
        [&] {
            boxCalls = calls.Calls();
            boxTaken = taken.Taken();
            PostKeyForItsLoop(VisibleBoxOfThisThread(), VK_RETURN);
        },
        true, 2500);
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    ShowMessage("Nothing happens");
    SetMessageBoxHook(testHook);
    EXPECT_LE(formCalls, 200u);
    EXPECT_LE(boxCalls, 200u);
    // The test's own timer that ends the second, and little else.
    EXPECT_LE(formTaken, 3u);
    EXPECT_LE(boxTaken, 3u);
}

namespace {
// What a system dialog shown while two forms are up did to them: whether they were enabled while
// it was up, and whether it came back above the second one raised over it by a window manager.
struct TSeenOverTwoForms {
    std::vector<bool> EnabledWhileUp;
    bool CameBack = false;
};

// Shows the dialog and, once it is up, looks at the forms, raises the second one and closes the
// dialog with a key, as the user would.
TSeenOverTwoForms ShowOverTwoForms(TForm& first, TForm& second, uint16_t closingKey,
                                   const std::function<void()>& show) {
    TSeenOverTwoForms seen;
    auto timer = StepOnTheDialog([&](HWND dialog) {
        seen.EnabledWhileUp = {IsWindowEnabled(first.Handle()) != 0,
                               IsWindowEnabled(second.Handle()) != 0};
        RaiseAsAWindowManagerWould(second.Handle());
        seen.CameBack = PumpUntil([&] { return FirstWindowOfTheProgram() == dialog; });
        PostKeyForItsLoop(dialog, closingKey);
    });
    show();
    return seen;
}
} // namespace

TEST(Forms, ABoxDisablesEveryFormAndComesBackAboveOneRaisedOverIt) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    SetActiveWindow(main->Handle());
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    const TSeenOverTwoForms seen =
        ShowOverTwoForms(*main, *other, VK_RETURN, [] { ShowMessage("Cannot open file"); });
    SetMessageBoxHook(testHook);
    EXPECT_EQ(seen.EnabledWhileUp, (std::vector<bool>{false, false}));
    EXPECT_TRUE(seen.CameBack);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
}

TEST(Forms, ABoxTheWindowManagerShowsAgainElsewhereComesBackAtItsOwnPlace) {
    auto main = ShownFormAt(0);
    SetActiveWindow(main->Handle());
    RECT before{}, restored{};
    auto timer = StepOnTheDialog([&](HWND box) {
        before = PlaceOf(box);
        SendMessageW(box, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        RestoredByTheWindowManagerAt(box, 672, 976);
        restored = PlaceOf(box);
        PostKeyForItsLoop(box, VK_RETURN);
    });
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    ShowMessage("Cannot open file");
    SetMessageBoxHook(testHook);
    EXPECT_TRUE(EqualRect(&restored, &before));
}

TEST(Forms, NestedModalFormsComeBackAboveAFormRaisedOverThemInTheOrderTheyWereOpened) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(100);
    auto outer = MakeForm();
    outer->SetLeft(50);
    auto inner = MakeForm();
    inner->SetLeft(150);
    bool cameBackInOrder = false;
    bool innerActive = false;
    auto innerStep = StepFromTheLoop(
        [&] {
            RaiseAsAWindowManagerWould(other->Handle());
            cameBackInOrder = PumpUntil([&] {
                const std::vector<HWND> windows = WindowsOfTheProgramInOrder();
                return windows.size() > 2 && windows[0] == inner->Handle() &&
                       windows[1] == outer->Handle();
            });
            innerActive = GetActiveWindow() == inner->Handle();
            inner->SetModalResult(mrOk);
        },
        false);
    auto outerStep = StepFromTheLoop([&] {
        innerStep->SetEnabled(true);
        inner->ShowModal();
        outer->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_TRUE(cameBackInOrder);
    EXPECT_TRUE(innerActive);
    // The window the outer form was opened from is active again, above the one raised over it.
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    EXPECT_EQ(FirstWindowOfTheProgram(), main->Handle());
}

namespace {
// The system's open dialog shown while two forms are up, the first active, and closed by Escape.
TSeenOverTwoForms OpenDialogEscapedOverTwoForms(TForm& first, TForm& second) {
    SetActiveWindow(first.Handle());
    const TOpenDialogHook testHook = SetOpenDialogHook(nullptr);
    auto open = MakeOwned<TOpenDialog>();
    const TSeenOverTwoForms seen =
        ShowOverTwoForms(first, second, VK_ESCAPE, [&] { EXPECT_FALSE(open->Execute()); });
    SetOpenDialogHook(testHook);
    return seen;
}
} // namespace

TEST(Forms, AModalFormMinimisedMeanwhileLeavesTheKeysWithItsOpenerOverTheWindowManagersFallback) {
    auto main = ShownFormAt(0);
    auto clicked = ShownFormAt(500);
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetLeft(250);
    auto timer = StepFromTheLoop([&] {
        ShowWindow(dialog->Handle(), SW_MINIMIZE);
        RunMessagesFor(100);
        SetCursorPos(600, 50);
        ClickAtPointer();
        PumpUntil([&] { return GetActiveWindow() == dialog->Handle(); });
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    // The manager last focused the window clicked, and falls back to it as the dialog goes.
    OfferTheFocusAsAWindowManagerDoesUnderWine(clicked->Handle());
    EXPECT_EQ(GetForegroundWindow(), main->Handle());
    RunMessagesFor(400);
}

TEST(Forms, AModalWindowEndedWhileTheProgramKeptTheFocusLeavesNoOtherWindowOnTheScreen) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    const std::vector<HWND> forms = {main->Handle(), other->Handle()};
    const auto shownBesideTheForms = [&] {
        std::vector<HWND> windows = WindowsOfTheProgramInOrder();
        for (HWND form : forms)
            windows.erase(std::remove(windows.begin(), windows.end(), form), windows.end());
        return windows;
    };
    auto dialog = MakeForm();
    auto timer = StepFromTheLoop([&] { dialog->SetModalResult(mrOk); });
    SetForegroundWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(shownBesideTheForms(), std::vector<HWND>{});
    OpenDialogEscapedOverTwoForms(*main, *other);
    EXPECT_EQ(shownBesideTheForms(), std::vector<HWND>{});
}

TEST(Forms, TheOpenDialogIsModalToTheWholeProgramAndEndsWithTheWindowActiveBeforeOnTop) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(100);
    const TSeenOverTwoForms seen = OpenDialogEscapedOverTwoForms(*main, *other);
    EXPECT_EQ(seen.EnabledWhileUp, (std::vector<bool>{false, false}));
    EXPECT_TRUE(seen.CameBack);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    EXPECT_EQ(FirstWindowOfTheProgram(), main->Handle());

    // Opened over a form a modal form disabled, and ended without a command of its own, as a
    // double click on a file ends it: that form stays disabled.
    const TOpenDialogHook testHook = SetOpenDialogHook(nullptr);
    auto open = MakeOwned<TOpenDialog>();
    auto modal = MakeForm();
    bool stayedDisabled = false;
    auto timer = MakeOwned<TTimer>();
    timer->SetEnabled(false);
    timer->SetInterval(30);
    timer->SetOnTimer([&](TObject*) {
        if (const HWND dialog = VisibleBoxOfThisThread()) {
            timer->SetEnabled(false);
            EndDialog(dialog, IDOK);
        }
    });
    modal->OnShow = [&](TObject*) {
        timer->SetEnabled(true);
        open->Execute();
        stayedDisabled = !IsWindowEnabled(main->Handle());
        modal->SetModalResult(mrOk);
    };
    EXPECT_EQ(modal->ShowModal(), mrOk);
    SetOpenDialogHook(testHook);
    EXPECT_TRUE(stayedDisabled);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}

TEST(Forms, TheOpenDialogBroughtBackByAnotherWindowOfTheProgramKeepsItsFocusedFieldAndCaret) {
    auto main = ShownFormAt(0);
    auto other = ShownFormAt(300);
    SetActiveWindow(main->Handle());
    HWND focusedBefore = nullptr, focusedAfter = nullptr;
    std::wstring focusedClass;
    DWORD caretStart = 0, caretEnd = 0;
    TBroughtBack seen;
    auto timer = StepOnTheDialog([&](HWND dialog) {
        focusedBefore = GetFocus();
        wchar_t name[16] = {};
        GetClassNameW(focusedBefore, name, 16);
        focusedClass = name;
        PostChars(focusedBefore, L"report");
        OtherThreadWindow otherProgram;
        seen = MinimisedThenBroughtBackBy(dialog, other->Handle(), otherProgram.Window());
        focusedAfter = GetFocus();
        SendMessageW(focusedAfter, EM_GETSEL, WPARAM(&caretStart), LPARAM(&caretEnd));
        PostKeyForItsLoop(dialog, VK_ESCAPE);
    });
    const TOpenDialogHook testHook = SetOpenDialogHook(nullptr);
    auto open = MakeOwned<TOpenDialog>();
    EXPECT_FALSE(open->Execute());
    SetOpenDialogHook(testHook);
    EXPECT_TRUE(seen.CameBack);
    EXPECT_EQ(focusedClass, L"Edit") << "the file name field has the focus as it opens";
    EXPECT_EQ(focusedAfter, focusedBefore);
    // Typing goes on after the text typed before, rather than replacing it.
    EXPECT_EQ(caretStart, 6u);
    EXPECT_EQ(caretEnd, 6u);
}

TEST(Forms, AFormBesideTheWindowActiveBeforeTheOpenDialogIsOnTopOnceClickedAfterIt) {
    // Side by side, as the viewer's windows stand below its main bar.
    auto main = ShownFormAt(0);
    auto beside = ShownFormAt(300);
    OpenDialogEscapedOverTwoForms(*main, *beside);
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    RECT bounds{};
    GetWindowRect(beside->Handle(), &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    ClickAtPointer();
    EXPECT_EQ(GetActiveWindow(), beside->Handle());
    EXPECT_EQ(FirstWindowOfTheProgram(), beside->Handle());
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
