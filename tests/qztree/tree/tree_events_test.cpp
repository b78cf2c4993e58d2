#include "../sorting_tree.h"

#include <gtest/gtest.h>

TEST(TreeEvents, TriggersFireAssignedHandlersWithTheTreeAsSenderInOrder) {
    SortingTree tree;
    std::vector<std::string> events;
    auto sender = [&](TObject* s) { EXPECT_EQ(s, &tree); };
    tree.OnItemAdded = [&](TObject* s, TQZTreeItem*) {
        sender(s);
        events.push_back("added");
    };
    tree.OnItemExpanding = [&](TObject* s, TQZTreeItem* item, bool& can) {
        sender(s);
        events.push_back("expanding " + item->Text());
        can = item->Text() != "locked";
    };
    tree.OnItemExpand = [&](TObject* s, TQZTreeItem* item) {
        sender(s);
        events.push_back("expand " + item->Text());
    };
    tree.OnChanging = [&](TObject* s, TQZTreeItem* item, bool& allow) {
        sender(s);
        events.push_back("changing " + item->Text());
        allow = true;
    };
    tree.OnItemSelectedChange = [&](TObject* s, TQZTreeItem* item) {
        sender(s);
        events.push_back((item->Selected() ? "selected " : "deselected ") + item->Text());
    };
    tree.OnItemFocused = [&](TObject* s) {
        sender(s);
        events.push_back("focused");
    };
    TQZTreeItem* a = tree.Row(nullptr, "a");
    TQZTreeItem* locked = tree.Row(nullptr, "locked");
    tree.Row(a, "a1");
    tree.Row(locked, "l1");
    a->Expand(false);
    locked->Expand(false);
    EXPECT_FALSE(locked->Expanded());
    tree.SetMultiSelect(true);
    tree.SetFocused(a);
    EXPECT_EQ(events, (std::vector<std::string>{"added", "added", "added", "added", "expanding a",
                                                "expand a", "expanding locked", "changing a",
                                                "selected a", "focused"}));
}

TEST(TreeEvents, UnassignedHandlersLeaveTheTriggersDefaults) {
    SortingTree tree;
    TQZTreeItem* item = tree.Row(nullptr, "x");
    item->SetImageIndex(4);
    int res = 7;
    tree.DoCompareItems(item, item, res);
    EXPECT_EQ(res, 0);
    bool allow = false;
    tree.DoChanging(item, allow);
    EXPECT_TRUE(allow);
    EXPECT_EQ(tree.DoGetPicture(item), 4);
    tree.OnItemPicDraw = [](TObject*, TQZTreeItem*, int& index) { index += 10; };
    EXPECT_EQ(tree.DoGetPicture(item), 14);

    // Var texts and values are emptied before the handler is asked.
    std::string text = "stale";
    tree.TriggerVirtualTextNeeded(item, 0, text);
    EXPECT_EQ(text, "");
    Variant value(5);
    tree.TriggerVirtualValueNeeded(item, 0, 0, value);
    EXPECT_TRUE(value.IsEmpty());
    std::string hint = "stale";
    tree.TriggerVirtualHintNeeded(item, hint);
    EXPECT_EQ(hint, "");
}
