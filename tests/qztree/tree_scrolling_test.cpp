#include "qztree/scroll_bar.h"
#include "tree_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// A tree of Count top-level rows "row 0", "row 1", ... with a view of exactly Shown rows.
struct TScrolledTree : TreeWindow {
    TScrolledTree(int Count, int Shown) {
        tree->SetUseXPThemes(false);
        tree->SetAutoLineHeight(false);
        tree->SetLineHeight(16);
        {
            TQZTreeLock lock(tree);
            for (int i = 0; i < Count; ++i)
                Add(nullptr, "row " + std::to_string(i));
        }
        PumpMessages();
        // The view's height is the tree's client height without the horizontal bar.
        tree->SetBounds(0, 0, 300, Shown * 16 + (tree->Height() - View()->Height()));
        PumpMessages();
    }
};
} // namespace

TEST(TreeScrolling, TheThumbDraggedToTheTrackEndShowsTheLastRowsAndStaysThere) {
    TScrolledTree f(100, 10);
    ASSERT_EQ(f.View()->GetVisCount(), 10);
    TQZScrollBar* bar = f.tree->VScrollBar();
    ASSERT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 99);
    EXPECT_EQ(bar->Page(), 9);

    const TScrollBarLayout layout = bar->Layout();
    const int x = bar->Width() / 2;
    const int grip = (layout.Thumb.Top + layout.Thumb.Bottom) / 2;
    const int trackEnd = layout.Track.Bottom;
    PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, grip));
    for (int y = grip; y <= trackEnd + 20; y += 10)
        PostMessageW(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, trackEnd + 20));
    PumpMessages();

    EXPECT_EQ(f.tree->TopIndex(), 91);
    EXPECT_EQ(bar->Position(), 91);
    EXPECT_EQ(bar->Layout().Thumb.Bottom, trackEnd) << "the thumb stays at the track's end";
    auto* last = static_cast<TQZTreeItem*>(f.View()->FVisible.Last());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Text(), "row 99");
}
