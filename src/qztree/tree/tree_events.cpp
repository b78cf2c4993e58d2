#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"

void TCustomQZTree::DoChanging(TQZTreeItem* Item, bool& AllowChange) {
    if (OnChanging && FFireFocusEvents == 0)
        OnChanging(this, Item, AllowChange);
    else
        AllowChange = true;
}

void TCustomQZTree::DoOnColumnResize(int SectionIndex) {
    Fire(OnHeaderColumnResize, this, SectionIndex);
}

void TCustomQZTree::DoColumnClick(int SectionIndex) {
    Fire(OnHeaderColumnClick, this, SectionIndex);
}

void TCustomQZTree::DoItemFocused() {
    if (!FDestroying && FFireFocusEvents == 0)
        Fire(OnItemFocused, this);
}

void TCustomQZTree::DoItemDraw(TQZTreeItem* Item, TCanvas* Surface, int SectionIndex,
                               const TRect& R) {
    Fire(OnItemDraw, this, Item, Surface, R, SectionIndex);
}

void TCustomQZTree::DoItemChange(TQZTreeItem* Item, TItemChangeMode Mode) {
    Fire(OnItemChange, this, Item, Mode);
}

void TCustomQZTree::DoItemExpanding(TQZTreeItem* Item, bool& CanProcess) {
    Fire(OnItemExpanding, this, Item, CanProcess);
}

void TCustomQZTree::DoItemCollapsing(TQZTreeItem* Item, bool& CanProcess) {
    Fire(OnItemCollapsing, this, Item, CanProcess);
}

void TCustomQZTree::DoItemChecked(TQZTreeItem* Item) {
    Fire(OnItemChecked, this, Item);
}

void TCustomQZTree::DoItemExpand(TQZTreeItem* Item) {
    Fire(OnItemExpand, this, Item);
}

void TCustomQZTree::DoItemCollapse(TQZTreeItem* Item) {
    Fire(OnItemCollapse, this, Item);
}

void TCustomQZTree::DoItemDelete(TQZTreeItem* Item) {
    Fire(OnItemDeletion, this, Item);
}

void TCustomQZTree::DoItemAdd(TQZTreeItem* Item) {
    Fire(OnItemAdded, this, Item);
}

void TCustomQZTree::DoCompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int& Res) {
    if (OnCompareItems)
        OnCompareItems(this, Item1, Item2, Res);
    else
        Res = 0;
}

void TCustomQZTree::TriggerHotTrackEvent(TQZTreeItem* OldItem, TQZTreeItem* NewItem) {
    Fire(OnHotTrack, this, OldItem, NewItem);
}

void TCustomQZTree::TriggerScrollEvent(TScrollBarKind ScrollBarKind, int ScrollCode) {
    Fire(OnScroll, this, ScrollBarKind, ScrollCode);
}

void TCustomQZTree::TriggerItemSaveEvent(TStream* Stream, TQZTreeItem* Item) {
    Fire(OnItemSave, this, Stream, Item);
}

void TCustomQZTree::TriggerItemLoadEvent(TStream* Stream, TQZTreeItem* Item) {
    Fire(OnItemLoad, this, Stream, Item);
}

void TCustomQZTree::TriggerItemSelectedChangeEvent(TQZTreeItem* Item) {
    if (!FDestroying)
        Fire(OnItemSelectedChange, this, Item);
}

void TCustomQZTree::TriggerMeasureItemPartEvent(TQZTreeItem* Item, int PartIndex, TPoint& Size) {
    Fire(OnMeasureItemPart, this, Item, PartIndex, Size);
}

void TCustomQZTree::TriggerApplyVisFilterEvent(TQZTreeItem* Item, bool& Hidden) {
    Fire(OnApplyVisFilter, this, Item, Hidden);
}

void TCustomQZTree::TriggerItemPostDrawEvent(TCanvas* Canvas, TQZTreeItem* Item,
                                             const TRect& ItemRect, bool& DrawFocusRect) {
    Fire(OnItemPostDraw, this, Canvas, Item, ItemRect, DrawFocusRect);
}

void TCustomQZTree::TriggerHeaderColumnMoveEvent(int SectionIndex, int OldPos, int NewPos) {
    Fire(OnHeaderColumnMove, this, SectionIndex, OldPos, NewPos);
}

void TCustomQZTree::DoShowHint(TQZTreeItem* Item, int SectionIndex, std::string& Text,
                               THintWindow* HintWindow, TPoint MousePos, bool& DoShowHint) {
    Fire(OnShowLineHint, this, Item, SectionIndex, Text, HintWindow, MousePos, DoShowHint);
}

void TCustomQZTree::TriggerSortBegin() {
    Fire(OnSortBegin, this);
}

void TCustomQZTree::TriggerSortEnd() {
    Fire(OnSortEnd, this);
}

void TCustomQZTree::DoAfterSelectionChange() {
    Fire(OnAfterSelectionChange, this);
}

void TCustomQZTree::TriggerVirtualTextNeeded(TQZTreeItem* Item, int SectionIndex,
                                             std::string& Text) {
    Text.clear();
    Fire(OnVirtualTextNeeded, this, Item, SectionIndex, Text);
}

void TCustomQZTree::TriggerVirtualHintNeeded(TQZTreeItem* Item, std::string& Hint) {
    Hint.clear();
    Fire(OnVirtualHintNeeded, this, Item, Hint);
}

void TCustomQZTree::TriggerVirtualValueNeeded(TQZTreeItem* Item, int SectionIndex, int VarType,
                                              Variant& Value) {
    Value = Variant();
    Fire(OnVirtualValueNeeded, this, Item, SectionIndex, VarType, Value);
}

void TCustomQZTree::TriggerVirtualStyleNeeded(TQZTreeItem* Item, int SectionIndex,
                                              TQZCellStyle* Style) {
    Fire(OnVirtualStyleNeeded, this, Item, SectionIndex, Style);
}

int TCustomQZTree::DoGetPicture(TQZTreeItem* Item) {
    int index = Item->ImageIndex();
    Fire(OnItemPicDraw, this, Item, index);
    return index;
}

int TCustomQZTree::DoGetPicture2(TQZTreeItem* Item) {
    int index = Item->ImageIndex2();
    Fire(OnItemPicDraw2, this, Item, index);
    return index;
}
