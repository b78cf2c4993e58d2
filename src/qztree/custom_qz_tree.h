#pragma once
#include "qztree/qz_list.h"
#include "qztree/qz_section_types.h"
#include "qztree/qz_tree_events.h"
#include "qztree/qz_tree_items.h"
#include "qztree/qz_tree_types.h"
#include "qztree/selected_items.h"
#include "qztree/tree_view_state.h"
#include "vcl/geometry.h"
#include "vcl/persistent.h"

#include <memory>
#include <string>
#include <vector>

class TQZItemStateStyle;
class TTimer;
struct TQZSortKey;

// The model side of the multi-column tree: its items in one depth-first pre-order list, the
// selection and focus, the sort rules, the options that items read, and the nested update lock
// under which changes only leave marks and the deferred work runs once when the last lock goes.
// The control that shows it (header, rows, scroll bars) builds on this class.
class TCustomQZTree : public TPersistent, public TQZTreeEvents {
    friend class TQZTreeItem;
    friend class TQZTreeItems;
    friend class TQZItemStateStyle;
    friend class TQZTreeLock;

public:
    // The view state is the heir's (the window that draws the rows); ItemClass makes the items.
    explicit TCustomQZTree(std::unique_ptr<TQZTreeViewState> View = nullptr,
                           TQZTreeItems::TItemFactory ItemClass = nullptr);
    ~TCustomQZTree() override;

    TQZTreeItems* Items() const { return FItems.get(); }
    TQZTreeItem* GetRoot() const;
    TQZTreeViewState& View() const { return *FView; }
    TQZItemStateStyle* DefaultItemStyles() const { return FDefaultItemStyles.get(); }
    const TQZList& AllList() const { return FAllList; }

    // Update lock: True raises it, False lowers it (never below none); the deferred work runs
    // when the last lock goes. TQZTreeLock brackets a change.
    bool IsUpdating() const { return FUpdateCount > 0; }
    void SetUpdating(bool Value);
    int UpdateCount() const { return FUpdateCount; }
    bool IsDestroying() const { return FDestroying; }
    bool IsLoading() const { return FLoading; }

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
    void SetLineHeight(int Value);
    bool ShowColumns() const { return FShowHeader; }
    int MainTreeColumn() const { return FMainTreeCol; }
    TVirtualityLevel VirtualityLevel() const { return FVirtualityLevel; }

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
    // Setting the sort column drops the further columns of a multi-column sort.
    void SetSortSection(int Value);
    int SortSection() const { return FSortSection; }

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
    void SetChangeDelay(int Value) { FChangeDelay = Value; }
    TTimer* DelayTimer() const { return FDelayTimer.get(); }
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
    int MultiSelectLevel() const { return FMultiSelectLevel; }
    void SetMultiSelectLevel(int Value);
    bool FIgnoreEnabled = false;
    bool FAutoCollapse = false;
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
    int VisIndexOfItem(const TQZTreeItem* Item) const { return VisIndexOf(Item); }

    // The header as the sorting sees it; the control answers from its header sections.
    virtual TQZFieldType SectionFieldType(int SectionIndex) const { return sftText; }
    virtual TQZSSortMode SectionSortMark(int SectionIndex) const { return hsmNone; }
    virtual void SetSectionSortMark(int SectionIndex, TQZSSortMode Mark) {}
    // Whether setting one section's mark leaves the other marks.
    virtual void SetHeaderMultiSort(bool Value) {}

    // Column work; without a header there is none.
    virtual int HeaderSectionCount() const { return 0; }
    virtual bool SectionBounds(int SectionIndex, int& Left, int& Right) const { return false; }
    virtual void AutoSizeColumn(int SectionIndex);
    virtual void AutoSizeAllColumns();
    virtual void UpdateDiffItems() {}
    // The width and height a cell needs; -1 is the main text without a header.
    virtual TSize MeasureCell(TQZTreeItem* Item, int SectionIndex);

    // Event triggers: each fires its event when assigned, with the tree as Sender.
    virtual void DoChanging(TQZTreeItem* Item, bool& AllowChange);
    virtual void DoOnColumnResize(int SectionIndex);
    virtual void DoColumnClick(int SectionIndex);
    virtual void DoItemFocused();
    virtual void DoItemDraw(TQZTreeItem* Item, TCanvas* Surface, const TRect& R, int SectionIndex);
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
    virtual void TriggerItemPostDrawEvent(TCanvas* Canvas, TQZTreeItem* Item, const TRect& ItemRect,
                                          bool& DrawFocusRect);
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

protected:
    // Tears the items down while the heir is still whole; the destructor does it otherwise.
    void DestroyItems();
    virtual void HeaderBeginUpdate() {}
    virtual void HeaderEndUpdate() {}
    // The work deferred to the end of the outermost lock.
    virtual void ProcessUpdateEnd();
    // Drops every pointer the tree and its view keep to Item, which is about to be freed.
    virtual void ForgetItem(TQZTreeItem* Item);

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

    // Absolute and visible indexes are cached in the items and renumbered lazily: a cached
    // number is trusted while the list still holds the item there.
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
    std::unique_ptr<TQZSelectedList> FSelectedList;
    std::unique_ptr<TQZItemStateStyle> FDefaultItemStyles;
    std::unique_ptr<TQZTreeViewState> FView;
    std::unique_ptr<TQZTreeItems> FItems;
    mutable std::vector<TQZTreeItem*> FVisRows;
    mutable bool FVisValid = false;
    std::vector<const TQZTreeItem*> FDeletingItems;
    std::vector<int> FSortSections;
    int FMultiSelectLevel = -1;
    int FChangeDelay = 500;
    std::unique_ptr<TTimer> FDelayTimer;
    TQZTreeItem* FDelayedItem = nullptr;
};

// Holds the tree's update lock for one scope; the lock goes also when an exception leaves it.
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
