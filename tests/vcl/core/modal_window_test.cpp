#include "rtl/modality/message_box.h"
#include "vcl/core/forms.h"
#include "vcl/core/screen.h"
#include "vcl/core/timer.h"
#include "vcl/dialogs/dialogs.h"

#include "modal_steps.h"
#include "support/dialog_answer.h"
#include "support/system_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

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

TEST(ModalWindows, AModalFormAndItsBoxesStayOverTheFormItWasOpenedFromWhichStaysDisabled) {
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

TEST(ModalWindows, AModalFormKeepsItsWindowWhenTheFormItWasOpenedFromGoes) {
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

TEST(ModalWindows, AModalFormComesBackAboveAFormRaisedOverItWhileTheProgramIsInTheForeground) {
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

TEST(ModalWindows,
     AModalFormEndedAfterAnotherProgramWasInFrontLeavesTheFormItWasOpenedFromInFront) {
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

TEST(ModalWindows, AMinimisedModalFormComesBackActiveAtAClickOnAWindowItDisables) {
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

TEST(ModalWindows, AModalFormTheWindowManagerShowsAgainElsewhereComesBackAndOpensAtItsOwnPlace) {
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

TEST(ModalWindows, AModalFormMaximisedMinimisedAndBroughtBackIsUnmaximisedToItsOwnPlace) {
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

TEST(ModalWindows,
     AMinimisedModalFormOrBoxComesBackWhenTheWindowManagerActivatesAWindowItDisables) {
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

TEST(ModalWindows,
     AModalFormOrBoxOpenedWhileAnotherProgramIsInFrontWaitsForTheUserAboveTheProgram) {
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

TEST(ModalWindows, AModalFormOrBoxLeftAloneCallsTheSystemAlmostNever) {
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

TEST(ModalWindows, ABoxDisablesEveryFormAndComesBackAboveOneRaisedOverIt) {
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

TEST(ModalWindows, ABoxTheWindowManagerShowsAgainElsewhereComesBackAtItsOwnPlace) {
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

TEST(ModalWindows, NestedModalFormsComeBackAboveAFormRaisedOverThemInTheOrderTheyWereOpened) {
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

TEST(ModalWindows, AModalWindowEndedWhileTheProgramKeptTheFocusLeavesNoOtherWindowOnTheScreen) {
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

TEST(ModalWindows, TheOpenDialogIsModalToTheWholeProgramAndEndsWithTheWindowActiveBeforeOnTop) {
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

TEST(ModalWindows,
     TheOpenDialogBroughtBackByAnotherWindowOfTheProgramKeepsItsFocusedFieldAndCaret) {
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

TEST(ModalWindows, AFormBesideTheWindowActiveBeforeTheOpenDialogIsOnTopOnceClickedAfterIt) {
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
