// Where the keys go as modal windows end and open under a window manager, which alone gives them
// to a window under Wine.
#include "rtl/modality/message_box.h"
#include "vcl/core/forms.h"
#include "vcl/dialogs/dialogs.h"

#include "modal_steps.h"
#include "window_manager_stand_in.h"

#include <gtest/gtest.h>

namespace {

// How the user comes back to the first box after working in another program.
enum class TWayBack { ItsEntry, TheMainWindowsEntry, AClickInsideTheMainWindow };

const char* Name(TWayBack way) {
    switch (way) {
    case TWayBack::ItsEntry:
        return "by the box's own entry";
    case TWayBack::TheMainWindowsEntry:
        return "by the main window's entry";
    case TWayBack::AClickInsideTheMainWindow:
        return "by a click inside the main window";
    }
    return "";
}

void ComeBack(TStandInWindowManager& manager, TWayBack way, HWND box, HWND main) {
    switch (way) {
    case TWayBack::ItsEntry:
        return manager.Activates(box);
    case TWayBack::TheMainWindowsEntry:
        return manager.Activates(main);
    case TWayBack::AClickInsideTheMainWindow:
        return manager.ClicksInside(main);
    }
}

struct TRound {
    TWayBack Way = TWayBack::ItsEntry;
    bool FirstMinimised = false;
    // The manager takes in what the program asked of the display only this long after the second
    // box is up, as on a slow machine; 0: at once.
    unsigned ManagerLateBy = 0;
};

// What became of the keys the user typed.
struct TKeysSeen {
    bool FirstBoxHadThemBack = false;
    bool FirstBoxTookEnter = false;
    bool SecondBoxOnTheDisplay = false;
    bool SecondBoxTookEnter = false;
    bool FormOnTheDisplay = false;
    bool FormHadThem = false;
    bool OtherProgramFocusedBetween = true;
    bool OpenerHasThemAfter = false;
};

// The settings dialog's opening: two boxes of a library it cannot load, then the dialog. While
// the first box is up, the user works in another program and comes back; then presses Enter on
// each box and types in the dialog once each is on the display.
TKeysSeen TwoBoxesAndAFormAfterAVisitElsewhere(const TRound& round) {
    TKeysSeen seen;
    OtherThreadWindow otherProgram;
    auto main = ShownFormAt(0);
    SetForegroundWindow(main->Handle());
    TStandInWindowManager manager;
    manager.Run();
    auto dialog = MakeForm();
    dialog->SetBounds(300, 200, 240, 160);
    const auto typeOrEnd = [&](bool typed, HWND box) {
        // A key lost would leave the box up for ever.
        if (!typed)
            PostKeyForItsLoop(box, VK_RETURN);
    };
    auto formStep = StepFromTheLoop(
        [&] {
            seen.FormOnTheDisplay = PumpUntil([&] {
                manager.Run();
                return manager.OnTheDisplay(dialog->Handle());
            });
            seen.FormHadThem =
                manager.Focused() == dialog->Handle() && GetActiveWindow() == dialog->Handle();
            seen.OtherProgramFocusedBetween = manager.OtherProgramFocusedSinceMark();
            dialog->SetModalResult(mrOk);
        },
        false);
    auto secondStep = StepOnTheDialog(
        [&](HWND box) {
            if (round.ManagerLateBy)
                RunMessagesFor(round.ManagerLateBy);
            seen.SecondBoxOnTheDisplay = PumpUntil([&] {
                manager.Run();
                return manager.OnTheDisplay(box);
            });
            formStep->SetEnabled(true);
            seen.SecondBoxTookEnter = manager.Types(VK_RETURN);
            typeOrEnd(seen.SecondBoxTookEnter, box);
        },
        false);
    // The manager takes in what the program asked of the display, and the program what it was
    // sent, before the user acts again.
    const auto settle = [&] {
        manager.Run();
        PumpMessages();
    };
    auto firstStep = StepOnTheDialog([&](HWND box) {
        settle();
        if (round.FirstMinimised) {
            manager.Minimises(box);
            settle();
        }
        manager.GoesTo(otherProgram.Window());
        settle();
        ComeBack(manager, round.Way, box, main->Handle());
        seen.FirstBoxHadThemBack = PumpUntil([&] {
            manager.Run();
            return manager.Focused() == box;
        });
        manager.Mark();
        secondStep->SetEnabled(true);
        seen.FirstBoxTookEnter = manager.Types(VK_RETURN);
        typeOrEnd(seen.FirstBoxTookEnter, box);
    });
    dialog->OnShow = [](TObject*) {
        ShowMessage("Error load library: first");
        ShowMessage("Error load library: second");
    };
    const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    SetMessageBoxHook(testHook);
    seen.OpenerHasThemAfter = PumpUntil([&] {
        manager.Run();
        return manager.Focused() == main->Handle();
    });
    return seen;
}

void ExpectEveryKeyReachedTheProgram(const TKeysSeen& seen) {
    EXPECT_TRUE(seen.FirstBoxHadThemBack);
    EXPECT_TRUE(seen.FirstBoxTookEnter);
    EXPECT_TRUE(seen.SecondBoxOnTheDisplay);
    EXPECT_TRUE(seen.SecondBoxTookEnter);
    EXPECT_TRUE(seen.FormOnTheDisplay);
    EXPECT_TRUE(seen.FormHadThem);
    EXPECT_FALSE(seen.OtherProgramFocusedBetween);
    EXPECT_TRUE(seen.OpenerHasThemAfter);
}

} // namespace

TEST(ModalKeys, TheBoxesAndTheFormAfterThemTakeEveryKeyAfterAVisitToAnotherProgram) {
    for (const TWayBack way :
         {TWayBack::ItsEntry, TWayBack::TheMainWindowsEntry, TWayBack::AClickInsideTheMainWindow})
        for (const bool minimised : {false, true}) {
            SCOPED_TRACE(std::string(Name(way)) + (minimised ? ", minimised meanwhile" : ""));
            ExpectEveryKeyReachedTheProgram(TwoBoxesAndAFormAfterAVisitElsewhere({way, minimised}));
        }
}

TEST(ModalKeys, TheKeysComeAlsoWhenTheWindowManagerTakesInTheSecondBoxLate) {
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "the first box minimised meanwhile" : "the first box left");
        ExpectEveryKeyReachedTheProgram(
            TwoBoxesAndAFormAfterAVisitElsewhere({TWayBack::ItsEntry, minimised, 2500}));
    }
}

TEST(ModalKeys, AModalFormMinimisedMeanwhileLeavesTheKeysWithItsOpenerWhenItEnds) {
    auto main = ShownFormAt(0);
    auto clicked = ShownFormAt(500);
    SetForegroundWindow(main->Handle());
    TStandInWindowManager manager;
    auto dialog = MakeForm();
    dialog->SetBorderStyle(bsDialog);
    dialog->SetLeft(250);
    bool cameBack = false;
    auto timer = StepFromTheLoop([&] {
        manager.Run();
        manager.Minimises(dialog->Handle());
        manager.Run();
        PumpMessages();
        // A click on another window of the program brings the dialog back; the manager focused
        // that window last before the dialog.
        manager.ClicksInside(clicked->Handle());
        cameBack = PumpUntil([&] {
            manager.Run();
            return manager.Focused() == dialog->Handle();
        });
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(cameBack);
    EXPECT_TRUE(PumpUntil([&] {
        manager.Run();
        return manager.Focused() == main->Handle();
    }));
    EXPECT_EQ(GetForegroundWindow(), main->Handle());
}

namespace {

// How the user raises another window of the program.
enum class TRaise { ItsTitleBar, ItsEntry, AClickInsideIt };

void Raise(TStandInWindowManager& manager, TRaise way, HWND window) {
    switch (way) {
    case TRaise::ItsTitleBar:
        return manager.ClicksTheTitleBarOf(window);
    case TRaise::ItsEntry:
        return manager.Activates(window);
    case TRaise::AClickInsideIt:
        return manager.ClicksInside(window);
    }
}

// Places the window over the corner of the given bounds, or in the screen's far corner, where it
// overlaps no other window of the program.
void PlaceBeside(HWND window, const RECT& bounds, bool over) {
    const int left = over ? bounds.right - 50 : GetSystemMetrics(SM_CXSCREEN) - 210;
    const int top = over ? bounds.bottom - 50 : GetSystemMetrics(SM_CYSCREEN) - 110;
    SetWindowPos(window, nullptr, left, top, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Whether the modal window stayed above two other windows of the program, one it covers and one
// apart from it, each raised every way. The one apart is raised once the modal window was left
// alone a while, as the user looks at it: nothing of the program changes then, and Wine's own
// order does not hear of a raise where the window raised covers nothing.
bool StaysAboveEveryRaisedWindow(TStandInWindowManager& manager, HWND modal, HWND covered,
                                 HWND apart) {
    RECT bounds{};
    GetWindowRect(modal, &bounds);
    PlaceBeside(covered, bounds, true);
    PlaceBeside(apart, bounds, false);
    bool stayed = true;
    for (const TRaise way : {TRaise::ItsTitleBar, TRaise::ItsEntry, TRaise::AClickInsideIt})
        for (const HWND window : {apart, covered}) {
            if (window == apart)
                RunMessagesFor(1200);
            manager.Run();
            // The user works in the modal window when another window of the program is raised.
            PumpUntil([&] { return GetForegroundWindow() == modal; });
            Raise(manager, way, window);
            const bool above = PumpUntil([&] {
                manager.Run();
                return manager.Above(modal, window);
            });
            PumpMessages();
            manager.Run();
            stayed = stayed && above && manager.Above(modal, window);
        }
    return stayed;
}

} // namespace

TEST(ModalKeys, AModalWindowStaysAboveEveryWindowOfTheProgramTheWindowManagerRaisesCoveredOrNot) {
    auto main = ShownFormAt(0);
    auto covered = ShownFormAt(300);
    auto beside = ShownFormAt(600);
    SetForegroundWindow(main->Handle());
    TStandInWindowManager manager;
    bool boxStayed = false, openDialogStayed = false, formStayed = false;
    {
        auto step = StepOnTheDialog([&](HWND box) {
            boxStayed =
                StaysAboveEveryRaisedWindow(manager, box, covered->Handle(), beside->Handle());
            PostKeyForItsLoop(box, VK_RETURN);
        });
        const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
        ShowMessage("Cannot open file");
        SetMessageBoxHook(testHook);
    }
    {
        auto step = StepOnTheDialog([&](HWND dialog) {
            openDialogStayed =
                StaysAboveEveryRaisedWindow(manager, dialog, covered->Handle(), beside->Handle());
            PostKeyForItsLoop(dialog, VK_ESCAPE);
        });
        const TOpenDialogHook testHook = SetOpenDialogHook(nullptr);
        auto open = MakeOwned<TOpenDialog>();
        EXPECT_FALSE(open->Execute());
        SetOpenDialogHook(testHook);
    }
    auto dialog = MakeForm();
    dialog->SetBounds(300, 300, 240, 160);
    auto step = StepFromTheLoop([&] {
        formStayed = StaysAboveEveryRaisedWindow(manager, dialog->Handle(), covered->Handle(),
                                                 beside->Handle());
        dialog->SetModalResult(mrOk);
    });
    SetActiveWindow(main->Handle());
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(boxStayed);
    EXPECT_TRUE(openDialogStayed);
    EXPECT_TRUE(formStayed);
}
