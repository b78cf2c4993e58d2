#include "viewer/system_leak_form.h"

#include "qvr/debug_reader.h"
#include "qztree/tree/items/tree_item.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "rtl/strings.h"
#include "viewer/tree_window_values.h"
#include "viewer/viewer_tree.h"

TfmSystemLeakForm* fmSystemLeakForm = nullptr;

namespace {
constexpr int RateColumn = 4;
}

const TClassInfo& TfmSystemLeakForm::StaticClassInfo() {
    static const TClassInfo info("TfmSystemLeakForm", &TfmSystemInfoForm::StaticClassInfo());
    return info;
}

TfmSystemLeakForm::TfmSystemLeakForm(TComponent* AOwner)
    : TfmSystemLeakForm(AOwner, "fmSystemLeakForm", "System leak") {}

TfmSystemLeakForm::TfmSystemLeakForm(TComponent* AOwner, const std::string& Name,
                                     const std::string& Caption)
    : TfmSystemInfoForm(AOwner, Name, Caption) {
    tvObjects->SetColumns({"Object", "Current num", "Start num", "End num", "Delta ", "Rate"});
    tvObjects->SetColumnTypes({sftText, sftNumber, sftNumber, sftNumber, sftNumber, sftFloating});
    SetClientWidth(tvObjects->ColumnsWidth());
}

size_t TfmSystemLeakForm::RowSlot(TQZTreeItem* Parent, const std::string& Name) {
    const std::string parentPath = FullItemName(Parent);
    return TreeItems.FindOrAdd(parentPath.empty() ? Name : parentPath + "\\" + Name, [&] {
        TQZTreeItem* row = TfmSystemInfoForm::AddTreeItem(Parent, Name);
        FNewRows.push_back(row);
        return row;
    });
}

size_t TfmSystemLeakForm::RowSlot(TQZTreeItem* Parent, const TSharedText& Name) {
    size_t slot = TreeItems.FindShared(Parent, Name);
    if (slot == TLeakRows::NoSlot) {
        slot = RowSlot(Parent, Name.str());
        TreeItems.RememberShared(Parent, Name, slot);
    }
    return slot;
}

TQZTreeItem* TfmSystemLeakForm::AddTreeItem(TQZTreeItem* Parent, const std::string& Name) {
    return Parent ? TreeItems.Row(RowSlot(Parent, Name)) : nullptr;
}

void TfmSystemLeakForm::FillIntervalOfNewRows() {
    if (!FNewRows.empty())
        FillInterval(FNewRows);
    FNewRows.clear();
}

void TfmSystemLeakForm::FillControls() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    tvObjects->Items()->Clear();
    TreeItems.Clear();
    FNewRows.clear();
    // Every row is new now and gets its columns of the interval as it is added.
    UpdateCurrentDebugInfoIndex();
}

void TfmSystemLeakForm::ZeroUnfilledCounts() {
    for (size_t slot = 0; slot < TreeItems.Count(); ++slot)
        if (!TreeItems.Filled(slot))
            TViewerTree::SetCell(TreeItems.Row(slot), 0, "0");
}

void TfmSystemLeakForm::UpdateCurrentDebugInfoIndex() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    TreeItems.BeginStep();
    if (const TDebugInfo* di = DebugReader->GetDebugInfo(CurrentDebugInfoIndex())) {
        const TQZSortedNamedObjects& leaks = di->SystemLeak;
        for (int i = 0; i < leaks.Count(); ++i) {
            const size_t slot = RowSlot(Root(), leaks.Items(i)->RealName);
            // The count stands in the entry itself: no search of the list by name per row.
            TViewerTree::SetCell(TreeItems.Row(slot), 0, IntToStr(ObjectToInt(leaks.Objects(i))));
            TreeItems.MarkFilled(slot);
        }
    }
    ZeroUnfilledCounts();
    FillIntervalOfNewRows();
}

void TfmSystemLeakForm::FillInterval(const std::vector<TQZTreeItem*>& rows) {
    TfmSystemInfoForm::FillInterval(rows);
    const int start = StartDebugInfoIndex();
    const int end = EndDebugInfoIndex();
    const bool shown = !IntervalUnset(start, end) &&
                       (DebugReader->GetDebugInfo(start) || DebugReader->GetDebugInfo(end));
    std::vector<std::string> names;
    for (TQZTreeItem* row : rows)
        names.push_back(row->Text());
    const std::vector<std::optional<double>> rates =
        shown ? LeakRates(*DebugReader, names, start, end)
              : std::vector<std::optional<double>>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        TViewerTree::SetCell(rows[i], RateColumn, RateText(rates[i]));
}

void TfmSystemLeakForm::BeforeDestruction() {
    if (fmSystemLeakForm == this)
        fmSystemLeakForm = nullptr;
    TfmSystemInfoForm::BeforeDestruction();
}
