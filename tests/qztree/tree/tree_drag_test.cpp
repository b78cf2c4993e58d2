#include "../tree_window.h"

#include "qztree/base/hint_window.h"
#include "qztree/tree/view/tree_drag_object.h"
#include "rtl/string_list.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/img_list.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

TPoint ScreenPoint(TControl* control, int x, int y) {
    return control->ClientToScreen(Point(x, y));
}

// A source tree on the left and a scrolling target tree on the right of one form.
struct TwoTrees {
    TOwnedPtr<TForm> form = MakeShownForm(600, 200);
    TCustomQZTree* source = new TCustomQZTree(form.get());
    TCustomQZTree* target = new TCustomQZTree(form.get());
    std::vector<TQZTreeItem*> rows;
    int PressX = 0;

    TwoTrees() {
        source->SetParent(form.get());
        source->SetBounds(0, 0, 280, 200);
        target->SetParent(form.get());
        target->SetBounds(300, 0, 280, 200);
        for (const char* text : {"a", "b", "c"})
            source->Items()->AddChild(nullptr, text);
        for (int i = 0; i < 40; ++i)
            rows.push_back(target->Items()->AddChild(nullptr, "row " + std::to_string(i)));
        target->Items()->AddChild(rows[12], "child");
        source->SetDragAllowed(true);
        target->SetDragAllowed(true);
        PumpMessages();
    }
    int RowY(TCustomQZTree* tree, int row) const { return row * tree->LineHeight() + 3; }
    // Press on row 1 of the source and move Distance pixels to the right.
    void PressAndMove(int distance) {
        HWND view = source->ViewControl()->Handle();
        // On the text: a press beside it, on no part of the row, drags nothing.
        UpdateWindow(view);
        PumpMessages();
        PressX = source->Items()->Item(1)->TextLeft + 3;
        PostMouse(view, WM_LBUTTONDOWN, PressX, RowY(source, 1), MK_LBUTTON);
        PostMouse(view, WM_MOUSEMOVE, PressX + distance, RowY(source, 1), MK_LBUTTON);
    }
    void MoveOverTarget(int y) {
        TDragManager::MoveTo(ScreenPoint(target->ViewControl(), 30, y));
        PumpMessages();
    }
};

} // namespace

TEST(TreeDrag, StartsAfterFivePixelsOnly) {
    TwoTrees t;
    t.PressAndMove(4);
    EXPECT_EQ(TDragManager::DragObject(), nullptr);
    PostMouse(t.source->ViewControl()->Handle(), WM_MOUSEMOVE, t.PressX + 5, t.RowY(t.source, 1),
              MK_LBUTTON);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    TDragManager::Finish(false);
    PumpMessages();
}

TEST(TreeDrag, TheTargetSeesTheSourceTreeAndAcceptsOnlyWithAHandler) {
    TwoTrees t;
    t.PressAndMove(10);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    TObject* seenSource = nullptr;
    int dropped = 0;
    t.target->OnDragDrop = [&](TObject* sender, TObject* src, int, int) {
        EXPECT_EQ(sender, t.target);
        EXPECT_EQ(src, t.source);
        ++dropped;
    };
    // Without an OnDragOver handler nothing is accepted.
    t.MoveOverTarget(t.RowY(t.target, 2));
    EXPECT_FALSE(t.target->ViewControl()->FDropAcc);
    EXPECT_EQ(t.target->ViewControl()->FDropTrg, t.rows[2]);
    t.target->OnDragOver = [&](TObject*, TObject* src, int, int y, TDragState, bool& accept) {
        seenSource = src;
        EXPECT_GE(y, 0);
        accept = true;
    };
    t.MoveOverTarget(t.RowY(t.target, 3));
    EXPECT_EQ(seenSource, t.source);
    EXPECT_TRUE(t.target->ViewControl()->FDropAcc);
    EXPECT_EQ(t.target->ViewControl()->FDropTrg, t.rows[3]);

    // A disabled row is no target.
    t.rows[4]->SetFlag(ibfEnabled, false);
    t.MoveOverTarget(t.RowY(t.target, 4));
    EXPECT_EQ(t.target->ViewControl()->FDropTrg, nullptr);

    t.MoveOverTarget(t.RowY(t.target, 3));
    TDragManager::Finish(true);
    PumpMessages();
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(t.target->ViewControl()->FDropTrg, nullptr);
}

TEST(TreeDrag, EdgesScrollAfterASecondThenAtTheIntervalAndTargetsExpandAfterTheDelay) {
    TwoTrees t;
    t.target->SetTopIndex(10);
    t.target->SetExpandOnDragOver(true);
    t.target->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) {
        accept = true;
    };
    TQZTreeView* view = t.target->ViewControl();
    t.PressAndMove(10);
    ASSERT_NE(TDragManager::DragObject(), nullptr);

    // The collapsed row 12 (third row on screen) is expanded after the delay.
    t.MoveOverTarget(t.RowY(t.target, 2));
    ASSERT_NE(view->DragExpandTimer(), nullptr);
    EXPECT_TRUE(view->DragExpandTimer()->Enabled());
    EXPECT_EQ(view->DragExpandTimer()->Interval(), 500);
    view->OnDragExpandTimer();
    EXPECT_TRUE(t.rows[12]->Expanded());

    // Resting on the top row: the first step waits a second, the next ones the interval.
    t.MoveOverTarget(t.RowY(t.target, 0));
    ASSERT_NE(view->DragScrollTimer(), nullptr);
    EXPECT_TRUE(view->DragScrollTimer()->Enabled());
    EXPECT_EQ(view->DragScrollTimer()->Interval(), 1000);
    view->OnScrollTimer();
    EXPECT_EQ(t.target->TopIndex(), 9);
    EXPECT_EQ(view->DragScrollTimer()->Interval(), t.target->DragScrollInterval());
    EXPECT_TRUE(view->DragScrollTimer()->Enabled());

    // Leaving the tree clears the target.
    TDragManager::MoveTo(ScreenPoint(t.source->ViewControl(), 30, 30));
    PumpMessages();
    EXPECT_EQ(view->FDropTrg, nullptr);
    EXPECT_EQ(view->DragScrollTimer(), nullptr);
    TDragManager::Finish(false);
    PumpMessages();
}

TEST(TreeDrag, WithoutAStartHandlerTheTreeDragsItsOwnObject) {
    TwoTrees t;
    TDragObject* started = nullptr;
    t.PressAndMove(10);
    started = TDragManager::DragObject();
    EXPECT_NE(dynamic_cast<TQZTreeDragObject*>(started), nullptr);
    TDragManager::Finish(false);
    PumpMessages();
}

TEST(TreeDrag, ADragOutOfTheTreeCarriesThePictureOfTheSelectedRow) {
    TwoTrees t;
    t.source->SetDragImageMode(dimOne);
    t.PressAndMove(10);
    TDragObject* object = TDragManager::DragObject();
    ASSERT_NE(object, nullptr);
    TImageList* images = object->GetDragImages();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images, t.source->ViewControl()->GetDragImages());
    EXPECT_EQ(images->Height(), t.source->LineHeight());
    EXPECT_TRUE(TImageList::Dragging());
    // The pointer holds the row where it was pressed on it.
    POINT at{}, hotSpot{};
    ASSERT_TRUE(ImageList_GetDragImage(&at, &hotSpot));
    EXPECT_EQ(hotSpot.x, t.PressX);
    EXPECT_EQ(hotSpot.y, t.RowY(t.source, 1) - t.source->LineHeight());
    // Over a target tree the picture shows; it goes with the drag.
    t.MoveOverTarget(t.RowY(t.target, 2));
    EXPECT_TRUE(images->DragImageVisible());
    TDragManager::Finish(false);
    PumpMessages();
    EXPECT_FALSE(TImageList::Dragging());
    EXPECT_EQ(t.source->ViewControl()->GetDragImages(), nullptr);
}

TEST(TreeDrag, NoPictureWithDimNeverOrWhenOneRowIsAskedAndTwoAreSelected) {
    TwoTrees t;
    t.PressAndMove(10);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    EXPECT_EQ(TDragManager::DragObject()->GetDragImages(), nullptr);
    TDragManager::Finish(false);
    PumpMessages();

    t.source->SetMultiSelect(true);
    t.source->SetDragImageMode(dimOne);
    t.source->Items()->Item(0)->SetSelected(true);
    t.source->Items()->Item(2)->SetSelected(true);
    HWND view = t.source->ViewControl()->Handle();
    const int x = t.source->Items()->Item(2)->TextLeft + 3;
    PostMouse(view, WM_LBUTTONDOWN, x, t.RowY(t.source, 2), MK_LBUTTON);
    PostMouse(view, WM_MOUSEMOVE, x + 10, t.RowY(t.source, 2), MK_LBUTTON);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    EXPECT_EQ(TDragManager::DragObject()->GetDragImages(), nullptr);
    TDragManager::Finish(false);
    PumpMessages();

    // All of them: one picture from the first to the last selected row.
    t.source->SetDragImageMode(dimAll);
    PostMouse(view, WM_LBUTTONDOWN, x, t.RowY(t.source, 2), MK_LBUTTON);
    PostMouse(view, WM_MOUSEMOVE, x + 10, t.RowY(t.source, 2), MK_LBUTTON);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    TImageList* images = TDragManager::DragObject()->GetDragImages();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->Height(), 3 * t.source->LineHeight());
    TDragManager::Finish(false);
    PumpMessages();
}

TEST(TreeDrag, DragScrollMovesOneRowNearAnEdgeWithRowsThatWay) {
    TwoTrees t;
    TQZTreeView* view = t.target->ViewControl();
    const int height = view->ClientHeight();
    const int half = t.target->LineHeight() / 2;
    // At the top row nothing is above.
    EXPECT_FALSE(view->DragScroll(nullptr, 10, 0));
    EXPECT_EQ(t.target->TopIndex(), 0);
    EXPECT_TRUE(view->DragScroll(nullptr, 10, height - 1));
    EXPECT_EQ(t.target->TopIndex(), 1);
    EXPECT_FALSE(view->DragScroll(nullptr, 10, height / 2));
    EXPECT_FALSE(view->DragScroll(nullptr, 10, half));
    EXPECT_TRUE(view->DragScroll(nullptr, 10, half - 1));
    EXPECT_EQ(t.target->TopIndex(), 0);
    // At the end nothing is below.
    t.target->SetTopIndex(40);
    const int last = t.target->TopIndex();
    EXPECT_FALSE(view->DragScroll(nullptr, 10, height - 1));
    EXPECT_EQ(t.target->TopIndex(), last);

    // During a drag the picture is off the screen while the rows move, and back afterwards.
    t.source->SetDragImageMode(dimOne);
    t.PressAndMove(10);
    TDragObject* object = TDragManager::DragObject();
    ASSERT_NE(object, nullptr);
    t.MoveOverTarget(height / 2);
    ASSERT_NE(object->GetDragImages(), nullptr);
    EXPECT_TRUE(view->DragScroll(object, 10, 0));
    EXPECT_EQ(t.target->TopIndex(), last - 1);
    EXPECT_TRUE(object->GetDragImages()->DragImageVisible());
    // So while a target expands under it.
    t.target->SetExpandOnDragOver(true);
    t.target->SetTopIndex(10);
    t.MoveOverTarget(t.RowY(t.target, 2));
    ASSERT_EQ(view->FDropTrg, t.rows[12]);
    view->OnDragExpandTimer();
    EXPECT_TRUE(t.rows[12]->Expanded());
    EXPECT_TRUE(object->GetDragImages()->DragImageVisible());
    TDragManager::Finish(false);
    PumpMessages();
}

namespace {

// The colour the screen shows now at a client point of the window.
uint32_t ScreenPixel(HWND Window, int X, int Y) {
    HDC dc = GetDC(Window);
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Window, dc);
    return PixelOf(TColor(c));
}

} // namespace

TEST(TreeDrag, TheTargetTreeHoldsTheDragAndReportsItsRowsInItsOwnCoordinates) {
    TwoTrees t;
    TStringList captions;
    captions.Add("Name");
    t.target->SetHeadersTexts(&captions);
    t.target->SetShowColumns(true);
    TDragObject* seen = nullptr;
    t.target->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& accept) {
        seen = t.target->DragObject();
        accept = true;
    };
    TQZTreeItem* changedTo = nullptr;
    TRect changedRect{};
    int changedY = -1;
    t.target->OnDragTargetChange = [&](TObject* sender, TQZTreeItem* item, TRect r, int, int y) {
        EXPECT_EQ(sender, t.target);
        changedTo = item;
        changedRect = r;
        changedY = y;
    };
    PumpMessages();
    t.PressAndMove(10);
    TDragObject* drag = TDragManager::DragObject();
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(t.target->DragObject(), nullptr) << "not over the target yet";
    t.MoveOverTarget(t.RowY(t.target, 2));
    EXPECT_EQ(seen, drag);
    EXPECT_EQ(t.target->DragObject(), drag);
    const int top = t.target->ViewControl()->Top();
    ASSERT_GT(top, 0);
    EXPECT_EQ(changedTo, t.rows[2]);
    EXPECT_EQ(changedRect.Top, top + 2 * t.target->LineHeight());
    EXPECT_EQ(changedRect.Bottom, changedRect.Top + t.target->LineHeight());
    EXPECT_EQ(changedY, top + t.RowY(t.target, 2));
    TSTItemPart part;
    int column = -1;
    EXPECT_EQ(t.target->GetItemAt(30, changedY, part, column), t.rows[2]);

    // Leaving the tree forgets the drag; coming back and dropping forgets it too.
    TDragManager::MoveTo(ScreenPoint(t.source->ViewControl(), 30, 30));
    PumpMessages();
    EXPECT_EQ(t.target->DragObject(), nullptr);
    t.MoveOverTarget(t.RowY(t.target, 3));
    EXPECT_EQ(t.target->DragObject(), drag);
    TDragManager::Finish(true);
    PumpMessages();
    EXPECT_EQ(t.target->DragObject(), nullptr);
}

TEST(TreeDrag, NewDropColoursShowOnTheTargetAtOnceInTheModesThatUseThem) {
    TwoTrees t;
    t.target->SetDragTrgDrawMode(ColorRect);
    bool accept = true;
    t.target->OnDragOver = [&](TObject*, TObject*, int, int, TDragState, bool& a) { a = accept; };
    t.PressAndMove(10);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    t.MoveOverTarget(t.RowY(t.target, 2));
    TQZTreeView* view = t.target->ViewControl();
    ASSERT_EQ(view->FDropTrg, t.rows[2]);
    const HWND window = view->Handle();
    const int x = view->ClientWidth() - 5, y = t.RowY(t.target, 2);
    EXPECT_EQ(ScreenPixel(window, x, y), PixelOf(ColorToRGB(clGreen)));
    // No messages run between the change and the look: the row is painted by the setter.
    t.target->SetDragRectAcceptColor(clBlue);
    EXPECT_EQ(ScreenPixel(window, x, y), PixelOf(ColorToRGB(clBlue)));
    accept = false;
    const int refused = t.RowY(t.target, 3);
    t.MoveOverTarget(refused);
    EXPECT_EQ(ScreenPixel(window, x, refused), PixelOf(ColorToRGB(clRed)));
    t.target->SetDragRectDenyColor(clFuchsia);
    EXPECT_EQ(ScreenPixel(window, x, refused), PixelOf(ColorToRGB(clFuchsia)));
    // In a mode that does not show them a new colour changes nothing on screen.
    t.target->SetDragTrgDrawMode(SelColorRect);
    EXPECT_EQ(ScreenPixel(window, x, refused), PixelOf(ColorToRGB(clHighlight)));
    t.target->SetDragRectDenyColor(clYellow);
    EXPECT_EQ(ScreenPixel(window, x, refused), PixelOf(ColorToRGB(clHighlight)));
    TDragManager::Finish(false);
    PumpMessages();
}

TEST(TreeDrag, ALineHintStaysHiddenWhileADragIsUnderway) {
    TreeWindow t;
    t.tree->SetBounds(0, 0, 150, 200);
    t.tree->SetDragAllowed(true);
    TQZTreeItem* longRow =
        t.Add(nullptr, "a row whose text is far too long for the narrow tree it is shown in");
    t.View()->Invalidate();
    UpdateWindow(t.ViewWindow());
    PumpMessages();
    const int x = longRow->TextLeft + 3, y = t.tree->LineHeight() / 2;
    t.View()->TryStartHint(x, y);
    ASSERT_EQ(t.View()->HintItem(), longRow);

    // A drag from the row itself: the hint goes when the drag comes over the tree.
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x + 10, y, MK_LBUTTON);
    ASSERT_NE(TDragManager::DragObject(), nullptr);
    TDragManager::MoveTo(ScreenPoint(t.View(), x + 12, y));
    PumpMessages();
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    EXPECT_TRUE(!t.View()->HintWindow() || !t.View()->HintWindow()->HandleAllocated() ||
                !IsWindowVisible(t.View()->HintWindow()->Handle()));
    // A hint that was due (its timer ran out) waits for the drag's end.
    t.View()->TryStartHint(x, y);
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    TDragManager::Finish(false);
    PumpMessages();
    t.View()->TryStartHint(x, y);
    EXPECT_EQ(t.View()->HintItem(), longRow);
    t.View()->DoHideLineHint();
}
