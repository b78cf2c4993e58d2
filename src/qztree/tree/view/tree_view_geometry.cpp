#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/base/win_api.h"

#include <algorithm>

// Rows on screen, scroll limits and the answers to the scroll bars and the wheel.

namespace {
TQZTreeItem* AllItem(const TCustomQZTree& Tree, int Index) {
    return static_cast<TQZTreeItem*>(Tree.AllList().FastGet(Index));
}

// Where the walk of the pre-order list goes after Item: past its subtree when that is not shown.
int NextShownIndex(const TCustomQZTree& Tree, TQZTreeItem* Item, int Index) {
    if (Tree.FilteredVisibility() && Item->Hidden())
        return Index + Item->ChildrenCount() + 1;
    if (Item->Count() > 0 && !Item->Expanded())
        return Index + Item->ChildrenCount() + 1;
    return Index + 1;
}
} // namespace

int TQZTreeView::RowHeight(const TQZTreeItem* Item) const {
    return FOwner->TotalVarHeightCount() == 0 ? FOwner->LineHeight() : Item->Height();
}

int TQZTreeView::GetVisCount() const {
    const int line = std::max(FOwner->LineHeight(), 1);
    return Height() / line + (Height() % line > 0 ? 1 : 0);
}

int TQZTreeView::GetVisCount2() const {
    return Height() / std::max(FOwner->LineHeight(), 1);
}

int TQZTreeView::GetVisiblesHeight() const {
    int sum = 0;
    for (int i = 0; i < FVisible.Count(); ++i)
        sum += RowHeight(static_cast<const TQZTreeItem*>(FVisible.FastGet(i)));
    return sum;
}

void TQZTreeView::FillVisFwd(int StartIndex) {
    FVisible.Clear();
    const int height = Height();
    const int count = FOwner->AllList().Count();
    int n = 0, sum = 0;
    for (int j = 0; j < count;) {
        TQZTreeItem* item = AllItem(*FOwner, j);
        if (FOwner->FilteredVisibility() && item->Hidden()) {
            j = NextShownIndex(*FOwner, item, j);
            continue;
        }
        if (n >= StartIndex) {
            if (sum > height)
                break;
            FVisible.Add(item);
            sum += RowHeight(item);
            if (sum > height)
                break;
        }
        ++n;
        j = NextShownIndex(*FOwner, item, j);
    }
}

int TQZTreeView::MaxTopIndex() {
    if (FOwner->TotalVisCount() == 0)
        FOwner->RecountVisible();
    if (FOwner->TotalVarHeightCount() == 0)
        return FOwner->TotalVisCount() - GetVisCount() + 1;
    return CalcPageUpPos(FOwner->TotalVisCount() - 1);
}

void TQZTreeView::DoSetTopIndex(int Value) {
    const int most = MaxTopIndex();
    if (Value < 0 || most < 0)
        Value = 0;
    else if (Value > most)
        Value = most;
    FOwner->FTopIndex = Value;
    if (Value == 0 && FOwner->Items()->Count() == 0) {
        FOwner->FBottomIndex = 0;
        return;
    }
    FillVisFwd(Value);
    FOwner->FBottomIndex = FVisible.Count() + Value - 1;
}

void TQZTreeView::SetVPosition(int Value) {
    {
        TQZTreeLock lock(FOwner);
        FTrackItem = nullptr;
        if (FOwner->ComponentState().Contains(csReading)) {
            FOwner->FTopIndex = Value;
            return;
        }
        Value = std::max(std::min(Value, MaxTopIndex()), 0);
        if (Value != FOwner->TopIndex()) {
            FOwner->FUpdated = true;
            FClearVis = FClearAll = true;
            DoSetTopIndex(Value);
        }
    }
    TQZScrollBar* bar = FOwner->VScrollBar();
    if (bar && bar->HandleAllocated())
        ::SetScrollPos(bar->WindowHandle(), SB_CTL, FOwner->TopIndex(), TRUE);
}

void TQZTreeView::SetHPosition(int Value) {
    {
        TQZTreeLock lock(FOwner);
        if (FOwner->ComponentState().Contains(csReading)) {
            FHPos = Value;
            return;
        }
        Value = std::max(std::min(Value, FHRange - Width()), 0);
        if (Value != FHPos) {
            FHPos = Value;
            FOwner->HeaderLeftPosChanged();
            FClearAll = true;
            FOwner->FUpdated = true;
            FRangeUpdate = true;
        }
    }
    TQZScrollBar* bar = FOwner->HScrollBar();
    if (bar && bar->HandleAllocated() && ::GetScrollPos(bar->WindowHandle(), SB_CTL) != FHPos)
        ::SetScrollPos(bar->WindowHandle(), SB_CTL, FHPos, TRUE);
}

namespace {
// The last visible index reached from Index in Step direction while the rows fit in Height.
template <class Next>
int WalkPage(const TCustomQZTree& Tree, const TQZTreeView& View, int Index, int Height, Next next) {
    int sum = 0, result = Index;
    for (TQZTreeItem* item = Tree.Items()->ItemAsVis(Index); item; item = next(item)) {
        sum += View.RowHeight(item);
        if (sum > Height)
            break;
        result = item->VisIndex();
    }
    return result;
}
} // namespace

int TQZTreeView::CalcPageUpPos(int Index) const {
    if (Index == 0 || FVisible.Count() == 0)
        return 0;
    const TCustomQZTree& tree = *FOwner;
    return WalkPage(tree, *this, Index, ClientHeight(), [&](TQZTreeItem* item) {
        return tree.Items()->ItemAsVis(item->VisIndex() - 1);
    });
}

int TQZTreeView::CalcPageDownPos(int Index) const {
    if (FVisible.Count() == 0)
        return 0;
    const TCustomQZTree& tree = *FOwner;
    return WalkPage(tree, *this, Index, ClientHeight(), [&](TQZTreeItem* item) {
        return tree.Items()->ItemAsVis(item->VisIndex() + 1);
    });
}

void TQZTreeView::DefineHRange() {
    FHRange = 0;
    const int count = FOwner->AllList().Count();
    for (int j = 0; j < count;) {
        TQZTreeItem* item = AllItem(*FOwner, j);
        if (!(FOwner->FilteredVisibility() && item->Hidden()))
            FHRange = std::max(FHRange, item->GetWidth());
        j = NextShownIndex(*FOwner, item, j);
    }
}

TRect TQZTreeView::GetItemRect(int RowIndex) const {
    if (RowIndex < 0 || RowIndex >= FVisible.Count())
        return TRect{};
    int top = 0;
    for (int i = 0; i < RowIndex; ++i)
        top += RowHeight(static_cast<const TQZTreeItem*>(FVisible.FastGet(i)));
    const int height = RowHeight(static_cast<const TQZTreeItem*>(FVisible.FastGet(RowIndex)));
    return Rect(0, top, ClientWidth(), top + height);
}

int TQZTreeView::GetItemAtY(int Y) const {
    if (Y < 0)
        return -1;
    int top = 0;
    for (int i = 0; i < FVisible.Count(); ++i) {
        top += RowHeight(static_cast<const TQZTreeItem*>(FVisible.FastGet(i)));
        if (Y < top)
            return i;
    }
    return -1;
}

TQZTreeItem* TQZTreeView::GetItemAt(int X, int Y) const {
    const int row = GetItemAtY(Y);
    return row < 0 ? nullptr : static_cast<TQZTreeItem*>(FVisible.FastGet(row));
}

namespace {
// A secondary button moves as its kind says; a custom one moves nothing.
TQZScrollCode MapSecondary(TQZScrollCode Code, TQZSecButtonsKind Kind) {
    if (Code == escSndLineDown)
        return Kind == sbkOpposite ? escLineUp : Kind == sbkPage ? escPageDown : Code;
    if (Code == escSndLineUp)
        return Kind == sbkOpposite ? escLineDown : Kind == sbkPage ? escPageUp : Code;
    return Code;
}

// Where each scroll code of one bar leads.
struct TScrollTargets {
    int LineUp, LineDown, PageUp, PageDown, End;
};

// The position a code moves to, or false when it moves nothing (a track without tracking).
bool ScrollTarget(TQZScrollCode Code, const TScrollTargets& Targets, int ScrollPos, bool Tracking,
                  int& Target) {
    switch (Code) {
    case escLineUp:
        Target = Targets.LineUp;
        return true;
    case escLineDown:
        Target = Targets.LineDown;
        return true;
    case escPageUp:
        Target = Targets.PageUp;
        return true;
    case escPageDown:
        Target = Targets.PageDown;
        return true;
    case escPosition:
        Target = ScrollPos;
        return true;
    case escTrack:
        Target = ScrollPos;
        return Tracking;
    case escTop:
        Target = 0;
        return true;
    case escBottom:
        Target = Targets.End;
        return true;
    default:
        return false;
    }
}
} // namespace

void TQZTreeView::OnVScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos,
                            bool& DoChange) {
    FScrollFirstClick = false;
    const int top = FOwner->TopIndex();
    TScrollTargets targets{top - 1, top + 1, 0, 0, FOwner->TotalVisCount()};
    if (FOwner->TotalVarHeightCount() > 0) {
        targets.PageUp = CalcPageUpPos(top);
        targets.PageDown = CalcPageDownPos(top);
    } else {
        targets.PageUp = std::max(top - (GetVisCount() - 1), 0);
        targets.PageDown = top + GetVisCount() - 1;
        // A row taller than the view would hold the page still.
        if (targets.PageDown == top && FVisible.Count() == 1 && FOwner->TotalVisCount() != 1)
            ++targets.PageDown;
    }
    int target = top;
    if (ScrollTarget(MapSecondary(ScrollCode, FOwner->VScrollBar()->SecondBtnKind()), targets,
                     ScrollPos, FOwner->ScrollTracking(), target))
        ScrollRowsTo(target);
    FOwner->TriggerScrollEvent(sbVertical, int(ScrollCode));
    // A selection frame follows the rows that came under the mouse.
    if (FMouseSel) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const TPoint p = ScreenToClient(Point(cursor.x, cursor.y));
        Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
    }
    DoChange = false;
}

void TQZTreeView::ScrollRowsTo(int TopIndex) {
    if (!FMouseSel)
        return FOwner->SetTopIndex(TopIndex);
    // The frame is drawn over the screen, not painted with the rows: it goes before they move
    // and comes back over the repainted rows, else its old outline stays behind.
    DrawMouseSelectFrame();
    FOwner->SetTopIndex(TopIndex);
    Update();
    DrawMouseSelectFrame();
}

void TQZTreeView::OnHScroll(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos,
                            bool& DoChange) {
    const int left = FOwner->LeftPosition();
    const TScrollTargets targets{left - 4, left + 4, left - Width() / 2, left + Width() / 2,
                                 FHRange};
    int target = left;
    if (ScrollTarget(MapSecondary(ScrollCode, FOwner->HScrollBar()->SecondBtnKind()), targets,
                     ScrollPos, FOwner->ScrollTracking(), target))
        FOwner->SetLeftPosition(target);
    FOwner->TriggerScrollEvent(sbHorizontal, int(ScrollCode));
    DoChange = false;
}

int TQZTreeView::WheelRows(int WheelDelta, int LinesPerNotch) {
    const int lines = LinesPerNotch <= 0 ? 1 : LinesPerNotch;
    const int perRow = std::max(120 / lines, 1);
    return WheelDelta / perRow;
}

bool TQZTreeView::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int rows = WheelRows(WheelDelta, int(lines));
    if (rows == 0)
        return true;
    ScrollRowsTo(FOwner->TopIndex() - rows);
    // Hot tracking, hints and a selection frame follow the rows that came under the mouse.
    const TPoint p = ScreenToClient(MousePos);
    Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
    return true;
}
