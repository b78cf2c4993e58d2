#include "../tree_fixture.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The pre-order and the visible rows worked out from parents and children alone.
void WalkHierarchy(TQZTreeItem* parent, bool shown, bool filter, std::vector<TQZTreeItem*>& all,
                   std::vector<TQZTreeItem*>& rows) {
    for (int i = 0; i < parent->Count(); ++i) {
        TQZTreeItem* child = parent->Children(i);
        all.push_back(child);
        const bool childShown = shown && !(filter && child->Hidden());
        if (childShown)
            rows.push_back(child);
        WalkHierarchy(child, childShown && child->Expanded(), filter, all, rows);
    }
}

// Checks every cached number against the hierarchy; returns the first mismatch found.
std::string Mismatch(TestTree& tree) {
    std::vector<TQZTreeItem*> all, rows;
    WalkHierarchy(tree.GetRoot(), true, tree.FilteredVisibility(), all, rows);
    TQZTreeItems& items = *tree.Items();
    if (int(all.size()) != items.Count())
        return "count";
    for (int i = 0; i < int(all.size()); ++i) {
        if (items.Item(i) != all[size_t(i)])
            return "order at " + std::to_string(i);
        if (all[size_t(i)]->AbsoluteIndex() != i)
            return "absolute index at " + std::to_string(i);
        TQZTreeItem* parent = all[size_t(i)]->Parent() ? all[size_t(i)]->Parent() : tree.GetRoot();
        if (parent->Children(all[size_t(i)]->Index()) != all[size_t(i)])
            return "child index at " + std::to_string(i);
    }
    if (tree.GetTotalVisCount() != int(rows.size()))
        return "visible count";
    for (int r = 0; r < int(rows.size()); ++r)
        if (items.ItemAsVis(r) != rows[size_t(r)] || rows[size_t(r)]->VisIndex() != r)
            return "visible row " + std::to_string(r);
    return "";
}

} // namespace

TEST(TreeConsistency, CachedIndexesFollowEveryKindOfChange) {
    TestTree tree;
    tree.SetMultiSelect(true);
    TQZTreeItems& items = *tree.Items();
    unsigned state = 2024;
    auto next = [&](int range) {
        state = state * 1664525u + 1013904223u;
        return range > 0 ? int((state >> 8) % unsigned(range)) : 0;
    };
    auto anyItem = [&]() -> TQZTreeItem* {
        return items.Count() > 0 && next(8) > 0 ? items.Item(next(items.Count())) : nullptr;
    };
    for (int step = 0; step < 3000; ++step) {
        const int action = next(12);
        TQZTreeItem* item = anyItem();
        TQZTreeItem* other = anyItem();
        const std::string text = std::to_string(next(1000));
        try {
            switch (action) {
            case 0:
            case 1:
                items.AddChild(item, text);
                break;
            case 2:
                items.Insert(item, text);
                break;
            case 3:
                items.InsertAfter(item, text);
                break;
            case 4:
                if (items.Count() > 60)
                    items.Delete(item);
                break;
            case 5:
                if (item)
                    item->MoveToItem(other, TNodeAttachMode(next(5)));
                break;
            case 6:
                if (item)
                    item->SetExpanded(!item->Expanded());
                break;
            case 7:
                if (item)
                    item->SetHidden(!item->Hidden());
                break;
            case 8:
                tree.SetFilteredVisibility(!tree.FilteredVisibility());
                break;
            case 9:
                tree.SortChildren(item ? item : tree.GetRoot(), next(2) == 0);
                break;
            case 10:
                if (item)
                    item->SetSelected(!item->Selected());
                break;
            case 11:
                if (item && other && item != other)
                    other->Assign(item);
                break;
            }
        } catch (const EQZTreeError&) {
            // Moves into an item's own subtree are refused; the tree stays as it was.
        }
        const std::string mismatch = Mismatch(tree);
        ASSERT_EQ(mismatch, "") << "after step " << step << ", action " << action;
        ASSERT_EQ(tree.UpdateCount(), 0);
    }
    int selected = 0;
    for (int i = 0; i < items.Count(); ++i)
        selected += items.Item(i)->Selected() ? 1 : 0;
    EXPECT_EQ(tree.GetSelCount(), selected);
    int hidden = 0;
    for (int i = 0; i < items.Count(); ++i)
        hidden += items.Item(i)->Hidden() ? 1 : 0;
    EXPECT_EQ(tree.TotalHiddenCount(), hidden);
}
