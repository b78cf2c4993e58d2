#include "qztree/tree/state_style.h"

#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/strings.h"

// Russian, the character set of the texts the tree shows.
constexpr int CyrillicCharset = 204;

TQZStateStyle::TQZStateStyle(TQZTreeItem* OwnerItem, int ID, TQZItemStateStyle* ItemStyles)
    : ID(ID), ItemStyles(ItemStyles), FOwnerItem(OwnerItem) {}

const TQZStateStyle* TQZStateStyle::Inherited() const {
    if (!ItemStyles || !ItemStyles->OwnerISS)
        return nullptr;
    return ItemStyles->OwnerISS->GetByID(ID);
}

std::string TQZStateStyle::FontName(const std::string& Name) const {
    if (FUseFontName)
        return FFontName;
    const TQZStateStyle* inherited = Inherited();
    return inherited ? inherited->FontName(Name) : Name;
}

void TQZStateStyle::SetFontName(const std::string& Value) {
    FUseFontName = !Value.empty();
    FFontName = Value;
}

int TQZStateStyle::GetDefFontSize(int Default) const {
    if (FUseFontSize)
        return FFontSize;
    const TQZStateStyle* inherited = Inherited();
    return inherited ? inherited->GetDefFontSize(Default) : Default;
}

void TQZStateStyle::SetFontSize(int Value) {
    FFontSize = Value;
    FUseFontSize = true;
}

TFontStyles TQZStateStyle::GetFontStyle(TFontStyles Default) const {
    if (FUseFontStyle)
        return FFontStyle;
    const TQZStateStyle* inherited = Inherited();
    return inherited ? inherited->GetFontStyle(Default) : Default;
}

void TQZStateStyle::SetFontStyle(TFontStyles Value) {
    FFontStyle = Value;
    FUseFontStyle = true;
}

TColor TQZStateStyle::FontColor() const {
    const TQZStateStyle* inherited = FUseFontColor ? nullptr : Inherited();
    return inherited ? inherited->FontColor() : FFontColor;
}

void TQZStateStyle::SetFontColor(TColor Value) {
    FFontColor = Value;
    FUseFontColor = true;
}

TColor TQZStateStyle::BGColor() const {
    const TQZStateStyle* inherited = FUseBGColor ? nullptr : Inherited();
    return inherited ? inherited->BGColor() : FBGColor;
}

void TQZStateStyle::SetBGColor(TColor Value) {
    FBGColor = Value;
    FUseBGColor = true;
}

int TQZStateStyle::ImageIndex() const {
    if (!FOwnerItem)
        return -1;
    if (FOwnerItem->Count() == 0)
        return NoChildImageIndex;
    return FOwnerItem->Expanded() ? ExpandImageIndex : CollapseImageIndex;
}

void TQZStateStyle::SetImageIndex(int Value) {
    ExpandImageIndex = CollapseImageIndex = NoChildImageIndex = Value;
}

void TQZStateStyle::ClearStyle() {
    FUseFontName = FUseFontSize = FUseFontStyle = FUseFontColor = FUseBGColor = false;
}

void TQZStateStyle::Assign(const TQZStateStyle* Source, bool Clear) {
    if (Clear)
        ClearStyle();
    if (!Source)
        return;
    if (Source->FUseFontName)
        SetFontName(Source->FontName());
    if (Source->FUseFontSize)
        SetFontSize(Source->FFontSize);
    if (Source->FUseFontStyle)
        SetFontStyle(Source->FFontStyle);
    if (Source->FUseFontColor)
        SetFontColor(Source->FontColor());
    if (Source->FUseBGColor)
        SetBGColor(Source->BGColor());
}

bool TQZStateStyle::SetFontName2Font(TFont& Font) const {
    const std::string name = FontName();
    if (name.empty())
        return false;
    if (AnsiCompareText(Font.Name(), name) != 0)
        Font.SetName(name);
    Font.SetCharset(CyrillicCharset);
    return true;
}

bool TQZStateStyle::SetFontSize2Font(TFont& Font, int Default) const {
    const int size = GetDefFontSize(Default);
    if (Font.Height() == size)
        return false;
    Font.SetHeight(size);
    return true;
}

void TQZStateStyle::ApplyFont(TFont& Font, const TFont& Base) const {
    Font.Assign(&Base);
    SetFontName2Font(Font);
    SetFontSize2Font(Font, Base.Height());
    Font.SetStyle(GetFontStyle(Base.Style()));
}

TQZItemStateStyle::TQZItemStateStyle(TQZTreeItem* OwnerItem, TQZItemStateStyle* OwnerISS)
    : OwnerISS(OwnerISS), HideSelectState(std::make_unique<TQZStateStyle>(
                              OwnerItem, TQZStateStyle::idHideSelect, this)),
      DefaultState(std::make_unique<TQZStateStyle>(OwnerItem, TQZStateStyle::idDefault, this)),
      FocusedState(std::make_unique<TQZStateStyle>(OwnerItem, TQZStateStyle::idFocused, this)),
      SelectedState(std::make_unique<TQZStateStyle>(OwnerItem, TQZStateStyle::idSelected, this)),
      FocSelState(std::make_unique<TQZStateStyle>(OwnerItem, TQZStateStyle::idFocSel, this)),
      FOwnerItem(OwnerItem) {}

TQZStateStyle* TQZItemStateStyle::GetByID(int ID) const {
    switch (ID) {
    case TQZStateStyle::idDefault:
        return DefaultState.get();
    case TQZStateStyle::idFocused:
        return FocusedState.get();
    case TQZStateStyle::idSelected:
        return SelectedState.get();
    case TQZStateStyle::idFocSel:
        return FocSelState.get();
    case TQZStateStyle::idHideSelect:
        return HideSelectState.get();
    default:
        return nullptr;
    }
}

bool TQZItemStateStyle::ItemIsTracing(const TQZTreeItem* Item) const {
    // A set without an item of its own answers for the item it is asked about, as that item's
    // own set (made only when needed) would.
    const TQZTreeItem* item = FOwnerItem ? FOwnerItem : Item;
    return item && item->Owner() && item->Owner()->View().FTrackItem == item;
}

TQZStateStyle* TQZItemStateStyle::GetStateStyle(const TQZTreeItem* Item) const {
    const TQZTreeItem* item = FOwnerItem ? FOwnerItem : Item;
    if (!item || !item->Owner())
        return DefaultState.get();
    const TCustomQZTree& tree = *item->Owner();
    if (!item->Selected())
        return ItemIsTracing(item) ? FocusedState.get() : DefaultState.get();
    if (!tree.View().HasFocus() && tree.FHideSelect)
        return HideSelectState.get();
    return ItemIsTracing(item) ? FocSelState.get() : SelectedState.get();
}

TQZStateStyle* TQZItemStateStyle::GetCellStateStyle(const TQZTreeItem* Item) const {
    const TQZTreeItem* item = FOwnerItem ? FOwnerItem : Item;
    if (!item || !item->Owner())
        return DefaultState.get();
    const TCustomQZTree& tree = *item->Owner();
    const bool selectedRow = tree.FFullRowSelect && item->Selected();
    if (tree.FRowHotTrack && ItemIsTracing(item))
        return selectedRow ? FocSelState.get() : FocusedState.get();
    return selectedRow ? SelectedState.get() : DefaultState.get();
}

int TQZItemStateStyle::ImageIndex() const {
    return GetStateStyle(nullptr)->ImageIndex();
}

void TQZItemStateStyle::SetImageIndex(int Value) {
    for (int id = TQZStateStyle::idDefault; id <= TQZStateStyle::idHideSelect; ++id)
        GetByID(id)->SetImageIndex(Value);
}

void TQZItemStateStyle::SetCursor(TCursor Value) {
    FCursor = Value;
    FUseCursor = true;
}

TCursor TQZItemStateStyle::GetItemCursor(TCursor Default) const {
    if (FUseCursor)
        return FCursor;
    if (FOwnerItem && FOwnerItem->Owner() && FOwnerItem->Owner()->DefaultItemStyles())
        return FOwnerItem->Owner()->DefaultItemStyles()->GetItemCursor(Default);
    return Default;
}
