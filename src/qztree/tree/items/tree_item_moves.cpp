#include "qztree/base/list.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/string_list.h"

void TQZTreeItem::MoveTo(TQZTreeItem* NewParent) {
    if (NewParent == this)
        return;
    MoveToIns(NewParent, (NewParent ? NewParent : FRoot)->Count());
}

void TQZTreeItem::MoveToIns(TQZTreeItem* NewParent, int AnIndex) {
    if (NewParent == this)
        return;
    if (!NewParent)
        NewParent = FRoot;
    if (NewParent->IsUnder(this))
        throw EQZTreeError(SQZTreeCantMoveToSubitem);
    if (AnIndex < 0 || AnIndex > NewParent->Count())
        throw EQZTreeError(SQZTreeIndexOutOfBounds);
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    const int oldIndex = Index();
    const int runStart = AbsoluteIndex();
    const int runEnd = GetLastSubItem()->AbsoluteIndex();
    FParent->RemoveChild(this);

    int destination;
    if (NewParent == FParent && AnIndex > oldIndex && AnIndex >= NewParent->Count()) {
        destination = NewParent->GetLastSubItem()->AbsoluteIndex() + 1;
        if (!NewParent->FChildren)
            NewParent->FChildren = std::make_unique<TQZList>();
        NewParent->FChildren->Add(this);
    } else {
        const TQZTreeItem* before =
            AnIndex == 0 ? NewParent : NewParent->Children(AnIndex - 1)->GetLastSubItem();
        destination = before->AbsoluteIndex() + 1;
        if (!NewParent->FChildren)
            NewParent->FChildren = std::make_unique<TQZList>();
        NewParent->FChildren->Insert(AnIndex, this);
    }
    tree.MoveRun(runStart, runEnd, destination);

    FParent = NewParent;
    if ((tree.FSortMode == smAdd || tree.FSortMode == smAddClick) && tree.FInSorting == 0 &&
        (tree.FSortSection == tree.MainTreeColumn() || tree.FSortSection == -1))
        tree.FSortRequired = true;
    tree.View().MarkVisibility();
    tree.FUpdated = true;
}

void TQZTreeItem::MoveToItem(TQZTreeItem* Item, TNodeAttachMode Mode) {
    switch (Mode) {
    case naAdd:
        if (!Item)
            throw EQZTreeError(SQZTreeItemNotSpecified);
        MoveTo(Item->FParent);
        break;
    case naAddFirst:
        MoveToIns(Item ? Item->FParent : nullptr, 0);
        break;
    case naAddChild:
        MoveTo(Item ? Item : FRoot);
        break;
    case naAddChildFirst:
        MoveToIns(Item, 0);
        break;
    case naInsert:
        if (!Item) {
            MoveToIns(nullptr, 0);
            break;
        }
        int index = Item->Index();
        if (Item->FParent == FParent && Index() < index)
            --index;
        MoveToIns(Item->FParent, index);
        break;
    }
}

void TQZTreeItem::CopyValuesFrom(const TQZTreeItem* Source) {
    if (FStaticData && Source->FStaticData) {
        FStaticData->FText = Source->FStaticData->FText;
        FStaticData->FHint = Source->FStaticData->FHint;
        if (Source->FStaticData->FColText)
            ColumnText()->Assign(*Source->FStaticData->FColText);
        else if (FStaticData->FColText)
            FStaticData->FColText->Clear();
    }
    Data = Source->Data;
    const uint16_t transient = (1u << stsFocused) | (1u << stsSelected);
    const uint16_t expanded = 1u << stsExpanded;
    if ((FState ^ Source->FState) & expanded)
        FOwner->StructureChanged();
    FState = (FState & transient) | (Source->FState & ~transient);
    if (IsRoot())
        FState |= expanded; // the hidden root always shows its children
    const uint32_t paintMarks = ibfImageDrawn | ibfImageDrawn2 | ibfIsHTML;
    const bool wasHidden = Hidden();
    FBoolData1 = (Source->FBoolData1 & ~(paintMarks | ibfDeleting)) | (FBoolData1 & ibfDeleting);
    if (Hidden() != wasHidden) {
        FOwner->FTotalHiddenCount += Hidden() ? 1 : -1;
        FOwner->StructureChanged();
    }
    FImageIndex2 = Source->FImageIndex2;
    FCheckBoxState = Source->FCheckBoxState;
    FCheckBoxType = Source->FCheckBoxType;
    BorderStyle = Source->BorderStyle;
    IndentAdjust = Source->IndentAdjust;
    StrikedLineColor = Source->StrikedLineColor;
    FComplexHeight = Source->FComplexHeight;
    OverlayIndex = Source->OverlayIndex;
    OverlayIndex2 = Source->OverlayIndex2;
    AnObject = Source->AnObject;
    DataInterface = Source->DataInterface;
    Tag = Source->Tag;
    SyncVarHeight();

    if (FStaticData && Source->FStaticData) {
        if (Source->FStaticData->FMainStyle)
            MainStyle()->Assign(Source->FStaticData->FMainStyle.get());
        if (TQZList* styles = StyleList())
            styles->Clear();
        for (int i = 0; i < Source->StylesCount(); ++i)
            if (TQZCellStyle* style = AddStyle())
                style->Assign(Source->Styles(i));
    }
}

void TQZTreeItem::CopyChildrenFrom(const TQZTreeItem* Source) {
    for (int i = 0; i < Source->Count(); ++i) {
        TQZTreeItem* child = FList->CreateItem(FOwner);
        child->FList = FList;
        AddChild(child);
        child->Assign(Source->Children(i));
    }
    if (Count() == 0)
        FChildren.reset();
}

void TQZTreeItem::Assign(const TQZTreeItem* Source) {
    if (!Source || Source == this)
        return;
    // A source inside this subtree (or holding it) would be changed while it is read: copy it
    // aside first.
    if (Source->IsUnder(this) || IsUnder(Source)) {
        TCustomQZTree scratch(nullptr, std::make_unique<TQZTreeViewState>());
        scratch.GetRoot()->Assign(Source);
        Assign(scratch.GetRoot());
        return;
    }
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    CopyValuesFrom(Source);
    Clear();
    CopyChildrenFrom(Source);
    tree.View().MarkVisibility();
    tree.FUpdated = true;
}
