#include "viewer_fixture.h"

#include "qvr/debug_reader.h"
#include "rtl/modality/message_box.h"
#include "vcl/controls/button.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/application.h"

#include "viewer/data_base_params_form.h"
#include <commctrl.h>

// Work that arrives while a file is read is posted before the reading starts; the reading lets
// it through its message loop, and it must wait until the reading has ended.

TEST_F(ViewerTest, ADropAndAClearDuringAReadWaitForItsEnd) {
    const std::string a = WriteFile("a.dbg", DayKeys("10.01.2006", 3));
    const std::string b = WriteFile("b.dbg", DayKeys("11.01.2006", 2));
    DropFiles(fmDataBaseParamsForm, {b}, true);
    PostClick(Main().ToolButton3);
    Main().OpenFile(a);
    // Read a, filled; then b, filled; then cleared; nothing ran inside a reading.
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{3, 5, 0}));
    EXPECT_EQ(Spy->CountsOf("Clear"), (std::vector<int>{0}));
    EXPECT_FALSE(Spy->CalledWhileReading);
    EXPECT_EQ(DebugReader->Count(), 0);
    EXPECT_EQ(Main().WaitingWork(), 0);
}

TEST_F(ViewerTest, MovingTheTimeLineDuringAReadWaitsForItsEnd) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 4)));
    SendMessageW(Main().tbTime->Handle(), TBM_SETPOS, TRUE, 1);
    PostMessageW(Main().pnlTimeLineGround->Handle(), WM_HSCROLL, TB_THUMBPOSITION,
                 LPARAM(Main().tbTime->Handle()));
    PostMessageW(Main().btnSetStartPos->Handle(), BM_CLICK, 0, 0);
    Spy->Calls.clear();
    Main().OpenFile(WriteFile("b.dbg", DayKeys("11.01.2006", 2)));
    EXPECT_FALSE(Spy->CalledWhileReading);
    // The reading's own refill first, then the move and the interval that waited.
    const std::vector<std::string> tail = {"FillControls 6", "Current 6", "Interval 6", "Current 6",
                                           "Interval 6"};
    ASSERT_GE(Spy->Calls.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(Spy->Calls.end() - tail.size(), Spy->Calls.end()), tail);
    EXPECT_EQ(Main().tbTime->SelStart(), 3);
    EXPECT_EQ(Main().tbTime->SelEnd(), 5);
}

TEST_F(ViewerTest, AClearDuringTheWindowsUpdateWaitsForThem) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 4)));
    // The spy fails; its error box runs the message loop, as a box does, and the clear posted
    // before arrives there.
    Spy->Raise = true;
    std::vector<int> countsInTheBox;
    const TMessageBoxHook previous =
        SetMessageBoxHook([&](const std::string&, const std::string&, unsigned) {
            RunMessagesFor(20);
            countsInTheBox.push_back(DebugReader->Count());
            return IDOK;
        });
    PostClick(Main().ToolButton3);
    MoveTimeLine(1);
    SetMessageBoxHook(previous);
    // The first box still saw the snapshots; the clear came after the update (and the spy
    // failed again while it was cleared).
    ASSERT_FALSE(countsInTheBox.empty());
    EXPECT_EQ(countsInTheBox.front(), 4);
    EXPECT_EQ(DebugReader->Count(), 0);
}

TEST_F(ViewerTest, ClosingDuringAReadHappensAfterIt) {
    PostMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 3)));
    EXPECT_EQ(DebugReader->Count(), 3);
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{3}));
    EXPECT_FALSE(Application->Terminated());
    RunMessagesFor(100);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ViewerTest, WindowsKeepPaintingWhileAFileIsRead) {
    const std::string path = WriteFile("a.dbg", DayKeys("10.01.2006", 50));
    RunMessagesFor(20);
    InvalidateRect(Spy->Handle(), nullptr, TRUE);
    ASSERT_TRUE(GetUpdateRect(Spy->Handle(), nullptr, FALSE));
    Main().OpenFile(path);
    EXPECT_FALSE(GetUpdateRect(Spy->Handle(), nullptr, FALSE));
}

TEST_F(ViewerTest, TheSliderIsDisabledWhileAFileIsRead) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 4)));
    // A button on the main window, clicked while the next file is read, looks at the slider.
    auto* probe = new TButton(&Main());
    probe->SetParent(Main().pnlTimeLineGround);
    std::vector<bool> enabledDuringRead;
    probe->OnClick = [&](TObject*) {
        enabledDuringRead.push_back(IsWindowEnabled(Main().tbTime->Handle()) != FALSE);
    };
    PostMessageW(probe->Handle(), BM_CLICK, 0, 0);
    Main().OpenFile(WriteFile("b.dbg", DayKeys("11.01.2006", 2)));
    EXPECT_EQ(enabledDuringRead, std::vector<bool>{false});
    EXPECT_TRUE(IsWindowEnabled(Main().tbTime->Handle()));
    EXPECT_TRUE(Main().tbTime->Enabled());
    probe->Free();
}
