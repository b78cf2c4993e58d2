#include "vcl/grid/custom_grid.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/grid/inplace_edit.h"

#include <algorithm>

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
    SetDoubleBuffered(true);
    FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    UpdateLineWidths();
    Resize(FCols, 5, FDefaultColWidth);
    Resize(FRows, 5, FDefaultRowHeight);
    FCols.FixedCount = FRows.FixedCount = 1;
    FCols.FirstScrolled = FRows.FirstScrolled = 1;
    FCurrentCol = FCurrentRow = FCornerCol = FCornerRow = 1;
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FEditor) {
        FEditor = nullptr;
        FEditorMode = false;
    }
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        Params.Style |= WS_HSCROLL;
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    LayoutChanged();
}

void TCustomGrid::Resize(TGridAxis& axis, int count, int defaultExtent) {
    count = std::max(count, 0);
    axis.Extents.resize(size_t(count), defaultExtent);
    // At least one cell scrolls, as long as there is one.
    axis.FixedCount = std::max(0, std::min(axis.FixedCount, count - 1));
    axis.FirstScrolled = std::max(axis.FirstScrolled, axis.FixedCount);
}

void TCustomGrid::SetCount(TGridAxis& axis, int value, int defaultExtent) {
    if (value == axis.Count() || value < 0)
        return;
    int oldCols = ColCount(), oldRows = RowCount();
    HideEditor();
    Resize(axis, value, defaultExtent);
    SizeChanged(oldCols, oldRows);
    LayoutChanged();
}

void TCustomGrid::SetFixedCount(TGridAxis& axis, int value) {
    value = std::max(0, std::min(value, axis.Count() - 1));
    if (value == axis.FixedCount)
        return;
    HideEditor();
    axis.FixedCount = value;
    axis.FirstScrolled = value;
    LayoutChanged();
}

void TCustomGrid::SetDefaultExtent(TGridAxis& axis, int& defaultExtent, int value) {
    if (value == defaultExtent || value < 0)
        return;
    defaultExtent = value;
    std::fill(axis.Extents.begin(), axis.Extents.end(), value);
    LayoutChanged();
}

void TCustomGrid::SetExtent(TGridAxis& axis, int index, int value) {
    value = std::max(value, 0);
    if (axis.Extents.at(size_t(index)) == value)
        return;
    axis.Extents[size_t(index)] = value;
    LayoutChanged();
}

void TCustomGrid::SetGridLineWidth(int value) {
    if (value == FGridLineWidth || value < 0)
        return;
    FGridLineWidth = value;
    UpdateLineWidths();
    LayoutChanged();
}

void TCustomGrid::SetOptions(TGridOptions value) {
    if (value == FOptions)
        return;
    FOptions = value;
    if (!CanEditShow())
        HideEditor();
    if (FOptions.Contains(goRowSelect)) {
        FCurrentCol = FCols.FixedCount;
        FCornerCol = ColCount() - 1;
    }
    UpdateLineWidths();
    LayoutChanged();
}

void TCustomGrid::UpdateLineWidths() {
    FCols.FixedLineWidth = FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
    FCols.LineWidth = FOptions.Contains(goVertLine) ? FGridLineWidth : 0;
    FRows.FixedLineWidth = FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
    FRows.LineWidth = FOptions.Contains(goHorzLine) ? FGridLineWidth : 0;
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars)
        return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomGrid::SetFixedColor(TColor value) {
    if (value == FFixedColor)
        return;
    FFixedColor = value;
    Invalidate();
}

void TCustomGrid::LayoutChanged() {
    TRect client = ClientRect();
    FCols.ClientExtent = client.Width();
    FRows.ClientExtent = client.Height();
    auto clampInto = [](int& value, int low, int high) {
        value = std::max(low, std::min(value, high));
    };
    clampInto(FCurrentCol, FCols.FixedCount, std::max(FCols.FixedCount, ColCount() - 1));
    clampInto(FCurrentRow, FRows.FixedCount, std::max(FRows.FixedCount, RowCount() - 1));
    clampInto(FCornerCol, FCols.FixedCount, std::max(FCols.FixedCount, ColCount() - 1));
    clampInto(FCornerRow, FRows.FixedCount, std::max(FRows.FixedCount, RowCount() - 1));
    if (FOptions.Contains(goRowSelect))
        FCornerCol = std::max(FCols.FixedCount, ColCount() - 1);
    for (TGridAxis* axis : {&FCols, &FRows})
        clampInto(axis->FirstScrolled, axis->FixedCount, axis->MaxFirstScrolled());
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated())
        return;
    auto update = [this](const TGridAxis& axis, int bar) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        int scrolled = axis.Count() - axis.FixedCount;
        int maxFirst = axis.MaxFirstScrolled() - axis.FixedCount;
        info.nMin = 0;
        info.nMax = std::max(scrolled - 1, 0);
        // The thumb reaches the end just when the last cell shows whole.
        info.nPage = UINT(std::max(scrolled - maxFirst, 0));
        info.nPos = axis.FirstScrolled - axis.FixedCount;
        SetScrollInfo(WindowHandle(), bar, &info, TRUE);
    };
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        update(FCols, SB_HORZ);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        update(FRows, SB_VERT);
}

void TCustomGrid::SetFirstScrolled(TGridAxis& axis, int value) {
    value = std::max(axis.FixedCount, std::min(value, axis.MaxFirstScrolled()));
    if (value == axis.FirstScrolled)
        return;
    axis.FirstScrolled = value;
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
    Fire(OnTopLeftChanged, this);
}

void TCustomGrid::SetTopRow(int value) {
    SetFirstScrolled(FRows, value);
}

void TCustomGrid::SetLeftCol(int value) {
    SetFirstScrolled(FCols, value);
}

int TCustomGrid::VisibleRowCount() const {
    return std::max(0, FRows.LastWhole() - FRows.FirstScrolled + 1);
}

int TCustomGrid::VisibleColCount() const {
    return std::max(0, FCols.LastWhole() - FCols.FirstScrolled + 1);
}

void TCustomGrid::ScrollInView(int ACol, int ARow) {
    SetFirstScrolled(FCols, FCols.FirstToShow(ACol));
    SetFirstScrolled(FRows, FRows.FirstToShow(ARow));
}

void TCustomGrid::ScrollMessage(TMessage& Message, TGridAxis& axis, int bar) {
    int first = axis.FirstScrolled;
    int page = std::max(1, axis.LastWhole() - axis.FirstScrolled);
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP:
        return SetFirstScrolled(axis, first - 1);
    case SB_LINEDOWN:
        return SetFirstScrolled(axis, first + 1);
    case SB_PAGEUP:
        return SetFirstScrolled(axis, first - page);
    case SB_PAGEDOWN:
        return SetFirstScrolled(axis, first + page);
    case SB_TOP:
        return SetFirstScrolled(axis, axis.FixedCount);
    case SB_BOTTOM:
        return SetFirstScrolled(axis, axis.Count());
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking))
            return;
        [[fallthrough]];
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(WindowHandle(), bar, &info);
        return SetFirstScrolled(axis, axis.FixedCount + info.nTrackPos);
    }
    default:
        return;
    }
}

void TCustomGrid::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TCustomControl::BoundsChanged(OldBounds, Resized);
    if (Resized)
        LayoutChanged();
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
    int x = FCols.Start(ACol);
    int y = FRows.Start(ARow);
    if (x < 0 || y < 0 || x >= FCols.ClientExtent || y >= FRows.ClientExtent)
        return TRect();
    return Rect(x, y, x + FCols.Extents[size_t(ACol)], y + FRows.Extents[size_t(ARow)]);
}

bool TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
    ACol = FCols.IndexAt(X);
    ARow = FRows.IndexAt(Y);
    if (ACol < 0 || ARow < 0 || X >= FCols.ClientExtent || Y >= FRows.ClientExtent) {
        ACol = ARow = -1;
        return false;
    }
    return true;
}

TGridRect TCustomGrid::Selection() const {
    TGridRect r;
    r.Left = std::min(FCurrentCol, FCornerCol);
    r.Right = std::max(FCurrentCol, FCornerCol);
    r.Top = std::min(FCurrentRow, FCornerRow);
    r.Bottom = std::max(FCurrentRow, FCornerRow);
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FCols.FixedCount;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    HideEditor();
    FCurrentCol = value.Left;
    FCurrentRow = value.Top;
    FCornerCol = value.Right;
    FCornerRow = value.Bottom;
    LayoutChanged();
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    Fire(OnSelectCell, this, ACol, ARow, canSelect);
    return canSelect;
}

bool TCustomGrid::FocusCell(int ACol, int ARow, bool moveCorner) {
    if (ColCount() <= FCols.FixedCount || RowCount() <= FRows.FixedCount)
        return false;
    ACol = std::max(FCols.FixedCount, std::min(ACol, ColCount() - 1));
    ARow = std::max(FRows.FixedCount, std::min(ARow, RowCount() - 1));
    if (FOptions.Contains(goRowSelect))
        ACol = FCurrentCol;
    if (ACol != FCurrentCol || ARow != FCurrentRow) {
        if (!SelectCell(ACol, ARow))
            return false;
        HideEditor();
        FCurrentCol = ACol;
        FCurrentRow = ARow;
    }
    if (moveCorner) {
        FCornerCol = FOptions.Contains(goRowSelect) ? ColCount() - 1 : ACol;
        FCornerRow = ARow;
    }
    ScrollInView(ACol, ARow);
    Invalidate();
    if (FOptions.Contains(goAlwaysShowEditor) && Focused())
        ShowEditor();
    return true;
}

void TCustomGrid::MoveCorner(int ACol, int ARow) {
    ACol = std::max(FCols.FixedCount, std::min(ACol, ColCount() - 1));
    ARow = std::max(FRows.FixedCount, std::min(ARow, RowCount() - 1));
    if (FOptions.Contains(goRowSelect))
        ACol = ColCount() - 1;
    if (ACol == FCornerCol && ARow == FCornerRow)
        return;
    HideEditor();
    FCornerCol = ACol;
    FCornerRow = ARow;
    ScrollInView(ACol, ARow);
    Invalidate();
}

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
    std::string value;
    Fire(OnGetEditText, this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    Fire(OnSetEditText, this, ACol, ARow, Value);
}

bool TCustomGrid::CanEditShow() const {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           ColCount() > FCols.FixedCount && RowCount() > FRows.FixedCount;
}

void TCustomGrid::SetEditorMode(bool value) {
    value ? ShowEditor() : HideEditor();
}

void TCustomGrid::ShowEditor() {
    if (!CanEditShow() || ComponentState().Contains(csDestroying))
        return;
    ScrollInView(FCurrentCol, FCurrentRow);
    if (!FEditor)
        FEditor = new TInplaceEdit(this);
    FEditStartText = GetEditText(FCurrentCol, FCurrentRow);
    FFillingEditor = true;
    FEditor->SetText(FEditStartText);
    FFillingEditor = false;
    FEditorMode = true;
    PlaceEditor();
    FEditor->Show();
    if (CanFocus() && HandleAllocated())
        FEditor->SetFocus();
    FEditor->SelectAll();
}

void TCustomGrid::HideEditor() {
    if (!FEditorMode)
        return;
    FEditorMode = false;
    bool hadFocus = FEditor->Focused();
    FEditor->Hide();
    if (hadFocus && CanFocus())
        SetFocus();
    InvalidateCell(FCurrentCol, FCurrentRow);
}

void TCustomGrid::PlaceEditor() {
    if (!FEditorMode || !FEditor)
        return;
    TRect cell = CellRect(FCurrentCol, FCurrentRow);
    // The text stands where the cell draws it.
    FEditor->SetBoundsRect(
        cell.Width() > 2 ? Rect(cell.Left + 1, cell.Top + 1, cell.Right, cell.Bottom) : TRect());
}

void TCustomGrid::EditorTextChanged(const std::string& text) {
    if (FFillingEditor || !FEditorMode)
        return;
    SetEditText(FCurrentCol, FCurrentRow, text);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
    if (!HandleAllocated())
        return;
    RECT r = ToRECT(CellRect(ACol, ARow));
    InvalidateRect(WindowHandle(), &r, FALSE);
}
