// The settings dialog's two views of the error catalogue: the switches of every code and the
// HTML file the server answers each code with. Both are filled and read back under the
// catalogue's lock, which the server's threads take too.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/error_catalogue.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "rtl/scope_guards.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"
#include "tools/file_path_choser.h"
#include "vcl/controls/edit.h"

#include <array>

namespace {
// The five switch columns after the code and the message.
constexpr int FirstSwitchCell = 1;
constexpr int SwitchCount = 5;
// The HTML file is the second column text, after the message.
constexpr int HTMLColumn = 1;

std::array<bool*, SwitchCount> Switches(TErrorRec& row) {
    return {&row.OperativeShow, &row.WriteToLog, &row.WriteSessionData, &row.WriteHTTPHeaders,
            &row.WriteRequestData};
}

TErrorRec& RowOf(const TQZTreeItem* item) {
    return *static_cast<TErrorRec*>(item->Data);
}

TQZCellCheckBox& SwitchBox(const TQZTreeItem* item, int k) {
    return *static_cast<TQZCellCheckBox*>(item->Styles(FirstSwitchCell + k)->Control());
}

// A top-level row of the catalogue row: the code as its text, the message as its first column
// and its hint.
TQZTreeItem* AddErrorItem(TQZTree* tree, TErrorRec* row) {
    TQZTreeItem* item = tree->Items()->AddChild(nullptr, IntToStr(row->ErrorCode));
    item->ColumnText()->Add(row->Message);
    item->SetHint(row->Message);
    item->Data = row;
    return item;
}

void SetCellCheckBox(TQZCellStyle* style, bool checked) {
    style->SetOwnerProps(false);
    auto* box = new TQZCellCheckBox();
    box->SetAlignment(taCenter);
    box->SetChecked(checked);
    style->SetControl(box);
}

void AddShowErrorCfgItem(TQZTree* tree, TErrorRec* row) {
    TQZTreeItem* item = AddErrorItem(tree, row);
    item->SetUseStyles(true);
    while (item->StylesCount() < 1 + SwitchCount)
        item->AddStyle();
    const auto switches = Switches(*row);
    for (int k = 0; k < SwitchCount; ++k)
        SetCellCheckBox(item->Styles(FirstSwitchCell + k), *switches[size_t(k)]);
}

std::string HTMLOf(TQZTreeItem* item) {
    TStrings* texts = item->ColumnText();
    return texts->Count() > HTMLColumn ? texts->Get(HTMLColumn) : std::string();
}

// The rows are made anew at each opening. Deleting a chosen row hands the choice to the row
// before it, and the first row goes without a word: the memo and the file field would still
// describe a row that is gone. Choosing none first, and showing the rows from their top left
// corner, opens the page as it opened the first time.
void StartAfresh(TQZTree* tree) {
    tree->SetFocused(nullptr);
    tree->DeselectAll();
    tree->SetTopIndex(0);
    tree->SetLeftPosition(0);
}

void SetHTMLOf(TQZTreeItem* item, const std::string& html) {
    TStrings* texts = item->ColumnText();
    while (texts->Count() <= HTMLColumn)
        texts->Add("");
    texts->Put(HTMLColumn, html);
}
} // namespace

void TfmQVRSet::FillErrorTrees() {
    TGlobalErrorsObject& catalogue = *GlobalErrorsObject;
    TLockGuard<TGlobalErrorsObject> lock(catalogue);
    {
        TUpdateGuard<TQZTreeItems> update(*tvErrorsShow->Items());
        StartAfresh(tvErrorsShow);
        tvErrorsShow->Items()->Clear();
        for (int i = 0; i < catalogue.Count(); ++i)
            AddShowErrorCfgItem(tvErrorsShow, catalogue.Error(i));
    }
    TUpdateGuard<TQZTreeItems> update(*tvErrorsHTMLs->Items());
    StartAfresh(tvErrorsHTMLs);
    tvErrorsHTMLs->Items()->Clear();
    for (int i = 0; i < catalogue.Count(); ++i) {
        TErrorRec* row = catalogue.Error(i);
        AddErrorItem(tvErrorsHTMLs, row)->ColumnText()->Add(row->HTML);
    }
}

void TfmQVRSet::ReadErrorTrees() {
    TLockGuard<TGlobalErrorsObject> lock(*GlobalErrorsObject);
    TQZTreeItems& files = *tvErrorsHTMLs->Items();
    for (int i = 0; i < files.Count(); ++i)
        RowOf(files.Item(i)).HTML = HTMLOf(files.Item(i));
    TQZTreeItems& switches = *tvErrorsShow->Items();
    for (int i = 0; i < switches.Count(); ++i) {
        TQZTreeItem* item = switches.Item(i);
        const auto fields = Switches(RowOf(item));
        for (int k = 0; k < SwitchCount; ++k)
            *fields[size_t(k)] = SwitchBox(item, k).Checked();
    }
}

void TfmQVRSet::tvErrorsShowItemSelectedChange(TObject*, TQZTreeItem* Item) {
    mErrorInfo->Lines()->Clear();
    if (Item && Item->Selected())
        mErrorInfo->Lines()->SetText(RowOf(Item).Describe);
}

void TfmQVRSet::tvErrorsHTMLsItemSelectedChange(TObject*, TQZTreeItem*) {
    // Showing the rows' file is no edit of it.
    TFlagScope showing(FlagFillControls);
    std::string common;
    for (int i = 0; i < tvErrorsHTMLs->GetSelCount(); ++i) {
        const std::string html = HTMLOf(tvErrorsHTMLs->SelectedItem(i));
        if (i == 0)
            common = html;
        else if (!AnsiSameText(common, html)) {
            common.clear();
            break;
        }
    }
    edErrorHTML->SetText(common);
}

void TfmQVRSet::edErrorHTMLChange(TObject*) {
    if (FlagFillControls)
        return;
    // One file can so be given to many codes at once.
    const std::string html = edErrorHTML->Text();
    for (int i = 0; i < tvErrorsHTMLs->GetSelCount(); ++i)
        SetHTMLOf(tvErrorsHTMLs->SelectedItem(i), html);
}
