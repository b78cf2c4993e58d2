#include "../tree_window.h"

#include "qztree/header/header.h"
#include "qztree/tree/view/search_timeout_thread.h"
#include "rtl/string_list.h"

#include <gtest/gtest.h>

namespace {

// alpha (beta, gamma), delta, epsilon: alpha collapsed.
struct KeyTree : TreeWindow {
    TQZTreeItem* alpha = Add(nullptr, "alpha");
    TQZTreeItem* beta = Add(alpha, "beta");
    TQZTreeItem* gamma = Add(alpha, "gamma");
    TQZTreeItem* delta = Add(nullptr, "delta");
    TQZTreeItem* epsilon = Add(nullptr, "epsilon");
    KeyTree() { Focus(); }
};

} // namespace

TEST(TreeKeyboard, ArrowsMoveTheFocusAndExpandOrCollapse) {
    KeyTree t;
    t.Key(VK_UP); // no focus: the first shown item
    EXPECT_EQ(t.FocusedText(), "alpha");
    t.Key(VK_RIGHT); // collapsed with children: expands
    EXPECT_TRUE(t.alpha->Expanded());
    EXPECT_EQ(t.FocusedText(), "alpha");
    t.Key(VK_RIGHT); // expanded: to the first child
    EXPECT_EQ(t.FocusedText(), "beta");
    t.Key(VK_DOWN);
    EXPECT_EQ(t.FocusedText(), "gamma");
    t.Key(VK_LEFT); // a child: to its parent
    EXPECT_EQ(t.FocusedText(), "alpha");
    t.Key(VK_LEFT); // expanded: collapses
    EXPECT_FALSE(t.alpha->Expanded());
    t.Key(VK_END);
    EXPECT_EQ(t.FocusedText(), "epsilon");
    t.Key(VK_DOWN); // the last row keeps the focus
    EXPECT_EQ(t.FocusedText(), "epsilon");
    t.Key(VK_HOME);
    EXPECT_EQ(t.FocusedText(), "alpha");
    t.Key(VK_NEXT); // near the end: the last enabled row
    EXPECT_EQ(t.FocusedText(), "epsilon");

    t.delta->SetFlag(ibfEnabled, false);
    t.Key(VK_UP); // passes the disabled row
    EXPECT_EQ(t.FocusedText(), "alpha");

    // Mirrored tree: Right collapses.
    t.alpha->Expand(false);
    t.tree->SetRightAlignedTree(true);
    t.Key(VK_RIGHT);
    EXPECT_FALSE(t.alpha->Expanded());
}

TEST(TreeKeyboard, SelectionByKeysInMultiSelect) {
    KeyTree t;
    t.Key(VK_SPACE); // without multi-select nothing
    EXPECT_EQ(t.tree->GetFocused(), nullptr);
    t.tree->SetMultiSelect(true);
    t.Key(VK_DOWN);
    EXPECT_EQ(t.Marked(), "alpha");
    t.Key(VK_DOWN, {ssShift});
    t.Key(VK_DOWN, {ssShift});
    EXPECT_EQ(t.FocusedText(), "epsilon");
    // The range runs in absolute order: the collapsed children of alpha are in it.
    EXPECT_EQ(t.Marked(), "alpha beta gamma delta epsilon");
    EXPECT_EQ(t.tree->Selected(), t.alpha); // the anchor stays
    t.Key(VK_UP);                           // a plain move leaves only the new row
    EXPECT_EQ(t.Marked(), "delta");
    t.Key(VK_SPACE, {ssCtrl}); // Ctrl+Space toggles the focused row
    EXPECT_EQ(t.Marked(), "");
    t.Key(VK_SPACE, {ssCtrl});
    EXPECT_EQ(t.Marked(), "delta");
    t.Key(VK_DOWN, {ssCtrl}); // Ctrl moves only the focus
    EXPECT_EQ(t.FocusedText(), "epsilon");
    EXPECT_EQ(t.Marked(), "delta");
    t.Key(VK_SPACE, {ssCtrl});
    EXPECT_EQ(t.Marked(), "delta epsilon");
}

TEST(TreeKeyboard, ShiftInSimpleModeSelectsTheRangeUpToTheTarget) {
    KeyTree t;
    t.tree->SetMultiSelect(true);
    t.tree->SetSelectionMode(smSimple);
    t.Key(VK_DOWN); // moving alone selects nothing in this mode
    EXPECT_EQ(t.FocusedText(), "alpha");
    EXPECT_EQ(t.Marked(), "");
    t.Key(VK_DOWN, {ssShift});
    EXPECT_EQ(t.FocusedText(), "delta");
    // The anchor keeps its own state; the target is selected with the rows before it.
    EXPECT_EQ(t.Marked(), "beta gamma delta");
}

TEST(TreeKeyboard, TypingFindsItemsEvenInCollapsedBranchesUntilTheTimeout) {
    KeyTree t;
    t.tree->SetIncrementalSearch(true);
    PostChars(t.ViewWindow(), L"GA");
    EXPECT_EQ(t.FocusedText(), "gamma");
    EXPECT_TRUE(t.alpha->Expanded());
    EXPECT_EQ(t.View()->SearchText, "GA");
    // Esc deselects and keeps the text.
    t.tree->SetMultiSelect(true);
    t.delta->SetSelected(true);
    PostChars(t.ViewWindow(), L"\x1b");
    EXPECT_EQ(t.Marked(), "");
    EXPECT_EQ(t.View()->SearchText, "GA");
    // After the timeout a new letter starts a new search.
    ASSERT_TRUE(PumpUntil([&] { return t.View()->SearchText.empty(); }, 5000));
    EXPECT_EQ(t.View()->SearchTextTimeoutThread, nullptr);
    PostChars(t.ViewWindow(), L"e");
    EXPECT_EQ(t.FocusedText(), "epsilon");
    ASSERT_TRUE(PumpUntil([&] { return t.View()->SearchTextTimeoutThread == nullptr; }, 5000));

    // Backspace on an empty text searches nothing and starts no thread.
    PostChars(t.ViewWindow(), L"\b");
    EXPECT_EQ(t.View()->SearchTextTimeoutThread, nullptr);
}

TEST(TreeKeyboard, AViewWithoutStandardEventsLeavesKeysToTheHandlersAlone) {
    KeyTree t;
    t.tree->SetIncrementalSearch(true);
    TControlStyle style = t.View()->ControlStyle();
    style.Include(csNoStdEvents);
    t.View()->SetControlStyle(style);
    std::string heard;
    t.tree->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
        heard += key == VK_DOWN ? "down " : "";
    };
    t.tree->OnKeyPress = [&](TObject*, char& key) { heard += std::string(1, key) + " "; };
    t.Key(VK_DOWN);
    PostChars(t.ViewWindow(), L"d");
    EXPECT_EQ(heard, "down d ");
    EXPECT_EQ(t.FocusedText(), "none");
    EXPECT_EQ(t.View()->SearchText, "");

    style.Exclude(csNoStdEvents);
    t.View()->SetControlStyle(style);
    t.Key(VK_DOWN);
    EXPECT_EQ(t.FocusedText(), "alpha");
    PostChars(t.ViewWindow(), L"d");
    EXPECT_EQ(t.FocusedText(), "delta");
    ASSERT_TRUE(PumpUntil([&] { return t.View()->SearchTextTimeoutThread == nullptr; }, 5000));
}

TEST(TreeKeyboard, AKeystrokeWhileTheTimeoutEndsStartsANewSearch) {
    KeyTree t;
    t.tree->SetIncrementalSearch(true);
    PostChars(t.ViewWindow(), L"d");
    EXPECT_EQ(t.FocusedText(), "delta");
    TSearchTextTimeoutThread* first = t.View()->SearchTextTimeoutThread;
    ASSERT_NE(first, nullptr);
    // The thread ends while no message is handled, so its end handler has not run yet.
    Sleep(3 * TSearchTextTimeoutThread::SleepStep);
    EXPECT_EQ(t.View()->SearchText, "d");
    PostChars(t.ViewWindow(), L"b");
    EXPECT_EQ(t.View()->SearchText, "b");
    EXPECT_EQ(t.FocusedText(), "beta");
    EXPECT_NE(t.View()->SearchTextTimeoutThread, nullptr);
    // The old thread's end leaves the new text alone; the new one clears it in its time.
    PumpMessages();
    EXPECT_EQ(t.View()->SearchText, "b");
    ASSERT_TRUE(PumpUntil([&] { return t.View()->SearchText.empty(); }, 5000));
}

TEST(TreeRows, EnsureVisibleExpandsParentsAndScrollsOnlyOutsideTheLock) {
    TreeWindow t;
    TQZTreeItem* parent = nullptr;
    for (int i = 0; i < 40; ++i) {
        TQZTreeItem* item = t.Add(nullptr, "row " + std::to_string(i));
        if (i == 20)
            parent = item;
    }
    TQZTreeItem* child = t.Add(parent, "child");
    {
        TQZTreeLock lock(t.tree);
        t.tree->EnsureVisible(child);
        EXPECT_FALSE(parent->Expanded());
    }
    t.tree->EnsureVisible(child);
    EXPECT_TRUE(parent->Expanded());
    EXPECT_EQ(t.tree->TopIndex(), child->VisIndex());
    EXPECT_EQ(t.tree->GetTopItem(), child);
    t.tree->SetTopItem(parent);
    EXPECT_EQ(t.tree->TopIndex(), parent->VisIndex());
    EXPECT_TRUE(t.tree->IsInView(parent));
    EXPECT_FALSE(t.tree->IsInView(t.tree->Items()->Item(0)));
}

TEST(TreeRows, TheWheelStopsWhereTheScrollBarStops) {
    TreeWindow t;
    for (int i = 0; i < 40; ++i)
        t.Add(nullptr, "row " + std::to_string(i));
    t.Focus();
    const TPoint centre = t.View()->ClientToScreen(Point(20, 20));
    auto wheel = [&](int delta) {
        PostMessageW(t.ViewWindow(), WM_MOUSEWHEEL, WPARAM(uint16_t(short(delta))) << 16,
                     MAKELPARAM(centre.X, centre.Y));
        PumpMessages();
    };
    for (int i = 0; i < 30; ++i)
        wheel(-WHEEL_DELTA);
    EXPECT_EQ(t.tree->TopIndex(), t.View()->MaxTopIndex());
    EXPECT_GT(t.tree->TopIndex(), 0);
    for (int i = 0; i < 30; ++i)
        wheel(WHEEL_DELTA);
    EXPECT_EQ(t.tree->TopIndex(), 0);
}

TEST(TreeKeyboard, NumericKeysExpandAndCollapseAndBackspaceGoesUp) {
    KeyTree t;
    TQZTreeItem* deep = t.Add(t.beta, "deep");
    t.tree->SetFocused(t.alpha);
    t.Key(VK_MULTIPLY); // the whole subtree
    EXPECT_TRUE(t.alpha->Expanded() && t.beta->Expanded());
    t.Key(VK_DIVIDE);
    EXPECT_FALSE(t.alpha->Expanded() || t.beta->Expanded());
    t.Key(VK_ADD);
    EXPECT_TRUE(t.alpha->Expanded());
    EXPECT_FALSE(t.beta->Expanded());
    t.Key(VK_SUBTRACT);
    EXPECT_FALSE(t.alpha->Expanded());
    t.tree->SetFocused(deep);
    t.Key(VK_BACK);
    EXPECT_EQ(t.FocusedText(), "beta");
    t.Key(VK_BACK);
    EXPECT_EQ(t.FocusedText(), "alpha");
    t.Key(VK_BACK); // a top-level row has no parent to go to
    EXPECT_EQ(t.FocusedText(), "alpha");
}

TEST(TreeRows, TheTreeHearsTheViewsInputInItsOwnCoordinates) {
    TreeWindow t;
    for (int i = 0; i < 40; ++i)
        t.Add(nullptr, "row " + std::to_string(i));
    TStringList captions;
    captions.Add("Name");
    t.tree->SetHeadersTexts(&captions);
    t.tree->SetShowColumns(true);
    t.Focus();
    TPoint down;
    t.tree->OnMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int x, int y) {
        EXPECT_EQ(sender, t.tree);
        down = Point(x, y);
    };
    PostClick(t.ViewWindow(), 10, 3);
    EXPECT_EQ(down.X, 10 + t.View()->Left());
    EXPECT_GE(down.Y, t.tree->Header()->Height());

    // A wheel handler of the tree that takes the turn keeps the rows where they are.
    int turns = 0;
    t.tree->OnMouseWheel = [&](TObject* sender, TShiftState, int, TPoint, bool& handled) {
        EXPECT_EQ(sender, t.tree);
        ++turns;
        handled = true;
    };
    const TPoint centre = t.View()->ClientToScreen(Point(20, 20));
    PostMessageW(t.ViewWindow(), WM_MOUSEWHEEL, WPARAM(uint16_t(short(-WHEEL_DELTA))) << 16,
                 MAKELPARAM(centre.X, centre.Y));
    PumpMessages();
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(t.tree->TopIndex(), 0);
}
