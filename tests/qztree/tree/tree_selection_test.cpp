#include "../sorting_tree.h"
#include "../tree_fixture.h"

#include "qztree/tree/view/tree_view_state.h"
#include "rtl/exceptions.h"
#include "vcl/core/timer.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// a (b, c (d)), e, f: every item a row, a and c collapsed unless a test expands them.
struct SelectionTree {
    SortingTree tree;
    TQZTreeItem* a = tree.Row(nullptr, "a");
    TQZTreeItem* b = tree.Row(a, "b");
    TQZTreeItem* c = tree.Row(a, "c");
    TQZTreeItem* d = tree.Row(c, "d");
    TQZTreeItem* e = tree.Row(nullptr, "e");
    TQZTreeItem* f = tree.Row(nullptr, "f");
    std::vector<std::string> events;

    SelectionTree() {
        tree.OnItemFocused = [this](TObject* sender) {
            EXPECT_EQ(sender, &tree);
            events.push_back("focus " + (tree.GetFocused() ? tree.GetFocused()->Text() : "none"));
        };
    }
    std::string Selection() {
        std::string text;
        for (TQZTreeItem* item = tree.GetNextSelected(nullptr); item;
             item = tree.GetNextSelected(item))
            text += (text.empty() ? "" : " ") + item->Text();
        return text;
    }
    // Items marked selected, in absolute order.
    std::string Marked() {
        std::string text;
        for (int i = 0; i < tree.Items()->Count(); ++i)
            if (tree.Items()->Item(i)->Selected())
                text += (text.empty() ? "" : " ") + tree.Items()->Item(i)->Text();
        return text;
    }
};

} // namespace

TEST(TreeSelection, QueriesAnswerForTheModeAndRefuseOutOfRange) {
    SelectionTree t;
    EXPECT_EQ(t.tree.GetSelCount(), 0);
    t.tree.SetFocused(t.b);
    EXPECT_EQ(t.tree.GetSelCount(), 1);
    EXPECT_EQ(t.tree.Selected(), t.b);
    EXPECT_EQ(t.Marked(), "b");
    t.tree.SetFocused(t.e); // the selection follows the focus
    EXPECT_EQ(t.Marked(), "e");
    EXPECT_EQ(t.tree.GetNextSelected(nullptr), t.e);
    EXPECT_EQ(t.tree.GetNextSelected(t.e), nullptr);

    t.tree.SetMultiSelect(true);
    EXPECT_EQ(t.Selection(), "e");
    t.tree.DeselectAll();
    EXPECT_EQ(t.tree.GetNextSelected(nullptr), nullptr);
    t.b->SetSelected(true);
    t.f->SetSelected(true);
    EXPECT_EQ(t.tree.GetSelCount(), 2);
    EXPECT_EQ(t.tree.SelectedItem(-1), nullptr);
    EXPECT_EQ(t.tree.SelectedItem(2), nullptr);
    EXPECT_EQ(t.tree.GetNextSelected(t.f), nullptr);
    EXPECT_EQ(t.tree.GetNextSelected(t.a), nullptr); // not selected
    TQZList all;
    t.tree.AllSelected(all);
    EXPECT_EQ(all.Count(), 2);

    // Turning multi-select off leaves nothing marked; the focused item still counts.
    t.tree.SetMultiSelect(false);
    EXPECT_EQ(t.Marked(), "");
    EXPECT_EQ(t.tree.GetSelCount(), 1);
    EXPECT_EQ(t.tree.SelectedList(), nullptr);
    EXPECT_EQ(t.tree.SelectedItem(0), nullptr);
    t.tree.SetFocused(nullptr);
    EXPECT_EQ(t.tree.GetSelCount(), 0);
}

TEST(TreeSelection, RangesWalkTheAbsoluteOrderIncludingCollapsedChildren) {
    SelectionTree t;
    t.tree.SetMultiSelect(true);
    t.tree.SelectRange2(t.c, t.c, true);
    EXPECT_EQ(t.Marked(), "");
    t.tree.SelectRange2(t.e, t.b, true); // backwards, through the collapsed c
    EXPECT_EQ(t.Marked(), "b c d e");
    EXPECT_EQ(t.Selection(), "e d c b");
    t.tree.DeselectAll();

    t.d->SetFlag(ibfEnabled, false);
    t.tree.SelectRange2(t.b, t.e, false);
    EXPECT_EQ(t.Marked(), "b c e");
    t.tree.SetIgnoreEnabled(true);
    t.tree.SelectRange2(t.b, t.e, false);
    EXPECT_EQ(t.Marked(), "b c d e");
    t.tree.DeselectAll();

    // With filtering, hidden subtrees and the children of collapsed items are left out.
    t.tree.SetFilteredVisibility(true);
    t.a->Expand(false);
    t.e->SetHidden(true);
    t.tree.SelectRangeEx2(t.a, t.f, true, false);
    EXPECT_EQ(t.Marked(), "a b c f");
    t.tree.DeselectAllEx(true);
    t.tree.SelectRangeEx2(t.a, t.f, true, true);
    EXPECT_EQ(t.Marked(), "a b c d e f");
}

TEST(TreeSelection, SelectAllInvertAndDeselectFollowTheFilter) {
    SelectionTree t;
    t.tree.SetMultiSelect(true);
    t.tree.SelectAll(); // no filtering: children of collapsed items too
    EXPECT_EQ(t.Marked(), "a b c d e f");
    t.tree.DeselectAll();
    t.tree.SelectAllEx(false);
    EXPECT_EQ(t.Marked(), "a e f");
    t.tree.InvertSelection();
    EXPECT_EQ(t.Marked(), "b c d");
    t.tree.DeselectAll();

    t.tree.SetFilteredVisibility(true);
    t.a->Expand(false);
    t.e->SetHidden(true);
    t.tree.SelectAll();
    EXPECT_EQ(t.Marked(), "a b c f");
    t.e->SetSelected(true);
    t.tree.DeselectAll(); // a hidden entry stays
    EXPECT_EQ(t.Marked(), "e");
    t.tree.DeselectAllEx(true);
    EXPECT_EQ(t.Marked(), "");
    EXPECT_EQ(t.tree.GetSelCount(), 0);

    // Outside multi-select the walks do nothing.
    t.tree.SetMultiSelect(false);
    t.tree.SelectAll();
    EXPECT_EQ(t.Marked(), "");
}

TEST(TreeSelection, EmptyTreesAndRefusedChangesWithoutAFocusDoNothing) {
    SortingTree empty;
    empty.SetMultiSelect(true);
    empty.SelectRange2(nullptr, nullptr, true);
    empty.SelectRangeEx2(nullptr, nullptr, true, false);
    empty.SelectAll();
    EXPECT_EQ(empty.GetSelCount(), 0);
    EXPECT_EQ(ErrorText([&] { empty.SetTopItem(nullptr); }), "DaRudo item not specified");
    EXPECT_EQ(empty.GetTopItem(), nullptr);

    SelectionTree t;
    t.tree.SetMultiSelect(true);
    t.tree.OnChanging = [](TObject*, TQZTreeItem*, bool&) {}; // leaves AllowChange as found
    EXPECT_FALSE(t.tree.DoSetFocusedEx(t.b, false, false));
    EXPECT_EQ(t.tree.GetFocused(), nullptr);
    EXPECT_EQ(t.Marked(), "");
    EXPECT_TRUE(t.tree.DoSetFocusedEx(t.b, true, false)); // forced: accepted
    EXPECT_EQ(t.tree.GetFocused(), t.b);
    // Refused with a focused item: that item's selection toggles.
    EXPECT_EQ(t.Marked(), "b");
    EXPECT_FALSE(t.tree.DoSetFocusedEx(t.e, false, false));
    EXPECT_EQ(t.tree.GetFocused(), t.b);
    EXPECT_EQ(t.Marked(), "");
}

TEST(TreeSelection, DelayedFocusFiresOnceForTheLastItem) {
    SelectionTree t;
    t.tree.DoSetFocusedEx(t.a, false, true);
    t.tree.DoSetFocusedEx(t.e, false, true);
    t.tree.DoSetFocusedEx(t.f, false, true);
    EXPECT_TRUE(t.events.empty());
    ASSERT_NE(t.tree.DelayTimer(), nullptr);
    EXPECT_TRUE(t.tree.DelayTimer()->Enabled());
    EXPECT_EQ(t.tree.DelayTimer()->Interval(), 500);
    EXPECT_EQ(t.tree.DelayedItem(), t.f);

    // The real timer fires through the message loop.
    t.tree.SetChangeDelay(20);
    t.tree.DoSetFocusedEx(t.e, false, true);
    const DWORD deadline = GetTickCount() + 5000;
    MSG msg;
    while (t.events.empty() && GetTickCount() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    }
    EXPECT_EQ(t.events, std::vector<std::string>{"focus e"});
    EXPECT_FALSE(t.tree.DelayTimer()->Enabled());

    // The focus moved on before the delay ended: nothing fires for the old item.
    t.events.clear();
    t.tree.DoSetFocusedEx(t.a, false, true);
    t.tree.SetFocused(t.b); // at once
    EXPECT_EQ(t.events, std::vector<std::string>{"focus b"});
    t.tree.OnDelayTimer(nullptr);
    EXPECT_EQ(t.events, std::vector<std::string>{"focus b"});

    t.tree.SetChangeDelay(0);
    t.events.clear();
    t.tree.DoSetFocusedEx(t.a, false, true);
    t.tree.DoSetFocusedEx(t.e, false, true);
    t.tree.DoSetFocusedEx(t.f, false, true);
    EXPECT_EQ(t.events.size(), 3u);

    // Suppressed focus events fire neither OnChanging nor OnItemFocused.
    int changing = 0;
    t.tree.OnChanging = [&](TObject*, TQZTreeItem*, bool& allow) {
        ++changing;
        allow = true;
    };
    t.events.clear();
    t.tree.BeginFocusEventsSuppression();
    t.tree.SetFocused(t.a);
    t.tree.EndFocusEventsSuppression();
    EXPECT_EQ(changing, 0);
    EXPECT_TRUE(t.events.empty());
    EXPECT_EQ(t.tree.GetFocused(), t.a);
}

TEST(TreeSelection, AutoCollapseFoldsTheOldBranchUpToTheCommonAncestor) {
    SelectionTree t;
    TQZTreeItem* g = t.tree.Row(t.e, "g");
    t.tree.FullExpand();
    EXPECT_TRUE(t.a->Expanded() && t.c->Expanded() && t.e->Expanded());
    t.tree.SetAutoExpand(true);
    t.tree.SetAutoCollapse(true);
    t.tree.SetFocused(t.d);
    t.tree.SetFocused(t.b); // same branch: a stays open, c folds
    EXPECT_FALSE(t.c->Expanded());
    EXPECT_TRUE(t.a->Expanded());
    t.e->Collapse(false);
    t.tree.SetFocused(t.e); // another branch: a folds, e opens
    EXPECT_FALSE(t.a->Expanded());
    EXPECT_TRUE(t.e->Expanded());
    t.tree.FullCollapse();
    EXPECT_FALSE(t.e->Expanded());
    (void)g;
}

TEST(TreeSelection, MultiSelectLevelAndKeepWithinLevelHoldTheSelectionToOneLevel) {
    SelectionTree t;
    t.tree.SetMultiSelect(true);
    t.tree.SetFocused(t.b);
    t.tree.SetMultiSelectLevel(0);
    EXPECT_EQ(t.Marked(), "b"); // the focused item is selected again
    t.tree.DoSetSelected(t.e);  // another level than b's: b goes
    EXPECT_EQ(t.Marked(), "e");
    t.tree.DoSetSelected(t.f);
    EXPECT_EQ(t.Marked(), "e f");
    t.tree.SetMultiSelectLevel(-1);
    t.tree.SetKeepSelectionWithinLevel(true);
    t.tree.DeselectAll();
    t.tree.DoSetSelected(t.b);
    t.tree.DoSetSelected(t.e); // refused: other level
    EXPECT_EQ(t.Marked(), "b");
}

TEST(TreeSelection, NoSelectionEventWhileTheTreeIsDestroyed) {
    int changes = 0;
    {
        SelectionTree t;
        t.tree.SetMultiSelect(true);
        t.tree.SelectAll();
        t.tree.OnItemSelectedChange = [&](TObject*, TQZTreeItem*) { ++changes; };
    }
    EXPECT_EQ(changes, 0);
}
