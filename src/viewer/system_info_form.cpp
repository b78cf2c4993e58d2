#include "viewer/system_info_form.h"

#include "qvr/debug_reader.h"
#include "qztree/tree/items/tree_item.h"
#include "rtl/events.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "viewer/debug_info_drug_object.h"
#include "viewer/tree_window_values.h"
#include "viewer/viewer_tree.h"

TfmSystemInfoForm* fmSystemInfoForm = nullptr;

const TClassInfo& TfmSystemInfoForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmSystemInfoForm", &TfmDebugInfo::StaticClassInfo());
    return *info;
}

TfmSystemInfoForm::TfmSystemInfoForm(TComponent* AOwner)
    : TfmSystemInfoForm(AOwner, "fmSystemInfoForm", "SystemInfo") {}

TfmSystemInfoForm::TfmSystemInfoForm(TComponent* AOwner, const std::string& Name,
                                     const std::string& Caption)
    : TfmDebugInfo(AOwner) {
    SetName(Name);
    SetCaption(Caption);
    tvObjects = new TViewerTree(this);
    tvObjects->SetName("tvObjects");
    tvObjects->SetParent(this);
    tvObjects->SetAlign(alClient);
    tvObjects->SetColumns({"Param", "Current value", "Start value", "End value", "Delta "});
    tvObjects->SetColumnTypes({sftText, sftNumber, sftNumber, sftNumber, sftNumber});
    tvObjects->SetShowColumns(true);
    tvObjects->SetHeaderHeight(22);
    tvObjects->SetLineHeight(17);
    tvObjects->SetShowLines(false);
    tvObjects->SetShowButtons(false);
    tvObjects->SetMultiSelect(true);
    tvObjects->SetSortMode(smClick);
    tvObjects->SetDragAllowed(true);
    tvObjects->SetIncrementalSearch(false);
    tvObjects->SetDoInplaceEdit(false);
    tvObjects->OnStartDrag = ::Bind(this, &TfmSystemInfoForm::tvObjectsStartDrag);
    tvObjects->OnDragOver = ::Bind(this, &TfmSystemInfoForm::tvObjectsDragOver);
    SetClientWidth(tvObjects->ColumnsWidth());
}

TQZTreeItem* TfmSystemInfoForm::Root() const {
    return tvObjects->Items()->Root();
}

std::vector<TQZTreeItem*> TfmSystemInfoForm::AllRows() const {
    std::vector<TQZTreeItem*> rows;
    const TQZTreeItems& items = *tvObjects->Items();
    rows.reserve(size_t(items.Count()));
    for (int i = 0; i < items.Count(); ++i)
        rows.push_back(items.Item(i));
    return rows;
}

void TfmSystemInfoForm::FillControls() {
    {
        TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
        tvObjects->Items()->Clear();
        for (const std::string& name : CounterNames())
            AddTreeItem(Root(), name);
    }
    TfmDebugInfo::FillControls();
}

void TfmSystemInfoForm::UpdateCurrentDebugInfoIndex() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    const TDebugInfo* di = DebugReader->GetDebugInfo(CurrentDebugInfoIndex());
    for (TQZTreeItem* row : AllRows())
        TViewerTree::SetCell(row, 0, DebugValueText(DebugInfoObgectType(), row->Text(), di));
}

void TfmSystemInfoForm::FillIntervalCells(TQZTreeItem* Row, const TDebugInfo* S,
                                          const TDebugInfo* E) {
    const TIntervalTexts texts = IntervalTexts(DebugInfoObgectType(), FullItemName(Row), S, E);
    TViewerTree::SetCell(Row, 1, texts.Start);
    TViewerTree::SetCell(Row, 2, texts.End);
    TViewerTree::SetCell(Row, 3, texts.Delta);
}

void TfmSystemInfoForm::UpdateDebugInfoInterval() {
    TUpdateGuard<TQZTreeItems> update(*tvObjects->Items());
    FillInterval(AllRows());
}

void TfmSystemInfoForm::FillInterval(const std::vector<TQZTreeItem*>& Rows) {
    const bool unset = IntervalUnset(StartDebugInfoIndex(), EndDebugInfoIndex());
    const TDebugInfo* s = unset ? nullptr : DebugReader->GetDebugInfo(StartDebugInfoIndex());
    const TDebugInfo* e = unset ? nullptr : DebugReader->GetDebugInfo(EndDebugInfoIndex());
    for (TQZTreeItem* row : Rows)
        FillIntervalCells(row, s, e);
}

TQZTreeItem* TfmSystemInfoForm::AddTreeItem(TQZTreeItem* Parent, const std::string& Name) {
    return Parent ? tvObjects->AddRow(Parent, Name) : nullptr;
}

std::string TfmSystemInfoForm::FullItemName(const TQZTreeItem* Item) const {
    std::string name;
    for (; Item && !Item->IsRoot(); Item = Item->Parent())
        name = name.empty() ? Item->Text() : Item->Text() + "\\" + name;
    return name;
}

void TfmSystemInfoForm::tvObjectsStartDrag(TObject*, TDragObject*& DragObject) {
    auto* drag = new TDebugInfoDrugObject;
    for (TQZTreeItem* row : tvObjects->SelectedRows())
        drag->Params->AddObject(FullItemName(row), IntToObject(DebugInfoObgectType()));
    DragObject = drag;
}

void TfmSystemInfoForm::tvObjectsDragOver(TObject*, TObject*, int, int, TDragState, bool& Accept) {
    Accept = false;
}

void TfmSystemInfoForm::BeforeDestruction() {
    if (fmSystemInfoForm == this)
        fmSystemInfoForm = nullptr;
    TfmDebugInfo::BeforeDestruction();
}
