#pragma once
#include "viewer/debug_info_form.h"

#include <string>
#include <vector>

class TDragObject;
class TQZTreeItem;
class TViewerTree;

// The server counters of the current snapshot, at the ends of the interval and their
// difference, one row per counter. Selected rows dragged onto the chart become series there.
// The leak windows build on it: they keep its columns of the interval, its rows and its drag.
class TfmSystemInfoForm : public TfmDebugInfo {
public:
    explicit TfmSystemInfoForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioDinamicSystemInfo; }
    // One row per counter, in name order, then the values.
    void FillControls() override;
    void UpdateCurrentDebugInfoIndex() override;
    void UpdateDebugInfoInterval() override;

    // A row under Parent with an empty cell per column; nullptr without a parent.
    virtual TQZTreeItem* AddTreeItem(TQZTreeItem* Parent, const std::string& Name);
    // The row's path: the texts from the top level down joined with '\'; '' for none.
    std::string FullItemName(const TQZTreeItem* Item) const;

    // The selected rows, in selection order, as paths of this window's kind.
    void tvObjectsStartDrag(TObject* Sender, TDragObject*& DragObject);
    // Nothing is dropped on the rows.
    void tvObjectsDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                           bool& Accept);

    TViewerTree* tvObjects = nullptr;

protected:
    // The heirs' windows are made under their own name and caption.
    TfmSystemInfoForm(TComponent* AOwner, const std::string& Name, const std::string& Caption);
    // The rows in the tree's order, the hidden root left out.
    std::vector<TQZTreeItem*> AllRows() const;
    // The columns of the interval (1 to 3) of one row, read by the row's path.
    void FillIntervalCells(TQZTreeItem* Row, const TDebugInfo* S, const TDebugInfo* E);
    // The columns of the interval of these rows, for the interval the time line has now.
    void FillInterval(const std::vector<TQZTreeItem*>& Rows);
    TQZTreeItem* Root() const;

    void BeforeDestruction() override;
};

extern TfmSystemInfoForm* fmSystemInfoForm;
