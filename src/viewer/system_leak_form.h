#pragma once
#include "viewer/leak_rows.h"
#include "viewer/system_info_form.h"

#include <cstdint>
#include <string>
#include <vector>

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
    // The columns of the interval of every row, from the lists of the interval's snapshots
    // walked once each, not searched per row.
    void UpdateDebugInfoInterval() override;
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
    // The counts of every row in a snapshot, by slot; 0 for rows it lacks, all 0 for none.
    virtual std::vector<int64_t> CountsAt(const TDebugInfo* Di);
    // The growth rates of the rows at these slots over the interval start..end, which is set
    // and has a snapshot at one end at least.
    virtual void FillRates(const std::vector<size_t>& Slots, int Start, int End, bool Shown);
    void BeforeDestruction() override;

private:
    // The counts at the ends of the interval, their difference and the rate of these rows.
    void FillIntervalOf(const std::vector<size_t>& Slots);

    TLeakRows TreeItems;
    std::vector<size_t> FNewSlots;
};

extern TfmSystemLeakForm* fmSystemLeakForm;
