#pragma once
#include "qztree/tree/tree.h"

#include <string>
#include <vector>

// The tree of the viewer's windows: its columns are fixed when made (HeaderTexts, one per
// column, the first the rows' own text), and its rows are filled and read by column.
class TViewerTree : public TQZTree {
public:
    explicit TViewerTree(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void SetColumns(const std::vector<std::string>& Texts);
    // The field type of each column in order, which makes a header click sort the column by
    // value rather than as text.
    void SetColumnTypes(const std::vector<TQZFieldType>& Types);
    const std::vector<std::string>& HeaderTexts() const { return FHeaderTexts; }
    // The width all columns take side by side, with the tree's frame and its vertical bar, so
    // a window can open wide enough to show every column.
    int ColumnsWidth() const;
    // A new row under Parent (the hidden root for top-level rows) with an empty text in every
    // column after the first.
    TQZTreeItem* AddRow(TQZTreeItem* Parent, const std::string& Text);
    // The text of column Column of a row (0 is the first after the row's own text).
    static std::string Cell(TQZTreeItem* Item, int Column);
    static void SetCell(TQZTreeItem* Item, int Column, const std::string& Text);
    // The selected rows in the order they were selected.
    std::vector<TQZTreeItem*> SelectedRows() const;
    // The one selected row: the first of several, or the selected row of a tree that selects
    // one.
    TQZTreeItem* SelectedRow() const;
    // Makes Row the only selected row (nullptr: none); the change is announced.
    void SelectRow(TQZTreeItem* Row);

private:
    std::vector<std::string> FHeaderTexts;
};
