#include "vcl/grid/grid_axis.h"
#include "vcl/grid/inplace_edit.h"
#include "vcl/grid/string_grid.h"

#include "../user_input.h"
#include "rtl/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
TStringGrid* MakeGrid(TForm* form, int cols, int rows) {
    auto* grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(20);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid->SetCells(c, r, std::to_string(c) + ":" + std::to_string(r));
    grid->SetFocus();
    PumpMessages();
    return grid;
}

TPoint CellCentre(TCustomGrid* grid, int col, int row) {
    TRect r = grid->CellRect(col, row);
    return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

void ClickCell(TCustomGrid* grid, int col, int row, uintptr_t keys = 0) {
    TPoint p = CellCentre(grid, col, row);
    PostClick(grid->Handle(), p.X, p.Y, keys);
}

HWND Editor(TCustomGrid* grid) {
    return grid->InplaceEditor() ? grid->InplaceEditor()->Handle() : nullptr;
}

std::string EditorText(TCustomGrid* grid) {
    wchar_t text[256] = {};
    GetWindowTextW(Editor(grid), text, 256);
    return FromWide(text);
}
} // namespace

TEST(GridAxis, PositionsHitsAndScrollingAgree) {
    TGridAxis axis;
    axis.Extents = {30, 40, 40, 40, 40, 40};
    axis.FixedCount = 1;
    axis.FirstScrolled = 1;
    axis.ClientExtent = 120; // the fixed cell and two whole scrolled ones, then a part
    EXPECT_EQ(axis.FixedExtent(), 31);
    EXPECT_EQ(axis.Start(2), 72);
    EXPECT_EQ(axis.IndexAt(30), 0); // a line belongs to the cell before it
    EXPECT_EQ(axis.IndexAt(31), 1);
    EXPECT_EQ(axis.IndexAt(119), 3);
    EXPECT_EQ(axis.LastShown(), 3);
    EXPECT_EQ(axis.LastWhole(), 2);
    EXPECT_EQ(axis.MaxFirstScrolled(), 4);
    EXPECT_EQ(axis.FirstToShow(5), 4);
    axis.FirstScrolled = 4;
    EXPECT_EQ(axis.Start(2), -1);
    EXPECT_EQ(axis.Start(4), 31);
    EXPECT_EQ(axis.IndexAt(31 + 41), 5);
    EXPECT_EQ(axis.IndexAt(31 + 82), -1);
    EXPECT_EQ(axis.FirstToShow(2), 2);
    EXPECT_EQ(axis.FirstToShow(0), 4);
}

TEST(StringGrid, KeysMoveTheCurrentCellAndScrollItIntoView) {
    auto form = MakeShownForm();
    TStringGrid* grid = MakeGrid(form.get(), 4, 30);
    HWND h = grid->Handle();
    EXPECT_EQ(SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    PostKey(h, VK_RIGHT);
    PostKey(h, VK_DOWN);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    PostKey(h, VK_END);
    EXPECT_EQ(grid->Col(), 3);
    PostKey(h, VK_HOME);
    EXPECT_EQ(grid->Col(), 1); // the fixed column is never current
    PostKey(h, VK_LEFT);
    EXPECT_EQ(grid->Col(), 1);
    PostKeyWith(h, VK_END, {ssCtrl});
    EXPECT_EQ(grid->Row(), 29);
    EXPECT_EQ(grid->Col(), 3);
    // The last row shows whole at the bottom; the scroll bar says so.
    TRect last = grid->CellRect(3, 29);
    EXPECT_FALSE(last.IsEmpty());
    EXPECT_LE(last.Bottom, grid->ClientHeight());
    EXPECT_EQ(GetScrollPos(h, SB_VERT), grid->TopRow() - 1);
    EXPECT_GT(grid->TopRow(), 20);
    PostKey(h, VK_PRIOR);
    EXPECT_EQ(grid->Row(), 29 - grid->VisibleRowCount());
    PostKeyWith(h, VK_HOME, {ssCtrl});
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);

    // The scroll bar scrolls without moving the current cell.
    PostMessageW(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    PumpMessages();
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(grid->CellRect(1, 1).IsEmpty());

    // The wheel scrolls three rows a notch.
    int top = grid->TopRow();
    TPoint screen = grid->ClientToScreen(Point(50, 50));
    PostMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)),
                 MAKELPARAM(screen.X, screen.Y));
    PumpMessages();
    EXPECT_EQ(grid->TopRow(), top + 3);
    EXPECT_EQ(grid->Row(), 1);
}

TEST(StringGrid, ClicksChooseCellsAndBlocks) {
    auto form = MakeShownForm();
    TStringGrid* grid = MakeGrid(form.get(), 4, 6);
    std::vector<std::pair<int, int>> asked;
    grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
        asked.push_back({c, r});
        can = r != 4;
    };
    ClickCell(grid, 2, 3);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    ClickCell(grid, 3, 4); // refused by the handler
    EXPECT_EQ(grid->Row(), 3);
    ClickCell(grid, 0, 2); // fixed cells are not chosen
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 3}, {3, 4}}));

    // Shift+click and a drag with the button held make a block; the current cell stays.
    ClickCell(grid, 3, 5, MK_SHIFT);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 3, 5}));
    ClickCell(grid, 1, 1);
    TPoint to = CellCentre(grid, 2, 2);
    PostMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(CellCentre(grid, 1, 1)));
    PostMouse(grid->Handle(), WM_MOUSEMOVE, to.X, to.Y, MK_LBUTTON);
    PostMouse(grid->Handle(), WM_LBUTTONUP, to.X, to.Y);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
    EXPECT_EQ(grid->Col(), 1);
    PostKeyWith(grid->Handle(), VK_DOWN, {ssShift});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));

    // Without range selection a drag only moves the current cell.
    grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
    ClickCell(grid, 3, 5, MK_SHIFT);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 5, 3, 5}));
}

TEST(StringGrid, TypingEditsTheCellAndEscapePutsItBack) {
    auto form = MakeShownForm();
    TStringGrid* grid = MakeGrid(form.get(), 3, 5);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    std::vector<std::string> set;
    grid->OnSetEditText = [&](TObject*, int c, int r, const std::string& v) {
        set.push_back(std::to_string(c) + std::to_string(r) + "=" + v);
    };
    HWND h = grid->Handle();
    PostChars(h, L"Да");
    ASSERT_TRUE(grid->EditorMode());
    ASSERT_TRUE(IsWindowVisible(Editor(grid)));
    EXPECT_EQ(GetFocus(), Editor(grid));
    EXPECT_EQ(EditorText(grid), "Да");
    EXPECT_EQ(grid->Cells(1, 1), "Да");
    EXPECT_EQ(set, (std::vector<std::string>{"11=Д", "11=Да"}));
    // The edit takes Enter and Escape from a dialog.
    MSG enter{Editor(grid), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(SendMessageW(Editor(grid), WM_GETDLGCODE, VK_RETURN, LPARAM(&enter)) &
                DLGC_WANTMESSAGE);
    PostKey(Editor(grid), VK_RETURN);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(IsWindowVisible(Editor(grid)));
    EXPECT_EQ(GetFocus(), h);

    // F2 edits the text as it stands; Escape gives the old text back.
    PostKey(h, VK_F2);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(EditorText(grid), "Да");
    PostKey(Editor(grid), VK_END);
    PostChars(Editor(grid), L"!!");
    EXPECT_EQ(grid->Cells(1, 1), "Да!!");
    PostKey(Editor(grid), VK_ESCAPE);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 1), "Да");
    ASSERT_FALSE(set.empty());
    EXPECT_EQ(set.back(), "11=Да");

    // An arrow down in the edit ends it there and moves on; the edit opens again on a
    // press on the current cell.
    PostKey(h, VK_F2);
    PostChars(Editor(grid), L"x");
    PostKey(Editor(grid), VK_DOWN);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(1, 1), "x");
    ClickCell(grid, 1, 2);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(EditorText(grid), "1:2");
    TRect cell = grid->CellRect(1, 2);
    RECT editor{};
    GetWindowRect(Editor(grid), &editor);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&editor), 2);
    EXPECT_TRUE(cell.Contains(Point(editor.left, editor.top)));
}

TEST(StringGrid, TabSkipsCellsTheHandlerRefuses) {
    // The parameter editor's grid: no fixed column, names in column 0 that cannot be chosen.
    auto form = MakeShownForm();
    TStringGrid* grid = MakeGrid(form.get(), 2, 4);
    grid->SetFixedCols(0);
    grid->SetOptions(grid->Options() + TGridOptions{goTabs, goEditing});
    grid->OnSelectCell = [](TObject*, int c, int, bool& can) { can = c > 0; };
    grid->SetCol(1);
    EXPECT_EQ(SendMessageW(grid->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, DLGC_WANTTAB);
    PostKey(grid->Handle(), VK_TAB);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    PostKey(grid->Handle(), VK_LEFT);
    EXPECT_EQ(grid->Col(), 1);
    PostKeyWith(grid->Handle(), VK_TAB, {ssShift});
    EXPECT_EQ(grid->Row(), 1);
    PostKeyWith(grid->Handle(), VK_TAB, {ssShift}); // nothing before it may be chosen
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 1);
}

namespace {
// A heir that never sizes beyond its last column, and keeps the first column's width.
class TClampedGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    int Asked = 0;

protected:
    void CalcSizingState(int X, int Y, TGridSizing& Sizing) const override {
        TStringGrid::CalcSizingState(X, Y, Sizing);
        const_cast<TClampedGrid*>(this)->Asked++;
        if (Sizing.State == gsColSizing && Sizing.Index == 0)
            Sizing.State = gsNormal;
    }
};
} // namespace

TEST(StringGrid, ColumnLinesInTheFixedRowAreDraggedWithTheMouse) {
    auto form = MakeShownForm();
    auto* grid = new TClampedGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(3);
    grid->SetFixedCols(0);
    grid->SetOptions(grid->Options() + TGridOptions{goColSizing});
    HWND h = grid->Handle();
    TRect first = grid->CellRect(1, 0);
    int line = first.Right; // the line after column 1, in the fixed row
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line, 5));
    PostMouse(h, WM_MOUSEMOVE, line + 25, 5, MK_LBUTTON);
    PostMouse(h, WM_LBUTTONUP, line + 25, 5);
    EXPECT_EQ(grid->ColWidths(1), 64 + 25);
    EXPECT_EQ(grid->CellRect(2, 1).Left, grid->CellRect(1, 1).Right + 1);
    EXPECT_GT(grid->Asked, 0);

    // The heir refuses column 0; a press on its line chooses nothing and sizes nothing.
    line = grid->CellRect(0, 0).Right;
    PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(line, 5));
    PostMouse(h, WM_MOUSEMOVE, line + 25, 5, MK_LBUTTON);
    PostMouse(h, WM_LBUTTONUP, line + 25, 5);
    EXPECT_EQ(grid->ColWidths(0), 64);

    // Below the fixed row a press on a line chooses a cell instead.
    line = grid->CellRect(1, 1).Right;
    TPoint inRow = CellCentre(grid, 1, 2);
    PostClick(h, line, inRow.Y);
    EXPECT_EQ(grid->ColWidths(1), 64 + 25);
    EXPECT_EQ(grid->Row(), 2);
}

TEST(StringGrid, ShrinkingDropsCellsAndKeepsTheCurrentCellInside) {
    auto form = MakeShownForm();
    TStringGrid* grid = MakeGrid(form.get(), 4, 6);
    grid->SetCol(3);
    grid->SetRow(5);
    grid->SetRowCount(2);
    grid->SetColCount(2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 1);
    grid->SetRowCount(6);
    EXPECT_EQ(grid->Cells(1, 4), "");
    EXPECT_EQ(grid->Cells(1, 1), "1:1");
    EXPECT_EQ(grid->Cells(7, 1), "");
    grid->SetRowCount(1); // only the fixed row is left: it stops being fixed
    EXPECT_EQ(grid->FixedRows(), 0);

    // An empty grid takes keys, clicks and painting without a cell to go to.
    grid->SetOptions(grid->Options() + TGridOptions{goTabs, goEditing});
    grid->SetColCount(0);
    grid->SetRowCount(0);
    for (uint16_t key : {VK_TAB, VK_DOWN, VK_END, VK_F2})
        PostKey(grid->Handle(), key);
    PostChars(grid->Handle(), L"x");
    PostClick(grid->Handle(), 5, 5);
    UpdateWindow(grid->Handle());
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(0, 0), "");
}
