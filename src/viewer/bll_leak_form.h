#pragma once
#include "viewer/system_leak_form.h"

#include <memory>
#include <string>
#include <vector>

class TMemo;
class TSplitter;

// The objects that business-logic libraries allocated and did not free: a row per leaked class
// and under it a row per allocation stack, with the number of stacks or objects now, at the ends
// of the interval and the difference. The selected row's objects are listed in the memo below.
class TfmBLLLeakForm : public TfmSystemLeakForm {
public:
    explicit TfmBLLLeakForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioBLLLeak; }
    void FillControls() override;
    void UpdateCurrentDebugInfoIndex() override;

    void tvObjectsItemSelectedChange(TObject* Sender, TQZTreeItem* Item);
    // The row's text and the objects behind it, as the snapshot that last filled the row holds
    // them; an empty memo for nullptr.
    void ShowItemInfo(TQZTreeItem* Item);

    TSplitter* Splitter1 = nullptr;
    TMemo* mBLLObjectInfo = nullptr;

protected:
    // The number of stacks of each class row and of objects of each stack row.
    std::vector<int64_t> CountsAt(const TDebugInfo* Di) override;
    // The counts of classes and stacks have no rate.
    void FillRates(const std::vector<size_t>&, int, int, bool) override {}
    void BeforeDestruction() override;

private:
    // Whether the row's path splits into the class and the stack of its own rows.
    bool PathSplitsAtRow(const TQZTreeItem* Row) const;
    // Rows of one named list of the snapshot under key: classes, then their stacks.
    void BuildList(const TQZSortedNamedObjects& List, TQZTreeItem* ParentRow,
                   const std::shared_ptr<const std::string>& Key);

    // The key of the snapshot that last filled each row, by the row's slot; the row's objects
    // are looked up there by the row's path when shown, as a read may have replaced the
    // snapshot since.
    std::vector<std::shared_ptr<const std::string>> FFilledFrom;
};

extern TfmBLLLeakForm* fmBLLLeakForm;
