#include "vcl/grid/string_grid.h"

#include "rtl/published.h"

const TClassInfo& TStringGrid::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TStringGrid", &TCustomControl::StaticClassInfo())
            .Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount)
            .Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount)
            .Integer("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols)
            .Integer("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows)
            .Integer("DefaultColWidth", &TStringGrid::DefaultColWidth,
                     &TStringGrid::SetDefaultColWidth)
            .Integer("DefaultRowHeight", &TStringGrid::DefaultRowHeight,
                     &TStringGrid::SetDefaultRowHeight);
    return *info;
}

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
    SizeChanged(0, 0);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
    FCells.resize(size_t(RowCount()));
    for (auto& row : FCells)
        row.resize(size_t(ColCount()));
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
    if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= ColCount())
        return std::string();
    return FCells[size_t(ARow)][size_t(ACol)];
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& value) {
    if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= ColCount())
        return;
    std::string& cell = FCells[size_t(ARow)][size_t(ACol)];
    if (cell == value)
        return;
    cell = value;
    InvalidateCell(ACol, ARow);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
    std::string value = Cells(ACol, ARow);
    Fire(OnGetEditText, this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    SetCells(ACol, ARow, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
}
