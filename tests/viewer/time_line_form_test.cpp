#include "viewer_fixture.h"

#include "chart/chart.h"
#include "qvr/debug_reader.h"
#include "rtl/format.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/screen.h"
#include "vcl/dialogs/dialogs.h"
#include "viewer/diagram_form.h"
#include "viewer/time_line_positions.h"

#include "rtl/wide_text.h"
#include "support/debug_file_writer.h"
#include "support/dialog_answer.h"
#include "support/message_capture.h"
#include "support/open_dialog_driver.h"
#include "vcl/user_input.h"

#include <commctrl.h>

namespace {
struct TSelection {
    int Start;
    int End;
};

TSelection Selection() {
    return {fmTimeLineForm->tbTime->SelStart(), fmTimeLineForm->tbTime->SelEnd()};
}

bool operator==(const TSelection& a, const TSelection& b) {
    return a.Start == b.Start && a.End == b.End;
}

std::ostream& operator<<(std::ostream& out, const TSelection& s) {
    return out << s.Start << ".." << s.End;
}
} // namespace

TEST_F(ViewerTest, TheFirstFileGoesToTheLatestSnapshot) {
    Main().OpenFile(
        WriteFile("a.dbg", {"02.01.2006 10:00:00", "01.02.2006 10:00:00", "03.01.2006 12:30:15"}));
    ASSERT_EQ(DebugReader->Count(), 3);
    EXPECT_EQ(Main().tbTime->Max(), 2);
    EXPECT_EQ(Main().tbTime->Position(), 2);
    EXPECT_EQ(KeyAtPosition(), "01.02.2006 10:00:00");
    EXPECT_EQ(Selection(), (TSelection{0, 0}));
    EXPECT_EQ(Main().edCurrentTime->Text(), "01.02.2006 10:00:00");
    EXPECT_EQ(Main().seTime->Position(), 2);
    EXPECT_EQ(Main().seTime->Max(), 2);
    // The visible windows were filled once, after the reading, and heard of the new position.
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{3}));
    EXPECT_FALSE(Spy->CountsOf("Current").empty());
    EXPECT_FALSE(Spy->CalledWhileReading);
}

TEST_F(ViewerTest, TheTimeLineTakesTheKeysOfTheMainWindowAndKeepsThemOverAReading) {
    // Taking the focus as the window becomes active moves nothing and tells no window.
    const std::vector<std::string> calls = Spy->Calls;
    SetForegroundWindow(Main().Handle());
    PumpMessages();
    EXPECT_EQ(GetFocus(), Main().tbTime->Handle());
    EXPECT_EQ(Spy->Calls, calls);

    // The slider is disabled while a file is read, and takes the keys again after it.
    Main().OpenFile(WriteFile("a.dbg", DayKeys("02.01.2006", 3)));
    ASSERT_EQ(Main().tbTime->Position(), 2);
    EXPECT_EQ(GetFocus(), Main().tbTime->Handle());
    TypeKey(VK_LEFT);
    EXPECT_EQ(Main().tbTime->Position(), 1);
    EXPECT_EQ(KeyAtPosition(), "02.01.2006 10:00:10");
}

TEST_F(ViewerTest, TheTimeLineHasTheKeysAfterAReadThatShowedAMessage) {
    SetForegroundWindow(Main().Handle());
    PumpMessages();
    std::vector<std::string> keys = DayKeys("02.01.2006", 3);
    keys.push_back("31.02.2006 10:00:00");
    {
        // The real box, closed by Enter: it took the keys while the slider was disabled.
        const TMessageBoxHook testHook = SetMessageBoxHook(nullptr);
        KeyOnEveryBox enter(VK_RETURN);
        Main().OpenFile(WriteFile("damaged.dbg", keys));
        SetMessageBoxHook(testHook);
    }
    ASSERT_EQ(DebugReader->Count(), 3);
    ASSERT_EQ(Main().tbTime->Position(), 2);
    EXPECT_EQ(GetFocus(), Main().tbTime->Handle());
    TypeKey(VK_LEFT);
    EXPECT_EQ(Main().tbTime->Position(), 1);
}

TEST_F(ViewerTest, FilesOutOfOrderAcrossAYearKeepThePlaceByKeyInTimeOrder) {
    Main().OpenFile(
        WriteFile("a.dbg", {"01.02.2007 10:00:00", "31.12.2006 10:00:00", "30.01.2007 10:00:00"}));
    EXPECT_EQ(KeyAtPosition(), "01.02.2007 10:00:00");
    MoveTimeLine(1);
    Click(Main().btnSetStartPos);
    EXPECT_EQ(Selection(), (TSelection{1, 2}));
    MoveTimeLine(0);
    EXPECT_EQ(Main().edCurrentTime->Text(), "31.12.2006 10:00:00");

    Main().OpenFile(
        WriteFile("b.dbg", {"01.01.2007 10:00:00", "31.01.2007 10:00:00", "29.12.2006 10:00:00"}));
    ASSERT_EQ(DebugReader->Count(), 6);
    EXPECT_EQ(Main().tbTime->Position(), 1);
    EXPECT_EQ(Main().edCurrentTime->Text(), "31.12.2006 10:00:00");
    // 30.01.2007 .. 01.02.2007, with 31.01.2007 now inside the interval.
    EXPECT_EQ(Selection(), (TSelection{3, 5}));
}

TEST_F(ViewerTest, ReadingASecondFileKeepsTheSnapshotsOfThePlace) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 8)));
    MoveTimeLine(2);
    Click(Main().btnSetStartPos); // beyond the end 0: the end goes to the last snapshot
    EXPECT_EQ(Selection(), (TSelection{2, 7}));
    MoveTimeLine(5);
    Click(Main().btnSetEndPos);
    EXPECT_EQ(Selection(), (TSelection{2, 5}));
    MoveTimeLine(4);
    const std::string current = KeyAtPosition();

    Main().OpenFile(WriteFile("b.dbg", DayKeys("01.01.2006", 3)));
    ASSERT_EQ(DebugReader->Count(), 11);
    EXPECT_EQ(Main().tbTime->Position(), 7);
    EXPECT_EQ(KeyAtPosition(), current);
    EXPECT_EQ(Selection(), (TSelection{5, 8}));
    EXPECT_EQ(Main().edCurrentTime->Text(), current);
}

TEST_F(ViewerTest, TheTimeEditFollowsANewSnapshotUnderTheSameIndex) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 2)));
    MoveTimeLine(0);
    EXPECT_EQ(Main().edCurrentTime->Text(), "10.01.2006 10:00:00");
    // A file of other builds drops the store; its one snapshot lands on the same index.
    const std::string path = Folder.File("other.dbg");
    {
        TDebugFileWriter file(path);
        file.Snapshot("05.05.2006 11:11:11", "3.0",
                      TDebugBlockWriter().Section("DataBaseParams", "x").Data());
    }
    Main().OpenFile(path);
    ASSERT_EQ(DebugReader->Count(), 1);
    EXPECT_EQ(Main().tbTime->Position(), 0);
    EXPECT_EQ(Main().edCurrentTime->Text(), "05.05.2006 11:11:11");
}

TEST_F(ViewerTest, IntervalButtonsFollowTheirRulesAndAreBroadcast) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 10)));
    MoveTimeLine(3);
    Click(Main().btnSetEndPos);
    EXPECT_EQ(Selection(), (TSelection{0, 3}));
    MoveTimeLine(1);
    Click(Main().btnSetStartPos);
    EXPECT_EQ(Selection(), (TSelection{1, 3}));
    MoveTimeLine(6);
    Click(Main().btnSetStartPos);
    EXPECT_EQ(Selection(), (TSelection{6, 9}));
    MoveTimeLine(2);
    Click(Main().btnSetEndPos);
    EXPECT_EQ(Selection(), (TSelection{0, 2}));
    Spy->Calls.clear();
    Click(Main().Button1);
    EXPECT_EQ(Selection(), (TSelection{0, 9}));
    EXPECT_EQ(Spy->Calls, (std::vector<std::string>{"Interval 10"}));
    EXPECT_EQ(Main().StartDebugInfoIndex(), 0);
    EXPECT_EQ(Spy->EndDebugInfoIndex(), 9);
}

TEST_F(ViewerTest, TheUpDownMovesTheTimeLineAndStopsAtItsEnds) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 4)));
    ASSERT_EQ(Main().tbTime->Position(), 3);
    Spy->Calls.clear();
    EXPECT_NE(PressUpDown(true), 0); // the up-down itself never moves
    EXPECT_EQ(Main().tbTime->Position(), 3);
    EXPECT_TRUE(Spy->Calls.empty());
    PressUpDown(false);
    PressUpDown(false);
    EXPECT_EQ(Main().tbTime->Position(), 1);
    EXPECT_EQ(Main().seTime->Position(), 1);
    EXPECT_EQ(Spy->CountsOf("Current").size(), 2u);
    EXPECT_EQ(Main().edCurrentTime->Text(), "10.01.2006 10:00:10");
    PressUpDown(false);
    PressUpDown(false);
    EXPECT_EQ(Main().tbTime->Position(), 0);
}

TEST_F(ViewerTest, TheIntervalStaysInsideTheTimeLineAndTicksStayApart) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 3)));
    MoveTimeLine(1);
    Click(Main().btnSetStartPos);
    EXPECT_EQ(Selection(), (TSelection{1, 2}));
    // Another build drops the three; the two new ones make the time line 0..1.
    const std::string path = Folder.File("other.dbg");
    {
        TDebugFileWriter file(path);
        for (const char* key : {"05.05.2006 11:11:11", "05.05.2006 11:11:12"})
            file.Snapshot(key, "3.0", TDebugBlockWriter().Section("DataBaseParams", "x").Data());
    }
    Main().OpenFile(path);
    ASSERT_EQ(Main().tbTime->Max(), 1);
    EXPECT_EQ(Selection(), (TSelection{1, 1}));
    EXPECT_EQ(SendMessageW(Main().tbTime->Handle(), TBM_GETSELEND, 0, 0), 1);

    std::vector<std::string> keys;
    for (int day = 1; day <= 28; ++day)
        for (const std::string& key : DayKeys(Format("%.2d.02.2006", {day}), 100))
            keys.push_back(key);
    Main().OpenFile(WriteFile("many.dbg", keys));
    ASSERT_EQ(Main().tbTime->Max(), 2799); // of the first build again: the two are dropped
    const int travel = Main().tbTime->ValueToPixel(2799) - Main().tbTime->ValueToPixel(0);
    const LRESULT ticks = SendMessageW(Main().tbTime->Handle(), TBM_GETNUMTICS, 0, 0);
    EXPECT_GT(ticks, 2);
    EXPECT_LE(ticks, travel / MinTickSpacing + 2);
}

TEST_F(ViewerTest, ClearAllEmptiesTheWindowsAndTheTimeLine) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 6)));
    MoveTimeLine(2);
    Click(Main().btnSetStartPos);
    Spy->Calls.clear();
    Click(Main().ToolButton3);
    EXPECT_EQ(DebugReader->Count(), 0);
    EXPECT_EQ(Main().tbTime->Max(), 0);
    EXPECT_EQ(Main().tbTime->Position(), 0);
    EXPECT_EQ(Selection(), (TSelection{0, 0}));
    EXPECT_EQ(Main().edCurrentTime->Text(), "");
    EXPECT_EQ(Spy->CountsOf("Clear"), (std::vector<int>{0}));
    // Another file after a clear goes to its last snapshot again.
    Main().OpenFile(WriteFile("b.dbg", DayKeys("11.01.2006", 3)));
    EXPECT_EQ(Main().tbTime->Position(), 2);
    EXPECT_EQ(Selection(), (TSelection{0, 0}));
}

TEST_F(ViewerTest, TheOpenCommandReadsTheChosenFile) {
    const std::string path = WriteFile("chosen.dbg", DayKeys("10.01.2006", 2));
    int asked = 0;
    const TOpenDialogHook previous = SetOpenDialogHook([&](TOpenDialog& dialog) {
        ++asked;
        dialog.FileName = path;
        return asked == 1;
    });
    Click(Main().ToolButton1);
    EXPECT_EQ(DebugReader->Count(), 2);
    Click(Main().ToolButton1); // cancelled: nothing is read or filled
    SetOpenDialogHook(previous);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{2}));
}

TEST_F(ViewerTest, TheSystemOpenDialogOpensAShorterPathAfterALongOneAndReportsAMissingFile) {
    std::string folder = Folder.Path();
    for (const char* part : {"\\a folder with a rather long name for debug files",
                             "\\another folder below it, also with a long name"}) {
        folder += part;
        ASSERT_TRUE(CreateDirectoryW(ToWide(folder).c_str(), nullptr));
    }
    TDebugFileWriter(folder + "\\long.dbg")
        .Snapshot("10.01.2006 10:00:00", "2.5.1.7", TDebugBlockWriter().Line("x").Data());
    const std::string shortPath = WriteFile("s.dbg", {"11.01.2006 10:00:00"});
    const std::string missing = Folder.File("gone.dbg");
    const std::string longPath = folder + "\\long.dbg";

    struct TRun {
        std::string Name;
        int Count;
    };
    for (const TRun& run : {TRun{longPath, 1}, TRun{shortPath, 2}, TRun{missing, 2}}) {
        SCOPED_TRACE(run.Name);
        MessageCapture boxes;
        TOpenDialogDriver driver(run.Name);
        ClickWithMouse(Main().ToolButton1);
        // The dialog is up only inside the click; so once it was answered and the loop here
        // runs again, the dialog has gone and its file was read.
        ASSERT_TRUE(RunMessagesUntil([&] { return driver.Finished(); }));
        ASSERT_TRUE(driver.Answered());
        RunMessagesFor(50);
        EXPECT_EQ(Main().OpenDialog1->FileName, run.Name);
        EXPECT_EQ(DebugReader->Count(), run.Count);
        if (run.Name == missing) {
            ASSERT_EQ(boxes.Texts.size(), 1u);
            EXPECT_NE(boxes.Texts[0].find(missing), std::string::npos) << boxes.Texts[0];
        } else {
            EXPECT_TRUE(boxes.Texts.empty());
        }
    }
}

TEST_F(ViewerTest, AFileThatCannotBeOpenedIsShownAndTheWindowsAreFilledAnyway) {
    const std::string path = WriteFile("locked.dbg", DayKeys("10.01.2006", 2));
    HANDLE lock = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    {
        MessageCapture boxes;
        Main().OpenFile(path);
        EXPECT_EQ(boxes.Texts.size(), 1u);
    }
    CloseHandle(lock);
    EXPECT_EQ(DebugReader->Count(), 0);
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{0}));
    EXPECT_FALSE(Main().ProgressBar->Visible());
}

TEST_F(ViewerTest, TheMainWindowIsAThinBarThatGrowsForTheProgress) {
    const int bottom = Main().pnlViewFormsGround->Top() + Main().pnlViewFormsGround->Height();
    EXPECT_EQ(Main().ClientHeight(), bottom);
    EXPECT_EQ(Main().Constraints().MinHeight, Main().Height());
    EXPECT_EQ(Main().Constraints().MaxHeight, Main().Height());
    // Not maximised, which a window manager would stretch over the whole screen.
    EXPECT_FALSE(IsZoomed(Main().Handle()));
    RECT window{};
    GetWindowRect(Main().Handle(), &window);
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(window.left, area.Left);
    EXPECT_EQ(window.top, area.Top);
    EXPECT_EQ(window.right, area.Right);
    EXPECT_EQ(window.bottom - window.top, Main().Height());

    Main().StartProgress();
    EXPECT_TRUE(Main().ProgressBar->Visible());
    EXPECT_EQ(Main().ProgressBar->Top(), bottom);
    EXPECT_EQ(Main().ClientHeight(), bottom + Main().ProgressBar->Height());
    EXPECT_EQ(Main().Constraints().MaxHeight, Main().Height());
    Main().Progress(40);
    EXPECT_EQ(Main().ProgressBar->Position(), 40);
    Main().EndProgres();
    EXPECT_FALSE(Main().ProgressBar->Visible());
    EXPECT_EQ(Main().ClientHeight(), bottom);
    GetWindowRect(Main().Handle(), &window);
    EXPECT_EQ(window.bottom - window.top, Main().Height());
}

TEST_F(ViewerTest, AReadingEndedWhileTheMainWindowIsMinimisedGivesBackItsBarHeight) {
    const int height = Main().Height();
    RECT before{};
    GetWindowRect(Main().Handle(), &before);
    Main().StartProgress();
    const int grown = Main().Height();
    ShowWindow(Main().Handle(), SW_MINIMIZE);
    Main().EndProgres();
    ShowWindow(Main().Handle(), SW_RESTORE);
    RunMessagesFor(100);
    EXPECT_EQ(Main().Height(), height);
    EXPECT_LT(Main().Height(), grown);
    RECT window{};
    GetWindowRect(Main().Handle(), &window);
    EXPECT_EQ(window.bottom - window.top, height);
    EXPECT_EQ(window.left, before.left);
    EXPECT_EQ(window.top, before.top);
    EXPECT_EQ(Main().ClientHeight(),
              Main().pnlViewFormsGround->Top() + Main().pnlViewFormsGround->Height());
}

TEST_F(ViewerTest, AFileReachingTheLastYearsOpensAgainAndAgainWithoutABox) {
    // The chart shown beside the time line: its time axis is worked out whenever it paints.
    Click(fmDiagramForm->WindowBarButton());
    TChart* chart = fmDiagramForm->Diagram;
    const std::vector<std::string> keys{"02.01.2006 10:00:00", "31.12.9998 23:59:59"};
    const std::string path = WriteFile("late.dbg", keys);
    // Any box, from the reading or from the windows' arithmetic after it, fails the test.
    const auto expectShown = [&](const std::string& after) {
        chart->Update();
        ASSERT_EQ(DebugReader->Count(), 2) << after;
        EXPECT_EQ(Main().edCurrentTime->Text(), keys[1]) << after;
        const std::vector<TAxisTick> ticks = chart->Layout().Bottom.Ticks;
        ASSERT_FALSE(ticks.empty()) << after;
        EXPECT_GE(ticks.front().Value, DebugReader->GetDebugInfo(0)->Time) << after;
        EXPECT_LE(ticks.back().Value, DebugReader->GetDebugInfo(1)->Time) << after;
    };
    const auto openThroughTheDialog = [&] {
        TOpenDialogDriver driver(path);
        ClickWithMouse(Main().ToolButton1);
        ASSERT_TRUE(RunMessagesUntil([&] { return driver.Finished(); }));
        ASSERT_TRUE(driver.Answered());
    };
    openThroughTheDialog();
    expectShown("the first opening");
    openThroughTheDialog();
    expectShown("the second opening");
    Click(Main().ToolButton3);
    openThroughTheDialog();
    expectShown("an opening after Clear all");
    DropFiles(&Main(), {path});
    expectShown("a drop");

    // A key past the calendar's end is no time: the reader names its place, as for any such key.
    MessageCapture boxes;
    Main().OpenFile(WriteFile("past.dbg", {"01.01.10000 00:00:00"}));
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_NE(boxes.Texts[0].find("Position: "), std::string::npos) << boxes.Texts[0];
    expectShown("a file past the end");
}
