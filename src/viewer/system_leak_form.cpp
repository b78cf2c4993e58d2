#include "viewer/system_leak_form.h"

#include "qvr/debug_reader.h"
#include "qztree/tree/items/tree_item.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "rtl/strings.h"
#include "viewer/leak_list_slots.h"
#include "viewer/tree_window_values.h"
#include "viewer/viewer_tree.h"

#include <numeric>

TfmSystemLeakForm* fmSystemLeakForm = nullptr;

namespace {
constexpr int RateColumn = 4;
}

const TClassInfo& TfmSystemLeakForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmSystemLeakForm",
                                           &TfmSystemInfoForm::StaticClassInfo());
    return *info;
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
    const size_t count = TreeItems.Count();
    const size_t slot =
        TreeItems.FindOrAdd(parentPath.empty() ? Name : parentPath + "\\" + Name,
                            [&] { return TfmSystemInfoForm::AddTreeItem(Parent, Name); });
    if (TreeItems.Count() > count)
        FNewSlots.push_back(slot);
    return slot;
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
    if (!FNewSlots.empty())
        FillIntervalOf(FNewSlots);
    FNewSlots.clear();
}

void TfmSystemLeakForm::FillControls() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    tvObjects->Items()->Clear();
    TreeItems.Clear();
    FNewSlots.clear();
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

void TfmSystemLeakForm::UpdateDebugInfoInterval() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    std::vector<size_t> slots(TreeItems.Count());
    std::iota(slots.begin(), slots.end(), size_t(0));
    FillIntervalOf(slots);
}

void TfmSystemLeakForm::FillIntervalOf(const std::vector<size_t>& Slots) {
    const int start = StartDebugInfoIndex();
    const int end = EndDebugInfoIndex();
    const bool unset = IntervalUnset(start, end);
    const TDebugInfo* s = unset ? nullptr : DebugReader->GetDebugInfo(start);
    const TDebugInfo* e = unset ? nullptr : DebugReader->GetDebugInfo(end);
    const bool shown = s || e;
    const std::vector<int64_t> starts = CountsAt(s);
    const std::vector<int64_t> ends = CountsAt(e);
    for (size_t slot : Slots) {
        TQZTreeItem* row = TreeItems.Row(slot);
        TViewerTree::SetCell(row, 1, shown ? IntToStr(starts[slot]) : std::string());
        TViewerTree::SetCell(row, 2, shown ? IntToStr(ends[slot]) : std::string());
        TViewerTree::SetCell(row, 3, shown ? IntToStr(ends[slot] - starts[slot]) : std::string());
    }
    FillRates(Slots, start, end, shown);
}

std::vector<int64_t> TfmSystemLeakForm::CountsAt(const TDebugInfo* Di) {
    std::vector<int64_t> counts(TreeItems.Count(), 0);
    if (!Di)
        return counts;
    TLeakListSlots rows(TreeItems, Root(), std::string());
    const std::vector<size_t>& slots = rows.Of(Di->SystemLeak);
    for (size_t i = 0; i < slots.size(); ++i)
        if (slots[i] != TLeakRows::NoSlot)
            counts[slots[i]] = ObjectToInt(Di->SystemLeak.Objects(int(i)));
    return counts;
}

void TfmSystemLeakForm::FillRates(const std::vector<size_t>& Slots, int Start, int End,
                                  bool Shown) {
    std::vector<std::optional<double>> rates(Slots.size());
    if (Shown) {
        // The place among Slots of each row's slot, and of each entry of a list.
        std::vector<size_t> places(TreeItems.Count(), NoLeakRow);
        for (size_t k = 0; k < Slots.size(); ++k)
            places[Slots[k]] = k;
        TLeakListSlots rows(TreeItems, Root(), std::string());
        std::vector<size_t> entryPlaces;
        rates = LeakRates(*DebugReader, Slots.size(), Start, End,
                          [&](const TQZSortedNamedObjects& leaks) -> const std::vector<size_t>& {
                              const std::vector<size_t>& slots = rows.Of(leaks);
                              entryPlaces.resize(slots.size());
                              for (size_t i = 0; i < slots.size(); ++i)
                                  entryPlaces[i] =
                                      slots[i] == TLeakRows::NoSlot ? NoLeakRow : places[slots[i]];
                              return entryPlaces;
                          });
    }
    for (size_t k = 0; k < Slots.size(); ++k)
        TViewerTree::SetCell(TreeItems.Row(Slots[k]), RateColumn, RateText(rates[k]));
}

void TfmSystemLeakForm::BeforeDestruction() {
    if (fmSystemLeakForm == this)
        fmSystemLeakForm = nullptr;
    TfmSystemInfoForm::BeforeDestruction();
}
