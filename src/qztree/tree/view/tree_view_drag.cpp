// Something dragged over the tree view: the target row, scrolling at the edges, expanding a
// target after a delay, and the clean-up when the drag leaves or ends.
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/core/application.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/img_list.h"

namespace {
constexpr int FirstScrollDelay = 1000;

// Keeps the drag image off the screen while the rows under it change, so it is neither scrolled
// along nor painted over.
class TDragImageOff {
public:
    explicit TDragImageOff(TDragObject* Drag) : FDrag(Drag) {
        if (FDrag)
            FDrag->HideDragImage();
    }
    ~TDragImageOff() {
        if (FDrag)
            FDrag->ShowDragImage();
    }
    TDragImageOff(const TDragImageOff&) = delete;
    TDragImageOff& operator=(const TDragImageOff&) = delete;

private:
    TDragObject* FDrag;
};
} // namespace

void TQZTreeView::DoStartDrag(TDragObject*& DragObject) {
    SetDragCursor(FOwner->DragCursor());
    FDropTrg = nullptr;
    // A hint waiting for its pause would pop up over the dragged rows.
    Application->CancelHint();
    FDragImages.reset();
    if (FSelected || FOwner->GetSelCount() > 0)
        FillDragImage();
    // The picture holds the rows as they stand on screen, so the pointer keeps its place on them.
    if (TImageList* images = GetDragImages())
        images->SetDragImage(0, FPressCoord.X, FPressCoord.Y - FDDY);
    TCustomControl::DoStartDrag(DragObject);
}

void TQZTreeView::DoEndDrag(TObject* Target, int X, int Y) {
    TCustomControl::DoEndDrag(Target, X, Y);
    FDragImages.reset();
    SetDropTarget(nullptr);
}

TImageList* TQZTreeView::GetDragImages() {
    return FDragImages && FDragImages->Count() > 0 ? FDragImages.get() : nullptr;
}

void TQZTreeView::SetDropTarget(TQZTreeItem* Item) {
    if (FDropTrg == Item)
        return;
    TQZTreeItem* old = FDropTrg;
    FDropTrg = Item;
    if (old)
        old->RedrawItem(true);
    if (Item)
        Item->RedrawItem(true);
}

void TQZTreeView::RedrawDropTarget() {
    if (!FDropTrg)
        return;
    TDragImageOff off(TDragManager::DragObject());
    FDropTrg->RedrawItem(true);
    Update();
}

void TQZTreeView::DragMessage(TDragMessage Kind, TDragRec& DragRec, TMessage& Message) {
    TCustomQZTree& T = *FOwner;
    // Looking for the target asks every control under the pointer; only a drag that came over
    // the tree is held by it.
    if (Kind != dmFindTarget)
        T.FDragObject = DragRec.Source;
    TCustomControl::DragMessage(Kind, DragRec, Message);
    switch (Kind) {
    case dmDragEnter:
        FInDragging = true;
        DoHideLineHint();
        break;
    case dmDragLeave:
    case dmDragDrop:
    case dmDragCancel:
        FInDragging = false;
        T.FDragObject = nullptr;
        if (FDragExpandTimer)
            FDragExpandTimer->SetEnabled(false);
        if (Kind != dmDragLeave)
            FDragExpandTimer.reset();
        if (T.DragAllowed()) {
            FDragScrollTimer.reset();
            SetDropTarget(nullptr);
            Update();
        }
        break;
    case dmDragMove:
        if (T.DragAllowed())
            DoDragOver(DragRec.Source, DragRec.Pos.X, DragRec.Pos.Y, Message.Result != 0);
        break;
    default:
        break;
    }
}

bool TQZTreeView::AtTopEdge(int Y) const {
    return FVisible.Count() > 0 && FOwner->TopIndex() > 0 &&
           Y < RowHeight(static_cast<const TQZTreeItem*>(FVisible.First()));
}

bool TQZTreeView::AtBottomEdge(int Y) const {
    if (FVisible.Count() == 0)
        return false;
    const bool rowsBelow = FOwner->TopIndex() + FVisible.Count() < FOwner->TotalVisCount();
    return rowsBelow &&
           Y >= ClientHeight() - RowHeight(static_cast<const TQZTreeItem*>(FVisible.Last()));
}

void TQZTreeView::DoDragOver(TDragObject* Source, int X, int Y, bool Accept) {
    TCustomQZTree& T = *FOwner;
    DoHideLineHint();
    FDragPos = Point(X, Y);
    if (AtTopEdge(Y) || AtBottomEdge(Y)) {
        if (!FDragScrollTimer) {
            FDragScrollTimer = std::make_unique<TTimer>(nullptr);
            FDragScrollTimer->SetEnabled(false);
            FDragScrollTimer->SetOnTimer([this](TObject*) { OnScrollTimer(); });
        }
        if (!FDragScrollTimer->Enabled()) {
            FDragScrollTimer->SetInterval(FirstScrollDelay);
            FDragScrollTimer->SetEnabled(true);
        }
    }
    FDropAcc = Accept;
    const int row = GetItemAtY(Y);
    TQZTreeItem* target = row < 0 ? nullptr : static_cast<TQZTreeItem*>(FVisible.FastGet(row));
    if (target && !target->Enabled() && !T.IgnoreEnabled())
        target = nullptr;
    if (target == FDropTrg && !T.OnDragTargetChange)
        return;
    if (target != FDropTrg) {
        SetDropTarget(target);
        if (target && T.ExpandOnDragOver()) {
            if (T.DragExpandDelay() > 0) {
                if (!FDragExpandTimer) {
                    FDragExpandTimer = std::make_unique<TTimer>(nullptr);
                    FDragExpandTimer->SetOnTimer([this](TObject*) { OnDragExpandTimer(); });
                }
                FDragExpandTimer->SetEnabled(false);
                FDragExpandTimer->SetInterval(T.DragExpandDelay());
                FDragExpandTimer->SetEnabled(true);
            } else {
                target->Expand(false);
            }
        }
    }
    if (T.OnDragTargetChange)
        T.OnDragTargetChange(&T, target, T.GetItemRect(row), X, Y + Top());
    Update();
}

void TQZTreeView::ScrollUnderDragImage(TDragObject* Source, int Rows) {
    TDragImageOff off(Source);
    FOwner->SetTopIndex(FOwner->TopIndex() + Rows);
    Update();
}

void TQZTreeView::OnScrollTimer() {
    TCustomQZTree& T = *FOwner;
    FDragScrollTimer->SetEnabled(false);
    FDragScrollTimer->SetInterval(T.DragScrollInterval());
    if (AtTopEdge(FDragPos.Y))
        ScrollUnderDragImage(TDragManager::DragObject(), -1);
    else if (AtBottomEdge(FDragPos.Y))
        ScrollUnderDragImage(TDragManager::DragObject(), 1);
    else
        return;
    FDragScrollTimer->SetEnabled(true);
}

bool TQZTreeView::DragScroll(TDragObject* Source, int X, int Y) {
    TCustomQZTree& T = *FOwner;
    const int margin = T.LineHeight() / 2;
    if (Y < margin && T.TopIndex() > 0) {
        ScrollUnderDragImage(Source, -1);
        return true;
    }
    if (Y >= ClientHeight() - margin && T.BottomIndex() < T.TotalVisCount() - 1) {
        ScrollUnderDragImage(Source, 1);
        return true;
    }
    return false;
}

void TQZTreeView::OnDragExpandTimer() {
    FDragExpandTimer->SetEnabled(false);
    TDragImageOff off(TDragManager::DragObject());
    if (FDropTrg && !FDropTrg->Expanded())
        FDropTrg->Expand(false);
    Update();
}
