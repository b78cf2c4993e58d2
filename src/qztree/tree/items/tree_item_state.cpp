#include "qztree/base/list.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/value_scope.h"

bool TQZTreeItem::GetState(int Index) const {
    return Index >= 0 && Index <= stiMaxState && (FState & (1u << Index)) != 0;
}

void TQZTreeItem::SetStateBit(int Index, bool Value) {
    const uint16_t bit = uint16_t(1u << Index);
    if (((FState & bit) != 0) == Value)
        return;
    FState = Value ? (FState | bit) : (FState & ~bit);
    if (Index == stsExpanded)
        FOwner->StructureChanged();
}

void TQZTreeItem::SetState(int Index, bool Value) {
    if (Index != stsFocused)
        return;
    if (Value)
        FOwner->SetFocused(this);
    else if (FOwner->GetFocused() == this)
        FOwner->SetFocused(nullptr);
}

bool TQZTreeItem::FullyExpanded() const {
    for (const TQZTreeItem* parent = FParent; parent; parent = parent->FParent)
        if (!parent->Expanded())
            return false;
    return true;
}

bool TQZTreeItem::FullyVisible() const {
    for (const TQZTreeItem* item = this; item; item = item->FParent)
        if (item->Hidden())
            return false;
    return true;
}

void TQZTreeItem::Expand(bool Recursive) {
    TCustomQZTree& tree = Tree();
    bool canProcess = true;
    if (!IsRoot())
        tree.DoItemExpanding(this, canProcess);
    if (!canProcess)
        return;
    {
        TQZTreeLock lock(&tree);
        tree.View().FVisUpdated = true;
        tree.View().FRangeUpdate = true;
        SetStateBit(stsExpanded, true);
        if (Recursive)
            for (int i = 0; i < Count(); ++i)
                Children(i)->Expand(true);
        ResetRangeIfNeeded();
        tree.View().FClearVis = true;
        tree.FUpdated = true;
    }
    if (!IsRoot())
        tree.DoItemExpand(this);
}

void TQZTreeItem::Collapse(bool Recursive) {
    TCustomQZTree& tree = Tree();
    bool canProcess = true;
    if (!IsRoot())
        tree.DoItemCollapsing(this, canProcess);
    if (!canProcess)
        return;
    {
        TQZTreeLock lock(&tree);
        tree.View().FRangeUpdate = true;
        tree.View().FVisUpdated = true;
        SetStateBit(stsExpanded, false);
        TQZTreeItem* focused = tree.GetFocused();
        if (tree.FMoveFocusOnCollapse && focused && focused->IsUnder(this)) {
            if (tree.GetSelCount() != 1) {
                tree.SetFocused(this);
            } else {
                {
                    TValueScope<bool> noAutoExpand(tree.FAutoExpand, false);
                    tree.SetFocused(this);
                }
                focused->SetSelected(false);
            }
        }
        if (Recursive)
            for (int i = 0; i < Count(); ++i)
                Children(i)->Collapse(true);
        if (tree.FDeselectChildrenOnCollapse && Count() > 0) {
            // The subtree is the run of the all-items list right after this item.
            const int first = AbsoluteIndex() + 1;
            const int last = GetLastSubItem()->AbsoluteIndex();
            for (int i = first; i <= last; ++i) {
                auto* item = static_cast<TQZTreeItem*>(tree.FAllList.FastGet(i));
                if (item->Selected())
                    item->SetSelected(false);
            }
        }
        ResetRangeIfNeeded();
        tree.View().FClearVis = true;
        tree.View().FClearAll = true;
        tree.FUpdated = true;
    }
    if (!IsRoot())
        tree.DoItemCollapse(this);
}

void TQZTreeItem::SetExpanded(bool Value) {
    if (Value == Expanded())
        return;
    TQZTreeLock lock(&Tree());
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

void TQZTreeItem::MakeFullyExpanded(bool Value) {
    if (!Value)
        return;
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    for (TQZTreeItem* parent = FParent; parent; parent = parent->FParent)
        if (!parent->Expanded())
            parent->Expand(false);
    tree.View().FClearVis = true;
    tree.View().FVisUpdated = true;
    tree.View().FRangeUpdate = true;
    tree.FUpdated = true;
}

void TQZTreeItem::SetSelected(bool Value) {
    TCustomQZTree& tree = Tree();
    if (tree.FMultiSelect && Value != Selected() && tree.FSelectedList) {
        TQZSelectedList& selected = *tree.FSelectedList;
        if (Value) {
            const TQZTreeItem* first = selected.First();
            if (tree.FKeepSelectionWithinLevel && first && first != this &&
                first->Level() != Level())
                return;
            tree.FSelChange = true;
            SetStateBit(stsSelected, true);
            FIState |= tisSelected;
            selected.Add(this);
        } else {
            tree.FSelChange = true;
            SetStateBit(stsSelected, false);
            FIState &= ~tisSelected;
            selected.Remove(this);
            if (tree.View().FSelected == this)
                tree.View().FSelected = nullptr;
        }
        tree.TriggerItemSelectedChangeEvent(this);
    }
    UpdateItem();
}

void TQZTreeItem::SetChecked(bool Value) {
    FCheckBoxState = Value ? cbChecked : cbUnchecked;
    if (FCheckBoxType == ectRadioButton && Value && FParent)
        for (int i = 0; i < FParent->Count(); ++i) {
            TQZTreeItem* sibling = FParent->Children(i);
            if (sibling != this && sibling->FCheckBoxType == ectRadioButton &&
                sibling->FCheckBoxState != cbUnchecked)
                sibling->SetChecked(false);
        }
    RepaintCheckBox();
}

void TQZTreeItem::SetCheckBoxState(TCheckBoxState Value) {
    FCheckBoxState = Value;
    RepaintCheckBox();
}

void TQZTreeItem::RepaintCheckBox() {
    TCustomQZTree& tree = Tree();
    if (!ShowCheckBox() || !tree.FShowCheckboxes)
        return;
    int left = 0, right = 0;
    if (tree.ShowColumns() && !FFullTextOut &&
        tree.SectionBounds(tree.MainTreeColumn(), left, right))
        RedrawItemPart(true, left, right);
    else
        RedrawItem(true);
    if (tree.IsUpdating())
        tree.FUpdated = true;
    else
        tree.View().Update();
}

void TQZTreeItem::SetHidden(bool Value) {
    if (Value == Hidden())
        return;
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    SetBit(ibfHidden, Value);
    if (FParent)
        tree.FTotalHiddenCount += Value ? 1 : -1;
    tree.StructureChanged();
    if (tree.FilteredVisibility()) {
        tree.View().MarkVisibility();
        tree.FUpdated = true;
    }
}

void TQZTreeItem::SetBit(uint32_t Bit, bool Value) {
    FBoolData1 = Value ? (FBoolData1 | Bit) : (FBoolData1 & ~Bit);
}

void TQZTreeItem::SetFlag(TItemBoolFlag Flag, bool Value) {
    switch (Flag) {
    case ibfHidden:
        SetHidden(Value);
        return;
    case ibfMultiline:
        SetMultiline(Value);
        return;
    case ibfWordBreak:
        SetWordBreak(Value);
        return;
    case ibfUseStyles:
        SetUseStyles(Value);
        return;
    default:
        break;
    }
    if (HasFlag(Flag) == Value)
        return;
    SetBit(Flag, Value);
    if (Flag == ibfOwnerHeight)
        SyncVarHeight();
    UpdateItem();
}
