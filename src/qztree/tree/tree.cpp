#include "qztree/tree/tree.h"

#include "qztree/scroll_bar/scroll_bar_styles.h"
#include "rtl/published.h"
#include "vcl/core/menus.h"
#include "vcl/graphics/img_list.h"

namespace {
using T = TCustomQZTree;
using TBoolGet = bool (T::*)() const;
using TBoolSet = void (T::*)(bool);
using TIntGet = int (T::*)() const;
using TIntSet = void (T::*)(int);

struct TBoolOption {
    const char* Name;
    TBoolGet Get;
    TBoolSet Set;
};
// Integers, colours and cursors alike: all are stored as numbers.
struct TIntOption {
    const char* Name;
    TIntGet Get;
    TIntSet Set;
};

const TBoolOption BoolOptions[] = {
    {"ShowColumns", &T::ShowColumns, &T::SetShowColumns},
    {"AutoLineHeight", &T::AutoLineHeight, &T::SetAutoLineHeight},
    {"AdjustMultilineHeight", &T::AdjustMultilineHeight, &T::SetAdjustMultilineHeight},
    {"ShowButtons", &T::ShowButtons, &T::SetShowButtons},
    {"ShowLines", &T::ShowLines, &T::SetShowLines},
    {"ShowRoot", &T::ShowRoot, &T::SetShowRoot},
    {"ShowRootButtons", &T::ShowRootButtons, &T::SetShowRootButtons},
    {"ShowLeafButton", &T::ShowLeafButton, &T::SetShowLeafButton},
    {"ShowImages", &T::ShowImages, &T::SetShowImages},
    {"ShowEmptyImages", &T::ShowEmptyImages, &T::SetShowEmptyImages},
    {"ShowEmptyImages2", &T::ShowEmptyImages2, &T::SetShowEmptyImages2},
    {"ShowCheckboxes", &T::ShowCheckboxes, &T::SetShowCheckboxes},
    {"CustomPlusMinus", &T::CustomPlusMinus, &T::SetCustomPlusMinus},
    {"CustomCheckboxes", &T::CustomCheckboxes, &T::SetCustomCheckboxes},
    {"PlusMinusTransparent", &T::PlusMinusTransparent, &T::SetPlusMinusTransparent},
    {"ChangeStateImage", &T::ChangeStateImage, &T::SetChangeStateImage},
    {"HorizontalLines", &T::HorizontalLines, &T::SetHorizontalLines},
    {"VerticalLines", &T::VerticalLines, &T::SetVerticalLines},
    {"BarStyle", &T::BarStyle, &T::SetBarStyle},
    {"BarStyleVerticalLines", &T::BarStyleVerticalLines, &T::SetBarStyleVerticalLines},
    {"VerticalLinesLong", &T::VerticalLinesLong, &T::SetVerticalLinesLong},
    {"RowSelect", &T::RowSelect, &T::SetRowSelect},
    {"FullRowSelect", &T::FullRowSelect, &T::SetFullRowSelect},
    {"DrawFocusRect", &T::DrawFocusRect, &T::SetDrawFocusRect},
    {"HideFocusRect", &T::HideFocusRect, &T::SetHideFocusRect},
    {"HideSelection", &T::HideSelection, &T::SetHideSelection},
    {"RowHotTrack", &T::RowHotTrack, &T::SetRowHotTrack},
    {"Tracking", &T::Tracking, &T::SetTracking},
    {"NoBlendSelected", &T::NoBlendSelected, &T::SetNoBlendSelected},
    {"ScrollBackground", &T::ScrollBackground, &T::SetScrollBackground},
    {"StripedItems", &T::StripedItems, &T::SetStripedItems},
    {"Flat", &T::Flat, &T::SetFlat},
    {"FlatFocusedScrollbars", &T::FlatFocusedScrollbars, &T::SetFlatFocusedScrollbars},
    {"UseCustomScrollBars", &T::UseCustomScrollBars, &T::SetUseCustomScrollBars},
    {"HideHorzScrollBar", &T::HideHorzScrollBar, &T::SetHideHorzScrollBar},
    {"HideVertScrollBar", &T::HideVertScrollBar, &T::SetHideVertScrollBar},
    {"ScrollbarOpposite", &T::ScrollbarOpposite, &T::SetScrollbarOpposite},
    {"RightAlignedTree", &T::RightAlignedTree, &T::SetRightAlignedTree},
    {"RightAlignedText", &T::RightAlignedText, &T::SetRightAlignedText},
    {"MultiSelect", &T::MultiSelect, &T::SetMultiSelect},
    {"AlwaysKeepSelection", &T::AlwaysKeepSelection, &T::SetAlwaysKeepSelection},
    {"AlwaysKeepFocus", &T::AlwaysKeepFocus, &T::SetAlwaysKeepFocus},
    {"KeepSelectionWithinLevel", &T::KeepSelectionWithinLevel, &T::SetKeepSelectionWithinLevel},
    {"DeselectChildrenOnCollapse", &T::DeselectChildrenOnCollapse,
     &T::SetDeselectChildrenOnCollapse},
    {"RightClickSelect", &T::RightClickSelect, &T::SetRightClickSelect},
    {"MouseFrameSelect", &T::MouseFrameSelect, &T::SetMouseFrameSelect},
    {"IgnoreEnabled", &T::IgnoreEnabled, &T::SetIgnoreEnabled},
    {"AutoExpand", &T::AutoExpand, &T::SetAutoExpand},
    {"AutoCollapse", &T::AutoCollapse, &T::SetAutoCollapse},
    {"MoveFocusOnCollapse", &T::MoveFocusOnCollapse, &T::SetMoveFocusOnCollapse},
    {"SortUseCase", &T::SortUseCase, &T::SetSortUseCase},
    {"FilteredVisibility", &T::FilteredVisibility, &T::SetFilteredVisibility},
    {"ExpandOnDblClick", &T::ExpandOnDblClick, &T::SetExpandOnDblClick},
    {"DragAllowed", &T::DragAllowed, &T::SetDragAllowed},
    {"ExpandOnDragOver", &T::ExpandOnDragOver, &T::SetExpandOnDragOver},
    {"IncrementalSearch", &T::IncrementalSearch, &T::SetIncrementalSearch},
    {"AutoLookup", &T::AutoLookup, &T::SetAutoLookup},
    {"HideHintOnMove", &T::HideHintOnMove, &T::SetHideHintOnMove},
    {"HideHintOnTimer", &T::HideHintOnTimer, &T::SetHideHintOnTimer},
    {"UseSystemHintColors", &T::UseSystemHintColors, &T::SetUseSystemHintColors},
    {"OwnerDrawByColumn", &T::OwnerDrawByColumn, &T::SetOwnerDrawByColumn},
    {"DoInplaceEdit", &T::DoInplaceEdit, &T::SetDoInplaceEdit},
    {"QuickEditMode", &T::QuickEditMode, &T::SetQuickEditMode},
    {"ExplorerEditMode", &T::ExplorerEditMode, &T::SetExplorerEditMode},
    {"ScrollTracking", &T::ScrollTracking, &T::SetScrollTracking},
    {"AutoResizeColumns", &T::AutoResizeColumns, &T::SetAutoResizeColumns},
    {"DoubleBuffered", &T::DoubleBufferedView, &T::SetDoubleBufferedView},
    {"UseXPThemes", &T::UseXPThemes, &T::SetUseXPThemes},
    {"HeaderHotTrack", &T::HeaderHotTrack, &T::SetHeaderHotTrack},
    {"HeaderUseTreeFont", &T::HeaderUseTreeFont, &T::SetHeaderUseTreeFont},
    {"HeaderFlat", &T::HeaderFlat, &T::SetHeaderFlat},
    {"HeaderWrapCaptions", &T::HeaderWrapCaptions, &T::SetHeaderWrapCaptions},
    {"HeaderInvertSortArrows", &T::HeaderInvertSortArrows, &T::SetHeaderInvertSortArrows},
    {"LockHeaderHeight", &T::LockHeaderHeight, &T::SetLockHeaderHeight},
    {"StickyHeaderSections", &T::StickyHeaderSections, &T::SetStickyHeaderSections},
    {"DraggableSections", &T::DraggableSections, &T::SetDraggableSections},
    {"MoveColumnOnDrag", &T::MoveColumnOnDrag, &T::SetMoveColumnOnDrag},
};

const TIntOption IntOptions[] = {
    {"HeaderHeight", &T::HeaderHeight, &T::SetHeaderHeight},
    {"MainTreeColumn", &T::MainTreeColumn, &T::SetMainTreeColumn},
    {"SelectColumn", &T::SelectColumn, &T::SetSelectColumn},
    {"ItemIndent", &T::ItemIndent, &T::SetItemIndent},
    {"LineHeight", &T::LineHeight, &T::SetLineHeight},
    {"CheckBoxSize", &T::CheckBoxSize, &T::SetCheckBoxSize},
    {"LinesColor", &T::LinesColor, &T::SetLinesColor},
    {"HorzDivLinesColor", &T::HorzDivLinesColor, &T::SetHorzDivLinesColor},
    {"VertDivLinesColor", &T::VertDivLinesColor, &T::SetVertDivLinesColor},
    {"BkColor", &T::BkColor, &T::SetBkColor},
    {"GradientStartColor", &T::GradientStartColor, &T::SetGradientStartColor},
    {"GradientEndColor", &T::GradientEndColor, &T::SetGradientEndColor},
    {"GradientSteps", &T::GradientSteps, &T::SetGradientSteps},
    {"StripedOddColor", &T::StripedOddColor, &T::SetStripedOddColor},
    {"StripedEvenColor", &T::StripedEvenColor, &T::SetStripedEvenColor},
    {"LineBorderActiveColor", &T::LineBorderActiveColor, &T::SetLineBorderActiveColor},
    {"LineBorderInactiveColor", &T::LineBorderInactiveColor, &T::SetLineBorderInactiveColor},
    {"MultiSelectLevel", &T::MultiSelectLevel, &T::SetMultiSelectLevel},
    {"ChangeDelay", &T::ChangeDelay, &T::SetChangeDelay},
    {"SortSection", &T::SortSection, &T::SetSortSection},
    {"DragRectAcceptColor", &T::DragRectAcceptColor, &T::SetDragRectAcceptColor},
    {"DragRectDenyColor", &T::DragRectDenyColor, &T::SetDragRectDenyColor},
    {"DragScrollInterval", &T::DragScrollInterval, &T::SetDragScrollInterval},
    {"DragExpandDelay", &T::DragExpandDelay, &T::SetDragExpandDelay},
    {"Cursor", &T::Cursor, &T::SetCursor},
    {"DragCursor", &T::DragCursor, &T::SetDragCursor},
    {"LineHintTimeout", &T::LineHintTimeout, &T::SetLineHintTimeout},
    {"LineHintColor", &T::LineHintColor, &T::SetLineHintColor},
    {"InplaceEditorDelay", &T::InplaceEditorDelay, &T::SetInplaceEditorDelay},
    {"ImageTextDelta", &T::ImageTextDelta, &T::SetImageTextDelta},
    {"HeaderColor", &T::HeaderColor, &T::SetHeaderColor},
    {"HeaderFilterColor", &T::HeaderFilterColor, &T::SetHeaderFilterColor},
    {"HeaderActiveFilterColor", &T::HeaderActiveFilterColor, &T::SetHeaderActiveFilterColor},
    {"DefaultSectionWidth", &T::DefaultSectionWidth, &T::SetDefaultSectionWidth},
};

// The names forms store the values of the enumerations by, in the order of their values.
const std::vector<std::string> FieldTypeNames = {
    "sftCustom",  "sftText", "sftNumber", "sftFloating", "sftDateTime", "sftDate",     "sftTime",
    "sftPicture", "sftEnum", "sftBLOB",   "sftUndef",    "sftBool",     "sftCurrency", "sftMemo"};
const std::vector<std::string> FlatBorderNames = {
    "fbtFlat",        "fbtSunken",      "fbtSunkenInner", "fbtSunkenOuter", "fbtRaised",
    "fbtRaisedInner", "fbtRaisedOuter", "fbtBump",        "fbtBigBump",     "fbtEtched",
    "fbtFramed",      "fbtLine",        "fbtLineBorder",  "fbtNone",        "fbtColorLineBorder"};
const std::vector<std::string> HintTypeNames = {"shtMainText", "shtHintOnly", "shtHintOrText"};

void PublishEnumerations(TClassInfo& info) {
    info.Enumeration<T, TFormBorderStyle>(
        "BorderStyle", &T::BorderStyle, &T::SetBorderStyle,
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    info.Enumeration<T, TPenStyle>(
        "LinesStyle", &T::LinesStyle, &T::SetLinesStyle,
        {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
    info.Enumeration<T, TQZBkGndType>("BackgroundType", &T::BackgroundType, &T::SetBackgroundType,
                                      {"bgtTileBitmap", "bgtStretchBitmap", "bgtColorFill",
                                       "bgtCenterBitmap", "bgtHorzGradient", "bgtVertGradient",
                                       "bgtTopLeftBitmap"});
    info.Enumeration<T, TQZFlatBorderType>("ActiveBorderType", &T::ActiveBorderType,
                                           &T::SetActiveBorderType, FlatBorderNames);
    info.Enumeration<T, TQZFlatBorderType>("InactiveBorderType", &T::InactiveBorderType,
                                           &T::SetInactiveBorderType, FlatBorderNames);
    info.Enumeration<T, TSTSelModes>("SelectionMode", &T::SelectionMode, &T::SetSelectionMode,
                                     {"smSimple", "smUsual"});
    info.Enumeration<T, TSortModes>("SortMode", &T::SortMode, &T::SetSortMode,
                                    {"smNone", "smAdd", "smClick", "smAddClick"});
    info.Enumeration<T, TSortTypes>("SortType", &T::SortType, &T::SetSortType,
                                    {"stCustom", "stText", "stNumber", "stFloating", "stDateTime",
                                     "stDate", "stTime", "stBoolean", "stCurrency"});
    info.Enumeration<T, TSortDirs>("SortDir", &T::SortDir, &T::SetSortDir,
                                   {"sdAscend", "sdDescend"});
    info.Enumeration<T, TVirtualityLevel>("VirtualityLevel", &T::VirtualityLevel,
                                          &T::SetVirtualityLevel, {"vlNone", "vlTextAndStyles"});
    info.Enumeration<T, TQZDblClickMode>("DblClickMode", &T::DblClickMode, &T::SetDblClickMode,
                                         {"dcmNone", "dcmExpand", "dcmEdit"});
    info.Enumeration<T, TQZDragType>("DragType", &T::DragType, &T::SetDragType,
                                     {"dtOLE", "dtVornel", "dtBoth"});
    info.Enumeration<T, TDragImgMode>("DragImageMode", &T::DragImageMode, &T::SetDragImageMode,
                                      {"dimNever", "dimOne", "dimAll"});
    info.Enumeration<T, TDragTargetDraw>(
        "DragTrgDrawMode", &T::DragTrgDrawMode, &T::SetDragTrgDrawMode,
        {"ColorFrame", "ColorRect", "SelColorRect", "dtdNone", "dtdUpColorLine", "dtdDownColorLine",
         "dtdUpSelColorLine", "dtdDownSelColorLine"});
    info.Enumeration<T, THintModes>("LineHintMode", &T::LineHintMode, &T::SetLineHintMode,
                                    {"shmNone", "shmLong", "shmAll"});
    info.Enumeration<T, TLineHintType>("LineHintType", &T::LineHintType, &T::SetLineHintType,
                                       {"lhtMainTextOnly", "lhtCellTextOnly", "lhtSmart"});
    info.Enumeration<T, TQZFieldType>("MainTextType", &T::MainTextType, &T::SetMainTextType,
                                      FieldTypeNames);
    info.Enumeration<T, TQZHintType>("HintType", &T::HintType, &T::SetHintType, HintTypeNames);
    info.Enumeration<T, TQZHintType>("HeaderHintType", &T::HeaderHintType, &T::SetHeaderHintType,
                                     HintTypeNames);
    info.Set<T, TQZBorderSides>("BorderSides", &T::BorderSides, &T::SetBorderSides,
                                {"ebsLeft", "ebsRight", "ebsTop", "ebsBottom"});
    info.Set<T, TQZScrollBarSides>("ForcedScrollBars", &T::ForcedScrollBars,
                                   &T::SetForcedScrollBars, {"sbsHorizontal", "sbsVertical"});
}

// Texts: the path separator is one character, and only a text of one character changes it.
void PublishTexts(TClassInfo& info) {
    info.String<T>("OwnerDrawMask", &T::OwnerDrawMask, &T::SetOwnerDrawMask);
    TPropInfo separator{
        "PathSeparator",
        TPropKind::String,
        nullptr,
        nullptr,
        [](const TObject& o) { return std::string(1, static_cast<const T&>(o).PathSeparator()); },
        [](TObject& o, const std::string& v) {
            if (v.size() == 1)
                static_cast<T&>(o).SetPathSeparator(v[0]);
        },
        nullptr};
    info.Add(std::move(separator));
    info.Strings<T>("HeadersTexts", &T::PublishedHeadersTexts);
}

void PublishObjects(TClassInfo& info) {
    info.Object<T, TImageList>("Images", &T::Images, &T::SetImages);
    info.Object<T, TImageList>("Images2", &T::Images2, &T::SetImages2);
    info.Object<T, TImageList>("HeaderImages", &T::HeaderImages, &T::SetHeaderImages);
    info.Object<T, TPopupMenu>("HeaderPopupMenu", &T::HeaderPopupMenu, &T::SetHeaderPopupMenu);
    info.Object<T, TFont>("HeaderFont", &T::HeaderFont);
    info.Object<T, TQZScrollBarStyles>("HorzScrollBarStyles", &T::HorzScrollBarStyles);
    info.Object<T, TQZScrollBarStyles>("VertScrollBarStyles", &T::VertScrollBarStyles);
}

TClassInfo MakeInfo() {
    TClassInfo info("TQZTree", &TCustomQZTree::StaticClassInfo());
    for (const TBoolOption& option : BoolOptions)
        info.Boolean<T>(option.Name, option.Get, option.Set);
    for (const TIntOption& option : IntOptions)
        info.Integer<T>(option.Name, option.Get, option.Set);
    PublishEnumerations(info);
    PublishTexts(info);
    PublishObjects(info);
    return info;
}
} // namespace

const TClassInfo& TQZTree::StaticClassInfo() {
    static const TLasting<TClassInfo> info = MakeInfo();
    return *info;
}
