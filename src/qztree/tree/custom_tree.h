#pragma once
#include "qztree/base/background.h"
#include "qztree/base/draw.h"
#include "qztree/base/list.h"
#include "qztree/base/place_shifts.h"
#include "qztree/base/section_types.h"
#include "qztree/base/xp_themed_control.h"
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/tree/items/selected_items.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree_events.h"
#include "qztree/tree/tree_option_types.h"
#include "qztree/tree/tree_part_events.h"
#include "qztree/tree/tree_types.h"
#include "qztree/tree/view/tree_view_state.h"
#include "vcl/base/geometry.h"
#include "vcl/graphics/graphics.h"

#include <memory>
#include <string>
#include <vector>

class TQZItemStateStyle;
class TQZCellStyle;
class TCanvas;
class TQZTreeView;
class TQZScrollBar;
class TQZScrollBarStyles;
class TQZHeader;
class TQZHeaderSection;
class TQZHeaderSections;
class TImageList;
class TBitmap;
class TStringList;
class TStrings;
class TStream;
class TTimer;
class TDragObject;
struct TQZSortKey;

// One shown column of the header: its section, edges in tree coordinates and what the cells
// of the column take from it.
struct TQZColumnSpan {
    int Section = 0;
    int Left = 0;
    int Right = 0;
    bool Locked = false;   // does not scroll sideways
    bool Password = false; // cells show stars
    int Alignment = 0;     // left, centre, right
    TQZSectionStyle Style = QZhsText;
};

// The multi-column tree control: its items in one depth-first pre-order list, the selection and
// focus, the sort rules, the options, and the nested update lock under which changes only leave
// marks and the deferred work runs once when the last lock goes. It owns and places its header,
// the inner view that draws the rows and the two scroll bars.
class TCustomQZTree : public TQZXPThemedControl, public TQZTreeEvents, public TQZTreePartEvents {
    friend class TQZTreeItem;
    friend class TQZTreeItems;
    friend class TQZItemStateStyle;
    friend class TQZTreeLock;
    friend class TQZTreeView;

public:
    // Without View the tree makes its own view window; a given view state serves trees that are
    // driven without windows. ItemClass makes the items.
    explicit TCustomQZTree(TComponent* AOwner, std::unique_ptr<TQZTreeViewState> View = nullptr,
                           TQZTreeItems::TItemFactory ItemClass = nullptr);
    ~TCustomQZTree() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TQZTreeItems* Items() const { return FItems.get(); }
    // Copies the given items into the tree's own.
    void SetItems(const TQZTreeItems* Value) { FItems->Assign(Value); }
    TQZHeaderSections* HeaderSections() const;
    // Copies the given sections into the header.
    void SetHeaderSections(const TQZHeaderSections* Value);
    TQZTreeItem* GetRoot() const;
    TQZTreeViewState& View() const { return *FView; }
    // The window that draws the rows; null for a tree driven without windows.
    TQZTreeView* ViewControl() const { return FTreeView; }
    TQZHeader* Header() const { return FHeader; }
    TQZScrollBar* HScrollBar() const { return FHScrollBar; }
    TQZScrollBar* VScrollBar() const { return FVScrollBar; }
    // The looks of the two bars; assigning copies into them.
    TQZScrollBarStyles* HorzScrollBarStyles() const { return FHorzScrollBarStyle.get(); }
    void SetHorzScrollBarStyles(const TQZScrollBarStyles* Value);
    TQZScrollBarStyles* VertScrollBarStyles() const { return FVertScrollBarStyle.get(); }
    void SetVertScrollBarStyles(const TQZScrollBarStyles* Value);
    TQZItemStateStyle* DefaultItemStyles() const { return FDefaultItemStyles.get(); }
    const TQZList& AllList() const { return FAllList; }

    // Update lock: True raises it, False lowers it (never below none); the deferred work runs
    // when the last lock goes. TQZTreeLock brackets a change.
    bool IsUpdating() const { return FUpdateCount > 0; }
    void SetUpdating(bool Value);
    int UpdateCount() const { return FUpdateCount; }
    bool IsDestroying() const { return FDestroying; }
    bool IsLoading() const { return FLoading || ComponentState().Contains(csLoading); }

    // Rows that can be shown now (collapsed subtrees and filtered items left out).
    int GetTotalVisCount() const;
    int TotalVisCount() const { return FTotalVisCount; }
    int TotalHiddenCount() const { return FTotalHiddenCount; }
    int TotalVarHeightCount() const { return FTotalVarHeightCount; }

    TQZTreeItem* GetFocused() const;
    void SetFocused(TQZTreeItem* Item) { DoSetFocused(Item, false); }
    virtual void DoSetFocused(TQZTreeItem* Item, bool Forced);
    TQZTreeItem* Selected() const; // the selection anchor
    int GetSelCount() const;
    TQZTreeItem* SelectedItem(int Index) const;
    const TQZSelectedList* SelectedList() const { return FSelectedList.get(); }
    bool FireFocusEvents() const { return FFireFocusEvents == 0; }

    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool FilteredVisibility() const { return FFilteredVisibility; }
    void SetFilteredVisibility(bool Value);
    bool AdjustMultilineHeight() const { return FAdjustMultilineHeight; }
    void SetAdjustMultilineHeight(bool Value);
    int LineHeight() const { return FLineHeight; }
    // Ignored while AutoLineHeight is on; 0 or less asks DefineLineHeight.
    void SetLineHeight(int Value);
    bool ShowColumns() const { return FShowHeader; }
    virtual void SetShowHeader(bool Value);
    void SetShowColumns(bool Value) { SetShowHeader(Value); }
    int MainTreeColumn() const { return FMainTreeCol; }
    void SetMainTreeColumn(int Value);
    int SelectColumn() const { return FSelectColumn; }
    void SetSelectColumn(int Value);
    TVirtualityLevel VirtualityLevel() const { return FVirtualityLevel; }
    void SetVirtualityLevel(TVirtualityLevel Value);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    int BottomIndex() const { return FBottomIndex; }
    int LeftPosition() const { return FView->FHPos; }
    void SetLeftPosition(int Value);
    int HeaderHeight() const;
    void SetHeaderHeight(int Value);
    // One line per header section; assigning adds sections as needed and sets their texts.
    TStrings* HeadersTexts();
    void SetHeadersTexts(const TStrings* Value);
    TStrings* PublishedHeadersTexts() const {
        return const_cast<TCustomQZTree*>(this)->HeadersTexts();
    }
    bool HorzScrollBarVisible() const { return FHScrollVisible; }
    bool VertScrollBarVisible() const { return FVScrollVisible; }
    int VisibleRowCount() const;
    // Under the lock: the visible rows counted again now.
    void RecountVisible() { FTotalVisCount = GetTotalVisCount(); }
    // The header follows the rows' horizontal position.
    void HeaderLeftPosChanged();
    void RedrawFocused();
    // A paint that came while the lock was held; the area is painted when the lock goes.
    void MarkPendingPaint(const TRect& Area);
    TQZTreeItem* TrackItem() const { return FView->FTrackItem; }
    TQZTreeItem* DropTarget() const { return FView->FDropTrg; }
    // What is dragged over the tree, while it is over it.
    TDragObject* DragObject() const { return FDragObject; }

    // Options whose change depends on other options or does more than mark work.
    bool ShowEmptyImages() const { return FShowEmptyImages; }
    void SetShowEmptyImages(bool Value) { SetOption(FShowEmptyImages, Value, ImageMarkEffects()); }
    bool ShowEmptyImages2() const { return FShowEmptyImages2; }
    void SetShowEmptyImages2(bool Value) {
        SetOption(FShowEmptyImages2, Value, ImageMarkEffects());
    }
    bool PlusMinusTransparent() const { return FPlusMinusTransparent; }
    void SetPlusMinusTransparent(bool Value) {
        SetOption(FPlusMinusTransparent, Value, When(FShowButtons, {teRows}));
    }
    bool BarStyleVerticalLines() const { return FBarStyleVerticalLines; }
    void SetBarStyleVerticalLines(bool Value) {
        SetOption(FBarStyleVerticalLines, Value, When(FBarStyle, {teAll}));
    }
    bool VerticalLinesLong() const { return FVerticalLinesLong; }
    void SetVerticalLinesLong(bool Value) {
        SetOption(FVerticalLinesLong, Value, When(FVerticalLines, {teInvalidate}));
    }
    bool NoBlendSelected() const { return FNoBlendSelected; }
    void SetNoBlendSelected(bool Value) {
        SetOption(FNoBlendSelected, Value, When(FBackgroundType != bgtColorFill, {teInvalidate}));
    }
    TColor StripedOddColor() const { return FStripedOddColor; }
    void SetStripedOddColor(TColor Value) {
        SetOption(FStripedOddColor, Value, When(FStripedItems, {teInvalidate}));
    }
    TColor StripedEvenColor() const { return FStripedEvenColor; }
    void SetStripedEvenColor(TColor Value) {
        SetOption(FStripedEvenColor, Value, When(FStripedItems, {teInvalidate}));
    }
    TColor LineBorderActiveColor() const { return FLineBorderActiveColor; }
    void SetLineBorderActiveColor(TColor Value) {
        SetOption(FLineBorderActiveColor, Value, When(FFlat, {teInvalidate, teFrame}));
    }
    TColor LineBorderInactiveColor() const { return FLineBorderInactiveColor; }
    void SetLineBorderInactiveColor(TColor Value) {
        SetOption(FLineBorderInactiveColor, Value, When(FFlat, {teInvalidate, teFrame}));
    }
    bool RowHotTrack() const { return FRowHotTrack; }
    void SetRowHotTrack(bool Value);
    bool DrawFocusRect() const { return FDrawFocusRect; }
    void SetDrawFocusRect(bool Value);
    TQZScrollBarSides ForcedScrollBars() const { return FForcedScrollBars; }
    void SetForcedScrollBars(TQZScrollBarSides Value);
    bool RightAlignedTree() const { return FRightAlignedTree; }
    void SetRightAlignedTree(bool Value);
    TDragTargetDraw DragTrgDrawMode() const { return FDragTrgDrawMode; }
    void SetDragTrgDrawMode(TDragTargetDraw Value);
    int SortSection() const { return FSortSection; }
    // A negative section means no sorting column; a new one drops the further columns of a
    // multi-column sort.
    void SetSortSection(int Value);
    TQZDblClickMode DblClickMode() const { return FDblClickMode; }
    void SetDblClickMode(TQZDblClickMode Value);
    bool ExpandOnDblClick() const { return FDblClickMode == dcmExpand; }
    void SetExpandOnDblClick(bool Value);
    bool AutoLineHeight() const { return FAutoLineHeight; }
    void SetAutoLineHeight(bool Value);
    bool DoubleBufferedView() const { return FDoubleBufferedView; }
    void SetDoubleBufferedView(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { SetImageList(FImages, Value); }
    TImageList* Images2() const { return FImages2; }
    void SetImages2(TImageList* Value) { SetImageList(FImages2, Value); }
    TBitmap* Background() const { return FBackground.get(); }
    void SetBackground(const TBitmap* Value);
    // Custom pictures, made on first read.
    TBitmap* PlusPicture() const { return Glyph(FPlusPicture); }
    TBitmap* MinusPicture() const { return Glyph(FMinusPicture); }
    TBitmap* LeafPicture() const { return Glyph(FLeafPicture); }
    TBitmap* CheckBoxGlyph() const { return Glyph(FCheckBoxGlyph); }
    TBitmap* RadioButtonGlyph() const { return Glyph(FRadioButtonGlyph); }
    void SetPlusPicture(const TBitmap* Value);
    void SetMinusPicture(const TBitmap* Value);
    void SetLeafPicture(const TBitmap* Value);
    void SetCheckBoxGlyph(const TBitmap* Value);
    void SetRadioButtonGlyph(const TBitmap* Value);
    bool HeaderUseTreeFont() const { return FHeaderUseTreeFont; }
    void SetHeaderUseTreeFont(bool Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    bool HeaderHotTrack() const { return FHeaderHotTrack; }
    void SetHeaderHotTrack(bool Value);
    // The header's own options, passed through as they are.
    TColor HeaderColor() const { return FHeader->Color(); }
    void SetHeaderColor(TColor Value) { FHeader->SetColor(Value); }
    TImageList* HeaderImages() const { return FHeader->Images(); }
    void SetHeaderImages(TImageList* Value) { FHeader->SetImages(Value); }
    bool HeaderFlat() const { return FHeader->Flat(); }
    void SetHeaderFlat(bool Value) { FHeader->SetFlat(Value); }
    bool HeaderWrapCaptions() const { return FHeader->WrapCaptions(); }
    void SetHeaderWrapCaptions(bool Value) { FHeader->SetWrapCaptions(Value); }
    bool HeaderInvertSortArrows() const { return FHeader->InvertSortArrows(); }
    void SetHeaderInvertSortArrows(bool Value) { FHeader->SetInvertSortArrows(Value); }
    TColor HeaderFilterColor() const { return FHeader->FilterColor(); }
    void SetHeaderFilterColor(TColor Value) { FHeader->SetFilterColor(Value); }
    TColor HeaderActiveFilterColor() const { return FHeader->ActiveFilterColor(); }
    void SetHeaderActiveFilterColor(TColor Value) { FHeader->SetActiveFilterColor(Value); }
    TQZHintType HeaderHintType() const { return FHeader->HintType(); }
    void SetHeaderHintType(TQZHintType Value) { FHeader->SetHintType(Value); }
    TPopupMenu* HeaderPopupMenu() const { return FHeader->PopupMenu(); }
    void SetHeaderPopupMenu(TPopupMenu* Value) { FHeader->SetPopupMenu(Value); }
    bool LockHeaderHeight() const { return FHeader->LockHeight(); }
    void SetLockHeaderHeight(bool Value) { FHeader->SetLockHeight(Value); }
    bool StickyHeaderSections() const { return FHeader->StickySections(); }
    void SetStickyHeaderSections(bool Value) { FHeader->SetStickySections(Value); }
    bool DraggableSections() const { return FHeader->AllowDrag(); }
    void SetDraggableSections(bool Value) { FHeader->SetAllowDrag(Value); }
    bool MoveColumnOnDrag() const { return FHeader->MoveOnDrag(); }
    void SetMoveColumnOnDrag(bool Value) { FHeader->SetMoveOnDrag(Value); }
    int DefaultSectionWidth() const { return FHeader->DefaultWidth(); }
    void SetDefaultSectionWidth(int Value) { FHeader->SetDefaultWidth(Value); }
    // The hint stays the control's own; the view shows it where a row has none of its own.
    void SetHint(const std::string& Value);
    const std::string& RealHint() const { return FRealHint; }
    // The view takes the tree's cursors: it covers the tree's client area.
    void SetCursor(TCursor Value);
    void SetDragCursor(TCursor Value);
    // The check-box size of the theme when one is applied.
    int EffectiveCheckBoxSize() const;
    // The tree's option table: fields with their defaults.
    int ItemIndent() const { return FItemIndent; }
    void SetItemIndent(int Value) { SetOption(FItemIndent, Value, {teAll}); }
    int CheckBoxSize() const { return FCheckBoxSize; }
    void SetCheckBoxSize(int Value) { SetOption(FCheckBoxSize, Value, {teRange, teAll}); }
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value) { SetOption(FShowButtons, Value, {teRange, teRows}); }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value) { SetOption(FShowLines, Value, {teRange, teRows}); }
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value) { SetOption(FShowRoot, Value, {teRange, teRows}); }
    bool ShowRootButtons() const { return FShowRootButtons; }
    void SetShowRootButtons(bool Value) { SetOption(FShowRootButtons, Value, {teRange, teRows}); }
    bool ShowLeafButton() const { return FShowLeafButton; }
    void SetShowLeafButton(bool Value) { SetOption(FShowLeafButton, Value, {teRange, teRows}); }
    bool ShowImages() const { return FShowImages; }
    void SetShowImages(bool Value) { SetOption(FShowImages, Value, {teRange, teHeight, teRows}); }
    bool ShowCheckboxes() const { return FShowCheckboxes; }
    void SetShowCheckboxes(bool Value) {
        SetOption(FShowCheckboxes, Value, {teRange, teAll, teHeight});
    }
    bool CustomPlusMinus() const { return FCustomPlusMinus; }
    void SetCustomPlusMinus(bool Value) { SetOption(FCustomPlusMinus, Value, {teRange, teAll}); }
    bool CustomCheckboxes() const { return FCustomCheckboxes; }
    void SetCustomCheckboxes(bool Value) { SetOption(FCustomCheckboxes, Value, {teAll}); }
    bool ChangeStateImage() const { return FChangeStateImage; }
    void SetChangeStateImage(bool Value) { SetOption(FChangeStateImage, Value, {teRows}); }
    bool HorizontalLines() const { return FHorizontalLines; }
    void SetHorizontalLines(bool Value) {
        SetOption(FHorizontalLines, Value, {teHeight, teVisRows, teAll});
    }
    bool VerticalLines() const { return FVerticalLines; }
    void SetVerticalLines(bool Value) { SetOption(FVerticalLines, Value, {teAll}); }
    bool BarStyle() const { return FBarStyle; }
    void SetBarStyle(bool Value) { SetOption(FBarStyle, Value, {teRange, teHeight, teAll}); }
    TColor LinesColor() const { return FLinesColor; }
    void SetLinesColor(TColor Value) { SetOption(FLinesColor, Value, {teAll}); }
    TPenStyle LinesStyle() const { return FLinesStyle; }
    void SetLinesStyle(TPenStyle Value) { SetOption(FLinesStyle, Value, {teAll}); }
    TColor HorzDivLinesColor() const { return FHorzDivLinesColor; }
    void SetHorzDivLinesColor(TColor Value) { SetOption(FHorzDivLinesColor, Value, {teAll}); }
    TColor VertDivLinesColor() const { return FVertDivLinesColor; }
    void SetVertDivLinesColor(TColor Value) { SetOption(FVertDivLinesColor, Value, {teAll}); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { SetOption(FRowSelect, Value, {teVisRows, teAll}); }
    bool FullRowSelect() const { return FFullRowSelect; }
    void SetFullRowSelect(bool Value) { SetOption(FFullRowSelect, Value, {}); }
    bool HideFocusRect() const { return FHideFocusRect; }
    void SetHideFocusRect(bool Value) { SetOption(FHideFocusRect, Value, {teRows}); }
    bool HideSelection() const { return FHideSelect; }
    void SetHideSelection(bool Value) { SetOption(FHideSelect, Value, {teRows}); }
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { SetOption(FTracking, Value, {}); }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { SetOption(FBkColor, Value, {teVisRows, teAll}); }
    TQZBkGndType BackgroundType() const { return FBackgroundType; }
    void SetBackgroundType(TQZBkGndType Value) { SetOption(FBackgroundType, Value, {teBuffer}); }
    TColor GradientStartColor() const { return FGradientStartColor; }
    void SetGradientStartColor(TColor Value) { SetOption(FGradientStartColor, Value, {teBuffer}); }
    TColor GradientEndColor() const { return FGradientEndColor; }
    void SetGradientEndColor(TColor Value) { SetOption(FGradientEndColor, Value, {teBuffer}); }
    int GradientSteps() const { return FGradientSteps; }
    void SetGradientSteps(int Value) { SetOption(FGradientSteps, Value, {teBuffer}); }
    bool ScrollBackground() const { return FScrollBackground; }
    void SetScrollBackground(bool Value) { SetOption(FScrollBackground, Value, {}); }
    bool StripedItems() const { return FStripedItems; }
    void SetStripedItems(bool Value) { SetOption(FStripedItems, Value, {teInvalidate}); }
    TQZBorderSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TQZBorderSides Value) { SetOption(FBorderSides, Value, {teWindow}); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { SetOption(FFlat, Value, {teFrame}); }
    TQZFlatBorderType ActiveBorderType() const { return FActiveBorderType; }
    void SetActiveBorderType(TQZFlatBorderType Value) {
        SetOption(FActiveBorderType, Value, {teFrame});
    }
    TQZFlatBorderType InactiveBorderType() const { return FInactiveBorderType; }
    void SetInactiveBorderType(TQZFlatBorderType Value) {
        SetOption(FInactiveBorderType, Value, {teFrame});
    }
    bool FlatFocusedScrollbars() const { return FFlatFocusedScrollbars; }
    void SetFlatFocusedScrollbars(bool Value) {
        SetOption(FFlatFocusedScrollbars, Value,
                  When(FUseCustomScrollBars && !IsThemeApplied(), {teFrame}));
    }
    bool UseCustomScrollBars() const { return FUseCustomScrollBars; }
    void SetUseCustomScrollBars(bool Value) { SetOption(FUseCustomScrollBars, Value, {teWindow}); }
    bool HideHorzScrollBar() const { return FHideHorzScrollBar; }
    void SetHideHorzScrollBar(bool Value) {
        SetOption(FHideHorzScrollBar, Value, {teLayout, teRows});
    }
    bool HideVertScrollBar() const { return FHideVertScrollBar; }
    void SetHideVertScrollBar(bool Value) {
        SetOption(FHideVertScrollBar, Value, {teLayout, teRows});
    }
    bool ScrollbarOpposite() const { return FScrollbarOpposite; }
    void SetScrollbarOpposite(bool Value) { SetOption(FScrollbarOpposite, Value, {teLayout}); }
    bool RightAlignedText() const { return FRightAlignedText; }
    void SetRightAlignedText(bool Value) { SetOption(FRightAlignedText, Value, {teWindow}); }
    int MultiSelectLevel() const { return FMultiSelectLevel; }
    TSTSelModes SelectionMode() const { return FSelectionMode; }
    void SetSelectionMode(TSTSelModes Value) { SetOption(FSelectionMode, Value, {}); }
    bool AlwaysKeepSelection() const { return FAlwaysKeepSelection; }
    void SetAlwaysKeepSelection(bool Value) { SetOption(FAlwaysKeepSelection, Value, {}); }
    bool AlwaysKeepFocus() const { return FAlwaysKeepFocus; }
    void SetAlwaysKeepFocus(bool Value) { SetOption(FAlwaysKeepFocus, Value, {}); }
    bool KeepSelectionWithinLevel() const { return FKeepSelectionWithinLevel; }
    void SetKeepSelectionWithinLevel(bool Value) {
        SetOption(FKeepSelectionWithinLevel, Value, {});
    }
    bool DeselectChildrenOnCollapse() const { return FDeselectChildrenOnCollapse; }
    void SetDeselectChildrenOnCollapse(bool Value) {
        SetOption(FDeselectChildrenOnCollapse, Value, {});
    }
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool Value) { SetOption(FRightClickSelect, Value, {}); }
    bool MouseFrameSelect() const { return FMouseFrameSelect; }
    void SetMouseFrameSelect(bool Value) { SetOption(FMouseFrameSelect, Value, {}); }
    bool IgnoreEnabled() const { return FIgnoreEnabled; }
    void SetIgnoreEnabled(bool Value) { SetOption(FIgnoreEnabled, Value, {}); }
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value) { SetOption(FAutoExpand, Value, {}); }
    bool AutoCollapse() const { return FAutoCollapse; }
    void SetAutoCollapse(bool Value) { SetOption(FAutoCollapse, Value, {}); }
    bool MoveFocusOnCollapse() const { return FMoveFocusOnCollapse; }
    void SetMoveFocusOnCollapse(bool Value) { SetOption(FMoveFocusOnCollapse, Value, {}); }
    TSortModes SortMode() const { return FSortMode; }
    void SetSortMode(TSortModes Value) { SetOption(FSortMode, Value, {}); }
    TSortTypes SortType() const { return FSortType; }
    void SetSortType(TSortTypes Value) { SetOption(FSortType, Value, {}); }
    TSortDirs SortDir() const { return FSortDir; }
    void SetSortDir(TSortDirs Value) { SetOption(FSortDir, Value, {}); }
    bool SortUseCase() const { return FSortUseCase; }
    void SetSortUseCase(bool Value) { SetOption(FSortUseCase, Value, {}); }
    TQZDragType DragType() const { return FDragType; }
    void SetDragType(TQZDragType Value) { SetOption(FDragType, Value, {}); }
    bool DragAllowed() const { return FDragAllowed; }
    void SetDragAllowed(bool Value) { SetOption(FDragAllowed, Value, {}); }
    bool ExpandOnDragOver() const { return FExpandOnDragOver; }
    void SetExpandOnDragOver(bool Value) { SetOption(FExpandOnDragOver, Value, {}); }
    TDragImgMode DragImageMode() const { return FDragImageMode; }
    void SetDragImageMode(TDragImgMode Value) { SetOption(FDragImageMode, Value, {}); }
    int DragScrollInterval() const { return FDragScrollInterval; }
    void SetDragScrollInterval(int Value) { SetOption(FDragScrollInterval, Value, {}); }
    int DragExpandDelay() const { return FDragExpandDelay; }
    void SetDragExpandDelay(int Value) { SetOption(FDragExpandDelay, Value, {}); }
    bool IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(bool Value) { SetOption(FIncrementalSearch, Value, {}); }
    bool AutoLookup() const { return FAutoLookup; }
    void SetAutoLookup(bool Value) { SetOption(FAutoLookup, Value, {}); }
    THintModes LineHintMode() const { return FLineHintMode; }
    void SetLineHintMode(THintModes Value) { SetOption(FLineHintMode, Value, {}); }
    TLineHintType LineHintType() const { return FLineHintType; }
    void SetLineHintType(TLineHintType Value) { SetOption(FLineHintType, Value, {}); }
    int LineHintTimeout() const { return FLineHintTimeout; }
    void SetLineHintTimeout(int Value) { SetOption(FLineHintTimeout, Value, {}); }
    TColor LineHintColor() const { return FLineHintColor; }
    void SetLineHintColor(TColor Value) { SetOption(FLineHintColor, Value, {}); }
    // The line hint's text colour unless UseSystemHintColors.
    TColor HintTextColor() const { return FHintTextColor; }
    void SetHintTextColor(TColor Value) { FHintTextColor = Value; }
    bool HideHintOnMove() const { return FHideHintOnMove; }
    void SetHideHintOnMove(bool Value) { SetOption(FHideHintOnMove, Value, {}); }
    bool HideHintOnTimer() const { return FHideHintOnTimer; }
    void SetHideHintOnTimer(bool Value) { SetOption(FHideHintOnTimer, Value, {}); }
    bool UseSystemHintColors() const { return FUseSystemHintColors; }
    void SetUseSystemHintColors(bool Value) { SetOption(FUseSystemHintColors, Value, {}); }
    bool OwnerDrawByColumn() const { return FOwnerDrawByColumn; }
    void SetOwnerDrawByColumn(bool Value) { SetOption(FOwnerDrawByColumn, Value, {}); }
    std::string OwnerDrawMask() const { return FOwnerDrawMask; }
    void SetOwnerDrawMask(const std::string& Value) { SetOption(FOwnerDrawMask, Value, {}); }
    char PathSeparator() const { return FPathSeparator; }
    void SetPathSeparator(char Value) { SetOption(FPathSeparator, Value, {}); }
    bool DoInplaceEdit() const { return FDoInplaceEdit; }
    void SetDoInplaceEdit(bool Value) { SetOption(FDoInplaceEdit, Value, {}); }
    bool QuickEditMode() const { return FQuickEditMode; }
    void SetQuickEditMode(bool Value) { SetOption(FQuickEditMode, Value, {}); }
    bool ExplorerEditMode() const { return FExplorerEditMode; }
    void SetExplorerEditMode(bool Value) { SetOption(FExplorerEditMode, Value, {}); }
    int InplaceEditorDelay() const { return FInplaceEditorDelay; }
    void SetInplaceEditorDelay(int Value) { SetOption(FInplaceEditorDelay, Value, {}); }
    TQZFieldType MainTextType() const { return FMainTextType; }
    void SetMainTextType(TQZFieldType Value) { SetOption(FMainTextType, Value, {}); }
    TQZHintType HintType() const { return FHintType; }
    void SetHintType(TQZHintType Value) { SetOption(FHintType, Value, {}); }
    bool ScrollTracking() const { return FScrollTracking; }
    void SetScrollTracking(bool Value) { SetOption(FScrollTracking, Value, {}); }
    bool AutoResizeColumns() const { return FAutoResizeColumns; }
    void SetAutoResizeColumns(bool Value) { SetOption(FAutoResizeColumns, Value, {}); }
    int ImageTextDelta() const { return FImageTextDelta; }
    void SetImageTextDelta(int Value) { SetOption(FImageTextDelta, Value, {teInvalidate}); }
    TColor DragRectAcceptColor() const { return FDragRectAcceptColor; }
    void SetDragRectAcceptColor(TColor Value) { SetDragRectColor(FDragRectAcceptColor, Value); }
    TColor DragRectDenyColor() const { return FDragRectDenyColor; }
    void SetDragRectDenyColor(TColor Value) { SetDragRectColor(FDragRectDenyColor, Value); }

    // The row height the tree takes with AutoLineHeight: images, indent, font, check boxes.
    virtual int DefineLineHeight();
    virtual void UpdateScrollBars();
    // Places header, view and scroll bars in the client area.
    void AlignPieces();
    void UpdateFrame();
    int MeasureColumnWidth(int SectionIndex, bool VisibleOnly);
    // Writes every item's main text, indented by level, one line each.
    virtual void SaveStringsToStream(TStream& Stream);
    // The custom bars take the platform's scroll information; other windows are left alone.
    int SetScrollInfo(HWND Window, int Bar, bool Redraw, SCROLLINFO& Info);
    int GetScrollInfo(HWND Window, int Bar, SCROLLINFO& Info);

    void Assign(const TPersistent* Source) override;
    void WndProc(TMessage& Message) override;
    // A drag of the tree carries the picture of its rows that the view made.
    TImageList* GetDragImages() override;
    // Switches the themes of the tree and its pieces.
    void SetUseXPThemes(bool Value) override;

    // Options the items read; the control's property setters add their effects.
    bool FKeepSelectionWithinLevel = false;
    bool FMoveFocusOnCollapse = false;
    bool FDeselectChildrenOnCollapse = false;
    bool FAutoExpand = false;
    bool FShowImages = true;
    bool FShowEmptyImages = false;
    bool FShowCheckboxes = false;
    bool FShowRootButtons = true;
    bool FHideSelect = false;
    bool FRowHotTrack = false;
    bool FFullRowSelect = true;
    TSortModes FSortMode = smNone;
    TSortTypes FSortType = stText;
    TSortDirs FSortDir = sdAscend;
    bool FSortUseCase = true;
    int FSortSection = 0;

    // Sorting: every child list, level by level, by the sort column and on ties by the further
    // columns, in the order they were added.
    virtual void Sort(bool Recursive);
    // Sorts the children of Parent (and with Recursive every level below).
    void SortChildren(TQZTreeItem* Parent, bool Recursive);
    // Negative when Item1 goes first; never 0 for two different items.
    virtual int CompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int SectionIndex,
                             TSortTypes SortType, TQZSSortMode SectionSortMode);
    void AddSortSection(int Index, bool ReSort);
    void RemoveSortSection(int Index, bool ReSort);
    const std::vector<int>& SortSections() const { return FSortSections; }
    bool InSorting() const { return FInSorting > 0; }
    // A click on a header section: sorts by it (Ctrl: adds it to the multi-column sort) in the
    // sort modes that sort on clicks, then fires the column click.
    void HeaderSectionClicked(int SectionIndex, bool Ctrl);
    // The text of Item in the column of SectionIndex (-1 and the main column: the main text).
    std::string CellText(TQZTreeItem* Item, int SectionIndex);

    // Focus with its veto and delay; True when the focus moved.
    bool DoSetFocusedEx(TQZTreeItem* Item, bool Forced, bool Delayed);
    int ChangeDelay() const { return FChangeDelay; }
    // At or below 0 the focus is reported at once.
    void SetChangeDelay(int Value) { FChangeDelay = Value > 0 ? Value : 0; }
    TTimer* DelayTimer() const { return FDelayTimer; }
    TQZTreeItem* DelayedItem() const { return FDelayedItem; }
    void StartDelayedFocus(TQZTreeItem* Item);
    void StopDelayedFocus();
    void OnDelayTimer(TObject* Sender);
    // Suppresses OnChanging and OnItemFocused while raised.
    void BeginFocusEventsSuppression() { ++FFireFocusEvents; }
    void EndFocusEventsSuppression() { --FFireFocusEvents; }

    // Selection of one item as the view toggles it: without MultiSelect the anchor moves to
    // Item; with it Item's selection is inverted.
    void DoSetSelected(TQZTreeItem* Item);
    virtual void AllSelected(TQZList& SelectedItems);
    virtual TQZTreeItem* GetNextSelected(TQZTreeItem* Prev);
    void SetSelected(TQZTreeItem* Item);
    // Only items of that level may be selected together (-1: any); a change clears the selection.
    void SetMultiSelectLevel(int Value);
    virtual void SelectAll() { SelectWalk(false, FFilteredVisibility, FFilteredVisibility); }
    // Without IncludeHidden the children of collapsed items are left out, filtered or not.
    virtual void SelectAllEx(bool IncludeHidden) {
        SelectWalk(false, !IncludeHidden && FFilteredVisibility, !IncludeHidden);
    }
    virtual void InvertSelection() { SelectWalk(true, FFilteredVisibility, FFilteredVisibility); }
    virtual void InvertSelectionEx(bool IncludeHidden) {
        SelectWalk(true, !IncludeHidden && FFilteredVisibility, !IncludeHidden);
    }
    virtual void DeselectAll();
    virtual void DeselectAllEx(bool IncludeHidden);
    void SelectRange(TQZTreeItem* FromItem, TQZTreeItem* ToItem) {
        SelectRange2(FromItem, ToItem, true);
    }
    virtual void SelectRange2(TQZTreeItem* FromItem, TQZTreeItem* ToItem, bool SelectDisabled);
    void SelectRangeEx(TQZTreeItem* FromItem, TQZTreeItem* ToItem, bool SelectHidden) {
        SelectRangeEx2(FromItem, ToItem, true, SelectHidden);
    }
    virtual void SelectRangeEx2(TQZTreeItem* FromItem, TQZTreeItem* ToItem, bool SelectDisabled,
                                bool SelectHidden);
    virtual void FullExpand();
    virtual void FullCollapse();

    // Rows: the first one shown, bringing an item into view; the view scrolls to TopIndex.
    virtual TQZTreeItem* GetTopItem() const;
    virtual void SetTopItem(TQZTreeItem* Item);
    void EnsureVisible(TQZTreeItem* Item);
    void EnsureVisibleBottom(TQZTreeItem* Item);
    virtual bool IsInView(TQZTreeItem* Item) const;
    TQZTreeItem* GetVisItem(int VisIndex) const { return VisibleRow(VisIndex); }
    // Hit tests in the tree's client coordinates (the view's answers moved by its place).
    virtual TQZTreeItem* GetItemAt(int X, int Y, TSTItemPart& ItemPart, int& HitColumn) const;
    virtual TQZTreeItem* GetItemAtY(int Y) const;
    // The rectangle of the row on screen at ItemIndex; empty when there is none.
    virtual TRect GetItemRect(int ItemIndex) const;
    int VisIndexOfItem(const TQZTreeItem* Item) const { return VisIndexOf(Item); }

    // The header as the sorting sees it; the control answers from its header sections.
    virtual TQZFieldType SectionFieldType(int SectionIndex) const;
    virtual TQZSSortMode SectionSortMark(int SectionIndex) const;
    virtual void SetSectionSortMark(int SectionIndex, TQZSSortMode Mark);
    // Whether setting one section's mark leaves the other marks.
    virtual void SetHeaderMultiSort(bool Value);

    // Column work; without a header there is none.
    virtual int HeaderSectionCount() const;
    virtual bool SectionBounds(int SectionIndex, int& Left, int& Right) const;
    // The shown columns in header order, the locked one last.
    virtual std::vector<TQZColumnSpan> VisibleColumns() const;
    int SectionsWidth() const;
    TQZSectionStyle MainColumnStyle() const;
    virtual void AutoSizeColumn(int SectionIndex);
    virtual void AutoSizeAllColumns();
    // Under filtering, moves focus and selection anchor off hidden items and forgets hidden
    // hot-tracked and drop-target items.
    virtual void UpdateDiffItems();
    // The width and height a cell needs; -1 is the main text without a header.
    virtual TSize MeasureCell(TQZTreeItem* Item, int SectionIndex);
    // The style a cell is drawn with: the item's for the column, else its main style; in
    // virtual mode the view's shared style as the handler fills it. None without UseStyles.
    TQZCellStyle* CellStyle(TQZTreeItem* Item, int SectionIndex);
    // True when the cell is left to OnItemDraw and measured by OnMeasureItemPart.
    bool OwnerDrawnCell(int SectionIndex, const std::string& Text, const TQZCellStyle* Style) const;

    // Event triggers: each fires its event when assigned, with the tree as Sender.
    virtual void DoChanging(TQZTreeItem* Item, bool& AllowChange);
    virtual void DoOnColumnResize(int SectionIndex);
    virtual void DoColumnClick(int SectionIndex);
    virtual void DoItemFocused();
    virtual void DoItemDraw(TQZTreeItem* Item, TCanvas* Surface, int SectionIndex, const TRect& R);
    virtual void DoItemChange(TQZTreeItem* Item, TItemChangeMode Mode);
    virtual void DoItemExpanding(TQZTreeItem* Item, bool& CanProcess);
    virtual void DoItemCollapsing(TQZTreeItem* Item, bool& CanProcess);
    virtual void DoItemChecked(TQZTreeItem* Item);
    virtual void DoItemExpand(TQZTreeItem* Item);
    virtual void DoItemCollapse(TQZTreeItem* Item);
    virtual void DoItemDelete(TQZTreeItem* Item);
    virtual void DoItemAdd(TQZTreeItem* Item);
    virtual void DoCompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int& Res);
    virtual void TriggerHotTrackEvent(TQZTreeItem* OldItem, TQZTreeItem* NewItem);
    virtual void TriggerScrollEvent(TScrollBarKind ScrollBarKind, int ScrollCode);
    virtual void TriggerItemSaveEvent(TStream* Stream, TQZTreeItem* Item);
    virtual void TriggerItemLoadEvent(TStream* Stream, TQZTreeItem* Item);
    virtual void TriggerItemSelectedChangeEvent(TQZTreeItem* Item);
    virtual void TriggerMeasureItemPartEvent(TQZTreeItem* Item, int PartIndex, TPoint& Size);
    virtual void TriggerApplyVisFilterEvent(TQZTreeItem* Item, bool& Hidden);
    // DrawFocusRect comes in as the tree's setting; the handler's answer decides for the row.
    virtual void TriggerItemPostDrawEvent(TCanvas* Canvas, TQZTreeItem* Item, const TRect& ItemRect,
                                          bool& DrawFocusRect);
    virtual void TriggerHeaderColumnMoveEvent(int SectionIndex, int OldPos, int NewPos);
    virtual void DoShowHint(TQZTreeItem* Item, int SectionIndex, std::string& Text,
                            THintWindow* HintWindow, TPoint MousePos, bool& DoShowHint);
    virtual void TriggerHeaderLookupEvent(int SectionIndex, std::string& Text);
    virtual void TriggerSortBegin();
    virtual void TriggerSortEnd();
    virtual void DoAfterSelectionChange();
    virtual void TriggerVirtualTextNeeded(TQZTreeItem* Item, int SectionIndex, std::string& Text);
    virtual void TriggerVirtualHintNeeded(TQZTreeItem* Item, std::string& Hint);
    virtual void TriggerVirtualValueNeeded(TQZTreeItem* Item, int SectionIndex, int VarType,
                                           Variant& Value);
    virtual void TriggerVirtualStyleNeeded(TQZTreeItem* Item, int SectionIndex,
                                           TQZCellStyle* Style);
    virtual int DoGetPicture(TQZTreeItem* Item);
    virtual int DoGetPicture2(TQZTreeItem* Item);
    // The header's and the bars' events passed on as the tree's.
    virtual void DoHeaderDraw(TObject* Header, TCanvas* Canvas, TQZHeaderSection* Section,
                              const TRect& R, bool Pressed);
    virtual void TriggerHeaderSectionExpandEvent(TQZHeaderSection* Section);
    virtual void TriggerHeaderSectionCollapseEvent(TQZHeaderSection* Section);
    virtual void MeasureSectionTransfer(TObject* Sender, TQZHeaderSection* Section, TPoint& Size);
    virtual void HorzScrollHitTestTransfer(TObject* Sender, int X, int Y, TQZScrollBarPart& Part,
                                           bool& DefaultTest);
    virtual void VertScrollHitTestTransfer(TObject* Sender, int X, int Y, TQZScrollBarPart& Part,
                                           bool& DefaultTest);

protected:
    // Stores an option and does what its change asks for; nothing when the value stands.
    template <class T> void SetOption(T& Field, const T& Value, TQZTreeEffects Effects) {
        if (Field == Value)
            return;
        Field = Value;
        ApplyEffects(Effects);
    }
    void ApplyEffects(TQZTreeEffects Effects);
    static TQZTreeEffects When(bool Condition, TQZTreeEffects Effects) {
        return Condition ? Effects : TQZTreeEffects{};
    }
    TQZTreeEffects ImageMarkEffects() const {
        return When(FShowImages && FImages, {teRange, teRows});
    }
    void SetImageList(TImageList*& Field, TImageList* Value);
    // The drop target shows the colour in the modes that use it.
    void SetDragRectColor(TColor& Field, TColor Value);
    TBitmap* Glyph(std::unique_ptr<TBitmap>& Field) const;
    void SetPicture(std::unique_ptr<TBitmap>& Field, const TBitmap* Value);

    // True when the header's sections decide the horizontal range (no row writes past its cell).
    bool RangeFollowsHeader() const;

    std::wstring GetThemedClassName() const override { return L"TREEVIEW"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    void BeforeDestruction() override;
    void NCCalcSize(TRect& ClientArea) override;
    void NCPaint(HDC WindowDC, const TRect& WindowRect) override;
    void DoEnter() override;
    void DoExit() override;
    virtual void OnFontChange();
    // The keyboard focus that reaches the tree goes on to its view; From lost it.
    void PassFocusOn(HWND From);
    // Pressing a custom scroll bar gives the keyboard focus to the view.
    void ScrollBarMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Tears the items down while the heir is still whole; the destructor does it otherwise.
    void DestroyItems();
    virtual void HeaderBeginUpdate();
    virtual void HeaderEndUpdate();
    // The work deferred to the end of the outermost lock.
    virtual void ProcessUpdateEnd();
    // Drops every pointer the tree and its view keep to Item, which is about to be freed.
    virtual void ForgetItem(TQZTreeItem* Item);

    // Children, made by the constructor.
    void CreatePieces();
    // The header and what the tree asks of it.
    virtual void CreateHeader();
    void AttachHeader();
    int LayoutHeaderHeight();
    void PlaceHeader(const TRect& Bounds);
    void HeaderRightAlignedOrder(bool Value);
    // Order of the header and sideways scrolling as RightAlignedTree asks.
    void ApplyRightAlignedTree();
    void ApplyHeaderFont();
    std::vector<TQZXPThemedControl*> ThemedPieces() const;

    void ImageListChange(TObject* Sender);
    void HeaderFontChanged(TObject* Sender);
    // The mouse over the rows shows the active border kind, as the focus does.
    void SetMouseOver(bool Value);
    bool BorderKindsDiffer() const { return FActiveBorderType != FInactiveBorderType; }
    // With custom bars, a theme or Flat the border is drawn by the tree, not by the system.
    bool DrawsFlatBorder() const;
    void BackgroundChange(TObject* Sender);
    void GlyphChange(TObject* Sender);
    void SBChanged(TObject* Sender);
    void HeadersTextsLineSet(int Index, const std::string& Text);
    // One round of AlignPieces.
    void PlacePieces();
    bool UpdateHScrollBar();
    void OwnBarScrolled(bool Vertical, int Code, int MessagePos);
    TQZTreeItem* ShownNeighbour(TQZTreeItem* Item) const;
    bool UpdateVScrollBar();
    void DrawFlatBorder(HDC DC, const TRect& WindowRect);
    // The header's notices.
    void OnHeaderSectionResize(TQZHeaderSection* Section);
    void OnHeaderSectionVisChange(TQZHeaderSection* Section);
    void OnHeaderSectionChange(TQZHeaderSection* Section, TSectionChangeMode Change);
    void OnHeaderSectionDelete(TQZHeaderSection* Section);
    void OnHeaderSectionMove(TQZHeaderSection* Section, int OldPos, int NewPos);
    void OnHeaderSectionCreate(TQZHeaderSection* Section);
    void HeaderSectionAutoSizeHandler(TQZHeaderSection* Section);
    void DoHeaderResize();
    void HeaderResizeHandler();
    // A section's sign opened or closed its group: the handler hears it, then all is repainted.
    void HeaderSectionExpanded(TQZHeaderSection* Section, bool Expanded);
    void BindHeaderAndBarRelays();
    TQZHeaderSection* SectionOf(int SectionIndex) const;
    void RedoViewBuffer();

    TQZTreeView* FTreeView = nullptr;
    TQZHeader* FHeader = nullptr;
    TQZScrollBar* FHScrollBar = nullptr;
    TQZScrollBar* FVScrollBar = nullptr;
    std::unique_ptr<TQZScrollBarStyles> FHorzScrollBarStyle, FVertScrollBarStyle;
    std::unique_ptr<TStringList> FHeadersTexts;
    bool FFillingHeadersTexts = false;
    TNotifyEvent FImageChangeLink;
    std::unique_ptr<TBitmap> FBackground;
    std::unique_ptr<TFont> FHeaderFont;
    std::string FRealHint;
    mutable std::unique_ptr<TBitmap> FPlusPicture, FMinusPicture, FLeafPicture, FCheckBoxGlyph,
        FRadioButtonGlyph;
    int FSelectColumn = -1;
    int FBottomIndex = 0;
    bool FHScrollVisible = false;
    bool FVScrollVisible = false;
    bool FScrollbarsInitialized = false;
    bool FIgnoreSBChange = false;
    bool FAligningPieces = false;
    bool FAlignPiecesAgain = false;
    bool FIgnoreResizes = false;
    bool FAutoSizingColumns = false;
    bool IgnoreResize = false;
    bool FTreeIsFocused = false;
    bool FMouseOver = false;
    int SavedHH = 0;
    int FHeaderHeight = -1; // read from a form, applied when loading ends
    TRect FPendingPaint{};  // asked for while the lock was held
    bool FHasPendingPaint = false;
    int FTopIndex = 0;
    TTimer* FDelayTimer = nullptr;
    int FChangeDelay = 500;
    int FMultiSelectLevel = -1;
    bool FIgnoreEnabled = false;
    bool FAutoCollapse = false;
    bool FShowEmptyImages2 = false;
    bool FPlusMinusTransparent = false;
    bool FBarStyleVerticalLines = false;
    bool FVerticalLinesLong = true;
    bool FNoBlendSelected = false;
    TColor FStripedOddColor = clBtnShadow;
    TColor FStripedEvenColor = clBtnHighlight;
    TColor FLineBorderActiveColor = clBlack;
    TColor FLineBorderInactiveColor = clBlack;
    bool FDrawFocusRect = true;
    TQZScrollBarSides FForcedScrollBars;
    bool FRightAlignedTree = false;
    TDragTargetDraw FDragTrgDrawMode = SelColorRect;
    TQZDblClickMode FDblClickMode = dcmExpand;
    bool FAutoLineHeight = true;
    bool FDoubleBufferedView = true;
    TImageList* FImages = nullptr;
    TImageList* FImages2 = nullptr;
    bool FHeaderUseTreeFont = true;
    bool FHeaderHotTrack = false;
    int FItemIndent = 17;
    int FCheckBoxSize = 15;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = false;
    bool FShowLeafButton = false;
    bool FCustomPlusMinus = false;
    bool FCustomCheckboxes = false;
    bool FChangeStateImage = false;
    bool FHorizontalLines = false;
    bool FVerticalLines = false;
    bool FBarStyle = false;
    TColor FLinesColor = clBtnFace;
    TPenStyle FLinesStyle = psDot;
    TColor FHorzDivLinesColor = clBtnFace;
    TColor FVertDivLinesColor = clBtnFace;
    bool FRowSelect = true;
    bool FHideFocusRect = false;
    bool FTracking = false;
    TColor FBkColor = clWindow;
    TQZBkGndType FBackgroundType = bgtColorFill;
    TColor FGradientStartColor = clBlack;
    TColor FGradientEndColor = clBlack;
    int FGradientSteps = 64;
    bool FScrollBackground = false;
    bool FStripedItems = false;
    TQZBorderSides FBorderSides = AllBorderSides;
    bool FFlat = false;
    TQZFlatBorderType FActiveBorderType = fbtSunken;
    TQZFlatBorderType FInactiveBorderType = fbtSunkenOuter;
    bool FFlatFocusedScrollbars = true;
    bool FUseCustomScrollBars = true;
    bool FHideHorzScrollBar = false;
    bool FHideVertScrollBar = false;
    bool FScrollbarOpposite = false;
    bool FRightAlignedText = false;
    TSTSelModes FSelectionMode = smUsual;
    bool FAlwaysKeepSelection = true;
    bool FAlwaysKeepFocus = false;
    bool FRightClickSelect = true;
    bool FMouseFrameSelect = true;
    TQZDragType FDragType = dtVornel;
    bool FDragAllowed = false;
    bool FExpandOnDragOver = false;
    TDragImgMode FDragImageMode = dimNever;
    int FDragScrollInterval = 100;
    int FDragExpandDelay = 500;
    bool FIncrementalSearch = false;
    bool FAutoLookup = false;
    THintModes FLineHintMode = shmLong;
    TLineHintType FLineHintType = lhtSmart;
    int FLineHintTimeout = 3000;
    TColor FLineHintColor = clWindow;
    TColor FHintTextColor = clInfoText;
    bool FHideHintOnMove = true;
    bool FHideHintOnTimer = false;
    bool FUseSystemHintColors = false;
    bool FOwnerDrawByColumn = true;
    std::string FOwnerDrawMask = "~~@~~";
    char FPathSeparator = '\\';
    bool FDoInplaceEdit = false;
    bool FQuickEditMode = false;
    bool FExplorerEditMode = false;
    int FInplaceEditorDelay = 500;
    TQZFieldType FMainTextType = sftText;
    TQZHintType FHintType = shtHintOrText;
    bool FScrollTracking = false;
    bool FAutoResizeColumns = true;
    int FImageTextDelta = 0;
    TColor FDragRectAcceptColor = clGreen;
    TColor FDragRectDenyColor = clRed;
    TDragObject* FDragObject = nullptr;

    int FUpdateCount = 0;
    bool FProcUpdate = false;
    bool FUpdated = false;
    bool FSortRequired = false;
    bool FColSizeUpdate = false;
    int FInSorting = 0;
    bool FSelChange = false;
    int FFireFocusEvents = 0;
    bool FDestroying = false;
    bool FLoading = false;
    bool FMultiSelect = false;
    bool FFilteredVisibility = false;
    bool FAdjustMultilineHeight = true;
    bool FShowHeader = false;
    int FMainTreeCol = 0;
    TVirtualityLevel FVirtualityLevel = vlNone;
    int FLineHeight = 17;
    int FTotalVisCount = 0;
    int FTotalHiddenCount = 0;
    int FTotalVarHeightCount = 0;

private:
    struct TSortRule;
    void QuickSort(std::vector<TQZTreeItem*>& Children, int L, int R, const TSortRule& Rule);
    // A sort asked for under the update lock runs when the lock goes.
    void SortNowOrWhenUnlocked();
    TQZSortKey ItemSortKey(TQZTreeItem* Item, int SectionIndex, TSortTypes SortType);
    void SlowCompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int& Res, int SectionIndex);
    // Selects (or inverts) the items of the all-items list in order, passing over hidden
    // subtrees and the children of collapsed items as asked.
    void SelectWalk(bool Invert, bool SkipHidden, bool SkipCollapsed);
    void SelectRangeWalk(int From, int To, bool SelectDisabled, bool SkipInvisible);
    bool MaySelect(const TQZTreeItem* Item, bool SelectDisabled) const;
    // Sets the selected marks of an item outside the selected list (single selection).
    void MarkSelected(TQZTreeItem* Item, bool Value);
    // Collapses the old focused branch up to the ancestor that also holds NewFocused.
    void CollapseOldBranch(TQZTreeItem* Old, TQZTreeItem* NewFocused);
    void ScrollToTop(int VisIndex);
    // The view's input events become the tree's: tree coordinates, the tree as drag source.
    void BindViewTransfers();
    // The vertical bar's track hint and the header's lookup answer from the rows.
    void BindPartTransfers();
    void VertScrollHintNeededHandler(int TrackPosition, std::string& Hint);
    void HeaderSectionLookup(int SectionIndex, const std::string& Text);
    TPoint ViewToTree(int X, int Y) const;
    TObject* DragSourceOf(TObject* Source) const;
    // Scrolls one row down when Item is the last row on screen and shows only in part.
    void ShowLastRowWhole(TQZTreeItem* Item);
    TSize MeasureColumnCell(TQZTreeItem* Item, int SectionIndex);
    // Text measured in Font as a row of Item lays it out, wrapped at WrapWidth when it wraps.
    TSize MeasureText(TQZTreeItem* Item, const std::string& Text, const TFont& Font, int WrapWidth);

    // Absolute and visible indexes are cached in the items and renumbered lazily: a cached
    // number, moved by the shifts since it was cached, is trusted while the list still holds
    // the item there.
    int AbsIndexOf(const TQZTreeItem* Item) const;
    void RenumberAll() const;
    void StructureChanged() { FVisValid = false; }
    void EnsureVisibleRows() const;
    TQZTreeItem* VisibleRow(int Index) const;
    int VisIndexOf(const TQZTreeItem* Item) const;
    void InsertInAllList(int Index, TQZTreeItem* Item);
    // Moves the run of a subtree so it stands before the entry at Destination.
    void MoveRun(int RunStart, int RunEnd, int Destination);
    void RemoveFromAllList(TQZTreeItem* Item);
    void AddVarHeight(TQZTreeItem* Item, int Delta);
    // True while Item, one of its ancestors or one of its descendants is being deleted: deleting
    // it then would free what that deletion still walks.
    bool DeletionInProgress(const TQZTreeItem* Item) const;

    TQZList FAllList;
    mutable TQZPlaceShifts FPlaceShifts;
    std::unique_ptr<TQZSelectedList> FSelectedList;
    std::unique_ptr<TQZItemStateStyle> FDefaultItemStyles;
    std::unique_ptr<TQZTreeViewState> FOwnedView;
    TQZTreeViewState* FView = nullptr;
    std::unique_ptr<TQZTreeItems> FItems;
    mutable std::vector<TQZTreeItem*> FVisRows;
    mutable bool FVisValid = false;
    std::vector<const TQZTreeItem*> FDeletingItems;
    std::vector<int> FSortSections;
    TQZTreeItem* FDelayedItem = nullptr;
};

// Holds the tree's update lock for one scope; the lock goes also when an exception leaves it.
// A null tree takes no lock.
class TQZTreeLock {
public:
    explicit TQZTreeLock(TCustomQZTree* Tree);
    ~TQZTreeLock() noexcept(false);
    TQZTreeLock(const TQZTreeLock&) = delete;
    TQZTreeLock& operator=(const TQZTreeLock&) = delete;

private:
    TCustomQZTree* FTree;
    int FExceptions;
};
