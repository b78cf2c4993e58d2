#include "viewer_fixture.h"

#include "qvr/debug_reader.h"
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/date_time.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/controls/button.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/status_bar.h"
#include "vcl/controls/tab_control.h"
#include "vcl/controls/tool_bar.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/drag_drop.h"
#include "viewer/bll_leak_form.h"
#include "viewer/diagram_form.h"
#include "viewer/system_info_form.h"
#include "viewer/system_leak_form.h"
#include "viewer/tasks_threads_form.h"
#include "viewer/viewer_tree.h"

#include "chart/chart.h"
#include "chart/line_series.h"
#include "support/debug_file_writer.h"
#include "vcl/user_input.h"

#include <commctrl.h>

namespace {

struct TTaskLine {
    int Address = 0;
    std::string Id, HostPort;
    int State = 1;
    std::string Sign{};
};

// One snapshot as a test writes it.
struct TSnap {
    std::string Key;
    int OpenSessions = 0;
    std::vector<std::pair<int, std::string>> SystemLeaks{}; // count, name
    std::vector<std::array<std::string, 3>> Leaks{};        // class, stack, added info
    std::vector<TTaskLine> Tasks{};
};

TTaskLine Task(int address, const std::string& id, const std::string& hostPort, int state = 1) {
    return {address, id, hostPort, state};
}

std::unique_ptr<TTaskInfo> MakeTask(const TTaskLine& line) {
    auto task = std::make_unique<TTaskInfo>();
    task->ThreadAddress = line.Address;
    task->ThreadID = line.Id;
    task->CreateTime = "10:00:0" + std::to_string(line.Address % 10);
    task->Task = "task of " + line.Id;
    task->WorkingTaskTime = "1 s";
    task->PositionID = "P" + line.Id;
    task->Stack = "Unit.Run\r\nUnit.Main";
    task->State = line.State;
    task->InfoStr = line.HostPort;
    task->ConnectionStatus = "open";
    task->SignCryptoParams = line.Sign;
    return task;
}

// The lines of a row: its text, then its cells.
std::vector<std::string> RowTexts(TQZTreeItem* row) {
    std::vector<std::string> texts{row->Text()};
    for (int i = 0; i < row->ColumnText()->Count(); ++i)
        texts.push_back(row->ColumnText()->Get(i));
    return texts;
}

std::string WindowText(TWinControl* control) {
    const int length = GetWindowTextLengthW(control->Handle());
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowTextW(control->Handle(), text.data(), length + 1);
    text.resize(size_t(length));
    return FromWide(text);
}

std::string PanelText(TStatusBar* bar, int part) {
    wchar_t text[256] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, part, LPARAM(text));
    return FromWide(text);
}

std::vector<std::string> TabTexts(TTabControl* tabs) {
    std::vector<std::string> texts;
    const int count = int(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(tabs->Handle(), TCM_GETITEMW, i, LPARAM(&item));
        texts.push_back(FromWide(text));
    }
    return texts;
}

// Where a row shows in its tree's view, as the view's own hit test finds it.
TPoint RowPoint(TViewerTree* tree, TQZTreeItem* row) {
    TQZTreeView* view = tree->ViewControl();
    PumpMessages();
    view->Update();
    for (int y = 0; y < view->ClientHeight(); ++y)
        if (view->GetItemAt(30, y) == row)
            return Point(30, y + 4);
    ADD_FAILURE() << "row not on screen: " << row->Text();
    return Point(30, 0);
}

// A click on a row as the operator makes it; keys adds MK_CONTROL or MK_SHIFT.
void ClickRow(TViewerTree* tree, TQZTreeItem* row, uintptr_t keys = 0) {
    const TPoint p = RowPoint(tree, row);
    SendMouse(tree->ViewControl(), WM_LBUTTONDOWN, p.X, p.Y, MK_LBUTTON | keys);
    SendMouse(tree->ViewControl(), WM_LBUTTONUP, p.X, p.Y, keys);
    PumpMessages();
}

// A press on a row, moves to a screen point with the button held, and the release there; false
// when the press started no drag.
bool DragRowAcross(TViewerTree* tree, TQZTreeItem* row, const TPoint& screenTarget) {
    const TPoint p = RowPoint(tree, row);
    SendMouse(tree->ViewControl(), WM_LBUTTONDOWN, p.X, p.Y, MK_LBUTTON);
    SendMouse(tree->ViewControl(), WM_MOUSEMOVE, p.X + 10, p.Y + 10, MK_LBUTTON);
    HWND capture = GetCapture();
    if (!capture || !TDragManager::Source())
        return false;
    for (int i = 0; i < 2; ++i)
        MoveCapturedMouse(capture, screenTarget, WM_MOUSEMOVE, MK_LBUTTON);
    MoveCapturedMouse(capture, screenTarget, WM_LBUTTONUP, 0);
    PumpMessages();
    return true;
}

int ShownTab(TTabControl* tabs) {
    return int(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0));
}

// A click on a header section as the operator makes it.
void ClickHeader(TViewerTree* tree, int section) {
    TQZHeader* header = tree->Header();
    const TRect r = header->GetSectionRect(section);
    PostClick(header->Handle(), (r.Left + r.Right) / 2, header->Height() / 2);
}

// The texts of the top-level rows in the order the tree shows them.
std::vector<std::string> RowOrder(TViewerTree* tree) {
    std::vector<std::string> texts;
    for (int i = 0; i < tree->Items()->Count(); ++i) {
        TQZTreeItem* parent = tree->Items()->Item(i)->Parent();
        if (!parent || parent->IsRoot())
            texts.push_back(tree->Items()->Item(i)->Text());
    }
    return texts;
}

} // namespace

class TreeWindowsTest : public ViewerTest {
protected:
    std::string Write(const std::string& name, const std::vector<TSnap>& snaps) {
        const std::string path = Folder.File(name);
        TDebugFileWriter file(path);
        for (const TSnap& snap : snaps) {
            TDinamicSystemInfo counters;
            counters.SetOpenSessions(snap.OpenSessions);
            std::vector<std::unique_ptr<TBLLLeakObjectInfo>> records;
            std::vector<const TBLLLeakObjectInfo*> leaks;
            for (const auto& [cls, stack, info] : snap.Leaks) {
                records.push_back(std::make_unique<TBLLLeakObjectInfo>());
                records.back()->CName = cls;
                records.back()->Stack = stack;
                records.back()->LiveTime = 1.5;
                records.back()->AddInfo = info;
                leaks.push_back(records.back().get());
            }
            std::vector<std::unique_ptr<TTaskInfo>> taskRecords;
            std::vector<const TTaskInfo*> tasks;
            for (const TTaskLine& line : snap.Tasks) {
                taskRecords.push_back(MakeTask(line));
                tasks.push_back(taskRecords.back().get());
            }
            TDebugBlockWriter block;
            block.Section("SystemParams", SystemParamsBody(counters));
            if (!snap.SystemLeaks.empty())
                block.Section("SystemLeakObjects", SystemLeakObjectsBody(snap.SystemLeaks));
            if (!leaks.empty())
                block.Section("BLLLeakObjectsList", BLLLeakObjectsListBody(leaks));
            if (!tasks.empty())
                block.Section("RunTasksList", RunTasksListBody(tasks));
            file.Snapshot(snap.Key, "2.5", block.Data());
        }
        file.Flush();
        return path;
    }

    // The window is shown through its button on the window bar, as the operator does.
    template <class Form> Form& Open(Form* form) {
        Click(form->WindowBarButton());
        // Room for the rows under the memos, as an operator would give them.
        form->SetBounds(0, 200, 800, 600);
        PumpMessages();
        return *form;
    }

    void SetInterval(int start, int end) {
        MoveTimeLine(start);
        Click(Main().btnSetStartPos);
        MoveTimeLine(end);
        Click(Main().btnSetEndPos);
    }

    static TQZTreeItem* Row(TViewerTree* tree, const std::string& path) {
        for (int i = 0; i < tree->Items()->Count(); ++i) {
            TQZTreeItem* row = tree->Items()->Item(i);
            std::string full = row->Text();
            for (TQZTreeItem* p = row->Parent(); p; p = p->Parent())
                full = p->Text() + "\\" + full;
            if (full == path)
                return row;
        }
        return nullptr;
    }
    static std::vector<std::string> Cells(TViewerTree* tree, const std::string& path) {
        TQZTreeItem* row = Row(tree, path);
        return row ? RowTexts(row) : std::vector<std::string>{};
    }

    // Three snapshots of one day at 00:00, 03:00 and 12:00.
    const std::vector<std::string> Keys{"10.01.2006 00:00:00", "10.01.2006 03:00:00",
                                        "10.01.2006 12:00:00"};
};

TEST_F(TreeWindowsTest, CountersWithAndWithoutAnInterval) {
    TfmSystemInfoForm& form = Open(fmSystemInfoForm);
    TViewerTree* tree = form.tvObjects;
    // Before any file: the eight counters with empty values.
    ASSERT_EQ(tree->Items()->Count(), 8);
    EXPECT_EQ(RowTexts(tree->Items()->Item(0)),
              (std::vector<std::string>{"Errors", "", "", "", ""}));
    EXPECT_EQ(tree->Items()->Item(7)->Text(), "WorkThreads");

    Main().OpenFile(Write("c.dbg", {{Keys[0], 5}, {Keys[1], 9}, {Keys[2], 7}}));
    // On the last snapshot, the interval still 0..0: no start, end or delta.
    EXPECT_EQ(Cells(tree, "OpenSessions"),
              (std::vector<std::string>{"OpenSessions", "7", "", "", ""}));
    EXPECT_EQ(Cells(tree, "Errors"), (std::vector<std::string>{"Errors", "0", "", "", ""}));

    SetInterval(1, 2);
    EXPECT_EQ(Cells(tree, "OpenSessions"),
              (std::vector<std::string>{"OpenSessions", "7", "9", "7", "-2"}));
    MoveTimeLine(0);
    EXPECT_EQ(Cells(tree, "OpenSessions")[1], "5");

    // Clear all empties the values and keeps the rows.
    Click(Main().ToolButton3);
    EXPECT_EQ(Cells(tree, "OpenSessions"),
              (std::vector<std::string>{"OpenSessions", "", "", "", ""}));
}

TEST_F(TreeWindowsTest, SystemLeakRowsStayWithZeroAndShowTheirRate) {
    TfmSystemLeakForm& form = Open(fmSystemLeakForm);
    TViewerTree* tree = form.tvObjects;
    Main().OpenFile(
        Write("l.dbg", {{Keys[0], 0, {{10, "Handle"}, {4, "Same"}, {9, "Falling"}}},
                        {Keys[1], 0, {{20, "Handle"}, {4, "Same"}, {5, "Falling"}, {1, "Once"}}},
                        {Keys[2], 0, {{30, "Handle"}, {4, "Same"}, {1, "Falling"}}}}));
    // Rows of the current (last) snapshot; "Once" has not been seen there.
    EXPECT_EQ(tree->HeaderSectionCount(), 6);
    EXPECT_EQ(Row(tree, "Once"), nullptr);
    EXPECT_EQ(Cells(tree, "Handle"), (std::vector<std::string>{"Handle", "30", "", "", "", ""}));

    MoveTimeLine(1);
    MoveTimeLine(2);
    EXPECT_EQ(Cells(tree, "Once"), (std::vector<std::string>{"Once", "0", "", "", "", ""}));

    SetInterval(0, 2);
    EXPECT_EQ(Cells(tree, "Handle"),
              (std::vector<std::string>{"Handle", "30", "10", "30", "20", "18.4615384615385"}));
    EXPECT_EQ(Cells(tree, "Same"), (std::vector<std::string>{"Same", "4", "4", "4", "0", "0"}));
    const std::vector<std::string> falling = Cells(tree, "Falling");
    ASSERT_EQ(falling.size(), 6u);
    EXPECT_EQ(falling[4], "-8");
    EXPECT_LT(std::stod(falling[5]), 0);

    // A new file drops every row and builds them again from the current snapshot.
    Main().OpenFile(Write("m.dbg", {{"11.01.2006 00:00:00", 0, {{2, "Other"}}}}));
    EXPECT_EQ(Row(tree, "Once"), nullptr);
    EXPECT_NE(Row(tree, "Handle"), nullptr);
}

TEST_F(TreeWindowsTest, SystemLeakRateIsBlankWithoutATimeSpan) {
    TfmSystemLeakForm& form = Open(fmSystemLeakForm);
    Main().OpenFile(Write("l.dbg", {{Keys[0], 0, {{1, "Handle"}}}, {Keys[1], 0, {{2, "Handle"}}}}));
    SetInterval(1, 1);
    EXPECT_EQ(Cells(form.tvObjects, "Handle"),
              (std::vector<std::string>{"Handle", "2", "2", "2", "0", ""}));
}

TEST_F(TreeWindowsTest, TheIntervalFindsRowsByNameInAnyLetterCase) {
    TfmSystemLeakForm& leaks = Open(fmSystemLeakForm);
    TfmBLLLeakForm& bll = Open(fmBLLLeakForm);
    // The rows come from the last snapshot; the first names them in capitals.
    Main().OpenFile(Write(
        "c.dbg", {{Keys[0], 0, {{10, "HANDLE"}}, {{"TFOO", "S1", "a"}}, {}},
                  {Keys[1], 0, {{20, "Handle"}}, {{"TFoo", "s1", "a"}, {"TFoo", "s1", "b"}}, {}}}));
    SetInterval(0, 1);
    EXPECT_EQ(Cells(leaks.tvObjects, "Handle"),
              (std::vector<std::string>{"Handle", "20", "10", "20", "10", "10"}));
    EXPECT_EQ(Cells(bll.tvObjects, "TFoo\\s1"),
              (std::vector<std::string>{"s1", "2", "1", "2", "1"}));
}

TEST_F(TreeWindowsTest, NumberColumnsSortByValue) {
    TfmSystemLeakForm& form = Open(fmSystemLeakForm);
    TViewerTree* tree = form.tvObjects;
    Main().OpenFile(
        Write("n.dbg",
              {{Keys[0], 0, {{2000, "A"}, {50, "B"}, {9, "C"}, {400, "D"}, {50, "E"}}, {}, {}},
               {Keys[1], 0, {{2073, "A"}, {214, "B"}, {100, "C"}, {7, "D"}, {9, "E"}}, {}, {}}}));
    SetInterval(0, 1);
    ClickHeader(tree, 1); // "Current num"
    EXPECT_EQ(RowOrder(tree), (std::vector<std::string>{"D", "E", "C", "B", "A"}));
    ClickHeader(tree, 4); // "Delta ", with the minus sign
    EXPECT_EQ(RowOrder(tree), (std::vector<std::string>{"D", "E", "A", "C", "B"}));
    ClickHeader(tree, 5); // "Rate", twice: descending
    ClickHeader(tree, 5);
    EXPECT_EQ(RowOrder(tree), (std::vector<std::string>{"B", "C", "A", "E", "D"}));

    // Every column of values in the three windows sorts so.
    for (TfmSystemInfoForm* window : {fmSystemInfoForm, static_cast<TfmSystemInfoForm*>(&form),
                                      static_cast<TfmSystemInfoForm*>(fmBLLLeakForm)}) {
        TQZHeaderSections& sections = *window->tvObjects->Header()->Sections();
        EXPECT_EQ(sections.ItemByPos(0)->FieldType(), sftText);
        for (int i = 1; i < sections.Count(); ++i)
            EXPECT_EQ(sections.ItemByPos(i)->FieldType(), i == 5 ? sftFloating : sftNumber)
                << window->Caption() << " " << i;
    }
}

TEST_F(TreeWindowsTest, RowsAddedByAStepShowTheIntervalAtOnce) {
    TfmSystemLeakForm& leaks = Open(fmSystemLeakForm);
    TfmBLLLeakForm& bll = Open(fmBLLLeakForm);
    // "New" is only in the middle snapshot, so its rows come when the time line gets there.
    Main().OpenFile(
        Write("i.dbg", {{Keys[0], 0, {{10, "Handle"}}, {{"TFoo", "s1", "a"}}, {}},
                        {Keys[1],
                         0,
                         {{20, "Handle"}, {5, "New"}},
                         {{"TFoo", "s1", "a"}, {"TNew", "s9", "b"}, {"TNew", "s9", "c"}},
                         {}},
                        {Keys[2], 0, {{30, "Handle"}}, {{"TFoo", "s1", "a"}}, {}}}));
    SetInterval(0, 2);
    ASSERT_EQ(Row(leaks.tvObjects, "New"), nullptr);
    MoveTimeLine(1);
    const std::vector<std::string> added = Cells(leaks.tvObjects, "New");
    ASSERT_EQ(added.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(added.begin(), added.begin() + 5),
              (std::vector<std::string>{"New", "5", "0", "0", "0"}));
    EXPECT_NE(added[5], "");
    EXPECT_EQ(Cells(bll.tvObjects, "TNew"), (std::vector<std::string>{"TNew", "1", "0", "0", "0"}));
    EXPECT_EQ(Cells(bll.tvObjects, "TNew\\s9"),
              (std::vector<std::string>{"s9", "2", "0", "0", "0"}));
    // What the interval gives every row when it is set again.
    Click(Main().Button1);
    EXPECT_EQ(Cells(leaks.tvObjects, "New"), added);
}

TEST_F(TreeWindowsTest, ADoubleClickOnAHeaderDividerFitsTheColumnWithoutSortingIt) {
    TfmSystemLeakForm& form = Open(fmSystemLeakForm);
    TViewerTree* tree = form.tvObjects;
    Main().OpenFile(Write("d.dbg", {{Keys[0], 0, {{9, "Alpha"}, {1, "Beta"}}, {}, {}}}));
    TQZHeader* header = tree->Header();
    TQZHeaderSection* first = header->Sections()->ItemByPos(0);
    const int before = first->Width();
    const int x = before - 2, y = header->Height() / 2;
    const TPoint grip = header->ClientToScreen(Point(x, y));
    SetCursorPos(grip.X, grip.Y);
    const HWND h = header->Handle();
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PostMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
    EXPECT_LT(first->Width(), before);
    // The mouse is over "Current num" now, which would sort Beta first.
    EXPECT_EQ(RowOrder(tree), (std::vector<std::string>{"Alpha", "Beta"}));
    for (int i = 0; i < header->Sections()->Count(); ++i)
        EXPECT_EQ(header->Sections()->ItemByPos(i)->SortMode(), hsmNone);
}

TEST_F(TreeWindowsTest, BusinessLogicLeaksByClassAndStackWithTheirObjects) {
    TfmBLLLeakForm& form = Open(fmBLLLeakForm);
    TViewerTree* tree = form.tvObjects;
    const std::vector<std::array<std::string, 3>> start{
        {"TFoo", "s1", "a"}, {"TFoo", "s1", "b"}, {"TFoo", "s2", "c"}, {"TBar", "s1", "d"}};
    std::vector<std::array<std::string, 3>> end = start;
    for (const char* info : {"e", "f", "g"})
        end.push_back({"TFoo", "s2", info});
    Main().OpenFile(Write("b.dbg", {{Keys[0], 0, {}, start}, {Keys[1], 0, {}, end}, {Keys[2]}}));

    EXPECT_EQ(tree->HeaderSectionCount(), 5);
    // The last snapshot has no leaks: no rows yet.
    EXPECT_EQ(tree->Items()->Count(), 0);
    MoveTimeLine(0);
    EXPECT_EQ(Cells(tree, "TFoo"), (std::vector<std::string>{"TFoo", "2", "", "", ""}));
    EXPECT_EQ(Cells(tree, "TFoo\\s1")[1], "2");
    EXPECT_EQ(Cells(tree, "TFoo\\s2")[1], "1");
    // One stack text under two classes gives two rows.
    EXPECT_EQ(Cells(tree, "TBar\\s1")[1], "1");
    EXPECT_EQ(tree->Items()->Count(), 5);

    SetInterval(0, 1);
    EXPECT_EQ(Cells(tree, "TFoo\\s2"), (std::vector<std::string>{"s2", "4", "1", "4", "3"}));
    EXPECT_EQ(Cells(tree, "TBar"), (std::vector<std::string>{"TBar", "1", "1", "1", "0"}));

    // Selecting a row lists its objects; gone from the current snapshot, the row shows "0" and
    // still lists the objects of the snapshot that filled it last.
    MoveTimeLine(1);
    MoveTimeLine(2);
    EXPECT_EQ(Cells(tree, "TFoo\\s2")[1], "0");
    Row(tree, "TFoo")->Expand(false);
    ClickRow(tree, Row(tree, "TFoo\\s2"));
    EXPECT_EQ(WindowText(form.mBLLObjectInfo), "s2\r\n\r\n"
                                               "    Live time: 36:00:00:000 -> Added info: c\r\n"
                                               "    Live time: 36:00:00:000 -> Added info: e\r\n"
                                               "    Live time: 36:00:00:000 -> Added info: f\r\n"
                                               "    Live time: 36:00:00:000 -> Added info: g");
    ClickRow(tree, Row(tree, "TBar"), MK_CONTROL);
    EXPECT_EQ(WindowText(form.mBLLObjectInfo),
              "TBar\r\n\r\n  s1\r\n\r\n      Live time: 36:00:00:000 -> Added info: d\r\n");
    // A Ctrl-click takes the row out of the selection, and its objects out of the memo.
    ClickRow(tree, Row(tree, "TBar"), MK_CONTROL);
    EXPECT_FALSE(Row(tree, "TBar")->Selected());
    EXPECT_EQ(WindowText(form.mBLLObjectInfo), "");
    // Rows keep no pointers into snapshots: after the store is emptied the memo of a row has
    // nothing more to list.
    Click(Main().ToolButton3);
    EXPECT_EQ(tree->Items()->Count(), 0);
}

// Rows stay once seen and are found again by name without regard to letter case, from step to
// step and after the file is read anew: stepping back and forth gives the rows and counts that
// the snapshots name, and a second pass over the same steps gives exactly the rows of the first.
TEST_F(TreeWindowsTest, LeakRowsFollowNamesComingAndGoingAcrossSteps) {
    TfmSystemLeakForm& system = Open(fmSystemLeakForm);
    TfmBLLLeakForm& bll = Open(fmBLLLeakForm);
    const std::string path =
        Write("steps.dbg", {{Keys[0],
                             0,
                             {{1, "THandle"}, {3, "TMutex"}},
                             {{"TFoo", "s1", "a"}, {"TFoo", "s2", "b"}},
                             {}},
                            {Keys[1],
                             0,
                             {{5, "TMUTEX"}},
                             {{"TBar", "s1", "e"}, {"TFOO", "s1", "c"}, {"TFOO", "s1", "d"}},
                             {}},
                            {Keys[2], 0, {{2, "TEvent"}}, {{"TBar", "s2", "f"}}, {}},
                            {"10.01.2006 18:00:00", 0, {}, {}, {}}});
    auto allRows = [](TViewerTree* tree) {
        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < tree->Items()->Count(); ++i)
            rows.push_back(RowTexts(tree->Items()->Item(i)));
        return rows;
    };
    auto counts = [](TViewerTree* tree, const std::vector<std::string>& paths) {
        std::vector<std::string> texts;
        for (const std::string& path : paths)
            texts.push_back(Cells(tree, path).at(1));
        return texts;
    };
    const std::vector<std::string> names{"THandle", "TMutex", "TEvent"};
    const std::vector<std::string> paths{"TFoo", "TFoo\\s1", "TFoo\\s2",
                                         "TBar", "TBar\\s1", "TBar\\s2"};
    const std::vector<int> steps{0, 1, 2, 3, 2, 1, 0};
    std::vector<std::vector<std::vector<std::string>>> firstPass;
    for (int pass = 0; pass < 2; ++pass) {
        Click(Main().ToolButton3);
        Main().OpenFile(path);
        for (size_t i = 0; i < steps.size(); ++i) {
            MoveTimeLine(steps[i]);
            auto rows = allRows(system.tvObjects);
            for (const auto& row : allRows(bll.tvObjects))
                rows.push_back(row);
            if (pass == 0)
                firstPass.push_back(rows);
            else
                EXPECT_EQ(rows, firstPass[i]) << "step " << i;
        }
    }
    EXPECT_EQ(system.tvObjects->Items()->Count(), 3);
    EXPECT_EQ(bll.tvObjects->Items()->Count(), 6);
    MoveTimeLine(1);
    EXPECT_EQ(counts(system.tvObjects, names), (std::vector<std::string>{"0", "5", "0"}));
    EXPECT_EQ(counts(bll.tvObjects, paths),
              (std::vector<std::string>{"1", "2", "0", "1", "1", "0"}));
    MoveTimeLine(2);
    EXPECT_EQ(counts(system.tvObjects, names), (std::vector<std::string>{"0", "0", "2"}));
    EXPECT_EQ(counts(bll.tvObjects, paths),
              (std::vector<std::string>{"0", "0", "0", "1", "0", "1"}));
    MoveTimeLine(0);
    EXPECT_EQ(counts(system.tvObjects, names), (std::vector<std::string>{"1", "3", "0"}));
    EXPECT_EQ(counts(bll.tvObjects, paths),
              (std::vector<std::string>{"2", "1", "1", "0", "0", "0"}));
    // A row the current snapshot lacks lists the objects of the snapshot that filled it last.
    Row(bll.tvObjects, "TBar")->Expand(false);
    ClickRow(bll.tvObjects, Row(bll.tvObjects, "TBar\\s1"));
    EXPECT_EQ(WindowText(bll.mBLLObjectInfo),
              "s1\r\n\r\n    Live time: 36:00:00:000 -> Added info: e");
}

TEST_F(TreeWindowsTest, TasksByConnectionWithTheSameThreadSelectedAcrossSnapshots) {
    TfmTasksThreads& form = Open(fmTasksThreads);
    // The status bar lies along the bottom, the thread's details right above it.
    EXPECT_EQ(form.sbInfo->Top() + form.sbInfo->Height(), form.ClientHeight());
    EXPECT_EQ(form.mTaskDetail->Top() + form.mTaskDetail->Height(), form.sbInfo->Top());
    TTaskLine crypto = Task(3, "T3", "b:2", 0);
    crypto.Sign = "sign";
    Main().OpenFile(Write(
        "t.dbg", {{Keys[0], 0, {}, {}, {Task(1, "T1", "a:1"), Task(2, "T2", "a:1")}},
                  {Keys[1], 0, {}, {}, {Task(1, "T1", "a:1"), crypto, Task(2, "T2", "a:1", 0)}},
                  {Keys[2]}}));
    // The last snapshot has no tasks.
    EXPECT_EQ(form.tvRunTasks->Items()->Count(), 0);
    EXPECT_EQ(PanelText(form.sbInfo, 0), "Total threads: 0");
    EXPECT_EQ(PanelText(form.sbInfo, 1), "Work threads: 0");

    // One connection: no tabs, every thread listed.
    MoveTimeLine(0);
    EXPECT_TRUE(TabTexts(form.tcTasksByHostPort).empty());
    ASSERT_EQ(form.tvRunTasks->Items()->Count(), 2);
    EXPECT_EQ(RowTexts(form.tvRunTasks->Items()->Item(1)),
              (std::vector<std::string>{"T2", "10:00:02", "task of T2", "1 s", "PT2", "open"}));
    EXPECT_EQ(form.tvRunTasks->Items()->Item(1)->ImageIndex(), 1);
    EXPECT_EQ(PanelText(form.sbInfo, 0), "Total threads: 2");
    EXPECT_EQ(PanelText(form.sbInfo, 1), "Work threads: 2");

    ClickRow(form.tvRunTasks, form.tvRunTasks->Items()->Item(1));
    EXPECT_EQ(WindowText(form.mTaskDetail),
              "ThreadID: T2\r\nCreate time: 10:00:02\r\nTask: task of T2\r\nWork task time: 1 s\r\n"
              "PositionID: PT2\r\nConnection status: open\r\nStack: \r\nUnit.Run\r\nUnit.Main");

    // Two connections (a, b, a): two tabs, the first selected; the same thread stays selected.
    MoveTimeLine(1);
    EXPECT_EQ(TabTexts(form.tcTasksByHostPort), (std::vector<std::string>{"a:1", "b:2"}));
    EXPECT_EQ(ShownTab(form.tcTasksByHostPort), 0);
    ASSERT_EQ(form.tvRunTasks->Items()->Count(), 2);
    TQZTreeItem* selected = form.tvRunTasks->SelectedRow();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->Tag, 2);
    EXPECT_EQ(PanelText(form.sbInfo, 1), "Work threads: 1");
    EXPECT_NE(WindowText(form.mTaskDetail).find("ThreadID: T2"), std::string::npos);

    // The operator clicks the second tab: its one thread, whose crypto parameters show.
    RECT tab{};
    SendMessageW(form.tcTasksByHostPort->Handle(), TCM_GETITEMRECT, 1, LPARAM(&tab));
    PostClick(form.tcTasksByHostPort->Handle(), (tab.left + tab.right) / 2,
              (tab.top + tab.bottom) / 2);
    EXPECT_EQ(ShownTab(form.tcTasksByHostPort), 1);
    ASSERT_EQ(form.tvRunTasks->Items()->Count(), 1);
    EXPECT_EQ(form.tvRunTasks->Items()->Item(0)->Text(), "T3");
    ClickRow(form.tvRunTasks, form.tvRunTasks->Items()->Item(0));
    const std::string detail = WindowText(form.mTaskDetail);
    EXPECT_NE(detail.find("Unit.Main\r\nSignCryptoParams: \r\nsign"), std::string::npos) << detail;

    // Back to the first snapshot: the tab of the connection stays chosen only while it exists.
    MoveTimeLine(0);
    EXPECT_TRUE(TabTexts(form.tcTasksByHostPort).empty());
    EXPECT_EQ(form.tvRunTasks->Items()->Count(), 2);
}

TEST_F(TreeWindowsTest, AThreadAtAddressZeroIsNotTakenForTheSelectionWhenNoneWasSelected) {
    TfmTasksThreads& form = Open(fmTasksThreads);
    Main().OpenFile(Write("z.dbg", {{Keys[0], 0, {}, {}, {Task(0, "T0", "a:1")}},
                                    {Keys[1], 0, {}, {}, {Task(0, "T0", "a:1")}}}));
    MoveTimeLine(0);
    ASSERT_EQ(form.tvRunTasks->Items()->Count(), 1);
    EXPECT_EQ(form.tvRunTasks->SelectedRow(), nullptr);
    EXPECT_EQ(WindowText(form.mTaskDetail), "");
}

TEST_F(TreeWindowsTest, DownRightAfterTheBarShowsSystemInfoPicksItsFirstRow) {
    TfmSystemInfoForm& form = *fmSystemInfoForm;
    ClickWithRealMouse(form.WindowBarButton());
    ASSERT_TRUE(form.Visible());
    TViewerTree* tree = form.tvObjects;
    // The window comes up with the keys on its tree, the rows left alone until a key moves.
    EXPECT_EQ(GetFocus(), tree->ViewControl()->Handle());
    EXPECT_EQ(tree->GetFocused(), nullptr);
    EXPECT_TRUE(tree->SelectedRows().empty());
    TypeKey(VK_DOWN);
    ASSERT_NE(tree->GetFocused(), nullptr);
    EXPECT_EQ(tree->GetFocused()->Text(), "Errors");
    EXPECT_EQ(tree->SelectedRows(), std::vector<TQZTreeItem*>{tree->GetFocused()});
}

TEST_F(TreeWindowsTest, TasksThreadsOpensOnItsTabsAndTabGoesOnToTheThreadsThenTheDetails) {
    Main().OpenFile(
        Write("f.dbg", {{Keys[0], 0, {}, {}, {Task(1, "T1", "a:1"), Task(2, "T2", "b:2")}}}));
    TfmTasksThreads& form = *fmTasksThreads;
    ClickWithRealMouse(form.WindowBarButton());
    ASSERT_EQ(TabTexts(form.tcTasksByHostPort), (std::vector<std::string>{"a:1", "b:2"}));
    EXPECT_EQ(GetFocus(), form.tcTasksByHostPort->Handle());
    TypeKey(VK_RIGHT);
    EXPECT_EQ(ShownTab(form.tcTasksByHostPort), 1);
    ASSERT_EQ(form.tvRunTasks->Items()->Count(), 1);
    EXPECT_EQ(form.tvRunTasks->Items()->Item(0)->Text(), "T2");

    TypeKey(VK_TAB);
    EXPECT_EQ(GetFocus(), form.tvRunTasks->ViewControl()->Handle());
    EXPECT_EQ(form.tvRunTasks->SelectedRow(), nullptr);
    TypeKey(VK_TAB);
    EXPECT_EQ(GetFocus(), form.mTaskDetail->Handle());
}

TEST_F(TreeWindowsTest, SelectedCounterRowsDraggedOntoTheChartBecomeSeries) {
    TfmSystemInfoForm& form = Open(fmSystemInfoForm);
    TfmDiagramForm& diagram = Open(fmDiagramForm);
    Main().OpenFile(Write("c.dbg", {{Keys[0], 5}, {Keys[1], 10}, {Keys[2], 20}}));
    form.SetBounds(0, 300, 551, 300);
    diagram.SetBounds(600, 300, 551, 300);
    PumpMessages();

    TViewerTree* tree = form.tvObjects;
    ClickRow(tree, Row(tree, "OpenSessions"));
    ClickRow(tree, Row(tree, "Errors"), MK_CONTROL);
    ClickRow(tree, Row(tree, "LoginUsers"), MK_CONTROL);
    ASSERT_EQ(tree->GetSelCount(), 3);
    TQZTreeView* view = tree->ViewControl();
    ASSERT_TRUE(DragRowAcross(tree, Row(tree, "LoginUsers"),
                              diagram.Diagram->ClientToScreen(Point(100, 100))));

    ASSERT_EQ(diagram.DataSeriesCount(), 3);
    std::vector<std::string> titles;
    for (int i = 0; i < 3; ++i)
        titles.push_back(diagram.Diagram->Series(3 + i)->Title());
    EXPECT_EQ(titles, (std::vector<std::string>{"OpenSessions", "Errors", "LoginUsers"}));
    EXPECT_EQ(diagram.Diagram->Series(3)->Tag(), dioDinamicSystemInfo);

    // Nothing is dropped on the rows themselves.
    ASSERT_TRUE(DragRowAcross(tree, Row(tree, "LoginUsers"), view->ClientToScreen(Point(40, 60))));
    EXPECT_EQ(diagram.DataSeriesCount(), 3);
}

TEST_F(TreeWindowsTest, TimesAtTheCalendarsEdgesShowOnTheTimeLineTheChartAndTheRate) {
    TfmSystemLeakForm& leaks = Open(fmSystemLeakForm);
    TfmDiagramForm& diagram = Open(fmDiagramForm);
    leaks.SetBounds(0, 300, 551, 300);
    diagram.SetBounds(600, 300, 551, 300);
    PumpMessages();
    TChart* chart = diagram.Diagram;
    TViewerTree* tree = leaks.tvObjects;
    // Painted without a box, with ticks, and nothing shown beyond the calendar.
    const auto expectTimeAxis = [&](const std::string& state) {
        chart->Update();
        const TChartLayout layout = chart->Layout();
        const TValueRange shown = layout.Bottom.Scale.Range;
        EXPECT_GE(shown.Min, MinDateTime) << state;
        EXPECT_LE(shown.Max, MaxDateTime) << state;
        EXPECT_LT(shown.Min, shown.Max) << state;
        EXPECT_FALSE(layout.Bottom.Ticks.empty()) << state;
        for (const TAxisTick& tick : layout.Bottom.Ticks) {
            EXPECT_GE(tick.Value, shown.Min) << state << ": " << tick.Label;
            EXPECT_LE(tick.Value, shown.Max) << state << ": " << tick.Label;
        }
    };
    const auto dragOnThePlot = [&](int fromX, int toX) {
        const TRect plot = chart->Layout().Plot;
        SendMouse(chart, WM_LBUTTONDOWN, fromX, plot.Top + 10, MK_LBUTTON);
        SendMouse(chart, WM_MOUSEMOVE, toX, plot.Bottom - 20, MK_LBUTTON);
        SendMouse(chart, WM_LBUTTONUP, toX, plot.Bottom - 20);
    };

    struct TEdgeCase {
        const char* Name;
        std::vector<std::string> Keys;
        const char* Rate; // of the counts 1 and 3 over the whole time line
    };
    const TEdgeCase cases[] = {
        {"one snapshot at the last moment", {"31.12.9999 23:59:59.999"}, ""},
        {"one snapshot at the first moment", {"01.01.0001 00:00:00.000"}, ""},
        {"two in one millisecond", {"31.12.9999 23:59:59", "31.12.9999 23:59:59.000"}, ""},
        {"the first and the last moment",
         {"01.01.0001 00:00:00.000", "31.12.9999 23:59:59.999"},
         "2"},
        {"9,998 years", {"31.12.0001 23:59:59.999", "31.12.9999 23:59:59.999"}, "2"},
    };
    for (const TEdgeCase& edge : cases) {
        SCOPED_TRACE(edge.Name);
        Click(Main().ToolButton3);
        std::vector<TSnap> snaps;
        for (size_t i = 0; i < edge.Keys.size(); ++i)
            snaps.push_back({edge.Keys[i], 0, {{int(1 + 2 * i), "Handle"}}});
        Main().OpenFile(Write("edge.dbg", snaps));
        ASSERT_EQ(DebugReader->Count(), int(edge.Keys.size()));
        EXPECT_EQ(Main().edCurrentTime->Text(), edge.Keys.back().substr(0, 19));
        expectTimeAxis("without a series");

        ASSERT_TRUE(
            DragRowAcross(tree, Row(tree, "Handle"), chart->ClientToScreen(Point(100, 100))));
        ASSERT_EQ(diagram.DataSeriesCount(), 1);
        expectTimeAxis("with a series");
        const TRect plot = chart->Layout().Plot;
        dragOnThePlot(plot.Left + 10, plot.Right - 10);
        ASSERT_TRUE(chart->Zoomed());
        expectTimeAxis("zoomed");
        dragOnThePlot(plot.Right - 10, plot.Left + 10);
        EXPECT_FALSE(chart->Zoomed());

        Click(Main().Button1);
        EXPECT_EQ(Main().tbTime->SelEnd(), int(edge.Keys.size()) - 1);
        const std::vector<std::string> cells = Cells(tree, "Handle");
        ASSERT_EQ(cells.size(), 6u);
        EXPECT_EQ(cells[5], edge.Rate);
    }
}

TEST_F(TreeWindowsTest, TheHorizontalBarFollowsEveryChangeOfSize) {
    TfmSystemLeakForm& form = Open(fmSystemLeakForm);
    TViewerTree* tree = form.tvObjects;
    Main().OpenFile(Write("s.dbg", {{Keys[0], 0, {{9, "Alpha"}, {1, "Beta"}}, {}, {}}}));
    TQZScrollBar* bar = tree->HScrollBar();
    TQZTreeView* view = tree->ViewControl();
    // The bar shows, whole and under the rows, exactly when the columns are wider than the view.
    const auto barFitsColumns = [&](const char* after) {
        const bool cut = tree->SectionsWidth() > view->Width() + 1;
        const bool shown = bar->HandleAllocated() && IsWindowVisible(bar->Handle());
        EXPECT_EQ(shown, cut) << after;
        EXPECT_EQ(tree->HorzScrollBarVisible(), cut) << after;
        if (shown && cut) {
            EXPECT_EQ(bar->Top(), view->Top() + view->Height()) << after;
            EXPECT_EQ(bar->Top() + bar->Height(), tree->ClientHeight()) << after;
        }
        return shown && cut;
    };
    const auto resize = [&](int width, int height) {
        SetWindowPos(form.Handle(), nullptr, 100, 300, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages();
    };
    resize(741, 206);
    EXPECT_FALSE(barFitsColumns("741 x 206"));
    resize(680, 300); // in one step, narrower and taller
    ASSERT_TRUE(barFitsColumns("680 x 300"));
    // A click on its right arrow scrolls the rows.
    PostClick(bar->Handle(), bar->Width() - 4, bar->Height() / 2);
    EXPECT_GT(tree->LeftPosition(), 0);

    resize(741, 206);
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    PumpMessages();
    barFitsColumns("maximized");
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpMessages();
    barFitsColumns("restored");
    resize(700, 206); // only the width
    EXPECT_TRUE(barFitsColumns("700 x 206"));
}
