#pragma once
#include "vcl/grid/custom_grid.h"

#include <string>
#include <vector>

// A grid that holds a text in every cell and shows it; the in-place edit edits that text.
class TStringGrid : public TCustomGrid {
public:
    explicit TStringGrid(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& value);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

private:
    // Rows of cells; cells cut off by a smaller grid are gone.
    std::vector<std::vector<std::string>> FCells;
};
