// Painting of the grid: cells row by row, each with its background and the lines after it; what
// a cell shows is drawn by the heir's DrawCell.
#include "vcl/grid/custom_grid.h"

#include "vcl/base/win_api.h"

#include <vector>

namespace {
// The cells of an axis that show: the fixed ones, then the scrolled ones in view.
std::vector<int> ShownCells(const TGridAxis& axis) {
    std::vector<int> cells;
    for (int i = 0; i < std::min(axis.FixedCount, axis.Count()); ++i)
        cells.push_back(i);
    for (int i = axis.FirstScrolled; i <= axis.LastShown(); ++i)
        cells.push_back(i);
    return cells;
}
} // namespace

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    TGridRect selection = Selection();
    bool focused = Focused();
    std::vector<int> cols = ShownCells(FCols);
    for (int row : ShownCells(FRows)) {
        for (int col : cols) {
            TRect cell = CellRect(col, row);
            bool fixed = col < FCols.FixedCount || row < FRows.FixedCount;
            bool current = col == FCurrentCol && row == FCurrentRow;
            TGridDrawState state;
            state.Set(gdFixed, fixed);
            state.Set(gdFocused, !fixed && current);
            state.Set(gdSelected, !fixed && selection.Contains(col, row));
            // In a focused grid the current cell stays unmarked inside its block, so it shows
            // where typing goes; without the focus it is marked like the rest of the block.
            bool marked = state.Contains(gdSelected) &&
                          (!current || !focused || FOptions.Contains(goDrawFocusSelected) ||
                           FOptions.Contains(goRowSelect));
            canvas->Brush()->SetColor(fixed ? FFixedColor : marked ? clHighlight : Color());
            canvas->FillRect(cell);
            canvas->Font()->SetColor(marked ? clHighlightText : Font()->Color());
            DrawCell(col, row, cell, state);
            if (current && focused && !FEditorMode && !fixed)
                canvas->DrawFocusRect(cell);
            // The lines after the cell: to its right and below it.
            int vertical = FCols.Step(col) - FCols.Extents[size_t(col)];
            int horizontal = FRows.Step(row) - FRows.Extents[size_t(row)];
            canvas->Brush()->SetColor(fixed ? clBtnShadow : clSilver);
            if (vertical > 0)
                canvas->FillRect(
                    Rect(cell.Right, cell.Top, cell.Right + vertical, cell.Bottom + horizontal));
            if (horizontal > 0)
                canvas->FillRect(
                    Rect(cell.Left, cell.Bottom, cell.Right + vertical, cell.Bottom + horizontal));
        }
    }
}
