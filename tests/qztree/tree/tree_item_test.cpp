#include "../tree_fixture.h"

#include "rtl/exceptions.h"
#include "rtl/string_list.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// a (b, d), c: built with AddChild in the order a, b, c, d.
struct SmallTree {
    TestTree tree;
    TQZTreeItem* a = tree.Add(nullptr, "a");
    TQZTreeItem* b = tree.Add(a, "b");
    TQZTreeItem* c = tree.Add(nullptr, "c");
    TQZTreeItem* d = tree.Add(a, "d");
};

} // namespace

TEST(TreeItem, PlacesInPreOrderAndNumbersLevelsAndIndexes) {
    SmallTree t;
    EXPECT_EQ(t.tree.Order(), "a b d c");
    EXPECT_EQ(t.tree.Items()->Item(2), t.d);
    EXPECT_EQ(t.d->AbsoluteIndex(), 2);
    EXPECT_EQ(t.c->AbsoluteIndex(), 3);
    EXPECT_EQ(t.a->Level(), 0);
    EXPECT_EQ(t.a->Parent(), nullptr);
    EXPECT_EQ(t.c->Index(), 1);
    EXPECT_EQ(t.d->Level(), 1);
    EXPECT_EQ(t.d->Index(), 1);
    EXPECT_EQ(t.d->Ancestor(), t.a);
    EXPECT_EQ(t.a->ChildrenCount(), 2);
    TQZTreeItem* root = t.tree.GetRoot();
    EXPECT_EQ(root->Level(), -1);
    EXPECT_EQ(root->Index(), -1);
    EXPECT_EQ(root->AbsoluteIndex(), -1);
    EXPECT_EQ(t.b->GetNext(), t.d);
    EXPECT_EQ(t.c->GetPrev(), t.d);
    EXPECT_EQ(t.c->GetNext(), nullptr);
    EXPECT_EQ(t.a->GetLastSubItem(), t.d);

    // A grandchild of b goes after b, before d.
    TQZTreeItem* e = t.tree.Add(t.b, "e");
    EXPECT_EQ(t.tree.Order(), "a b e d c");
    EXPECT_EQ(t.c->AbsoluteIndex(), 4);
    EXPECT_EQ(e->Level(), 2);
    EXPECT_TRUE(e->IsUnder(t.a));
    EXPECT_FALSE(t.a->IsUnder(e));
    EXPECT_EQ(t.a->Children(1), t.d);
    EXPECT_EQ(ErrorText([&] { t.a->Children(2); }), "List index [2] out of bounds...");
}

TEST(TreeItem, VisibleRowsLeaveOutCollapsedSubtreesAndFilteredItems) {
    SmallTree t;
    EXPECT_EQ(t.tree.Rows(), "a c");
    EXPECT_EQ(t.tree.Items()->ItemAsVis(1), t.c);
    EXPECT_EQ(t.b->VisIndex(), -1);
    EXPECT_EQ(t.tree.Items()->ItemAsVis(2), nullptr);
    EXPECT_EQ(t.tree.Items()->ItemAsVis(-1), nullptr);

    t.a->Expand(false);
    EXPECT_EQ(t.tree.Rows(), "a b d c");
    EXPECT_EQ(t.d->VisIndex(), 2);
    EXPECT_EQ(t.tree.TotalVisCount(), 4);
    EXPECT_TRUE(t.d->FullyExpanded());

    t.b->SetHidden(true);
    EXPECT_EQ(t.tree.Rows(), "a b d c"); // hidden items show until the filter is on
    t.tree.SetFilteredVisibility(true);
    EXPECT_EQ(t.tree.Rows(), "a d c");
    EXPECT_EQ(t.tree.TotalHiddenCount(), 1);
    EXPECT_EQ(t.tree.Items()->GetVisIndex(t.b), -1);
    EXPECT_EQ(t.a->GetFirstVisibleChild(), t.d);

    t.a->Collapse(false);
    EXPECT_EQ(t.tree.Rows(), "a c");
    EXPECT_EQ(t.tree.TotalVisCount(), 2);
}

TEST(TreeItem, InsertsKeepPreOrderAndRefuseBadIndexes) {
    SmallTree t;
    TQZTreeItems& items = *t.tree.Items();
    TQZTreeItem* first = items.Insert(nullptr, "first");
    EXPECT_EQ(t.tree.Order(), "first a b d c");
    TQZTreeItem* after = items.InsertAfter(t.a, "after");
    EXPECT_EQ(t.tree.Order(), "first a b d after c");
    items.Insert(t.d, "before-d");
    items.AddChildFirst(t.a, "a0");
    items.AddChildFirst(t.c, "c0");
    EXPECT_EQ(t.tree.Order(), "first a a0 b before-d d after c c0");
    EXPECT_EQ(after->Index(), 2);
    EXPECT_EQ(first->Index(), 0);
    int marker = 0;
    EXPECT_EQ(items.AddChildObject(t.c, "obj", &marker)->Data, &marker);

    const int count = items.Count();
    TQZTreeItem loose(&t.tree);
    EXPECT_EQ(ErrorText([&] { t.c->InsertChild(3, &loose); }), "DaRudo item index out of bounds.");
    EXPECT_EQ(items.Count(), count);
    EXPECT_EQ(t.c->Count(), 2);
}

TEST(TreeItem, MovesCarryWholeSubtreesAndRefuseCycles) {
    SmallTree t;
    TQZTreeItem* e = t.tree.Add(t.b, "e");
    ASSERT_EQ(t.tree.Order(), "a b e d c");

    t.b->MoveTo(t.c); // right, to the very end of the list
    EXPECT_EQ(t.tree.Order(), "a d c b e");
    EXPECT_EQ(t.b->Parent(), t.c);
    EXPECT_EQ(e->Level(), 2);

    t.b->MoveToIns(nullptr, 0); // left, to the front
    EXPECT_EQ(t.tree.Order(), "b e a d c");
    EXPECT_EQ(t.b->Parent(), nullptr);

    t.b->MoveToItem(t.c, naInsert); // same parent, before c
    EXPECT_EQ(t.tree.Order(), "a d b e c");
    t.c->MoveToItem(t.a, naAddChildFirst);
    EXPECT_EQ(t.tree.Order(), "a c d b e");
    t.d->MoveToItem(nullptr, naAddChild);
    EXPECT_EQ(t.tree.Order(), "a c b e d");
    t.d->MoveToItem(t.a, naAddFirst);
    EXPECT_EQ(t.tree.Order(), "d a c b e");
    t.d->MoveToItem(t.b, naAdd);
    EXPECT_EQ(t.tree.Order(), "a c b e d");
    for (int i = 0; i < t.tree.Items()->Count(); ++i)
        EXPECT_EQ(t.tree.Items()->Item(i)->AbsoluteIndex(), i);

    EXPECT_EQ(ErrorText([&] { t.b->MoveTo(e); }), "Can't move Item to one of its subitems.");
    EXPECT_EQ(ErrorText([&] { t.a->MoveToItem(t.c, naAddChild); }),
              "Can't move Item to one of its subitems.");
    EXPECT_EQ(ErrorText([&] { t.b->MoveToItem(nullptr, naAdd); }), "DaRudo item not specified");
    EXPECT_EQ(t.tree.Order(), "a c b e d");
    EXPECT_EQ(t.tree.UpdateCount(), 0);
}

TEST(TreeItem, DeletingMovesFocusAndAnchorToNeighboursAndForgetsTheSubtree) {
    SmallTree t;
    TQZTreeItem* e = t.tree.Add(t.b, "e");
    TQZTreeViewState& view = t.tree.View();

    t.tree.SetFocused(t.b);
    t.b->Delete(); // next sibling d takes the focus; e goes first
    EXPECT_EQ(t.tree.GetFocused(), t.d);
    EXPECT_TRUE(t.d->Focused());
    // In single selection the selection moves with the focus.
    std::vector<std::string> expected{"delete e", "select d", "focus d", "delete b"};
    t.tree.Events.erase(t.tree.Events.begin(), t.tree.Events.end() - 4);
    EXPECT_EQ(t.tree.Events, expected);
    (void)e;

    TQZTreeItem* f = t.tree.Add(t.a, "f");
    t.tree.SetFocused(f);
    view.FSelected = f;
    f->Delete(); // the previous sibling d
    EXPECT_EQ(t.tree.GetFocused(), t.d);
    EXPECT_EQ(view.FSelected, t.d);
    t.d->Delete(); // no sibling left: the parent
    EXPECT_EQ(t.tree.GetFocused(), t.a);
    t.a->Delete(); // its sibling c
    EXPECT_EQ(t.tree.GetFocused(), t.c);
    t.c->Delete(); // a top-level item alone leaves no focus
    EXPECT_EQ(t.tree.GetFocused(), nullptr);
    EXPECT_EQ(view.FSelected, nullptr);
    EXPECT_EQ(t.tree.Items()->Count(), 0);

    // Every pointer the view kept into a deleted subtree is cleared.
    TQZTreeItem* g = t.tree.Add(nullptr, "g");
    TQZTreeItem* h = t.tree.Add(g, "h");
    view.FTrackItem = h;
    view.FDropTrg = h;
    view.FHintItemEx = g;
    view.FClickItem = h;
    view.FMFSStartItem = g;
    view.FMFSEndItem = h;
    view.FPassedItem = h;
    view.FMFSList.Add(h);
    view.FVisible.Add(g);
    t.tree.Items()->Delete(g);
    for (TQZTreeItem* p : {view.FTrackItem, view.FDropTrg, view.FHintItemEx, view.FClickItem,
                           view.FMFSStartItem, view.FMFSEndItem, view.FPassedItem})
        EXPECT_EQ(p, nullptr);
    EXPECT_EQ(view.FMFSList.Count(), 0);
    EXPECT_EQ(view.FVisible.Count(), 0);

    // A handler that deletes the item again, its parent, or everything while an item goes
    // changes nothing more; the deletion under way ends as it began.
    TQZTreeItems& items = *t.tree.Items();
    TQZTreeItem* k = t.tree.Add(nullptr, "k");
    TQZTreeItem* k1 = t.tree.Add(k, "k1");
    TQZTreeItem* keep = t.tree.Add(nullptr, "keep");
    t.tree.WhileDeleting = [&](TQZTreeItem* item) {
        items.Delete(item);
        items.Delete(k);
        items.Clear();
        item->Clear();
    };
    k1->Delete();
    EXPECT_EQ(t.tree.Order(), "k keep");
    k->Delete();
    EXPECT_EQ(t.tree.Order(), "keep");
    t.tree.WhileDeleting = [&](TQZTreeItem* item) {
        if (keep && item != keep)
            items.Delete(std::exchange(keep, nullptr)); // an unrelated item may go
    };
    t.tree.Add(t.tree.Add(nullptr, "x"), "y");
    items.Item(1)->Delete();
    EXPECT_EQ(t.tree.Order(), "");
    t.tree.WhileDeleting = nullptr;

    t.tree.Items()->Delete(nullptr);
    t.tree.Items()->Delete(t.tree.GetRoot()); // the hidden root stays
    EXPECT_NE(t.tree.GetRoot(), nullptr);
}

TEST(TreeItem, RowsOfTheirOwnHeightAreCountedExactlyOnce) {
    SmallTree t;
    EXPECT_EQ(t.b->Height(), t.tree.LineHeight());
    t.b->SetMultiline(true);
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 1);
    EXPECT_FALSE(t.b->OwnerHeight());
    EXPECT_EQ(t.b->Height(), 30);        // measured
    t.b->SetFlag(ibfOwnerHeight, false); // already of its own height: no second count
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 1);
    t.d->SetMultiline(true);
    t.tree.SetAdjustMultilineHeight(false);
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 1); // b still has no owner height flag
    t.tree.SetAdjustMultilineHeight(true);
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 2);
    t.a->Delete();
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 0);

    t.a = t.tree.Add(nullptr, "a");
    t.b = t.tree.Add(t.a, "b");
    t.a->Expand(false);
    t.b->SetMultiline(true);
    t.tree.MeasuredHeight = 45;
    t.b->SetText("longer"); // a new text is measured again
    EXPECT_EQ(t.a->CalcSubItemsHeight(), 45);
    t.a->Collapse(false);
    EXPECT_EQ(t.a->CalcSubItemsHeight(), 0);
}

TEST(TreeItem, UpdateLockNestsNeverGoesBelowNoneAndSurvivesFailingHandlers) {
    SmallTree t;
    CountingView& view = t.tree.Counting();
    view.Updates = 0;
    {
        TQZTreeLock outer(&t.tree);
        t.tree.Items()->BeginUpdate();
        for (int i = 0; i < 50; ++i)
            t.tree.Add(t.c, "x");
        t.c->Expand(false);
        t.tree.Items()->EndUpdate();
        EXPECT_EQ(view.Updates, 0);
        EXPECT_TRUE(t.tree.IsUpdating());
    }
    EXPECT_EQ(view.Updates, 1); // the deferred work ran once
    EXPECT_EQ(t.tree.TotalVisCount(), 52);
    t.tree.Items()->EndUpdate(); // one too many
    EXPECT_EQ(t.tree.UpdateCount(), 0);
    t.tree.Items()->BeginUpdate();
    EXPECT_EQ(t.tree.UpdateCount(), 1);
    t.tree.Items()->EndUpdate();

    t.tree.ThrowOnExpand = true;
    EXPECT_EQ(ErrorText([&] {
                  TQZTreeLock lock(&t.tree);
                  t.a->Expand(true);
              }),
              "expand handler failed");
    EXPECT_EQ(t.tree.UpdateCount(), 0);
    EXPECT_FALSE(t.tree.FUpdated);
    t.tree.ThrowOnExpand = false;

    // The deferred work itself fails: the lock and its marks are gone all the same.
    t.tree.FSortMode = smAdd;
    t.tree.ThrowOnSort = true;
    EXPECT_EQ(ErrorText([&] {
                  TQZTreeLock lock(&t.tree);
                  t.tree.Add(nullptr, "z");
              }),
              "sort handler failed");
    EXPECT_EQ(t.tree.UpdateCount(), 0);
    EXPECT_FALSE(t.tree.FSortRequired);
    EXPECT_FALSE(t.tree.FUpdated);
    t.tree.ThrowOnSort = false;
    view.Updates = 0;
    t.tree.Add(nullptr, "y");
    EXPECT_GT(view.Updates, 0);
    EXPECT_EQ(t.tree.Items()->Item(0)->Text(), "a"); // sorted again

    t.tree.RefuseExpanding = true;
    t.d->Expand(false);
    EXPECT_FALSE(t.d->Expanded());
}

TEST(TreeItem, SelectionNeedsMultiSelectAndKeepsItsOrder) {
    SmallTree t;
    t.b->SetSelected(true);
    EXPECT_FALSE(t.b->Selected());
    EXPECT_EQ(t.tree.GetSelCount(), 0);

    t.tree.SetMultiSelect(true);
    for (TQZTreeItem* item : {t.c, t.a, t.b, t.d})
        item->SetSelected(true);
    t.a->SetSelected(false);
    EXPECT_EQ(t.tree.GetSelCount(), 3);
    EXPECT_EQ(t.tree.SelectedItem(0), t.c);
    EXPECT_EQ(t.tree.SelectedItem(1), t.b);
    EXPECT_EQ(t.tree.SelectedItem(2), t.d);
    t.tree.SetMultiSelect(true); // the list that exists is kept
    EXPECT_EQ(t.tree.GetSelCount(), 3);

    t.d->Delete();
    EXPECT_EQ(t.tree.GetSelCount(), 2);
    EXPECT_EQ(t.tree.SelectedItem(1), t.b);

    t.tree.View().FSelected = t.c;
    t.c->SetSelected(false);
    EXPECT_EQ(t.tree.View().FSelected, nullptr);

    // Within one level: the first selected item's level wins.
    t.tree.FKeepSelectionWithinLevel = true;
    t.a->SetSelected(true);
    EXPECT_FALSE(t.a->Selected());
    t.tree.SetMultiSelect(false);
    EXPECT_FALSE(t.b->Selected());
    EXPECT_EQ(t.tree.SelectedList(), nullptr);
}

TEST(TreeItem, RadioItemsUncheckOnlyRadioSiblings) {
    TestTree tree;
    TQZTreeItem* r1 = tree.Add(nullptr, "r1");
    TQZTreeItem* r2 = tree.Add(nullptr, "r2");
    TQZTreeItem* box = tree.Add(nullptr, "box");
    TQZTreeItem* child = tree.Add(r1, "child");
    for (TQZTreeItem* item : {r1, r2, child})
        item->SetCheckBoxType(ectRadioButton);
    box->SetChecked(true);
    child->SetChecked(true);
    r1->SetChecked(true);
    r2->SetChecked(true);
    EXPECT_FALSE(r1->Checked());
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(child->Checked()); // another level
    box->SetCheckBoxState(cbGrayed);
    EXPECT_EQ(box->CheckBoxState(), cbGrayed);
}

TEST(TreeItem, CollapsingMovesFocusUpAndCanDeselectTheSubtree) {
    SmallTree t;
    TQZTreeItem* e = t.tree.Add(t.b, "e");
    t.a->Expand(true);
    t.tree.SetFocused(e);
    t.tree.FMoveFocusOnCollapse = true;
    t.tree.FDeselectChildrenOnCollapse = true;
    t.tree.SetMultiSelect(true);
    t.b->SetSelected(true);
    t.d->SetSelected(true);
    t.c->SetSelected(true);
    t.a->Collapse(false);
    EXPECT_EQ(t.tree.GetFocused(), t.a);
    EXPECT_FALSE(t.b->Selected());
    EXPECT_FALSE(t.d->Selected());
    EXPECT_TRUE(t.c->Selected());
    EXPECT_TRUE(t.b->Expanded()); // not recursive
    t.a->SetExpanded(true);
    t.a->Collapse(true);
    EXPECT_FALSE(t.b->Expanded());
    e->MakeFullyExpanded(true);
    EXPECT_TRUE(t.a->Expanded());
    EXPECT_TRUE(t.b->Expanded());
}

TEST(TreeItem, AssignCopiesSubtreesAndIsSafeOnItselfAndItsOwnSubtree) {
    SmallTree t;
    TQZTreeItem* e = t.tree.Add(t.b, "e");
    t.b->ColumnText()->Add("col");
    t.b->Tag = 7;
    t.b->SetMultiline(true);

    t.c->Assign(t.b);
    EXPECT_EQ(t.tree.Order(), "a b e d b e");
    EXPECT_EQ(t.c->ColumnText()->Get(0), "col");
    EXPECT_EQ(t.c->Tag, 7);
    EXPECT_EQ(t.tree.TotalVarHeightCount(), 2);

    t.b->Assign(t.b);
    EXPECT_EQ(t.tree.Order(), "a b e d b e");
    t.a->Assign(e); // a child's copy replaces its own ancestor's subtree
    EXPECT_EQ(t.tree.Order(), "e b e");
    TQZTreeItem* top = t.tree.Items()->Item(0);
    TQZTreeItem* inner = t.tree.Add(top, "inner");
    inner->Assign(top); // an ancestor copied into its own descendant, as it was before
    EXPECT_EQ(t.tree.Order(), "e e inner b e");
    for (int i = 0; i < t.tree.Items()->Count(); ++i)
        EXPECT_EQ(t.tree.Items()->Item(i)->AbsoluteIndex(), i);

    t.tree.Items()->Assign(t.tree.Items());
    EXPECT_EQ(t.tree.Order(), "e e inner b e");
    TestTree other;
    other.Items()->Assign(t.tree.Items());
    EXPECT_EQ(other.Order(), "e e inner b e");
    EXPECT_EQ(other.Items()->Item(0)->Owner(), &other);
}

TEST(TreeItem, TextChangesSortTheParentInAddSortMode) {
    TestTree tree;
    tree.FSortMode = smAdd;
    tree.FSortSection = -1;
    TQZTreeItem* p = tree.Add(nullptr, "p");
    for (const char* text : {"delta", "alpha", "charlie"}) {
        TQZTreeItem* item = tree.Add(p, text);
        tree.Add(item, std::string(text) + "-child");
    }
    EXPECT_EQ(tree.Order(), "p alpha alpha-child charlie charlie-child delta delta-child");
    p->Children(0)->SetText("echo");
    EXPECT_EQ(tree.Order(), "p charlie charlie-child delta delta-child echo alpha-child");
    {
        TQZTreeLock lock(&tree);
        p->Children(0)->SetText("zulu");
        EXPECT_TRUE(tree.FSortRequired); // sorted once when the lock goes
    }
    EXPECT_EQ(tree.Order(), "p delta delta-child echo alpha-child zulu charlie-child");
}
