#pragma once
#include "vcl/core/custom_control.h"
#include "vcl/grid/grid_axis.h"

#include <functional>
#include <memory>
#include <string>

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawFlag>;

// What the mouse is doing with the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing };

// A block of cells, corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    friend bool operator==(const TGridRect& a, const TGridRect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
};

// Where a press would size a column or a row: the state, the cell sized, the pixel of its line
// and the distance of the press from that line.
struct TGridSizing {
    TGridState State = gsNormal;
    int Index = -1;
    int Pos = 0;
    int Offset = 0;
};

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;

class TInplaceEdit;

// A grid of cells drawn on its own canvas: fixed rows and columns that stay in view, a current
// cell moved by the keyboard and the mouse, a selected block, column and row sizing with the
// mouse and an edit over the current cell. The cells' content is the heirs' business.
class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner);
    ~TCustomGrid() override;

    int ColCount() const { return FCols.Count(); }
    void SetColCount(int value) { SetCount(FCols, value, FDefaultColWidth); }
    int RowCount() const { return FRows.Count(); }
    void SetRowCount(int value) { SetCount(FRows, value, FDefaultRowHeight); }
    int FixedCols() const { return FCols.FixedCount; }
    void SetFixedCols(int value) { SetFixedCount(FCols, value); }
    int FixedRows() const { return FRows.FixedCount; }
    void SetFixedRows(int value) { SetFixedCount(FRows, value); }
    // Setting a default size gives it to every column (or row); ColWidths then sizes one.
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int value) { SetDefaultExtent(FCols, FDefaultColWidth, value); }
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value) { SetDefaultExtent(FRows, FDefaultRowHeight, value); }
    int ColWidths(int index) const { return FCols.Extents.at(size_t(index)); }
    void SetColWidths(int index, int value) { SetExtent(FCols, index, value); }
    int RowHeights(int index) const { return FRows.Extents.at(size_t(index)); }
    void SetRowHeights(int index, int value) { SetExtent(FRows, index, value); }
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor value);

    // The current cell; moving it, in code too, asks SelectCell and ends the editing.
    int Col() const { return FCurrentCol; }
    void SetCol(int value) { FocusCell(value, FCurrentRow, true); }
    int Row() const { return FCurrentRow; }
    void SetRow(int value) { FocusCell(FCurrentCol, value, true); }
    // The block from the current cell to the corner that Shift and mouse drags move.
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    int TopRow() const { return FRows.FirstScrolled; }
    void SetTopRow(int value);
    int LeftCol() const { return FCols.FirstScrolled; }
    void SetLeftCol(int value);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return FEditor; }

    // The cell's rectangle in client pixels; empty when it is not in view.
    TRect CellRect(int ACol, int ARow) const;
    // The cell at a client point; false (and -1s) when the point is on no cell.
    bool MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    TSelectCellEvent OnSelectCell;
    TSetEditEvent OnSetEditText;
    TGetEditEvent OnGetEditText;
    TNotifyEvent OnTopLeftChanged;

    void WndProc(TMessage& Message) override;

protected:
    // May the cell become the current one? Asks OnSelectCell.
    virtual bool SelectCell(int ACol, int ARow);
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {}
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    virtual bool CanEditShow() const;
    // The column or row a press at (X, Y) would size. Heirs may narrow it.
    virtual void CalcSizingState(int X, int Y, TGridSizing& Sizing) const;
    virtual void ColWidthsChanged() {}
    virtual void SizeChanged(int OldColCount, int OldRowCount) {}

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void InvalidateCell(int ACol, int ARow);
    void InvalidateGrid() { Invalidate(); }

private:
    friend class TInplaceEdit;
    void Resize(TGridAxis& axis, int count, int defaultExtent);
    // The setters of columns and rows, each written once for either axis.
    void SetCount(TGridAxis& axis, int value, int defaultExtent);
    void SetFixedCount(TGridAxis& axis, int value);
    void SetDefaultExtent(TGridAxis& axis, int& defaultExtent, int value);
    void SetExtent(TGridAxis& axis, int index, int value);
    void LayoutChanged();
    void UpdateScrollBars();
    void ScrollMessage(TMessage& Message, TGridAxis& axis, int bar);
    void SetFirstScrolled(TGridAxis& axis, int value);
    void ScrollInView(int ACol, int ARow);
    bool FocusCell(int ACol, int ARow, bool moveCorner);
    void MoveCorner(int ACol, int ARow);
    void KeyMove(uint16_t Key, TShiftState Shift);
    bool SetCursorForSizing();
    void ShowEditor();
    void HideEditor();
    void PlaceEditor();
    void EditorTextChanged(const std::string& text);
    void EditorKey(uint16_t& Key, TShiftState Shift);
    void UpdateLineWidths();
    TRect SelectionRect(const TGridRect& cells) const;

    TGridAxis FCols;
    TGridAxis FRows;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TGridOptions FOptions;
    TScrollStyle FScrollBars = ssBoth;
    TColor FFixedColor = clBtnFace;
    int FCurrentCol = 0;
    int FCurrentRow = 0;
    int FCornerCol = 0;
    int FCornerRow = 0;
    TGridSizing FSizing;
    bool FEditorMode = false;
    TInplaceEdit* FEditor = nullptr;
    std::string FEditStartText;
    bool FFillingEditor = false;
};
