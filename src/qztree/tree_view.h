#pragma once
#include "qztree/qz_section_types.h"
#include "qztree/scroll_bar.h"
#include "qztree/tree_view_state.h"
#include "vcl/custom_control.h"

#include <memory>
#include <string>

class TCustomQZTree;
class TQZTreeItem;
class TQZTreeItems;
class TQZCellStyle;
class TBitmap;
class TSearchTextTimeoutThread;

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
    int TextLeft = 0;
    TQZSectionStyle SectionStyle = QZhsText;
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
    void SetVPosition(int Value) override;
    void RefillVisible() override { FillVisFwd(FTopIndex); }
    void ShowLastRowWhole(const TQZTreeItem* Item) override;
    void SetHPosition(int Value);
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

    void OnVScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange);
    void OnHScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange);
    // Rows moved by a wheel turn of WheelDelta.
    static int WheelRows(int WheelDelta, int LinesPerNotch);

    bool HasFocus() const override { return FHasFocus; }
    void InvalidateRect(const TRect& Rect, bool Erase) override;
    // Repaints what the marks ask for.
    void Update() override;
    void RedoTmpBmp();
    bool Painting() const { return FPainting; }
    void ChangeButtonColors();

    void WndProc(TMessage& Message) override;

    // Incremental search: each keystroke keeps the text alive; a pause of 500 to 1000 ms
    // empties it.
    std::string SearchText;
    TSearchTextTimeoutThread* SearchTextTimeoutThread = nullptr;
    void KeepSearchText();
    void StopClearSearchTimeoutThread();
    TQZCellStyle* VirtStyle = nullptr;
    bool FScrollFirstClick = false;
    bool FHasFocus = false;
    bool FMouseSel = false;
    bool FDropAcc = false;

protected:
    void CreateWnd() override;
    void Paint() override;
    void Resize() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override;
    void DoEnter() override;
    void DoExit() override;

private:
    friend class TTreePainter;
    void PaintMessage(TMessage& Message);
    void DoPaintBkgnd(HDC DC, const TRect& Box);

    TCustomQZTree* FOwner;
    bool FPainting = false;
    std::unique_ptr<TBitmap> FTmpBmp;
};
