#include "qztree/tree/custom_tree.h"

#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/strings.h"
#include "rtl/value_scope.h"
#include "vcl/core/timer.h"

#include <algorithm>
#include <exception>

void TCustomQZTree::DestroyItems() {
    FDestroying = true;
    FItems.reset();
}

TQZTreeItem* TCustomQZTree::GetRoot() const {
    return FItems ? FItems->Root() : nullptr;
}

// ---- Update lock

void TCustomQZTree::SetUpdating(bool Value) {
    if (FProcUpdate)
        return;
    if (Value) {
        HeaderBeginUpdate();
        ++FUpdateCount;
    } else {
        if (FUpdateCount == 0)
            return;
        --FUpdateCount;
        HeaderEndUpdate();
    }
    if (FUpdateCount > 0 || FDestroying || FLoading)
        return;
    FProcUpdate = true;
    try {
        ProcessUpdateEnd();
    } catch (...) {
        // A failing handler must not leave the work marked for ever.
        FProcUpdate = false;
        FUpdated = false;
        FSortRequired = false;
        throw;
    }
    FProcUpdate = false;
}

TQZTreeLock::TQZTreeLock(TCustomQZTree* Tree)
    : FTree(Tree), FExceptions(std::uncaught_exceptions()) {
    if (FTree)
        FTree->SetUpdating(true);
}

TQZTreeLock::~TQZTreeLock() noexcept(false) {
    if (!FTree)
        return;
    if (std::uncaught_exceptions() == FExceptions) {
        FTree->SetUpdating(false);
        return;
    }
    // Already unwinding: the lock still goes, but a second failure cannot be reported.
    try {
        FTree->SetUpdating(false);
    } catch (...) {
    }
}

// ---- Indexes

void TCustomQZTree::RenumberAll() const {
    FPlaceShifts.Forget();
    const uint32_t stamp = FPlaceShifts.Now();
    for (int i = 0; i < FAllList.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        item->FAbsIndex = i;
        item->FAbsStamp = stamp;
    }
}

int TCustomQZTree::AbsIndexOf(const TQZTreeItem* Item) const {
    if (!Item || Item->IsRoot())
        return -1;
    const int cached = FPlaceShifts.Update(Item->FAbsIndex, Item->FAbsStamp);
    if (cached >= 0 && cached < FAllList.Count() && FAllList.FastGet(cached) == Item) {
        Item->FAbsIndex = cached;
        Item->FAbsStamp = FPlaceShifts.Now();
        return cached;
    }
    RenumberAll();
    const int index = Item->FAbsIndex;
    return index >= 0 && index < FAllList.Count() && FAllList.FastGet(index) == Item ? index : -1;
}

void TCustomQZTree::InsertInAllList(int Index, TQZTreeItem* Item) {
    if (Index >= FAllList.Count()) {
        Item->FAbsIndex = FAllList.Add(Item);
    } else {
        FAllList.Insert(Index, Item);
        FPlaceShifts.Inserted(Index);
        Item->FAbsIndex = Index;
    }
    Item->FAbsStamp = FPlaceShifts.Now();
    StructureChanged();
}

void TCustomQZTree::RemoveFromAllList(TQZTreeItem* Item) {
    const int index = AbsIndexOf(Item);
    if (index >= 0) {
        FAllList.Delete(index);
        if (index < FAllList.Count())
            FPlaceShifts.Removed(index);
    }
    Item->FAbsIndex = -1;
    StructureChanged();
}

void TCustomQZTree::MoveRun(int RunStart, int RunEnd, int Destination) {
    // Even a run that keeps its place may have a new parent, which changes what shows.
    StructureChanged();
    FPlaceShifts.Forget();
    if (Destination == RunStart || Destination == RunEnd + 1)
        return;
    if (Destination >= FAllList.Count()) {
        // The block goes before an entry past the end, made for the move.
        FAllList.SetCount(FAllList.Count() + 1);
        FAllList.MoveRange(RunStart, RunEnd, FAllList.Count() - 1);
        FAllList.SetCount(FAllList.Count() - 1);
    } else {
        FAllList.MoveRange(RunStart, RunEnd, Destination);
    }
    StructureChanged();
}

void TCustomQZTree::EnsureVisibleRows() const {
    if (FVisValid)
        return;
    FVisRows.clear();
    RenumberAll();
    const int count = FAllList.Count();
    for (int i = 0; i < count; ++i)
        static_cast<TQZTreeItem*>(FAllList.FastGet(i))->FVisIndex = -1;
    for (int i = 0; i < count;) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        const bool hidden = FFilteredVisibility && item->Hidden();
        if (!hidden) {
            item->FVisIndex = int(FVisRows.size());
            FVisRows.push_back(item);
        }
        if (hidden || !item->Expanded())
            i += item->ChildrenCount() + 1;
        else
            ++i;
    }
    FVisValid = true;
}

TQZTreeItem* TCustomQZTree::VisibleRow(int Index) const {
    EnsureVisibleRows();
    return Index >= 0 && Index < int(FVisRows.size()) ? FVisRows[size_t(Index)] : nullptr;
}

int TCustomQZTree::VisIndexOf(const TQZTreeItem* Item) const {
    if (!Item || AbsIndexOf(Item) < 0)
        return -1;
    EnsureVisibleRows();
    return Item->FVisIndex;
}

int TCustomQZTree::GetTotalVisCount() const {
    EnsureVisibleRows();
    return int(FVisRows.size());
}

void TCustomQZTree::AddVarHeight(TQZTreeItem* Item, int Delta) {
    FTotalVarHeightCount += Delta;
    Item->FVarHeightShare += Delta;
}

bool TCustomQZTree::DeletionInProgress(const TQZTreeItem* Item) const {
    for (const TQZTreeItem* deleting : FDeletingItems)
        if (deleting == Item || deleting->IsUnder(Item) || Item->IsUnder(deleting))
            return true;
    return false;
}

void TCustomQZTree::ForgetItem(TQZTreeItem* Item) {
    if (FDelayedItem == Item)
        FDelayedItem = nullptr;
    FView->ForgetItem(Item);
}

// ---- Options that change what is shown

void TCustomQZTree::SetFilteredVisibility(bool Value) {
    if (Value == FFilteredVisibility)
        return;
    TQZTreeLock lock(this);
    FFilteredVisibility = Value;
    if (Value)
        UpdateDiffItems();
    StructureChanged();
    FView->MarkVisibility();
    FView->FHRange = -1;
    FUpdated = true;
}

void TCustomQZTree::SetAdjustMultilineHeight(bool Value) {
    if (Value == FAdjustMultilineHeight)
        return;
    TQZTreeLock lock(this);
    FAdjustMultilineHeight = Value;
    for (int i = 0; i < FAllList.Count(); ++i)
        static_cast<TQZTreeItem*>(FAllList.FastGet(i))->SyncVarHeight();
    FView->MarkVisibility();
    FUpdated = true;
}

void TCustomQZTree::SetLineHeight(int Value) {
    if (FAutoLineHeight)
        return;
    if (Value <= 0)
        Value = DefineLineHeight();
    if (Value == FLineHeight)
        return;
    TQZTreeLock lock(this);
    FLineHeight = Value;
    FView->MarkVisibility();
    FUpdated = true;
}
