// The grid's answer to the user: the mouse (choosing cells, selecting blocks, sizing columns and
// rows), the keyboard (moving between cells, starting and ending the editing) and scrolling.
#include "vcl/grid/custom_grid.h"

#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/grid/inplace_edit.h"

#include <cstdlib>

namespace {
// How near its line a press must be to size a column or a row.
constexpr int SizingMargin = 2;

// The cell whose line lies at pos on the axis, or -1.
int LineAt(const TGridAxis& axis, int pos, int& linePos) {
    int found = -1;
    auto check = [&](int i) {
        int start = axis.Start(i);
        if (start < 0)
            return;
        int line = start + axis.Extents[size_t(i)];
        if (std::abs(pos - line) <= SizingMargin) {
            found = i;
            linePos = line;
        }
    };
    for (int i = 0; i < std::min(axis.FixedCount, axis.Count()); ++i)
        check(i);
    for (int i = axis.FirstScrolled; i <= axis.LastShown(); ++i)
        check(i);
    return found;
}
// The keys that move between cells; in the edit, those that move the caret stay there.
bool MovesBetweenCells(uint16_t key, bool tabs, bool inEdit) {
    switch (key) {
    case VK_TAB:
        return tabs;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
        return !inEdit;
    default:
        return false;
    }
}
} // namespace

void TCustomGrid::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FOptions.Contains(goTabs))
            Message.Result |= DLGC_WANTTAB;
        return;
    case WM_VSCROLL:
        return ScrollMessage(Message, FRows, SB_VERT);
    case WM_HSCROLL:
        return ScrollMessage(Message, FCols, SB_HORZ);
    case WM_SETCURSOR:
        if (LOWORD(Message.LParam) == HTCLIENT && SetCursorForSizing()) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_SIZE:
        TCustomControl::WndProc(Message);
        // Scroll bars coming or going change the room for the cells.
        if (FCols.ClientExtent != ClientWidth() || FRows.ClientExtent != ClientHeight())
            LayoutChanged();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        InvalidateCell(FCurrentCol, FCurrentRow);
        if (Message.Msg == WM_SETFOCUS && FOptions.Contains(goAlwaysShowEditor) && !FEditorMode)
            ShowEditor();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridSizing& Sizing) const {
    Sizing = TGridSizing();
    int line = 0;
    if (FOptions.Contains(goColSizing) && Y < FRows.FixedExtent()) {
        int index = LineAt(FCols, X, line);
        if (index >= 0)
            Sizing = {gsColSizing, index, line, X - line};
    }
    if (Sizing.State == gsNormal && FOptions.Contains(goRowSizing) && X < FCols.FixedExtent()) {
        int index = LineAt(FRows, Y, line);
        if (index >= 0)
            Sizing = {gsRowSizing, index, line, Y - line};
    }
}

bool TCustomGrid::SetCursorForSizing() {
    TGridState state = FSizing.State;
    if (state != gsColSizing && state != gsRowSizing) {
        POINT pos;
        GetCursorPos(&pos);
        TPoint p = ScreenToClient(FromPOINT(pos));
        TGridSizing sizing;
        CalcSizingState(p.X, p.Y, sizing);
        state = sizing.State;
    }
    if (state != gsColSizing && state != gsRowSizing)
        return false;
    ::SetCursor(LoadCursorW(nullptr, state == gsColSizing ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus() && !Focused() && !(FEditor && FEditor->Focused()))
            SetFocus();
        TGridSizing sizing;
        CalcSizingState(X, Y, sizing);
        int col = -1, row = -1;
        if (sizing.State != gsNormal) {
            HideEditor();
            FSizing = sizing;
        } else if (MouseToCell(X, Y, col, row) && col >= FCols.FixedCount &&
                   row >= FRows.FixedCount) {
            if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)) {
                MoveCorner(col, row);
            } else if (col == FCurrentCol && row == FCurrentRow && CanEditShow()) {
                // A press on the current cell edits it.
                ShowEditor();
            } else if (FocusCell(col, row, true) && FOptions.Contains(goRangeSelect)) {
                FSizing.State = gsSelecting;
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    switch (FSizing.State) {
    case gsColSizing:
        SetColWidths(FSizing.Index, X - FSizing.Offset - FCols.Start(FSizing.Index));
        break;
    case gsRowSizing:
        SetRowHeights(FSizing.Index, Y - FSizing.Offset - FRows.Start(FSizing.Index));
        break;
    case gsSelecting: {
        int col = -1, row = -1;
        if (MouseToCell(X, Y, col, row))
            MoveCorner(col, row);
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        bool sized = FSizing.State == gsColSizing;
        FSizing = TGridSizing();
        if (sized)
            ColWidthsChanged();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

// The wheel scrolls the rows as a scroll bar's arrows do, three at a notch.
bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) {
    if (!TCustomControl::DoMouseWheelDown(Shift, MousePos))
        SetTopRow(TopRow() + 3);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) {
    if (!TCustomControl::DoMouseWheelUp(Shift, MousePos))
        SetTopRow(TopRow() - 3);
    return true;
}

void TCustomGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if ((Key == VK_F2 || Key == VK_RETURN) && CanEditShow()) {
        ShowEditor();
        Key = 0;
    } else if (MovesBetweenCells(Key, FOptions.Contains(goTabs), false)) {
        KeyMove(Key, Shift);
        Key = 0;
    }
}

void TCustomGrid::KeyMove(uint16_t Key, TShiftState Shift) {
    if (Key == VK_TAB) {
        // Tab walks the cells row by row to the next one that may be chosen.
        int step = Shift.Contains(ssShift) ? -1 : 1;
        int cols = ColCount() - FCols.FixedCount;
        int index = (FCurrentRow - FRows.FixedCount) * cols + FCurrentCol - FCols.FixedCount;
        int last = cols * (RowCount() - FRows.FixedCount) - 1;
        for (index += step; index >= 0 && index <= last; index += step)
            if (FocusCell(FCols.FixedCount + index % cols, FRows.FixedCount + index / cols, true))
                return;
        return;
    }
    bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    int col = extend ? FCornerCol : FCurrentCol;
    int row = extend ? FCornerRow : FCurrentRow;
    int page = std::max(1, VisibleRowCount());
    bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_LEFT:
        --col;
        break;
    case VK_RIGHT:
        ++col;
        break;
    case VK_PRIOR:
        row -= page;
        break;
    case VK_NEXT:
        row += page;
        break;
    case VK_HOME:
        col = FCols.FixedCount;
        if (ctrl)
            row = FRows.FixedCount;
        break;
    case VK_END:
        col = ColCount() - 1;
        if (ctrl)
            row = RowCount() - 1;
        break;
    default:
        return;
    }
    if (extend)
        MoveCorner(col, row);
    else
        FocusCell(col, row, true);
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (static_cast<unsigned char>(Key) < ' ' || !CanEditShow())
        return;
    // A typed character starts the editing and replaces the cell's text; characters typed
    // before the edit took the focus follow it there.
    if (!FEditorMode)
        ShowEditor();
    if (!FEditorMode)
        return;
    wchar_t wide = ToWide(std::string(1, Key))[0];
    SendMessageW(FEditor->Handle(), WM_CHAR, wide, 1);
    Key = 0;
}

void TCustomGrid::EditorKey(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        if (Key == VK_ESCAPE)
            FEditor->SetText(FEditStartText);
        if (!FOptions.Contains(goAlwaysShowEditor))
            HideEditor();
        else
            FEditor->SelectAll();
        Key = 0;
    } else if (MovesBetweenCells(Key, FOptions.Contains(goTabs), true)) {
        KeyMove(Key, Shift);
        Key = 0;
    }
}
