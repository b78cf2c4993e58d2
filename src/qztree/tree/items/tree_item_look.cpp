#include "qztree/base/list.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/string_list.h"

#include <algorithm>

// ---- Texts

std::string TQZTreeItem::Text() const {
    if (FStaticData)
        return FStaticData->FText;
    std::string text;
    FOwner->TriggerVirtualTextNeeded(const_cast<TQZTreeItem*>(this), -1, text);
    return text;
}

bool TQZTreeItem::RangeMayChange() const {
    return (!FOwner->ShowColumns() && FullyExpanded()) || FFullTextOut;
}

void TQZTreeItem::ResetRangeIfNeeded() {
    if (RangeMayChange())
        FOwner->View().FHRange = -1;
}

bool TQZTreeItem::SortsOnChange(bool ColumnChange) const {
    const TCustomQZTree& tree = *FOwner;
    if (tree.FSortMode != smAdd && tree.FSortMode != smAddClick)
        return false;
    if (ColumnChange)
        return tree.FSortSection == -1 ||
               (tree.FSortSection >= 0 && tree.FSortSection < tree.HeaderSectionCount());
    return tree.FSortSection == tree.MainTreeColumn() || tree.FSortSection == -1;
}

void TQZTreeItem::SortParentOrMark() {
    TCustomQZTree& tree = Tree();
    if (!FParent)
        return;
    if (InOuterUpdate()) {
        tree.FSortRequired = true;
        return;
    }
    tree.TriggerSortBegin();
    FParent->Sort(false);
    tree.TriggerSortEnd();
}

void TQZTreeItem::MarkHeightChanged() {
    if (!Multiline() || !FOwner->AdjustMultilineHeight())
        return;
    InvalidateMeasuredHeight();
    TQZTreeViewState& view = Tree().View();
    view.FClearVis = view.FClearAll = view.FVisUpdated = view.FRangeUpdate = true;
}

void TQZTreeItem::SetText(const std::string& Value) {
    TCustomQZTree& tree = Tree();
    if (FStaticData) {
        FStaticData->FText = Value;
        tree.DoItemChange(this, icmText);
        TQZTreeLock lock(&tree);
        if (RangeMayChange()) {
            if (InOuterUpdate())
                tree.View().FHRange = -1;
            else
                tree.View().DefineHRange();
            tree.View().FRangeUpdate = true;
            tree.FUpdated = true;
        }
        if (SortsOnChange(false))
            SortParentOrMark();
        if (tree.ShowColumns() && !InOuterUpdate())
            tree.AutoSizeColumn(tree.MainTreeColumn());
        else
            tree.FColSizeUpdate = true;
        MarkHeightChanged();
    }
    UpdateItem();
}

TStrings* TQZTreeItem::ColumnText() {
    if (!FStaticData)
        return nullptr;
    if (!FStaticData->FColText) {
        FStaticData->FColText = std::make_unique<TStringList>();
        FStaticData->FColText->OnChange = [this](TObject*) { OnColTextChange(); };
    }
    return FStaticData->FColText.get();
}

void TQZTreeItem::OnColTextChange() {
    TCustomQZTree& tree = Tree();
    tree.DoItemChange(this, icmColumnText);
    TQZTreeLock lock(&tree);
    if (SortsOnChange(true))
        SortParentOrMark();
    if (tree.ShowColumns() && !InOuterUpdate())
        tree.AutoSizeAllColumns();
    else
        tree.FColSizeUpdate = true;
    MarkHeightChanged();
    UpdateItem();
}

std::string TQZTreeItem::Hint() const {
    return GetHint();
}

std::string TQZTreeItem::GetHint() const {
    if (FStaticData)
        return FStaticData->FHint;
    std::string hint;
    FOwner->TriggerVirtualHintNeeded(const_cast<TQZTreeItem*>(this), hint);
    return hint;
}

void TQZTreeItem::SetHint(const std::string& Value) {
    if (FStaticData)
        FStaticData->FHint = Value;
}

// ---- Height and layout flags

bool TQZTreeItem::OwnerHeight() const {
    return HasFlag(ibfOwnerHeight) && !(Multiline() && FOwner->AdjustMultilineHeight());
}

void TQZTreeItem::SyncVarHeight() {
    if (FParent)
        FOwner->AddVarHeight(this, (OwnerHeight() ? 0 : 1) - FVarHeightShare);
}

int TQZTreeItem::Height() const {
    if (OwnerHeight())
        return FOwner->LineHeight();
    const uint32_t explicitHeight = FComplexHeight >> 16;
    if (explicitHeight != 0 && !Multiline())
        return int(explicitHeight);
    if ((FComplexHeight & 0xFFFF) == NotMeasured) {
        auto* self = const_cast<TQZTreeItem*>(this);
        int height = 0;
        if (FOwner->ShowColumns())
            for (int s = 0; s < FOwner->HeaderSectionCount(); ++s)
                height = std::max(height, FOwner->MeasureCell(self, s).cy);
        else
            height = FOwner->MeasureCell(self, -1).cy;
        height = std::clamp(height, 0, int(NotMeasured) - 1);
        FComplexHeight = (FComplexHeight & 0xFFFF0000u) | uint32_t(height);
    }
    return int(FComplexHeight & 0xFFFF);
}

int TQZTreeItem::CalcSubItemsHeight() const {
    if (!Expanded())
        return 0;
    int height = 0;
    for (int i = 0; i < Count(); ++i) {
        const TQZTreeItem* child = Children(i);
        if (child->Hidden())
            continue;
        height += child->Height();
        if (child->Expanded())
            height += child->CalcSubItemsHeight();
    }
    return height;
}

void TQZTreeItem::LayoutChanged() {
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    SyncVarHeight();
    ResetRangeIfNeeded();
    tree.View().MarkVisibility();
    tree.View().FRangeUpdate = true;
    tree.FUpdated = true;
}

void TQZTreeItem::SetMultiline(bool Value) {
    if (Value == Multiline())
        return;
    SetBit(ibfMultiline, Value);
    InvalidateMeasuredHeight();
    LayoutChanged();
}

void TQZTreeItem::SetWordBreak(bool Value) {
    if (Value == WordBreak())
        return;
    SetBit(ibfWordBreak, Value);
    InvalidateMeasuredHeight();
    LayoutChanged();
}

bool TQZTreeItem::SuppressButtons() const {
    return HasFlag(ibfSuppressButtons) && (Level() > 0 || FOwner->FShowRootButtons);
}

// ---- Styles

TQZItemStateStyle* TQZTreeItem::DefaultItemStyles() const {
    if (!FDefaultItemStyles)
        FDefaultItemStyles = std::make_unique<TQZItemStateStyle>(const_cast<TQZTreeItem*>(this),
                                                                 FOwner->DefaultItemStyles());
    return FDefaultItemStyles.get();
}

TQZItemStateStyle* TQZTreeItem::LookStyles() const {
    return FDefaultItemStyles ? FDefaultItemStyles.get() : FOwner->DefaultItemStyles();
}

int TQZTreeItem::ImageIndex() const {
    // A set never made still has the starting indexes of -1.
    return FDefaultItemStyles ? FDefaultItemStyles->ImageIndex() : -1;
}

void TQZTreeItem::SetImageIndex(int Value) {
    DefaultItemStyles()->SetImageIndex(Value);
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    if (tree.FShowImages) {
        if (tree.ShowColumns() && !tree.FShowEmptyImages)
            tree.AutoSizeColumn(tree.MainTreeColumn());
        else
            tree.FColSizeUpdate = true;
    }
    ResetRangeIfNeeded();
    UpdateItem();
}

TQZCellStyle* TQZTreeItem::MainStyle() {
    if (!FStaticData)
        return nullptr;
    if (!FStaticData->FMainStyle) {
        FStaticData->FMainStyle = std::make_unique<TQZCellStyle>(this);
        FStaticData->FMainStyle->SetOwnerProps(true);
    }
    return FStaticData->FMainStyle.get();
}

TQZList* TQZTreeItem::StyleList() const {
    return FStaticData ? FStaticData->FStyles.get() : nullptr;
}

TQZCellStyle* TQZTreeItem::Styles(int Index) const {
    // A row may have fewer styles than the header has columns: those cells have none.
    TQZList* styles = StyleList();
    return styles && Index >= 0 && Index < styles->Count()
               ? static_cast<TQZCellStyle*>(styles->Get(Index))
               : nullptr;
}

int TQZTreeItem::StylesCount() const {
    TQZList* styles = StyleList();
    return styles ? styles->Count() : 0;
}

static std::unique_ptr<TQZList> NewStyleList() {
    auto list = std::make_unique<TQZList>();
    // The list owns its styles: a style that leaves it is freed.
    list->OnDelete = [](TObject*, void* style) { delete static_cast<TQZCellStyle*>(style); };
    return list;
}

TQZCellStyle* TQZTreeItem::AddStyle() {
    if (!FStaticData)
        return nullptr;
    auto style = std::make_unique<TQZCellStyle>(this);
    style->SetOwnerProps(true);
    style->Assign(MainStyle());
    if (!FStaticData->FStyles)
        FStaticData->FStyles = NewStyleList();
    FStaticData->FStyles->Add(style.get());
    return style.release();
}

void TQZTreeItem::RemoveStyle(TQZCellStyle* Style) {
    TQZList* styles = StyleList();
    if (!styles)
        return;
    styles->Remove(Style);
    if (styles->Count() == 0)
        FStaticData->FStyles.reset();
}

void TQZTreeItem::SetUseStyles(bool Value) {
    if (Value == UseStyles())
        return;
    TCustomQZTree& tree = Tree();
    TQZTreeLock lock(&tree);
    SetBit(ibfUseStyles, Value);
    if (FStaticData) {
        if (Value && !FStaticData->FStyles)
            FStaticData->FStyles = NewStyleList();
        else if (!Value)
            FStaticData->FStyles.reset();
    }
    if (tree.ShowColumns())
        tree.FColSizeUpdate = true;
    ResetRangeIfNeeded();
    tree.View().FRangeUpdate = true;
    tree.FUpdated = true;
}

// ---- Repaint

void TQZTreeItem::RedrawRow(bool DoCheck, bool Part, int Left, int Right) {
    if (HasFlag(ibfDeleting) || !FOwner)
        return;
    TQZTreeViewState& view = Tree().View();
    const int row = view.FVisible.IndexOf(this);
    if (DoCheck && row < 0)
        return;
    TRect rect = view.GetItemRect(row);
    if (DoCheck && rect.IsEmpty())
        return;
    rect.Bottom += 1;
    if (Part) {
        rect.Left = Left - view.FHPos;
        rect.Right = Right - view.FHPos;
    }
    if (!FOwner->IsDestroying())
        view.InvalidateRect(rect, true);
}

void TQZTreeItem::RedrawItem(bool DoCheck) {
    RedrawRow(DoCheck, false, 0, 0);
}

void TQZTreeItem::RedrawItemPart(bool DoCheck, int Left, int Right) {
    RedrawRow(DoCheck, true, Left, Right);
}

void TQZTreeItem::UpdateItem() {
    TCustomQZTree& tree = Tree();
    if (!(tree.FilteredVisibility() && Hidden()))
        RedrawItem(true);
    if (tree.IsUpdating())
        tree.FUpdated = true;
    else
        tree.View().Update();
}

int TQZTreeItem::GetWidth() {
    return FOwner->MeasureCell(this, -1).cx;
}
