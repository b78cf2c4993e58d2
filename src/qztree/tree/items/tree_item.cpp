#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/sort_key.h"

#include "qztree/base/list.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/string_list.h"
#include "rtl/value_scope.h"

TDaRudoItemStaticData::TDaRudoItemStaticData() = default;
TDaRudoItemStaticData::~TDaRudoItemStaticData() = default;

TQZTreeItem::TQZTreeItem(TCustomQZTree* AOwner) : FOwner(AOwner) {}

TQZTreeItem::~TQZTreeItem() {
    if (Selected() && FOwner && FOwner->FSelectedList)
        FOwner->FSelectedList->Remove(this);
    if (FFullTextOut && FList)
        --FList->CountFullTextOutItems;
}

void TQZTreeItem::NewStaticData() {
    if (!FStaticData)
        FStaticData = std::make_unique<TDaRudoItemStaticData>();
}

void TQZTreeItem::DisposeStaticData() {
    FStaticData.reset();
}

bool TQZTreeItem::InOuterUpdate() const {
    // Callers hold a lock of their own; an update is one that somebody else began.
    return FOwner->UpdateCount() > 1;
}

// ---- Place in the hierarchy

TQZTreeItem* TQZTreeItem::Parent() const {
    return FParent && !FParent->IsRoot() ? FParent : nullptr;
}

int TQZTreeItem::Level() const {
    int level = -1;
    for (const TQZTreeItem* item = this; item && !item->IsRoot(); item = item->FParent)
        ++level;
    return level;
}

int TQZTreeItem::Index() const {
    if (!FParent || !FParent->FChildren)
        return -1;
    const TQZList& siblings = *FParent->FChildren;
    if (FChildIndex >= 0 && FChildIndex < siblings.Count() && siblings.FastGet(FChildIndex) == this)
        return FChildIndex;
    for (int i = 0; i < siblings.Count(); ++i)
        static_cast<TQZTreeItem*>(siblings.FastGet(i))->FChildIndex = i;
    return FChildIndex;
}

int TQZTreeItem::AbsoluteIndex() const {
    return FOwner->AbsIndexOf(this);
}

int TQZTreeItem::VisIndex() const {
    return FOwner->VisIndexOf(this);
}

int TQZTreeItem::Count() const {
    return FChildren ? FChildren->Count() : 0;
}

int TQZTreeItem::ChildrenCount() const {
    if (!FChildren)
        return 0;
    if (IsRoot())
        return FOwner->FAllList.Count();
    return GetLastSubItem()->AbsoluteIndex() - AbsoluteIndex();
}

TQZTreeItem* TQZTreeItem::Children(int Index) const {
    return FChildren ? static_cast<TQZTreeItem*>(FChildren->Get(Index)) : nullptr;
}

bool TQZTreeItem::HasVisibleChildren() const {
    if (!FOwner->FilteredVisibility())
        return Count() > 0;
    return GetFirstVisibleChild() != nullptr;
}

TQZTreeItem* TQZTreeItem::Ancestor() const {
    const TQZTreeItem* item = this;
    while (item->FParent && !item->FParent->IsRoot())
        item = item->FParent;
    return const_cast<TQZTreeItem*>(item);
}

TQZTreeItem* TQZTreeItem::GetFirstChild() const {
    return Count() > 0 ? Children(0) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetLastChild() const {
    return Count() > 0 ? Children(Count() - 1) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetFirstVisibleChild() const {
    if (!FOwner->FilteredVisibility())
        return GetFirstChild();
    for (int i = 0; i < Count(); ++i)
        if (!Children(i)->Hidden())
            return Children(i);
    return nullptr;
}

TQZTreeItem* TQZTreeItem::GetNextChild(const TQZTreeItem* Child) const {
    const int index = GetChildIndex(Child);
    return index >= 0 && index + 1 < Count() ? Children(index + 1) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetPrevChild(const TQZTreeItem* Child) const {
    const int index = GetChildIndex(Child);
    return index > 0 ? Children(index - 1) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetNextSibling() const {
    return FParent ? FParent->GetNextChild(this) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetLastSubItem() const {
    const TQZTreeItem* item = this;
    while (item->Count() > 0)
        item = item->GetLastChild();
    return const_cast<TQZTreeItem*>(item);
}

TQZTreeItem* TQZTreeItem::GetPrev() const {
    const int index = AbsoluteIndex();
    return index > 0 ? static_cast<TQZTreeItem*>(FOwner->FAllList.FastGet(index - 1)) : nullptr;
}

TQZTreeItem* TQZTreeItem::GetNext() const {
    const int index = AbsoluteIndex();
    const TQZList& all = FOwner->FAllList;
    return index >= 0 && index + 1 < all.Count() ? static_cast<TQZTreeItem*>(all.FastGet(index + 1))
                                                 : nullptr;
}

bool TQZTreeItem::IsUnder(const TQZTreeItem* Item) const {
    for (const TQZTreeItem* parent = FParent; parent; parent = parent->FParent)
        if (parent == Item)
            return true;
    return false;
}

int TQZTreeItem::GetChildIndex(const TQZTreeItem* Child) const {
    if (!FChildren || !Child || Child->FParent != this)
        return -1;
    return Child->Index();
}

// ---- Structure

void TQZTreeItem::AttachChild(TQZTreeItem* Child) {
    Child->FRoot = FRoot;
    Child->FParent = this;
    Child->FList = FList;
    if (FOwner->VirtualityLevel() == vlNone)
        Child->NewStaticData();
    FOwner->FUpdated = true;
}

int TQZTreeItem::AddChild(TQZTreeItem* Child) {
    if (!FChildren)
        FChildren = std::make_unique<TQZList>();
    TQZList& all = FOwner->FAllList;
    const TQZTreeItem* lastSub = GetLastSubItem();
    if (all.Count() == 0 || all.Last() == lastSub)
        FOwner->InsertInAllList(all.Count(), Child);
    else
        FOwner->InsertInAllList(lastSub->AbsoluteIndex() + 1, Child);
    Child->FChildIndex = FChildren->Add(Child);
    AttachChild(Child);
    return Child->FChildIndex;
}

int TQZTreeItem::InsertChild(int Index, TQZTreeItem* Child) {
    if (Index < 0 || Index > Count())
        throw EQZTreeError(SQZTreeIndexOutOfBounds);
    if (!FChildren)
        FChildren = std::make_unique<TQZList>();
    int position;
    if (Index < Count())
        position = Children(Index)->AbsoluteIndex();
    else if (Count() > 0)
        position = Children(Index - 1)->GetLastSubItem()->AbsoluteIndex() + 1;
    else
        position = AbsoluteIndex() + 1;
    FOwner->InsertInAllList(position, Child);
    FChildren->Insert(Index, Child);
    AttachChild(Child);
    return Index;
}

// Who takes the anchor or the focus from a child that goes: its next sibling, else its
// previous one, else this item unless it is the hidden root.
TQZTreeItem* TQZTreeItem::HeirOfDeleted(const TQZTreeItem* Child) const {
    if (FOwner->IsDestroying())
        return nullptr;
    if (TQZTreeItem* next = GetNextChild(Child))
        return next;
    if (TQZTreeItem* prev = GetPrevChild(Child))
        return prev;
    return IsRoot() ? nullptr : const_cast<TQZTreeItem*>(this);
}

void TQZTreeItem::DeleteChild(TQZTreeItem* Child) {
    // An item already on its way out (a handler deleting it again) is left to that deletion.
    if (!Child || Child->FParent != this || !FChildren || Child->HasFlag(ibfDeleting))
        return;
    TCustomQZTree& tree = Tree();
    TQZTreeViewState& view = tree.View();
    Child->FBoolData1 |= ibfDeleting;
    tree.FDeletingItems.push_back(Child);
    struct Finished {
        std::vector<const TQZTreeItem*>& Deleting;
        ~Finished() { Deleting.pop_back(); }
    } finished{tree.FDeletingItems};
    TQZTreeLock lock(&tree);
    Child->Clear();
    if (Child->Hidden()) {
        --tree.FTotalHiddenCount;
        Child->FBoolData1 &= ~ibfHidden;
    }
    if (view.FSelected == Child)
        view.FSelected = HeirOfDeleted(Child);
    Child->SetSelected(false);
    if (tree.GetFocused() == Child)
        tree.DoSetFocused(HeirOfDeleted(Child), true);
    if (!InOuterUpdate() && tree.FilteredVisibility())
        tree.UpdateDiffItems();
    tree.DoItemDelete(Child);

    FChildren->IntDelete(FChildren->IndexOfBack(FChildren->Count() - 1, Child));
    if (FChildren->Count() == 0)
        FChildren.reset();
    // Exactly what the item added to the count of rows of their own height.
    tree.AddVarHeight(Child, -Child->FVarHeightShare);
    Child->Clear();
    tree.RemoveFromAllList(Child);
    tree.ForgetItem(Child);
    Child->DisposeStaticData();
    delete Child;
    tree.FUpdated = true;
    view.FRangeUpdate = true;
}

void TQZTreeItem::RemoveChild(TQZTreeItem* Child) {
    const int row = Tree().View().FVisible.IndexOf(Child);
    if (row >= 0)
        Tree().View().FVisible.IntDelete(row);
    if (!FChildren)
        return;
    const int index = GetChildIndex(Child);
    if (index >= 0)
        FChildren->IntDelete(index);
    if (FChildren->Count() == 0)
        FChildren.reset();
}

void TQZTreeItem::Clear() {
    if (!FChildren)
        return;
    TCustomQZTree& tree = Tree();
    TQZTreeItem* focused = tree.GetFocused();
    {
        TValueScope<int> held(tree.FFireFocusEvents, tree.FFireFocusEvents + 1);
        while (FChildren && FChildren->Count() > 0) {
            const int count = FChildren->Count();
            DeleteChild(GetLastChild());
            // A child already being deleted stays until that deletion ends; never wait on it.
            if (FChildren && FChildren->Count() == count)
                break;
        }
        if (FChildren && FChildren->Count() == 0)
            FChildren.reset();
        if (FullyExpanded())
            tree.View().FVisUpdated = true;
    }
    if (tree.GetFocused() != focused && tree.FFireFocusEvents == 0)
        tree.DoItemFocused();
}

void TQZTreeItem::Delete() {
    if (FList)
        FList->Delete(this);
}

void TQZTreeItem::Sort(bool Recursive) {
    FOwner->SortChildren(this, Recursive);
}
