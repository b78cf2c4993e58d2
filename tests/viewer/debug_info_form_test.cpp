#include "viewer_fixture.h"

#include "qvr/debug_reader.h"
#include "rtl/file_io.h"
#include "rtl/format.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/core/screen.h"
#include "viewer/data_base_params_form.h"
#include "viewer/diagram_form.h"
#include "viewer/system_info_form.h"

#include "rtl/ini_file.h"
#include "support/message_capture.h"
#include "vcl/user_input.h"

TEST_F(ViewerTest, EveryWindowButTheMainOneHasAButtonOnTheWindowBar) {
    TToolBar* bar = Main().tbForms;
    std::vector<std::string> captions;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        captions.push_back(bar->Buttons(i)->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Diagram", "SystemInfo", "System leak", "BLL Leak",
                                        "DataBase params", "QVR Config", "Tasks threads", "Spy"}));
    EXPECT_EQ(bar->Buttons(4)->Tag(), intptr_t(fmDataBaseParamsForm));
    EXPECT_EQ(fmDataBaseParamsForm->WindowBarButton(), bar->Buttons(4));
    EXPECT_EQ(Main().WindowBarButton(), nullptr);
    // A window that goes takes its button with it.
    Spy->Free();
    Spy = nullptr;
    EXPECT_EQ(bar->ButtonCount(), 7);
    for (TfmDebugInfo* window :
         {static_cast<TfmDebugInfo*>(&Main()), static_cast<TfmDebugInfo*>(fmDataBaseParamsForm)})
        EXPECT_TRUE(GetWindowLongW(window->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(ViewerTest, TheButtonOfAHiddenWindowFillsAndShowsIt) {
    Main().OpenFile(WriteFile("a.dbg", DayKeys("10.01.2006", 3)));
    MoveTimeLine(1);
    ASSERT_FALSE(fmDataBaseParamsForm->Visible());
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Lines()->Count(), 0); // skipped while hidden
    Click(fmDataBaseParamsForm->WindowBarButton());
    EXPECT_TRUE(fmDataBaseParamsForm->Visible());
    EXPECT_TRUE(IsWindowVisible(fmDataBaseParamsForm->Handle()));
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Text(), "params of 10.01.2006 10:00:10");
    // Shown, it follows the time line.
    MoveTimeLine(2);
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Text(), "params of 10.01.2006 10:00:20");
}

TEST_F(ViewerTest, TheButtonOfAMinimisedWindowRestoresItWithoutRefilling) {
    ShowWindow(Spy->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(Spy->Handle()));
    Spy->Calls.clear();
    Click(Spy->WindowBarButton());
    EXPECT_FALSE(IsIconic(Spy->Handle()));
    EXPECT_TRUE(Spy->Calls.empty());
}

namespace {
HWND Watched;
bool Minimised;
LRESULT CALLBACK WatchMinimising(int code, WPARAM w, LPARAM l) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
    if (m->hwnd == Watched && m->message == WM_SIZE && m->wParam == SIZE_MINIMIZED)
        Minimised = true;
    return CallNextHookEx(nullptr, code, w, l);
}
} // namespace

TEST_F(ViewerTest, AWindowLeftMinimisedComesBackAtItsPlaceOnTheFirstClickOfItsButton) {
    TfmDebugInfo* window = fmDataBaseParamsForm;
    ClickWithMouse(window->WindowBarButton());
    ASSERT_TRUE(RunMessagesUntil([&] { return IsWindowVisible(window->Handle()) != 0; }));
    window->SetBounds(100, 200, 400, 300);
    // The operator minimises it and the viewer ends: the minimised state is what is stored.
    SendMessageW(window->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(window->Handle()));
    SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(window->Handle()));

    // Never minimised on the way: a window manager would still be iconifying it when the
    // restore came, and keep it an icon.
    Watched = window->Handle();
    Minimised = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchMinimising, nullptr, GetCurrentThreadId());
    ClickWithMouse(window->WindowBarButton());
    ASSERT_TRUE(RunMessagesUntil([&] { return IsWindowVisible(window->Handle()) != 0; }));
    PumpMessages();
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(Minimised);
    EXPECT_FALSE(IsIconic(window->Handle()));
    RECT r{};
    GetWindowRect(window->Handle(), &r);
    EXPECT_EQ(Rect(r.left, r.top, r.right, r.bottom), Rect(100, 200, 500, 500));
}

namespace {
bool IsAbove(HWND upper, HWND lower) {
    for (HWND h = GetWindow(lower, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
        if (h == upper)
            return true;
    return false;
}

TRect BoundsOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

TEST_F(ViewerTest, WindowsWithoutAStoredPlaceOpenApartAndTheirButtonBringsThemToTheFront) {
    for (TToolButton* button :
         {fmDiagramForm->WindowBarButton(), fmDataBaseParamsForm->WindowBarButton()}) {
        ClickWithMouse(button);
        ASSERT_TRUE(RunMessagesUntil([&] {
            return IsWindowVisible(reinterpret_cast<TForm*>(button->Tag())->Handle()) != 0;
        }));
    }
    const TRect diagram = BoundsOf(fmDiagramForm->Handle());
    const TRect params = BoundsOf(fmDataBaseParamsForm->Handle());
    EXPECT_NE(diagram.Left, params.Left);
    EXPECT_NE(diagram.Top, params.Top);
    ASSERT_TRUE(IsAbove(fmDataBaseParamsForm->Handle(), fmDiagramForm->Handle()));

    // Both shown: the button of the covered one brings it to the front.
    ClickWithMouse(fmDiagramForm->WindowBarButton());
    EXPECT_TRUE(RunMessagesUntil(
        [] { return IsAbove(fmDiagramForm->Handle(), fmDataBaseParamsForm->Handle()); }));
    ClickWithMouse(fmDataBaseParamsForm->WindowBarButton());
    EXPECT_TRUE(RunMessagesUntil(
        [] { return IsAbove(fmDataBaseParamsForm->Handle(), fmDiagramForm->Handle()); }));
}

// A placement file damaged by hand or by a crash: every window still opens on the screen, and
// closing a window stores a place that can be reached; a sound stored place stays as it was.
TEST_F(ViewerTest, ADamagedPlacementFileNeverPutsAWindowOutOfReach) {
    std::vector<TForm*> windows;
    std::string text;
    for (int i = 0; i < Main().tbForms->ButtonCount(); ++i) {
        auto* window = reinterpret_cast<TForm*>(Main().tbForms->Buttons(i)->Tag());
        if (window == Spy)
            continue; // already shown: it restored its place before the file was damaged
        windows.push_back(window);
        const bool sound = window == fmDataBaseParamsForm;
        const bool longJunk = window == fmSystemInfoForm;
        text += "[" + window->Name() + "]\r\nFlags=0\r\nShowCmd=1\r\n" +
                std::string(longJunk ? 1 << 20 : 100, '#') +
                "\r\nPixelsPerInch=" + IntToStr(Screen->PixelsPerInch()) +
                "\r\nNormPos=" + (sound ? "100,200,500,500" : "-99999,-99999,-99400,-99700") +
                "\r\n";
    }
    WriteWholeFile(PlacementFile(), text);
    const TRect work = Screen->WorkAreaRect();
    for (TForm* window : windows) {
        ClickWithMouse(dynamic_cast<TfmDebugInfo*>(window)->WindowBarButton());
        ASSERT_TRUE(RunMessagesUntil([&] { return IsWindowVisible(window->Handle()) != 0; }));
        const TRect r = BoundsOf(window->Handle());
        if (window == fmDataBaseParamsForm) {
            EXPECT_EQ(r, Rect(100, 200, 500, 500));
            continue;
        }
        EXPECT_EQ(r.TopLeft(), work.TopLeft()) << window->Name();
        EXPECT_EQ(r.Width(), 599) << window->Name();
        EXPECT_EQ(r.Height(), 299) << window->Name();
    }
    SendMessageW(fmSystemInfoForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(TIniFile(PlacementFile()).ReadString("fmSystemInfoForm", "NormPos", ""),
              Format("%d,%d,%d,%d", {work.Left, work.Top, work.Left + 599, work.Top + 299}));
}

TEST_F(ViewerTest, DroppedFilesAreOpenedInOrderAndAFailureDoesNotStopTheRest) {
    const std::string a = WriteFile("a.dbg", DayKeys("10.01.2006", 2));
    const std::string locked = WriteFile("locked.dbg", DayKeys("11.01.2006", 4));
    const std::string c = WriteFile("c.dbg", DayKeys("12.01.2006", 3));
    HANDLE lock = CreateFileW(ToWide(locked).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    MessageCapture boxes;
    // On a hidden window too: it hands the files to the main window.
    DropFiles(fmDataBaseParamsForm, {a, locked, c});
    CloseHandle(lock);
    EXPECT_EQ(boxes.Texts.size(), 1u);
    EXPECT_EQ(DebugReader->Count(), 5);
    EXPECT_EQ(Spy->CountsOf("FillControls"), (std::vector<int>{2, 2, 5}));
    // The position stays on the snapshot it had after the first file.
    EXPECT_EQ(KeyAtPosition(), "10.01.2006 10:00:10");
}

TEST_F(ViewerTest, ALongDroppedPathIsReadWhole) {
    std::string name(254 - int(Folder.Path().size()), 'n');
    name += ".dbg";
    const std::string path = WriteFile(name, DayKeys("10.01.2006", 2));
    ASSERT_GT(path.size(), 255u);
    DropFiles(Spy, {path});
    EXPECT_EQ(DebugReader->Count(), 2);
}

TEST_F(ViewerTest, DebugInfoWindowsKeepTheirPlacementButTheMainWindowDoesNot) {
    fmDataBaseParamsForm->Show();
    fmDataBaseParamsForm->SetBounds(100, 200, 400, 300);
    SendMessageW(fmDataBaseParamsForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(fmDataBaseParamsForm->Visible());
    TIniFile placements(PlacementFile());
    EXPECT_EQ(placements.ReadString("fmDataBaseParamsForm", "NormPos", ""), "100,200,500,500");
    SendMessageW(Main().Handle(), WM_CLOSE, 0, 0);
    TStringList mainPlacement;
    TIniFile(PlacementFile()).ReadSectionValues("fmTimeLineForm", mainPlacement);
    EXPECT_EQ(mainPlacement.Count(), 0);
}
