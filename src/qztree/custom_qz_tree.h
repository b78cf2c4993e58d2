#pragma once
#include "qztree/qz_list.h"
#include "qztree/qz_tree_items.h"
#include "qztree/qz_tree_types.h"
#include "qztree/selected_items.h"
#include "qztree/tree_view_state.h"
#include "vcl/geometry.h"
#include "vcl/persistent.h"

#include <memory>
#include <string>

class TQZItemStateStyle;

// The model side of the multi-column tree: its items in one depth-first pre-order list, the
// selection and focus, the sort rules, the options that items read, and the nested update lock
// under which changes only leave marks and the deferred work runs once when the last lock goes.
// The control that shows it (header, rows, scroll bars) builds on this class.
class TCustomQZTree : public TPersistent {
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
    int FSortSection = 0;
    TSortTypes FSortType = stText;
    TSortDirs FSortDir = sdAscend;
    bool FSortUseCase = true;

    // Sorts the children of Parent (and with Recursive every level below) by the sort rules.
    void SortChildren(TQZTreeItem* Parent, bool Recursive);
    virtual int CompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int SectionIndex,
                             TSortTypes SortType);

    // Column work; without a header there is none.
    virtual int HeaderSectionCount() const { return 0; }
    virtual bool SectionBounds(int SectionIndex, int& Left, int& Right) const { return false; }
    virtual void AutoSizeColumn(int SectionIndex);
    virtual void AutoSizeAllColumns();
    virtual void UpdateDiffItems() {}
    // The width and height a cell needs; -1 is the main text without a header.
    virtual TSize MeasureCell(TQZTreeItem* Item, int SectionIndex);

    // Event triggers: the control fires its events from these.
    virtual void DoItemChange(TQZTreeItem* Item, TItemChangeMode Mode) {}
    virtual void DoItemExpanding(TQZTreeItem* Item, bool& CanProcess) {}
    virtual void DoItemExpand(TQZTreeItem* Item) {}
    virtual void DoItemCollapsing(TQZTreeItem* Item, bool& CanProcess) {}
    virtual void DoItemCollapse(TQZTreeItem* Item) {}
    virtual void DoItemDelete(TQZTreeItem* Item) {}
    virtual void DoItemAdd(TQZTreeItem* Item) {}
    virtual void DoItemFocused() {}
    virtual void TriggerItemSelectedChangeEvent(TQZTreeItem* Item) {}
    virtual void TriggerSortBegin() {}
    virtual void TriggerSortEnd() {}
    virtual void TriggerVirtualTextNeeded(TQZTreeItem* Item, int SectionIndex, std::string& Text) {}
    virtual void TriggerVirtualHintNeeded(TQZTreeItem* Item, std::string& Hint) {}

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
