#include "qztree/base/stack.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"

// One walk over the tree: which items it passes and enters, the running index, and the
// ancestors of the item where it begins (top-level ancestor on top of the stack).
struct TQZTreeItems::Walk {
    TCustomQZTree* Tree;
    bool VisibleOnly;
    bool CheckCollapsed;
    const TIterateProc& Proc;
    void* Data;
    int Index;
    TQZStack Ancestors;

    bool Skipped(const TQZTreeItem* Item) const {
        return VisibleOnly && Tree->FilteredVisibility() && Item->Hidden();
    }
    bool Enters(const TQZTreeItem* Item) const {
        return Item->Count() > 0 && (!VisibleOnly || CheckCollapsed || Item->Expanded());
    }
    bool Pass(TQZTreeItem* Item, int Number) {
        bool go = true;
        Proc(Item, Number, go, Data, Tree);
        return go;
    }
    void PushAncestors(TQZTreeItem* StartFrom) {
        for (TQZTreeItem* item = StartFrom; item && !item->IsRoot(); item = item->FParent)
            Ancestors.Push(item);
    }

    // Pre-order below Parent; with ancestors left, begins at the next one.
    bool Forward(TQZTreeItem* Parent) {
        int first = 0;
        TQZTreeItem* ancestor = nullptr;
        if (Ancestors.Count() > 0) {
            ancestor = static_cast<TQZTreeItem*>(Ancestors.Pop());
            first = ancestor->Index();
        }
        for (int i = first; i < Parent->Count(); ++i) {
            TQZTreeItem* item = Parent->Children(i);
            if (item == ancestor && Ancestors.Count() > 0) {
                // On the way down to the start: the ancestor itself lies before it.
                if (!Forward(item))
                    return false;
                continue;
            }
            if (Skipped(item))
                continue;
            if (!Pass(item, Index++))
                return false;
            if (Enters(item) && !Forward(item))
                return false;
        }
        return true;
    }

    // Reverse pre-order below Parent: children from last to first, each after its subtree.
    bool Backward(TQZTreeItem* Parent) {
        int last = Parent->Count() - 1;
        TQZTreeItem* ancestor = nullptr;
        if (Ancestors.Count() > 0) {
            ancestor = static_cast<TQZTreeItem*>(Ancestors.Pop());
            last = ancestor->Index();
        }
        for (int i = last; i >= 0; --i) {
            TQZTreeItem* item = Parent->Children(i);
            if (item == ancestor) {
                // The start's own children come after it; its ancestors' earlier parts before.
                if (Ancestors.Count() > 0 && !Backward(item))
                    return false;
                if (!Pass(item, --Index))
                    return false;
                continue;
            }
            if (Skipped(item))
                continue;
            if (Enters(item) && !Backward(item))
                return false;
            if (!Pass(item, --Index))
                return false;
        }
        return true;
    }
};

void TQZTreeItems::Iterate(bool VisibleOnly, bool CheckCollapsed, const TIterateProc& IterateProc,
                           void* IterateData) {
    IterateFrom(VisibleOnly, CheckCollapsed, IterateProc, IterateData, nullptr);
}

void TQZTreeItems::IterateFrom(bool VisibleOnly, bool CheckCollapsed,
                               const TIterateProc& IterateProc, void* IterateData,
                               TQZTreeItem* StartFrom) {
    Walk walk{FOwner, VisibleOnly, CheckCollapsed, IterateProc, IterateData, 0, {}};
    walk.PushAncestors(StartFrom);
    walk.Forward(FRoot);
}

void TQZTreeItems::IterateBack(bool VisibleOnly, bool CheckCollapsed,
                               const TIterateProc& IterateProc, void* IterateData) {
    const int count = VisibleOnly ? FOwner->GetTotalVisCount() : Count();
    Walk walk{FOwner, VisibleOnly, CheckCollapsed, IterateProc, IterateData, count, {}};
    walk.Backward(FRoot);
}

void TQZTreeItems::IterateBackFrom(bool VisibleOnly, bool CheckCollapsed,
                                   const TIterateProc& IterateProc, void* IterateData,
                                   TQZTreeItem* StartFrom) {
    if (!StartFrom) {
        IterateBack(VisibleOnly, CheckCollapsed, IterateProc, IterateData);
        return;
    }
    // Numbered so that each item gets its own place, as in the full backward walk.
    const int place = VisibleOnly ? GetVisIndex(StartFrom) : GetAbsIndex(StartFrom);
    Walk walk{FOwner, VisibleOnly, CheckCollapsed, IterateProc, IterateData, place + 1, {}};
    walk.PushAncestors(StartFrom);
    walk.Backward(FRoot);
}

TQZTreeItem* TQZTreeItems::LookForItemEx2(TQZTreeItem* StartItem, int ColumnNum,
                                          bool CheckStartItem, bool SubItemsOnly, bool VisibleOnly,
                                          bool CheckCollapsed, void* SearchDetails,
                                          const TCompareProc& CompareProc) {
    TQZTreeItem* found = nullptr;
    IterateFrom(
        VisibleOnly, CheckCollapsed,
        [&](TQZTreeItem* item, int, bool& go, void*, TCustomQZTree*) {
            if (item == StartItem && !CheckStartItem)
                return;
            if (SubItemsOnly && StartItem && item != StartItem && !item->IsUnder(StartItem)) {
                go = false;
                return;
            }
            if (CompareProc && CompareProc(item, SearchDetails)) {
                found = item;
                go = false;
            }
        },
        nullptr, StartItem);
    return found;
}
