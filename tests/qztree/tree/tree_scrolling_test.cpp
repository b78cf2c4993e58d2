#include "../tree_window.h"
#include "qztree/scroll_bar/scroll_bar.h"

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

namespace {
// What the view's window shows on screen now, frame selection included.
struct ScreenPixels {
    explicit ScreenPixels(TWinControl* Control)
        : Bitmap(Control->ClientWidth(), Control->ClientHeight()) {
        HDC dc = GetDC(Control->Handle());
        BitBlt(Bitmap.DC(), 0, 0, Bitmap.Width(), Bitmap.Height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(Control->Handle(), dc);
    }
    uint32_t At(int X, int Y) const { return Bitmap.ScanLine(Y)[X] & 0xFFFFFF; }
    TBitmap Bitmap;
};

// The pixels where the screen differs from a fresh paint of the rows; they must all lie on the
// outline of Frame (what a dotted frame leaves on the rows), and the outline's sides must show.
void ExpectOnlyTheFrame(TQZTreeView* View, const TRect& Frame) {
    const ScreenPixels screen(View);
    const TPaintedPixels rows(View, View->ClientWidth(), View->ClientHeight());
    int elsewhere = 0, left = 0, right = 0, bottom = 0; // the top edge may be off screen
    for (int y = 0; y < View->ClientHeight(); ++y)
        for (int x = 0; x < View->ClientWidth(); ++x) {
            if (screen.At(x, y) == rows.At(x, y))
                continue;
            const bool inside = y >= Frame.Top && y < Frame.Bottom;
            if (x == Frame.Left && inside)
                ++left;
            else if (x == Frame.Right - 1 && inside)
                ++right;
            else if (y == Frame.Bottom - 1 && x >= Frame.Left && x < Frame.Right)
                ++bottom;
            else if (y == Frame.Top && x >= Frame.Left && x < Frame.Right)
                continue;
            else
                ++elsewhere;
        }
    EXPECT_EQ(elsewhere, 0) << "a stale frame is left on the rows";
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
    EXPECT_GT(bottom, 10);
}
} // namespace

TEST(TreeScrolling, ASelectionFrameFollowsTheRowsWhenTheWheelOrTheBarScrolls) {
    TScrolledTree f(100, 10);
    f.tree->SetMultiSelect(true);
    f.tree->SetMouseFrameSelect(true);
    f.Focus();
    const int line = f.tree->LineHeight();
    const TPoint start = Point(40, 2 * line + 5), end = Point(120, 6 * line + 5);
    const TPoint screenEnd = f.View()->ClientToScreen(end);
    SetCursorPos(screenEnd.X, screenEnd.Y);
    PostMessageW(f.ViewWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.X, start.Y));
    PostMessageW(f.ViewWindow(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.X, end.Y));
    PumpMessages();
    ASSERT_EQ(f.Marked(), "row 2 row 3 row 4 row 5 row 6");
    ExpectOnlyTheFrame(f.View(), Rect(start.X, start.Y, end.X, end.Y));

    // The rows move up under the mouse; the frame's start goes with them, its end stays put.
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int rows = TQZTreeView::WheelRows(120, int(lines));
    PostMessageW(f.ViewWindow(), WM_MOUSEWHEEL, MAKEWPARAM(MK_LBUTTON, WORD(-120)),
                 MAKELPARAM(screenEnd.X, screenEnd.Y));
    PumpMessages();
    ASSERT_EQ(f.tree->TopIndex(), rows);
    ExpectOnlyTheFrame(f.View(), Rect(start.X, start.Y - rows * line, end.X, end.Y));

    PostMessageW(f.tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    PumpMessages();
    ASSERT_EQ(f.tree->TopIndex(), rows + 1);
    ExpectOnlyTheFrame(f.View(), Rect(start.X, start.Y - (rows + 1) * line, end.X, end.Y));
    PostMessageW(f.ViewWindow(), WM_LBUTTONUP, 0, MAKELPARAM(end.X, end.Y));
    PumpMessages();
}
