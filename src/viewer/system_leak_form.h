#pragma once
#include "viewer/leak_rows.h"
#include "viewer/system_info_form.h"

#include <string>

// The system objects the server reported as leaked, counted per name, with the counts at the
// ends of the interval, their difference and the growth rate over the interval. A name seen
// once keeps its row until the next file is read; the business-logic-leak window builds on it.
class TfmSystemLeakForm : public TfmSystemInfoForm {
public:
    explicit TfmSystemLeakForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioSystemLeak; }
    // Drops every row, then fills them again from the current snapshot and the interval.
    void FillControls() override;
    void UpdateCurrentDebugInfoIndex() override;
    // The row already made for this path, or a new one, which gets its columns of the interval
    // when the step that added it ends (FillIntervalOfNewRows).
    TQZTreeItem* AddTreeItem(TQZTreeItem* Parent, const std::string& Name) override;

protected:
    TfmSystemLeakForm(TComponent* AOwner, const std::string& Name, const std::string& Caption);
    // The slot of the row already made for this name under Parent (not nullptr), or of a new
    // one; equal names under different parents are different rows.
    size_t RowSlot(TQZTreeItem* Parent, const std::string& Name);
    // The same for a name of a snapshot's list, found again fast on later steps.
    size_t RowSlot(TQZTreeItem* Parent, const TSharedText& Name);
    TLeakRows& Rows() { return TreeItems; }
    // Column 0 := "0" in every row that the current step did not mark filled; each cell is
    // written once per step, which counts with thousands of rows.
    void ZeroUnfilledCounts();
    // Rows that a step of the time line added show the interval at once, as the older rows do.
    void FillIntervalOfNewRows();
    // The counts of the interval, and the growth rate.
    void FillInterval(const std::vector<TQZTreeItem*>& Rows) override;
    void BeforeDestruction() override;

private:
    TLeakRows TreeItems;
    std::vector<TQZTreeItem*> FNewRows;
};

extern TfmSystemLeakForm* fmSystemLeakForm;
