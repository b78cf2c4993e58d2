#include "viewer/viewer_tree.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/events.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "rtl/string_list.h"

#include <windows.h>

const TClassInfo& TViewerTree::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TViewerTree", &TQZTree::StaticClassInfo());
    return *info;
}

TViewerTree::TViewerTree(TComponent* AOwner) : TQZTree(AOwner) {}

void TViewerTree::SetColumns(const std::vector<std::string>& Texts) {
    FHeaderTexts = Texts;
    TStringList lines;
    for (const std::string& text : Texts)
        lines.Add(text);
    SetHeadersTexts(&lines);
    // An heir's window may have fewer columns than the one it builds on.
    if (TQZHeader* header = Header()) {
        TQZHeaderSections& sections = *header->Sections();
        while (sections.Count() > int(Texts.size()))
            sections.DeleteSection(sections.ItemByPos(sections.Count() - 1));
    }
}

void TViewerTree::SetColumnTypes(const std::vector<TQZFieldType>& Types) {
    TQZHeader* header = Header();
    if (!header)
        return;
    TQZHeaderSections& sections = *header->Sections();
    for (int i = 0; i < sections.Count() && i < int(Types.size()); ++i)
        sections.ItemByPos(i)->SetFieldType(Types[size_t(i)]);
}

int TViewerTree::ColumnsWidth() const {
    int width = 0;
    if (TQZHeader* header = Header())
        for (int i = 0; i < header->Sections()->Count(); ++i)
            width += header->Sections()->ItemByPos(i)->Width();
    return width + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
}

TQZTreeItem* TViewerTree::AddRow(TQZTreeItem* Parent, const std::string& Text) {
    TQZTreeItem* row = Items()->AddChild(Parent, Text);
    TStrings* cells = row->ColumnText();
    // The empty cells go in as one change of the row, not one each.
    TUpdateGuard<TStrings> update(*cells);
    while (cells->Count() + 1 < int(FHeaderTexts.size()))
        cells->Add(std::string());
    return row;
}

std::string TViewerTree::Cell(TQZTreeItem* Item, int Column) {
    TStrings* cells = Item->ColumnText();
    return Column < cells->Count() ? cells->Get(Column) : std::string();
}

void TViewerTree::SetCell(TQZTreeItem* Item, int Column, const std::string& Text) {
    TStrings* cells = Item->ColumnText();
    if (Column < cells->Count() && cells->Get(Column) != Text)
        cells->Put(Column, Text);
}

std::vector<TQZTreeItem*> TViewerTree::SelectedRows() const {
    std::vector<TQZTreeItem*> rows;
    for (int i = 0; i < GetSelCount(); ++i)
        rows.push_back(SelectedItem(i));
    return rows;
}

TQZTreeItem* TViewerTree::SelectedRow() const {
    if (MultiSelect())
        return GetSelCount() > 0 ? SelectedItem(0) : nullptr;
    return Selected();
}

void TViewerTree::SelectRow(TQZTreeItem* Row) {
    if (!MultiSelect()) {
        SetSelected(Row);
        return;
    }
    for (TQZTreeItem* selected : SelectedRows())
        if (selected != Row)
            selected->SetSelected(false);
    if (Row)
        Row->SetSelected(true);
}
