#pragma once
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "rtl/string_list.h"

#include <string>
#include <vector>

// A tree with header columns (field type and sort mark each) and events a test assigns.
class SortingTree : public TCustomQZTree {
public:
    struct Column {
        TQZFieldType Type = sftText;
        TQZSSortMode Mark = hsmNone;
    };
    SortingTree() : TCustomQZTree(nullptr) {}
    std::vector<Column> Columns;
    bool MultiSort = true;

    using TCustomQZTree::FShowHeader;
    using TCustomQZTree::FVirtualityLevel;

    int HeaderSectionCount() const override { return int(Columns.size()); }
    TQZFieldType SectionFieldType(int Index) const override { return Columns[size_t(Index)].Type; }
    TQZSSortMode SectionSortMark(int Index) const override { return Columns[size_t(Index)].Mark; }
    void SetSectionSortMark(int Index, TQZSSortMode Mark) override {
        // Without multi-sort one mark clears the others, as the header does.
        if (!MultiSort)
            for (Column& column : Columns)
                column.Mark = hsmNone;
        Columns[size_t(Index)].Mark = Mark;
    }
    void SetHeaderMultiSort(bool Value) override { MultiSort = Value; }

    // An item under Parent with its main text and further column texts.
    TQZTreeItem* Row(TQZTreeItem* Parent, const std::string& Text,
                     const std::vector<std::string>& Cells = {}) {
        TQZTreeItem* item = Items()->AddChild(Parent, Text);
        for (const std::string& cell : Cells)
            item->ColumnText()->Add(cell);
        return item;
    }
    // Main texts of the children of Parent (top level for none), joined by spaces.
    std::string Children(TQZTreeItem* Parent = nullptr) const {
        TQZTreeItem* p = Parent ? Parent : GetRoot();
        std::string text;
        for (int i = 0; i < p->Count(); ++i)
            text += (i ? " " : "") + p->Children(i)->Text();
        return text;
    }
    // Main texts in absolute order.
    std::string Order() const {
        std::string text;
        for (int i = 0; i < Items()->Count(); ++i)
            text += (i ? " " : "") + Items()->Item(i)->Text();
        return text;
    }
};
