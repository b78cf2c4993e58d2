#pragma once
#include "qztree/base/section_types.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/tree_types.h"
#include "qztree/tree/view/tree_view_state.h"
#include "vcl/core/custom_control.h"

#include <memory>
#include <optional>
#include <string>

class TCustomQZTree;
class TQZTreeItem;
class TQZTreeItems;
class TQZCellStyle;
class TQZCellControl;
class TBitmap;
class TImageList;
class TSearchTextTimeoutThread;
class TQZHintWindow;
class TTimer;

// Where the parts of the main column of one row lie (client coordinates); painting and hit
// testing both read it.
struct TQZMainCellParts {
    TRect Cell;
    int LinesLeft = 0; // left edge of the top level's column
    bool HasButton = false;
    TRect Button;
    TRect CheckBox;
    TRect StateImage;
    TRect Image;
    int TextLeft = 0; // the area the text may take
    int TextRight = 0;
    bool Mirrored = false; // RightAlignedTree: the parts stand from the right edge
    TQZSectionStyle SectionStyle = QZhsText;
    // An x of the left-to-right layout where it stands on screen.
    int X(int x) const { return Mirrored ? Cell.Left + Cell.Right - x : x; }
};

// The inner window of the tree control: it shows the rows of the visible-row list below the
// header, scrolls them and paints them. The tree owns it and forwards all row work to it.
class TQZTreeView : public TCustomControl, public TQZTreeViewState {
public:
    explicit TQZTreeView(TComponent* AOwner);
    ~TQZTreeView() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCustomQZTree* Tree() const { return FOwner; }
    // The rows on screen (the control's own visibility flag has the same name).
    using TQZTreeViewState::FVisible;

    // Rows that fit in the height, a partly shown last row counted (GetVisCount) or not.
    virtual int GetVisCount() const;
    virtual int GetVisCount2() const;
    int GetVisiblesHeight() const;
    // Row height of an item: the common line height unless some rows have their own.
    int RowHeight(const TQZTreeItem* Item) const;
    void FillVisFwd(int StartIndex);
    void DoSetTopIndex(int Value);
    void SetVPosition(int Value);
    void SetHPosition(int Value);
    // Moves the top row; a selection frame on screen moves with the rows.
    void ScrollRowsTo(int TopIndex);
    // The largest top index for the present height and rows.
    int MaxTopIndex();
    int CalcPageUpPos(int Index) const override;
    int CalcPageDownPos(int Index) const;
    void DefineHRange() override;

    // Geometry of rows on screen (RowIndex is the place in the visible-row list).
    TRect GetItemRect(int RowIndex) const override;
    // The row index at a client Y, or -1.
    int GetItemAtY(int Y) const;
    TQZTreeItem* GetItemAt(int X, int Y) const;
    TQZMainCellParts MainCellParts(TQZTreeItem* Item, const TRect& Cell) const;
    // The main column's cell of a row (the whole row without a header).
    TRect MainCellRect(TQZTreeItem* Item, const TRect& Row) const;
    // The item under a client point, the part of it there and the section (-1 for none).
    TQZTreeItem* GetItemAt(int X, int Y, TSTItemPart& ItemPart, int& HitColumn) const;

    void OnVScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange);
    void OnHScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange);
    // Rows moved by a wheel turn of WheelDelta.
    static int WheelRows(int WheelDelta, int LinesPerNotch);

    bool HasFocus() const override { return FHasFocus; }
    // Only a view that can take the focus takes it.
    void SetFocus() override;
    void InvalidateRect(const TRect& Rect, bool Erase) override;
    // Repaints what the marks ask for.
    void Update() override;
    void RedoTmpBmp();
    // The picture dragged along: the selected rows on screen (one, or the span from the first to
    // the last, as DragImageMode says); none with dimNever.
    void FillDragImage();
    // The picture of the drag running from this view, or none.
    TImageList* GetDragImages() override;
    int FDDY = 0; // top of the dragged span
    bool Painting() const { return FPainting; }
    void ChangeButtonColors();

    void WndProc(TMessage& Message) override;

    // Keyboard: the item a navigation key moves to (Sel: its selected state, PVal1: its row).
    virtual TQZTreeItem* FindNewFocused(uint16_t Key, int* PVal1, bool& Sel);
    // Scrolls so that as many children of the just-expanded Item as fit are shown.
    void FitMostChildren(TQZTreeItem* Item);
    // Incremental search: the typed text finds the first item that starts with it.
    bool ProcessSearch(char Key);
    void StartClearSearchTimeoutThread();
    void StopClearSearchTimeoutThread();
    void SearchTextTimeout(TObject* Sender);

    std::string SearchText;
    TSearchTextTimeoutThread* SearchTextTimeoutThread = nullptr;
    // The one cell style that rows without data of their own share while painting.
    std::unique_ptr<TQZCellStyle> VirtStyle;
    bool FScrollFirstClick = false;
    bool FHasFocus = false;
    bool FMouseSel = false;
    bool FDropAcc = false;
    bool FInDragging = false;

    // Line hints: the text a row or cell shows when it does not fit.
    static std::string GetShortHint(const std::string& Hint);
    std::string GetHintText(TQZTreeItem* Item, int& Section);
    void TryStartHint(int X, int Y);
    void DoShowLineHint(TQZTreeItem* Item, int Section);
    void DoHideLineHint();
    void OnHintTimer();
    TQZTreeItem* HintItem() const { return FHintItem; }
    TQZHintWindow* HintWindow() const { return FHintWindow.get(); }
    TTimer* HintTimer() const { return FHintTimer.get(); }
    void ForgetItem(const TQZTreeItem* Item) override;
    // A row with a hint of its own has one to show, as has the view with its own.
    bool HasHint(const TPoint& ClientPos) const override;

    // Dragging over the view: the target row, edge scrolling and the delayed expanding.
    virtual void DoDragOver(TDragObject* Source, int X, int Y, bool Accept);
    void OnScrollTimer();
    // For a drag handler: scrolls one row when Y is within half a row of the top or bottom edge
    // and there are rows that way; true when it scrolled.
    virtual bool DragScroll(TDragObject* Source, int X, int Y);
    void OnDragExpandTimer();
    // The drop target painted again at once in the tree's present drop look.
    void RedrawDropTarget();
    TTimer* DragScrollTimer() const { return FDragScrollTimer.get(); }
    TTimer* DragExpandTimer() const { return FDragExpandTimer.get(); }

protected:
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override;
    void CancelMode() override;
    void DoStartDrag(TDragObject*& DragObject) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;
    void DragMessage(TDragMessage Kind, TDragRec& DragRec, TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool HintShow(THintInfo& HintInfo) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantSpecialKey(uint16_t Key) override;

private:
    // Mouse: the press, release and move bookkeeping ahead of the window's own handling; true
    // when the message is done with.
    bool MouseMessage(TMessage& Message);
    void IntLButtonDown(int X, int Y);
    bool IntLButtonUp(int X, int Y, TShiftState Shift);
    // The control of a cell that takes the mouse, and the cell's corner in client coordinates.
    TQZCellControl* CellControlAt(TQZTreeItem* Item, int Section, TPoint& Origin);
    bool SectionClickSelect(int Section) const;
    // The button's release reaches the cell's control; true when the click goes on to the row.
    bool ReleaseCellControl(TMouseButton Button, TShiftState Shift, TQZTreeItem* Item,
                            TSTItemPart Part, int Column, int X, int Y);
    // True when a cell control took the double click.
    bool CellDoubleClick(TQZTreeItem* Item, TSTItemPart Part, int Column);
    bool IntLButtonDblClick(int X, int Y);
    bool IntRButtonUp(int X, int Y);
    bool IntRButtonDblClick(int X, int Y);
    void IntMouseMove(int X, int Y, TShiftState Shift);
    void TrackItemAt(int X, int Y);
    void LeftPress(TQZTreeItem* I, TSTItemPart Part, TShiftState Shift);
    void RightPress(TQZTreeItem* I, TSTItemPart Part, TShiftState Shift);
    void SelectByPress(TQZTreeItem* I, TShiftState Shift);
    TQZTreeItem* RowTaken(TQZTreeItem* I, TSTItemPart Part) const;
    // After a gesture: the tree hears once that the selection changed.
    void ReportSelectionChange();
    // The tree to lock during a selection gesture, or none.
    TCustomQZTree* SelectionLockTree() const;
    // Only the rows from the anchor to To selected, the anchor kept.
    void SelectFromAnchor(TQZTreeItem* To);
    void ProcessPassedClick();
    void StartMouseSel(TShiftState Shift);
    void MoveMouseSel(int X, int Y);
    void SelectMouseSelectItems();
    int FrameY(TQZTreeItem* Item, int OffsetInRow) const;
    void DrawMouseSelectFrame();
    void CancelMouseSel();

    void SetDropTarget(TQZTreeItem* Item);
    bool AtTopEdge(int Y) const;
    bool AtBottomEdge(int Y) const;
    // Moves the top row by Rows with the drag image off the screen meanwhile, so that it is not
    // scrolled along with the rows.
    void ScrollUnderDragImage(TDragObject* Source, int Rows);
    std::unique_ptr<TTimer> FDragScrollTimer;
    std::unique_ptr<TTimer> FDragExpandTimer;
    TPoint FDragPos;

    bool Fits(TQZTreeItem* Item, int Section, const std::string& Text);
    void ArmHintTimer(int X, int Y);
    // Moving onto another row with a hint of its own: that hint goes to the application.
    void ShowItemHint(int X, int Y);
    TQZTreeItem* RowItemAt(int Y) const;
    bool HidesLineHint(const TMessage& Message) const;
    std::unique_ptr<TQZHintWindow> FHintWindow;
    std::unique_ptr<TTimer> FHintTimer;
    TQZTreeItem* FHintItem = nullptr;
    TPoint FHintCoord;
    std::optional<TPoint> FHintGonePoint; // where the mouse was when a shown hint went

    // The cell whose control took the press; its control is looked up again when needed, as
    // the style may have dropped it meanwhile.
    TQZTreeItem* FClickControlItem = nullptr;
    int FClickControlSection = -1;
    TQZCellControl* PressedCellControl();
    bool FPressed = false;
    bool FClickPassed = false;
    bool FIgnoreClick = false;
    bool FIgnoreClick2 = false;
    bool FClicked = false;
    int FClickSection = -2;
    TShiftState FPassedShift;
    TPoint FPressCoord;
    TPoint FClickCoord;
    TPoint FMFSStartCoord;
    TPoint FMFSEndCoord;

    // Focus: what gaining and losing it change on screen; a lost focus also ends the press.
    void FocusChanged(bool Gained);
    // A button press takes the keyboard focus when the view can have it.
    void TakeFocusForPress();
    void ForgetPress();

    bool Usable(const TQZTreeItem* Item) const;
    void ItemKey(uint16_t Key, TShiftState Shift);
    void NavigationKey(uint16_t Key, TShiftState Shift);
    void ScrollToFocused(uint16_t Key, TQZTreeItem* Target);
    friend class TTreePainter;
    void PaintMessage(TMessage& Message);
    void DoPaintBkgnd(HDC DC, const TRect& Box);

    TCustomQZTree* FOwner;
    bool FPainting = false;
    std::unique_ptr<TBitmap> FTmpBmp;
    TOwnedPtr<TImageList> FDragImages;
};
