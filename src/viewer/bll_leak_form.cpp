#include "viewer/bll_leak_form.h"

#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "qztree/tree/items/tree_item.h"
#include "rtl/events.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "rtl/strings.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/splitter.h"
#include "viewer/bll_leak_info_text.h"
#include "viewer/detail_memo.h"
#include "viewer/leak_list_slots.h"
#include "viewer/tree_window_values.h"
#include "viewer/viewer_tree.h"

TfmBLLLeakForm* fmBLLLeakForm = nullptr;

const TClassInfo& TfmBLLLeakForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmBLLLeakForm", &TfmSystemLeakForm::StaticClassInfo());
    return *info;
}

TfmBLLLeakForm::TfmBLLLeakForm(TComponent* AOwner)
    : TfmSystemLeakForm(AOwner, "fmBLLLeakForm", "BLL Leak") {
    tvObjects->SetColumns({"Object", "Current num", "Start num", "End num", "Delta "});
    tvObjects->SetShowLines(true);
    tvObjects->SetShowButtons(true);
    tvObjects->SetShowRootButtons(true);
    tvObjects->OnItemSelectedChange = ::Bind(this, &TfmBLLLeakForm::tvObjectsItemSelectedChange);

    // The tree takes what the memo and the splitter leave.
    const TDetailMemo details = AddDetailMemo(this, "mBLLObjectInfo", 176);
    mBLLObjectInfo = details.Memo;
    Splitter1 = details.Splitter;
    // Opens with the tree at its designed height of 239 above the splitter and the memo.
    SetClientSize(tvObjects->ColumnsWidth(), 239 + Splitter1->Height() + mBLLObjectInfo->Height());
}

void TfmBLLLeakForm::FillControls() {
    ShowItemInfo(nullptr);
    FFilledFrom.clear();
    TfmSystemLeakForm::FillControls();
}

void TfmBLLLeakForm::UpdateCurrentDebugInfoIndex() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    Rows().BeginStep();
    const int index = CurrentDebugInfoIndex();
    if (const TDebugInfo* di = DebugReader->GetDebugInfo(index))
        BuildList(di->BLLLeaks, Root(),
                  std::make_shared<const std::string>(SnapshotKeyAt(*DebugReader, index)));
    ZeroUnfilledCounts();
    FillIntervalOfNewRows();
}

void TfmBLLLeakForm::BuildList(const TQZSortedNamedObjects& List, TQZTreeItem* ParentRow,
                               const std::shared_ptr<const std::string>& Key) {
    for (int i = 0; i < List.Count(); ++i) {
        const size_t slot = RowSlot(ParentRow, List.Items(i)->RealName);
        TQZTreeItem* row = Rows().Row(slot);
        if (FFilledFrom.size() <= slot)
            FFilledFrom.resize(slot + 1);
        FFilledFrom[slot] = Key;
        Rows().MarkFilled(slot);
        const TObject* entry = List.Objects(i);
        if (auto stacks = dynamic_cast<const TQZSortedNamedObjects*>(entry)) {
            TViewerTree::SetCell(row, 0, IntToStr(stacks->Count()));
            BuildList(*stacks, row, Key);
        } else if (auto records = dynamic_cast<const TObjectList*>(entry)) {
            TViewerTree::SetCell(row, 0, IntToStr(records->Count()));
        }
    }
}

std::vector<int64_t> TfmBLLLeakForm::CountsAt(const TDebugInfo* Di) {
    std::vector<int64_t> counts(Rows().Count(), 0);
    if (!Di)
        return counts;
    const TQZSortedNamedObjects& classes = Di->BLLLeaks;
    TLeakListSlots classRows(Rows(), Root(), std::string());
    const std::vector<size_t>& classSlots = classRows.Of(classes);
    for (size_t i = 0; i < classSlots.size(); ++i) {
        const TObject* entry = classes.Objects(int(i));
        if (classSlots[i] == TLeakRows::NoSlot || !entry)
            continue;
        counts[classSlots[i]] = static_cast<const TObjectList*>(entry)->Count();
        const auto* stacks = dynamic_cast<const TQZSortedNamedObjects*>(entry);
        if (!stacks)
            continue;
        TQZTreeItem* classRow = Rows().Row(classSlots[i]);
        TLeakListSlots stackRows(Rows(), classRow, classRow->Text());
        const std::vector<size_t>& stackSlots = stackRows.Of(*stacks);
        for (size_t k = 0; k < stackSlots.size(); ++k) {
            const auto* records = static_cast<const TObjectList*>(stacks->Objects(int(k)));
            if (stackSlots[k] != TLeakRows::NoSlot && records)
                counts[stackSlots[k]] = records->Count();
        }
    }
    // A path is read as its class up to the first '\' and its stack after it, the whole
    // class's count for no stack: rows whose texts do not split so are read by their path.
    for (size_t slot = 0; slot < counts.size(); ++slot) {
        TQZTreeItem* row = Rows().Row(slot);
        if (!PathSplitsAtRow(row))
            counts[slot] = GetDebugValue(dioBLLLeak, FullItemName(row), Di).AsInteger();
    }
    return counts;
}

bool TfmBLLLeakForm::PathSplitsAtRow(const TQZTreeItem* Row) const {
    auto topLevel = [](const TQZTreeItem* parent) { return !parent || parent->IsRoot(); };
    const TQZTreeItem* parent = Row->Parent();
    if (topLevel(parent))
        return Row->Text().find('\\') == std::string::npos;
    return topLevel(parent->Parent()) && !Row->Text().empty() &&
           parent->Text().find('\\') == std::string::npos;
}

void TfmBLLLeakForm::tvObjectsItemSelectedChange(TObject*, TQZTreeItem* Item) {
    ShowItemInfo(Item && Item->Selected() ? Item : nullptr);
}

void TfmBLLLeakForm::ShowItemInfo(TQZTreeItem* Item) {
    TStrings& lines = *mBLLObjectInfo->Lines();
    TUpdateGuard<TStrings> update(lines);
    lines.Clear();
    if (!Item)
        return;
    const size_t slot = Rows().SlotOf(Item);
    const TDebugInfo* di = slot < FFilledFrom.size() && FFilledFrom[slot]
                               ? SnapshotByKey(*DebugReader, *FFilledFrom[slot])
                               : nullptr;
    for (const std::string& line :
         BLLLeakInfoLines(Item->Text(), BLLLeakListAt(di, FullItemName(Item))))
        lines.Add(line);
}

void TfmBLLLeakForm::BeforeDestruction() {
    if (fmBLLLeakForm == this)
        fmBLLLeakForm = nullptr;
    TfmSystemLeakForm::BeforeDestruction();
}
