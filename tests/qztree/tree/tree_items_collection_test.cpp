#include "../tree_fixture.h"

#include "rtl/string_list.h"

#include <gtest/gtest.h>

namespace {

std::string Walked(TQZTreeItems& items, bool back, bool visibleOnly, bool checkCollapsed,
                   TQZTreeItem* start = nullptr, int stopAfter = -1) {
    std::string text;
    int passed = 0;
    TIterateProc proc = [&](TQZTreeItem* item, int index, bool& go, void*, TCustomQZTree*) {
        text += (text.empty() ? "" : " ") + item->Text() + ":" + std::to_string(index);
        if (++passed == stopAfter)
            go = false;
    };
    if (back && start)
        items.IterateBackFrom(visibleOnly, checkCollapsed, proc, nullptr, start);
    else if (back)
        items.IterateBack(visibleOnly, checkCollapsed, proc, nullptr);
    else
        items.IterateFrom(visibleOnly, checkCollapsed, proc, nullptr, start);
    return text;
}

} // namespace

TEST(TreeItems, LoadsTabIndentedLinesAndLowersTooDeepLevels) {
    TestTree tree;
    TStringList lines;
    lines.Add("a");
    lines.Add("\tb");
    lines.Add("\t\t\tc");
    lines.Add("d");
    tree.Items()->Assign(lines);
    EXPECT_EQ(tree.Order(), "a b c d");
    TQZTreeItems& items = *tree.Items();
    EXPECT_EQ(items.Item(1)->Parent(), items.Item(0));
    EXPECT_EQ(items.Item(2)->Parent(), items.Item(1));
    EXPECT_EQ(items.Item(3)->Parent(), nullptr);

    // With columns, the main column's field is the text and the others column texts.
    tree.FShowHeader = true;
    tree.FMainTreeCol = 1;
    items.InsertItemFromString(4, "x\ty\tz");
    items.InsertItemFromString(5, "\t");
    TQZTreeItem* row = items.Item(4);
    EXPECT_EQ(row->Text(), "y");
    EXPECT_EQ(row->ColumnText()->Text(), "x\r\nz\r\n");
    EXPECT_EQ(row->Parent(), nullptr);
    EXPECT_EQ(items.Item(5)->Parent(), row);
    EXPECT_EQ(items.Item(5)->Text(), "");
    EXPECT_EQ(tree.UpdateCount(), 0);
}

TEST(TreeItems, ClearingAnEmptyTreeOnlyDropsTheRange) {
    TestTree tree;
    TQZTreeViewState& view = tree.View();
    view.FHRange = 120;
    tree.Items()->Clear();
    EXPECT_EQ(view.FHRange, 0); // dropped, then recomputed when the lock went
    EXPECT_FALSE(view.FClearVis);
    EXPECT_FALSE(view.FClearAll);

    TQZTreeItem* a = tree.Add(nullptr, "a");
    tree.Add(a, "b");
    tree.Events.clear();
    tree.Items()->Clear();
    EXPECT_EQ(tree.Items()->Count(), 0);
    EXPECT_EQ(tree.Events, (std::vector<std::string>{"delete b", "delete a"}));
    EXPECT_TRUE(view.FClearVis);
}

TEST(TreeItems, WalksForwardAndBackFromAnyItem) {
    TestTree tree;
    TQZTreeItem* a = tree.Add(nullptr, "a");
    TQZTreeItem* b = tree.Add(a, "b");
    tree.Add(b, "e");
    TQZTreeItem* d = tree.Add(a, "d");
    TQZTreeItem* c = tree.Add(nullptr, "c");
    TQZTreeItems& items = *tree.Items();

    EXPECT_EQ(Walked(items, false, false, false), "a:0 b:1 e:2 d:3 c:4");
    EXPECT_EQ(Walked(items, false, true, false), "a:0 c:1"); // a is collapsed
    EXPECT_EQ(Walked(items, false, true, true), "a:0 b:1 e:2 d:3 c:4");
    EXPECT_EQ(Walked(items, false, false, false, nullptr, 2), "a:0 b:1");
    EXPECT_EQ(Walked(items, false, false, false, c), "c:0");
    EXPECT_EQ(Walked(items, false, false, false, b), "b:0 e:1 d:2 c:3");
    EXPECT_EQ(Walked(items, true, false, false), "c:4 d:3 e:2 b:1 a:0");
    EXPECT_EQ(Walked(items, true, true, false), "c:1 a:0");
    EXPECT_EQ(Walked(items, true, false, false, d), "d:3 e:2 b:1 a:0");
    EXPECT_EQ(Walked(items, true, false, false, b), "b:1 a:0");
    EXPECT_EQ(Walked(items, true, false, false, c), "c:4 d:3 e:2 b:1 a:0");

    a->Expand(false);
    b->SetHidden(true);
    tree.SetFilteredVisibility(true);
    EXPECT_EQ(Walked(items, false, true, false), "a:0 d:1 c:2");

    auto named = [](const char* text) {
        return [text](TQZTreeItem* item, void*) { return item->Text() == text; };
    };
    EXPECT_EQ(items.LookForItemEx2(a, 0, false, false, false, false, nullptr, named("c")), c);
    EXPECT_EQ(items.LookForItemEx2(a, 0, false, true, false, false, nullptr, named("c")), nullptr);
    EXPECT_EQ(items.LookForItemEx2(a, 0, false, false, false, false, nullptr, named("a")), nullptr);
    EXPECT_EQ(items.LookForItemEx2(a, 0, true, false, false, false, nullptr, named("a")), a);
}

TEST(TreeItems, AddFormsPlaceTheNewItemAndFireAddOnlyForAppends) {
    TestTree tree;
    TQZTreeItems& items = *tree.Items();
    TQZTreeItem* a = items.Add(nullptr, "a");
    TQZTreeItem* b = items.AddChild(a, "b");
    items.Add(b, "b2");
    items.AddFirst(b, "b0");
    int data = 0;
    items.AddObjectFirst(a, "first", &data);
    items.AddObject(a, "last", &data);
    items.InsertObject(b, "before-b", &data);
    items.InsertAfterObject(b, "after-b", &data);
    EXPECT_EQ(tree.Order(), "first a b0 before-b b after-b b2 last");
    EXPECT_EQ(std::count(tree.Events.begin(), tree.Events.end(), "add"), 4);
    EXPECT_EQ(items.GetAbsIndex(b), 4);
    EXPECT_EQ(items.GetAbsIndex(nullptr), -1);
    EXPECT_EQ(items.Item(8), nullptr);
    EXPECT_EQ(items.Item(-1), nullptr);
}
