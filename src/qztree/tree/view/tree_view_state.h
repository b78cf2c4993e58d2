#pragma once
#include "qztree/base/list.h"
#include "vcl/base/geometry.h"

class TQZTreeItem;

// What the tree's inner view keeps about rows, which the items and the collection must keep in
// step: the rows on screen, the items the view points at, and the marks that tell it what to
// redo when the tree's update lock ends. The window that draws the rows derives from this.
class TQZTreeViewState {
public:
    virtual ~TQZTreeViewState() = default;

    // Rows on screen, top first.
    TQZList FVisible;
    TQZTreeItem* FSelected = nullptr; // selection anchor
    TQZTreeItem* FFocused = nullptr;
    TQZTreeItem* FPassedItem = nullptr;
    TQZTreeItem* FTrackItem = nullptr;
    TQZTreeItem* FClickItem = nullptr;
    TQZTreeItem* FDropTrg = nullptr;
    TQZTreeItem* FHintItemEx = nullptr;
    TQZTreeItem* FMFSStartItem = nullptr;
    TQZTreeItem* FMFSEndItem = nullptr;
    TQZList FMFSList; // items a mouse frame has toggled so far

    bool FClearVis = false;    // rebuild the list of rows on screen
    bool FClearAll = false;    // repaint the whole client area
    bool FVisUpdated = false;  // recount the visible rows
    bool FRangeUpdate = false; // repaint the rows
    int FHRange = -1;          // horizontal range in pixels; -1 until computed
    int FHPos = 0;             // horizontal scroll position

    void MarkVisibility() { FVisUpdated = FClearVis = FClearAll = true; }

    // Drops every pointer to Item, which is about to be freed.
    virtual void ForgetItem(const TQZTreeItem* Item);

    virtual bool HasFocus() const { return false; }
    virtual void DefineHRange() { FHRange = 0; }
    // The rectangle of the row on screen at RowIndex; empty when there is none.
    virtual TRect GetItemRect(int RowIndex) const { return TRect{}; }
    virtual void InvalidateRect(const TRect& Rect, bool Erase) {}
    // Repaints what the marks ask for.
    virtual void Update() {}

    // The top index that shows the row at Index as the last whole row.
    virtual int CalcPageUpPos(int Index) const { return Index > 0 ? Index - 1 : 0; }
};
