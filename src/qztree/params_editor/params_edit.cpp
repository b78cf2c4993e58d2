#include "qztree/params_editor/params_edit.h"

#include "qztree/base/list.h"
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/params_editor/params_dialog.h"
#include "qztree/params_editor/params_lines.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/tree.h"
#include "rtl/string_list.h"
#include "tools/qz_string.h"
#include "vcl/controls/edit.h"
#include "vcl/core/screen.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <windows.h>

namespace {

constexpr int ButtonHeight = 25;
constexpr int ButtonsGap = 20;

// The values of a row: its text, then its column texts.
std::vector<std::string> RowValues(TQZTreeItem* Row, int Columns) {
    std::vector<std::string> values{Row->Text()};
    TStrings* texts = Row->ColumnText();
    for (int c = 1; c < Columns; ++c)
        values.push_back(texts && c - 1 < texts->Count() ? texts->Get(c - 1) : std::string());
    return values;
}

} // namespace

void TCButton::TextChanged() {
    TButton::TextChanged();
    if (FEditor)
        FEditor->CorrectButtonsWidth();
}

TQZParamsEditEx::TQZParamsEditEx(TComponent* AOwner)
    : TWinControl(AOwner), FHeadersCaptions(std::make_unique<TStringList>()),
      FTmpItems(std::make_unique<TStringList>()) {
    CreateControls();
    FHeadersCaptions->OnChange = [this](TObject*) {
        // Each line names the section of its place; lines without a section are left.
        TQZHeaderSections* sections = Columns();
        for (int i = 0; sections && i < FHeadersCaptions->Count() && i < sections->Count(); ++i)
            sections->Item(i)->SetText(FHeadersCaptions->Get(i));
    };
    SetBounds(Left(), Top(), 100, 50);
}

TQZParamsEditEx::~TQZParamsEditEx() = default;

void TQZParamsEditEx::CreateControls() {
    FTree = new TQZTree(this);
    FTree->SetParent(this);
    FTree->SetBounds(0, 0, Width(), std::max(Height() - 30, 0));
    FTree->SetTracking(false);
    FTree->SetShowRootButtons(false);
    FTree->SetShowRoot(false);
    FTree->SetShowButtons(false);
    FTree->SetShowImages(false);
    FTree->SetShowLines(false);
    FTree->SetAlwaysKeepSelection(true);
    FTree->SetMultiSelect(true);
    FTree->SetRowSelect(true);
    FTree->SetHideSelection(false);
    FTree->OnItemSelectedChange = [this](TObject* Sender, TQZTreeItem* Item) {
        SelectItem(Sender, Item);
    };
    FTree->OnDblClick = [this](TObject* Sender) { DblClickHandler(Sender); };

    auto makeButton = [this](const char* caption, const char* name,
                             void (TQZParamsEditEx::*handler)(TObject*)) {
        auto* button = new TCButton(this, this);
        button->SetParent(this);
        button->SetName(name);
        button->SetBounds(0, 0, FButtonsWidth, ButtonHeight);
        button->SetCaption(caption);
        button->OnClick = [this, handler](TObject* Sender) { (this->*handler)(Sender); };
        return button;
    };
    FAdd = makeButton("Add", "btnAdd", &TQZParamsEditEx::AddClickHandler);
    FRemove = makeButton("Remove", "btnRemove", &TQZParamsEditEx::RemoveClickHandler);
    FRemove->SetEnabled(false);
    FEdit = makeButton("Edit", "btnEdit", &TQZParamsEditEx::EditClickHandler);
    FEdit->SetEnabled(false);
}

void TQZParamsEditEx::SetParent(TWinControl* value) {
    TWinControl::SetParent(value);
    CorrectButtonsWidth();
}

void TQZParamsEditEx::Resize() {
    TWinControl::Resize();
    ResizeControls();
}

void TQZParamsEditEx::ResizeControls() {
    if (FTree)
        FTree->SetBounds(0, 0, Width(), std::max(Height() - 30, 0));
    if (!FAdd || !FRemove || !FEdit)
        return;
    const int top = Height() - ButtonHeight;
    const int w = FAdd->Width();
    const int left = std::max((Width() - 3 * w - 2 * ButtonsGap) / 2, 0);
    FAdd->SetBounds(left, top, w, ButtonHeight);
    FRemove->SetBounds(left + w + ButtonsGap, top, w, ButtonHeight);
    FEdit->SetBounds(FRemove->Left() + w + ButtonsGap, top, w, ButtonHeight);
}

void TQZParamsEditEx::CorrectButtonsWidth() {
    if (!FAdd || !FRemove || !FEdit || !Parent())
        return;
    int w = FButtonsWidth;
    if (w == 0) {
        for (TCButton* button : {FAdd, FRemove, FEdit}) {
            TRect r{0, 0, 0, 0};
            FTree->Canvas()->DrawText(button->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
            w = std::max(w, r.Width());
        }
        w += 10;
    }
    if (FButtonsMinWidth > 0)
        w = std::max(w, FButtonsMinWidth);
    if (w < 1)
        w = 50;
    for (TCButton* button : {FAdd, FRemove, FEdit})
        button->SetClientWidth(w);
    ResizeControls();
}

void TQZParamsEditEx::SetButtonsWidth(int Value) {
    FButtonsWidth = Value;
    CorrectButtonsWidth();
}

void TQZParamsEditEx::SetButtonsMinWidth(int Value) {
    FButtonsMinWidth = Value;
    CorrectButtonsWidth();
}

// ---- Rows as text

TQZHeaderSections* TQZParamsEditEx::Columns() const {
    return FTree->Header() ? FTree->Header()->Sections() : nullptr;
}

int TQZParamsEditEx::ColCount() const {
    return FTree->HeaderSectionCount();
}

int TQZParamsEditEx::RowCount() const {
    return FTree->Items()->Count();
}

bool TQZParamsEditEx::ShowColumnHeaders() const {
    return FTree->ShowColumns();
}

void TQZParamsEditEx::SetShowColumnHeaders(bool Value) {
    FTree->SetShowColumns(Value);
}

TStrings* TQZParamsEditEx::Items() {
    FTmpItems->Clear();
    const int columns = ColCount();
    for (int i = 0; i < RowCount(); ++i)
        FTmpItems->Add(ParamsRowToLine(RowValues(FTree->Items()->Item(i), columns), FSeparator));
    return FTmpItems.get();
}

void TQZParamsEditEx::SetItems(const TStrings* Value) {
    FTmpItems->Assign(*Value);
    TQZTreeItems& items = *FTree->Items();
    items.BeginUpdate();
    try {
        items.Clear();
        for (int i = 0; i < FTmpItems->Count(); ++i) {
            const std::vector<std::string> values =
                ParamsLineToRow(FTmpItems->Get(i), FSeparator, ColCount());
            TQZTreeItem* row = items.AddChild(nullptr, values.front());
            for (size_t v = 1; v < values.size(); ++v)
                row->ColumnText()->Add(values[v]);
        }
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
}

TStrings* TQZParamsEditEx::HeadersCaptions() {
    FHeadersCaptions->BeginUpdate();
    FHeadersCaptions->Clear();
    if (TQZHeaderSections* sections = Columns())
        for (int i = 0; i < sections->Count(); ++i)
            FHeadersCaptions->Add(sections->Item(i)->Text());
    FHeadersCaptions->EndUpdate();
    return FHeadersCaptions.get();
}

void TQZParamsEditEx::SetHeadersCaptions(const TStrings* Value) {
    FHeadersCaptions->Assign(*Value);
}

void TQZParamsEditEx::SetCell(int Col, int Row, const std::string& Value) {
    TQZTreeItems& items = *FTree->Items();
    if (Row >= items.Count())
        Row = items.AddChild(nullptr, "")->AbsoluteIndex();
    TQZTreeItem* item = items.Item(Row);
    if (Col == 0) {
        item->SetText(Value);
        return;
    }
    TStrings* texts = item->ColumnText();
    if (texts->Count() >= Col)
        texts->Put(Col - 1, Value);
    else
        texts->Add(Value);
}

int TQZParamsEditEx::AddItem(const std::string& Line) {
    if (ColCount() == 0)
        return -1;
    const int row = RowCount();
    std::string rest = Line;
    const std::string separator(1, FSeparator);
    for (int c = 0; c < ColCount(); ++c)
        SetCell(c, row, GetNextParam(rest, separator));
    return row;
}

void TQZParamsEditEx::Clear() {
    FTmpItems->Clear();
    FTree->Items()->BeginUpdate();
    FTree->Items()->Clear();
    FTree->Items()->EndUpdate();
    EnabledButtons();
}

// ---- Buttons

TQZTreeItem* TQZParamsEditEx::SingleSelected() const {
    return FTree->GetSelCount() == 1 ? FTree->SelectedItem(0) : nullptr;
}

void TQZParamsEditEx::EnabledButtons() {
    FEdit->SetEnabled(FTree->GetSelCount() == 1);
    FRemove->SetEnabled(FTree->GetSelCount() >= 1);
}

void TQZParamsEditEx::SelectItem(TObject* Sender, TQZTreeItem* Item) {
    EnabledButtons();
    if (onSelectItem)
        onSelectItem(Sender, Item, Item->Selected());
}

void TQZParamsEditEx::DblClickHandler(TObject*) {
    if (FEdit->Enabled())
        FEdit->Click();
}

bool TQZParamsEditEx::DoAction(TParamsEditAction Action) {
    bool allow = true;
    if (onDoAction)
        onDoAction(this, Action, allow, FTmpItems.get());
    return allow;
}

void TQZParamsEditEx::AddClickHandler(TObject*) {
    if (ShowDialog(false) && DoAction(peaBeforeAdd)) {
        SetLineParams(-1);
        DoAction(peaAfterAdd);
    }
}

void TQZParamsEditEx::EditClickHandler(TObject*) {
    TQZTreeItem* row = SingleSelected();
    if (!row)
        return;
    if (ShowDialog(true) && DoAction(peaBeforeEdit)) {
        SetLineParams(row->AbsoluteIndex());
        DoAction(peaAfterEdit);
    }
}

void TQZParamsEditEx::RemoveClickHandler(TObject*) {
    // A copy, walked from the last selected: deleting rows changes the selected list.
    TQZList selected;
    FTree->AllSelected(selected);
    TQZTreeItems& items = *FTree->Items();
    items.BeginUpdate();
    try {
        for (int i = selected.Count() - 1; i >= 0; --i) {
            auto* row = static_cast<TQZTreeItem*>(selected.Get(i));
            FTmpItems->Clear();
            FTmpItems->Add(row->Text());
            if (TStrings* texts = row->ColumnText())
                for (int t = 0; t < texts->Count(); ++t)
                    FTmpItems->Add(texts->Get(t));
            if (DoAction(peaBeforeDelete)) {
                row->Delete();
                DoAction(peaAfterDelete);
            }
        }
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
    DoAction(peaAfterDeleteAll);
    EnabledButtons();
}

void TQZParamsEditEx::SetLineParams(int Row) {
    TQZTreeItem* row = Row < 0 ? FTree->Items()->AddChild(nullptr, "") : FTree->Items()->Item(Row);
    TStrings* texts = row->ColumnText();
    texts->Clear();
    for (int i = 1; i < FTmpItems->Count(); ++i)
        texts->Add(FTmpItems->Get(i));
    row->SetText(FTmpItems->Count() > 0 ? FTmpItems->Get(0) : std::string());
}

bool TQZParamsEditEx::ShowDialog(bool IsEdit) {
    FTmpItems->Clear();
    TQZTreeItem* row = nullptr;
    if (IsEdit) {
        row = SingleSelected();
        if (!row)
            return false;
    }
    TOwnedPtr<TQZAskParamsValuesDlgEx> dialog(CreateComponent<TQZAskParamsValuesDlgEx>(this));
    dialog->SetCaption(IsEdit ? "Edit " + row->Text() : "Add");
    dialog->SetPosition(poScreenCenter);
    const int columns = ColCount();
    if (FTree->ShowColumns() && columns > 0) {
        // A missing column text reads as an empty value.
        const std::vector<std::string> values =
            row ? RowValues(row, columns) : std::vector<std::string>(size_t(columns));
        for (int c = 0; c < columns; ++c)
            dialog->Add(Columns()->Item(c)->Text(), values[size_t(c)]);
    } else {
        dialog->Add("", row ? row->Text() : std::string());
    }
    TSizeConstraints limits = dialog->Constraints();
    limits.MinHeight = limits.MaxHeight = dialog->Height();
    dialog->SetConstraints(limits);
    dialog->SetWidth(int(std::lround(Screen->Width() * 2.0 / 3)));
    dialog->CorrectButtons(FOkButtonControl, FCancelButtonControl);
    dialog->SetActiveControl(dialog->Edit(0));

    dialog->GetResult(*FTmpItems);
    if (!DoAction(IsEdit ? peaBeforeEditDialog : peaBeforeAddDialog))
        return false;
    const TModalResult result = dialog->ShowModal();
    FTmpItems->Clear();
    if (result != mrOk)
        return false;
    dialog->GetResult(*FTmpItems);
    bool someValue = false;
    for (int i = 0; i < FTmpItems->Count(); ++i)
        someValue = someValue || !FTmpItems->Get(i).empty();
    if (!someValue)
        return false;
    return !(FTmpItems->Count() >= 2 && FTmpItems->Get(0).empty() && !FFirstParamMayBeEmpty);
}
