#include "qztree/base/list.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/selected_items.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/core/timer.h"

#include <vector>

// ---- Focus

TQZTreeItem* TCustomQZTree::GetFocused() const {
    return FView->FFocused;
}

void TCustomQZTree::DoSetFocused(TQZTreeItem* Item, bool Forced) {
    DoSetFocusedEx(Item, Forced, false);
}

bool TCustomQZTree::DoSetFocusedEx(TQZTreeItem* NewFocused, bool Forced, bool Delayed) {
    TQZTreeItem* old = FView->FFocused;
    if (NewFocused == old)
        return false;
    bool allowChange = Forced;
    DoChanging(NewFocused, allowChange);
    if (!Forced && !allowChange) {
        // A refused move toggles the item that keeps the focus, when there is one.
        if (FMultiSelect && old)
            DoSetSelected(old);
        return false;
    }
    TQZTreeLock lock(this);
    if (old) {
        old->SetStateBit(stsFocused, false);
        old->RedrawItem(true);
        FView->FFocused = nullptr;
        if (FAutoExpand && NewFocused && FAutoCollapse)
            CollapseOldBranch(old, NewFocused);
        FUpdated = true;
    }
    FView->FFocused = NewFocused;
    DoSetSelected(NewFocused);
    if (NewFocused) {
        NewFocused->SetStateBit(stsFocused, true);
        NewFocused->RedrawItem(true);
        if (FAutoExpand)
            NewFocused->Expand(false);
        if (!FDestroying)
            ShowLastRowWhole(NewFocused);
    }
    if (FChangeDelay == 0 || !Delayed) {
        DoItemFocused();
    } else {
        StopDelayedFocus();
        StartDelayedFocus(FView->FFocused);
    }
    FUpdated = true;
    return true;
}

void TCustomQZTree::CollapseOldBranch(TQZTreeItem* Old, TQZTreeItem* NewFocused) {
    for (TQZTreeItem* item = Old; item && !item->IsRoot(); item = item->Parent()) {
        if (NewFocused == item || NewFocused->IsUnder(item))
            break;
        item->Collapse(false);
    }
}

void TCustomQZTree::StartDelayedFocus(TQZTreeItem* Item) {
    FDelayTimer->SetEnabled(false);
    FDelayTimer->SetOnTimer([this](TObject* Sender) { OnDelayTimer(Sender); });
    FDelayedItem = Item;
    FDelayTimer->SetInterval(FChangeDelay);
    FDelayTimer->SetEnabled(true);
}

void TCustomQZTree::StopDelayedFocus() {
    FDelayTimer->SetEnabled(false);
    FDelayedItem = nullptr;
}

void TCustomQZTree::OnDelayTimer(TObject*) {
    FDelayTimer->SetEnabled(false);
    if (FView->FFocused == FDelayedItem)
        DoItemFocused();
}

// ---- Selection queries

TQZTreeItem* TCustomQZTree::Selected() const {
    return FView->FSelected ? FView->FSelected : SelectedItem(0);
}

void TCustomQZTree::SetSelected(TQZTreeItem* Item) {
    if (FMultiSelect)
        FView->FSelected = Item;
    else
        SetFocused(Item);
}

int TCustomQZTree::GetSelCount() const {
    if (FMultiSelect)
        return FSelectedList ? FSelectedList->Count() : 0;
    return GetFocused() ? 1 : 0;
}

TQZTreeItem* TCustomQZTree::SelectedItem(int Index) const {
    return FSelectedList ? FSelectedList->Get(Index) : nullptr;
}

void TCustomQZTree::AllSelected(TQZList& SelectedItems) {
    if (FMultiSelect && FSelectedList) {
        FSelectedList->CopyTo(SelectedItems);
        return;
    }
    SelectedItems.Clear();
    if (GetFocused())
        SelectedItems.Add(GetFocused());
}

TQZTreeItem* TCustomQZTree::GetNextSelected(TQZTreeItem* Prev) {
    if (!FMultiSelect)
        return Prev ? nullptr : GetFocused();
    if (!FSelectedList)
        return nullptr;
    if (!Prev)
        return FSelectedList->First();
    const int index = FSelectedList->IndexOf(Prev);
    return index < 0 ? nullptr : FSelectedList->Get(index + 1);
}

// ---- Selecting single items

void TCustomQZTree::MarkSelected(TQZTreeItem* Item, bool Value) {
    if (Item->Selected() == Value)
        return;
    FSelChange = true;
    Item->SetStateBit(stsSelected, Value);
    if (Value)
        Item->FIState |= TQZTreeItem::tisSelected;
    else
        Item->FIState &= ~TQZTreeItem::tisSelected;
    TriggerItemSelectedChangeEvent(Item);
    Item->RedrawItem(true);
}

void TCustomQZTree::DoSetSelected(TQZTreeItem* Item) {
    if (!FMultiSelect) {
        TQZTreeItem* old = FView->FSelected;
        if (old && old != Item)
            MarkSelected(old, false);
        if (Item)
            MarkSelected(Item, true);
        FView->FSelected = Item;
        return;
    }
    if (!Item)
        return;
    if (FMultiSelectLevel >= 0) {
        const TQZTreeItem* first = FSelectedList ? FSelectedList->First() : nullptr;
        if (Item->Level() != FMultiSelectLevel || (first && first->Level() != FMultiSelectLevel))
            DeselectAll();
    }
    Item->SetSelected(!Item->Selected());
}

void TCustomQZTree::SetMultiSelect(bool Value) {
    if (Value == FMultiSelect)
        return;
    TQZTreeLock lock(this);
    if (Value) {
        FSelectedList = std::make_unique<TQZSelectedList>();
        FMultiSelect = true;
        if (FView->FSelected) {
            // The single selection's marks move into the list.
            TQZTreeItem* selected = FView->FSelected;
            MarkSelected(selected, false);
            selected->SetSelected(true);
        }
    } else {
        DeselectAllEx(true);
        FMultiSelect = false;
        if (TQZTreeItem* focused = GetFocused()) {
            MarkSelected(focused, false);
            focused->SetStateBit(stsFocused, true);
            focused->RedrawItem(true);
        }
        FSelectedList.reset();
    }
    FUpdated = true;
}

void TCustomQZTree::SetMultiSelectLevel(int Value) {
    if (Value == FMultiSelectLevel)
        return;
    TQZTreeLock lock(this);
    FMultiSelectLevel = Value;
    DeselectAllEx(true);
    if (TQZTreeItem* focused = GetFocused()) {
        focused->SetStateBit(stsFocused, true);
        focused->SetSelected(true);
    }
    FUpdated = true;
}

// ---- Bulk selection

bool TCustomQZTree::MaySelect(const TQZTreeItem* Item, bool SelectDisabled) const {
    return SelectDisabled || FIgnoreEnabled || Item->Enabled();
}

void TCustomQZTree::SelectWalk(bool Invert, bool SkipHidden, bool SkipCollapsed) {
    if (!FMultiSelect)
        return;
    TQZTreeLock lock(this);
    for (int i = 0; i < FAllList.Count();) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        const int subtree = item->ChildrenCount() + 1;
        if (SkipHidden && item->Hidden()) {
            i += subtree;
            continue;
        }
        if (Invert)
            item->SetSelected(!item->Selected());
        else if (!item->Selected())
            item->SetSelected(true);
        i += SkipCollapsed && !item->Expanded() ? subtree : 1;
    }
    FUpdated = true;
}

void TCustomQZTree::DeselectAll() {
    if (!FMultiSelect || !FSelectedList)
        return;
    TQZList entries;
    FSelectedList->CopyTo(entries);
    for (int i = 0; i < entries.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(entries.FastGet(i));
        // A hidden entry stays selected while the tree filters its rows.
        if (FFilteredVisibility && item->Hidden())
            continue;
        item->SetSelected(false);
    }
}

void TCustomQZTree::DeselectAllEx(bool IncludeHidden) {
    if (!IncludeHidden) {
        DeselectAll();
        return;
    }
    if (!FMultiSelect || !FSelectedList)
        return;
    TQZTreeLock lock(this);
    TQZList entries;
    FSelectedList->CopyTo(entries);
    for (int i = 0; i < entries.Count(); ++i)
        static_cast<TQZTreeItem*>(entries.FastGet(i))->SetSelected(false);
    FSelectedList->Clear();
    FUpdated = true;
}

void TCustomQZTree::SelectRangeWalk(int From, int To, bool SelectDisabled, bool SkipInvisible) {
    TQZTreeLock lock(this);
    const int step = From <= To ? 1 : -1;
    for (int i = From;; i += step) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        int next = i + step;
        if (SkipInvisible && item->Hidden()) {
            next = i + item->ChildrenCount() + 1;
        } else {
            if (MaySelect(item, SelectDisabled) && !item->Selected())
                item->SetSelected(true);
            if (SkipInvisible && !item->Expanded())
                next = i + item->ChildrenCount() + 1;
        }
        if (step > 0 ? next > To : next < To)
            break;
        i = next - step;
    }
    FUpdated = true;
}

void TCustomQZTree::SelectRange2(TQZTreeItem* FromItem, TQZTreeItem* ToItem, bool SelectDisabled) {
    if (!FMultiSelect || (FromItem && FromItem == ToItem) || FAllList.Count() == 0)
        return;
    const int a = FromItem ? std::max(AbsIndexOf(FromItem), 0) : 0;
    const int b = ToItem ? std::max(AbsIndexOf(ToItem), 0) : 0;
    SelectRangeWalk(a, b, SelectDisabled, false);
}

void TCustomQZTree::SelectRangeEx2(TQZTreeItem* FromItem, TQZTreeItem* ToItem, bool SelectDisabled,
                                   bool SelectHidden) {
    if (FromItem == ToItem)
        return;
    if (!FFilteredVisibility || SelectHidden) {
        SelectRange2(FromItem, ToItem, SelectDisabled);
        return;
    }
    if (!FMultiSelect || FAllList.Count() == 0)
        return;
    const int a = FromItem ? std::max(AbsIndexOf(FromItem), 0) : 0;
    const int b = ToItem ? std::max(AbsIndexOf(ToItem), 0) : 0;
    SelectRangeWalk(std::min(a, b), std::max(a, b), SelectDisabled, true);
}

void TCustomQZTree::FullExpand() {
    TQZTreeItem* root = GetRoot();
    if (!root || root->Count() == 0)
        return;
    TQZTreeLock lock(this);
    for (int i = 0; i < root->Count(); ++i)
        root->Children(i)->Expand(true);
}

void TCustomQZTree::FullCollapse() {
    TQZTreeItem* root = GetRoot();
    if (!root || root->Count() == 0)
        return;
    TQZTreeLock lock(this);
    for (int i = 0; i < root->Count(); ++i)
        root->Children(i)->Collapse(true);
}

// ---- Rows in view

TQZTreeItem* TCustomQZTree::GetTopItem() const {
    return static_cast<TQZTreeItem*>(FView->FVisible.First());
}

void TCustomQZTree::SetTopItem(TQZTreeItem* Item) {
    if (!Item)
        throw EQZTreeError(SQZTreeItemNotSpecified);
    ScrollToTop(VisIndexOf(Item));
}

void TCustomQZTree::ShowLastRowWhole(TQZTreeItem* Item) {
    if (!FTreeView || FView->FVisible.Count() < 2 || FView->FVisible.Last() != Item)
        return;
    if (FTreeView->GetVisiblesHeight() > FTreeView->ClientHeight())
        SetTopIndex(TopIndex() + 1);
}

void TCustomQZTree::ScrollToTop(int VisIndex) {
    TQZTreeLock lock(this);
    SetTopIndex(VisIndex);
    FView->FClearVis = true;
    FView->FClearAll = true;
    FUpdated = true;
}

bool TCustomQZTree::IsInView(TQZTreeItem* Item) const {
    return Item && FView->FVisible.IndexOf(Item) >= 0;
}

void TCustomQZTree::EnsureVisible(TQZTreeItem* Item) {
    if (IsUpdating())
        return;
    if (FTreeView)
        FTreeView->FillVisFwd(TopIndex());
    if (!Item || IsInView(Item))
        return;
    if (!Item->FullyExpanded())
        Item->MakeFullyExpanded(true);
    ScrollToTop(VisIndexOf(Item));
}

void TCustomQZTree::EnsureVisibleBottom(TQZTreeItem* Item) {
    if (IsUpdating() || !Item)
        return;
    if (FTreeView)
        FTreeView->FillVisFwd(TopIndex());
    if (IsInView(Item))
        return;
    if (!Item->FullyExpanded())
        Item->MakeFullyExpanded(true);
    ScrollToTop(FView->CalcPageUpPos(VisIndexOf(Item)) + 1);
}
