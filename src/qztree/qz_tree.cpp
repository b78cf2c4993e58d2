#include "qztree/qz_tree.h"

#include "rtl/published.h"

namespace {
using TBoolGet = bool (TCustomQZTree::*)() const;
using TBoolSet = void (TCustomQZTree::*)(bool);
using TIntGet = int (TCustomQZTree::*)() const;
using TIntSet = void (TCustomQZTree::*)(int);

struct TBoolOption {
    const char* Name;
    TBoolGet Get;
    TBoolSet Set;
};
struct TIntOption {
    const char* Name;
    TIntGet Get;
    TIntSet Set;
};

using T = TCustomQZTree;
const TBoolOption BoolOptions[] = {
    {"ShowColumns", &T::ShowColumns, &T::SetShowColumns},
    {"ShowButtons", &T::ShowButtons, &T::SetShowButtons},
    {"ShowLines", &T::ShowLines, &T::SetShowLines},
    {"ShowRoot", &T::ShowRoot, &T::SetShowRoot},
    {"ShowRootButtons", &T::ShowRootButtons, &T::SetShowRootButtons},
    {"ShowLeafButton", &T::ShowLeafButton, &T::SetShowLeafButton},
    {"ShowImages", &T::ShowImages, &T::SetShowImages},
    {"ShowCheckboxes", &T::ShowCheckboxes, &T::SetShowCheckboxes},
    {"AutoLineHeight", &T::AutoLineHeight, &T::SetAutoLineHeight},
    {"HorizontalLines", &T::HorizontalLines, &T::SetHorizontalLines},
    {"VerticalLines", &T::VerticalLines, &T::SetVerticalLines},
    {"BarStyle", &T::BarStyle, &T::SetBarStyle},
    {"RowSelect", &T::RowSelect, &T::SetRowSelect},
    {"FullRowSelect", &T::FullRowSelect, &T::SetFullRowSelect},
    {"DrawFocusRect", &T::DrawFocusRect, &T::SetDrawFocusRect},
    {"HideSelection", &T::HideSelection, &T::SetHideSelection},
    {"MultiSelect", &T::MultiSelect, &T::SetMultiSelect},
    {"Tracking", &T::Tracking, &T::SetTracking},
    {"StripedItems", &T::StripedItems, &T::SetStripedItems},
    {"ScrollTracking", &T::ScrollTracking, &T::SetScrollTracking},
    {"AutoExpand", &T::AutoExpand, &T::SetAutoExpand},
    {"ExpandOnDblClick", &T::ExpandOnDblClick, &T::SetExpandOnDblClick},
    {"DragAllowed", &T::DragAllowed, &T::SetDragAllowed},
    {"IncrementalSearch", &T::IncrementalSearch, &T::SetIncrementalSearch},
    {"FilteredVisibility", &T::FilteredVisibility, &T::SetFilteredVisibility},
    {"Flat", &T::Flat, &T::SetFlat},
    {"HideHorzScrollBar", &T::HideHorzScrollBar, &T::SetHideHorzScrollBar},
    {"HideVertScrollBar", &T::HideVertScrollBar, &T::SetHideVertScrollBar},
    {"OwnerDrawByColumn", &T::OwnerDrawByColumn, &T::SetOwnerDrawByColumn},
    {"AutoResizeColumns", &T::AutoResizeColumns, &T::SetAutoResizeColumns},
};
const TIntOption IntOptions[] = {
    {"ItemIndent", &T::ItemIndent, &T::SetItemIndent},
    {"LineHeight", &T::LineHeight, &T::SetLineHeight},
    {"MainTreeColumn", &T::MainTreeColumn, &T::SetMainTreeColumn},
    {"SelectColumn", &T::SelectColumn, &T::SetSelectColumn},
    {"SortSection", &T::SortSection, &T::SetSortSection},
    {"ChangeDelay", &T::ChangeDelay, &T::SetChangeDelay},
    {"CheckBoxSize", &T::CheckBoxSize, &T::SetCheckBoxSize},
    {"HeaderHeight", &T::HeaderHeight, &T::SetHeaderHeight},
    {"LineHintTimeout", &T::LineHintTimeout, &T::SetLineHintTimeout},
    {"DragScrollInterval", &T::DragScrollInterval, &T::SetDragScrollInterval},
    {"DragExpandDelay", &T::DragExpandDelay, &T::SetDragExpandDelay},
    {"ImageTextDelta", &T::ImageTextDelta, &T::SetImageTextDelta},
};

TClassInfo MakeInfo() {
    TClassInfo info("TQZTree", &TCustomQZTree::StaticClassInfo());
    for (const TBoolOption& option : BoolOptions)
        info.Boolean<TCustomQZTree>(option.Name, option.Get, option.Set);
    for (const TIntOption& option : IntOptions)
        info.Integer<TCustomQZTree>(option.Name, option.Get, option.Set);
    info.Strings<TCustomQZTree>("HeadersTexts", &TCustomQZTree::PublishedHeadersTexts);
    return info;
}
} // namespace

const TClassInfo& TQZTree::StaticClassInfo() {
    static const TClassInfo info = MakeInfo();
    return info;
}
