#include "../tree_window.h"

#include "qztree/base/hint_window.h"
#include "qztree/header/header.h"
#include "qztree/tree/state_style.h"
#include "rtl/string_list.h"
#include "rtl/value_scope.h"
#include "vcl/core/application.h"
#include "vcl/core/hint_window.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// A narrow tree: "short" fits, the long row is cut by the view's right edge.
struct HintTree : TreeWindow {
    TQZTreeItem* shortRow = Add(nullptr, "short");
    TQZTreeItem* longRow =
        Add(nullptr, "a row whose text is far too long for the narrow tree it is shown in");
    HintTree() {
        tree->SetBounds(0, 0, 150, 200);
        tree->SetLineHintMode(shmLong);
        View()->Invalidate();
        UpdateWindow(ViewWindow());
        PumpMessages();
    }
    int RowY(TQZTreeItem* item) const {
        return item->VisIndex() * tree->LineHeight() + tree->LineHeight() / 2;
    }
    // Rests the mouse on the row's text until the hint timer has had its say. The pointer goes
    // there too: the system sends a move at the pointer whenever a hint shows or goes under it.
    void Rest(TQZTreeItem* item) {
        const TPoint at = View()->ClientToScreen(Point(item->TextLeft + 3, RowY(item)));
        SetCursorPos(at.X, at.Y);
        PostMouse(ViewWindow(), WM_MOUSEMOVE, item->TextLeft + 3, RowY(item));
        PumpUntil([&] {
            return !View()->HintTimer() || !View()->HintTimer()->Enabled() || View()->HintItem();
        });
    }
};

} // namespace

TEST(TreeHints, OnlyARowThatDoesNotFitGetsALineHint) {
    HintTree t;
    t.Rest(t.shortRow);
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    ASSERT_NE(t.View()->HintWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(t.View()->HintWindow()->Handle()));
    // A key hides it.
    PostKey(t.ViewWindow(), VK_SHIFT);
    EXPECT_EQ(t.View()->HintItem(), nullptr);
}

TEST(TreeHints, AClickOnALineHintReachesTheRowItCovers) {
    HintTree t;
    t.Focus();
    t.tree->SetFocused(t.shortRow);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    POINT at{};
    GetCursorPos(&at);
    RECT hint{};
    GetWindowRect(t.View()->HintWindow()->Handle(), &hint);
    ASSERT_TRUE(PtInRect(&hint, at)); // the pointer rests on the hint

    ClickAtPointer();
    PumpUntil([&] { return t.tree->GetFocused() == t.longRow; });
    EXPECT_EQ(t.FocusedText(), t.longRow->Text());
    // Gone, and not back while the mouse rests: the move a window manager reports as the hint
    // goes from under the pointer is no movement.
    const TPoint still = t.View()->ScreenToClient(Point(at.x, at.y));
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, still.X, still.Y);
    PumpUntil([] { return false; }, 3 * std::max(Application->HintShortPause, 100));
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    EXPECT_FALSE(IsWindowVisible(t.View()->HintWindow()->Handle()));
}

TEST(TreeHints, TheHandlerMayChangeOrRefuseTheText) {
    HintTree t;
    t.tree->SetLineHintMode(shmAll);
    bool refuse = true;
    t.tree->OnShowLineHint = [&](TObject* sender, TQZTreeItem* item, int, std::string& text,
                                 THintWindow*, TPoint, bool& show) {
        EXPECT_EQ(sender, t.tree);
        text = "about " + item->Text();
        show = !refuse;
    };
    t.Rest(t.shortRow);
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    refuse = false;
    t.Rest(t.longRow); // another row arms the timer again
    t.Rest(t.shortRow);
    ASSERT_EQ(t.View()->HintItem(), t.shortRow);
    EXPECT_EQ(t.View()->HintWindow()->Caption(), "about short");
}

TEST(TreeHints, HidingOnTheTimerWaitsTheApplicationsHidePause) {
    HintTree t;
    TValueScope<int> pause(Application->HintHidePause, 100);
    t.tree->SetHideHintOnTimer(true);
    t.tree->SetLineHintTimeout(0);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    EXPECT_EQ(t.View()->HintTimer()->Interval(), 100);
    EXPECT_TRUE(PumpUntil([&] { return t.View()->HintItem() == nullptr; }));
}

TEST(TreeHints, TextsFollowTheHintTypeAndTheCell) {
    TreeWindow t;
    EXPECT_EQ(TQZTreeView::GetShortHint("short|long hint"), "short");
    EXPECT_EQ(TQZTreeView::GetShortHint("plain"), "plain");
    TStringList captions;
    captions.Add("Name");
    captions.Add("Value");
    t.tree->SetHeadersTexts(&captions);
    t.tree->SetShowColumns(true);
    TQZTreeItem* row = t.Add(nullptr, "main");
    row->ColumnText()->Add("");
    int section = 1;
    // Smart: an empty cell gives the main text, at the main column.
    EXPECT_EQ(t.View()->GetHintText(row, section), "main");
    EXPECT_EQ(section, 0);
    section = 1;
    t.tree->SetLineHintType(lhtCellTextOnly);
    EXPECT_EQ(t.View()->GetHintText(row, section), "");
    row->ColumnText()->Put(0, "cell");
    EXPECT_EQ(t.View()->GetHintText(row, section), "cell");
    row->SetHint("own|status text");
    t.tree->SetHintType(shtHintOrText);
    EXPECT_EQ(t.View()->GetHintText(row, section), "own");
    t.tree->SetHintType(shtHintOnly);
    row->SetHint("");
    EXPECT_EQ(t.View()->GetHintText(row, section), "");
}

TEST(TreeHints, LeavingTheViewDropsTheTrackedRowAndItemsGiveTheirOwnHints) {
    HintTree t;
    t.tree->SetTracking(true);
    t.shortRow->SetHint("about the short row");
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, t.shortRow->TextLeft + 3, t.RowY(t.shortRow));
    EXPECT_EQ(t.View()->FTrackItem, t.shortRow);
    THintInfo info;
    info.CursorPos = Point(t.shortRow->TextLeft + 3, t.RowY(t.shortRow));
    t.View()->Perform(CM_HINTSHOW, 0, intptr_t(&info));
    EXPECT_EQ(info.HintStr, "about the short row");
    PostMessageW(t.ViewWindow(), WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(t.View()->FTrackItem, nullptr);
}

namespace {

// The application's hint window as the user sees it: its text when shown, else "".
std::string ShownAppHint() {
    THintWindow* window = Application->HintWindow();
    if (!window || !window->HandleAllocated() || !IsWindowVisible(window->Handle()))
        return "";
    return window->Caption();
}

} // namespace

TEST(TreeHints, ItemHintsShowTheirShortPartAndFollowTheMouseFromRowToRow) {
    TreeWindow t;
    TQZTreeItem* first = t.Add(nullptr, "first");
    TQZTreeItem* plain = t.Add(nullptr, "plain");
    TQZTreeItem* third = t.Add(nullptr, "third");
    first->SetHint("about first|status of first");
    third->SetHint("about third");
    TValueScope<int> pause(Application->HintPause, 10);
    t.tree->SetShowHint(true);
    PumpMessages();
    ASSERT_TRUE(t.View()->ShowHint());
    const int h = t.tree->LineHeight();
    auto moveTo = [&](TQZTreeItem* item, int x) {
        PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x, item->VisIndex() * h + h / 2);
    };
    // The first hint waits for the application's pause.
    moveTo(first, 20);
    ASSERT_TRUE(PumpUntil([] { return !ShownAppHint().empty(); }, 5000));
    EXPECT_EQ(ShownAppHint(), "about first");
    EXPECT_EQ(t.View()->FHintItemEx, first);
    // Moving on the same row keeps it.
    moveTo(first, 30);
    EXPECT_EQ(ShownAppHint(), "about first");
    // A row without a hint takes it away and clears the application's hint text.
    moveTo(plain, 30);
    EXPECT_EQ(ShownAppHint(), "");
    EXPECT_EQ(Application->Hint(), "");
    // Another row with a hint shows its own at once, its text also the application's.
    moveTo(third, 30);
    EXPECT_EQ(ShownAppHint(), "about third");
    EXPECT_EQ(Application->Hint(), "about third");
    EXPECT_EQ(t.View()->FHintItemEx, third);

    // Without ShowHint nothing shows, but the application still hears the text.
    t.tree->SetShowHint(false);
    PumpMessages();
    Application->CancelHint();
    moveTo(first, 30);
    EXPECT_EQ(Application->Hint(), "about first");
    PumpMessages();
    EXPECT_EQ(ShownAppHint(), "");
}

namespace {

// The rows of a picture that hold dark pixels (the hint's and the reference's text is black on a
// light ground): the first and one past the last, {0, 0} for none.
std::pair<int, int> InkRows(const std::function<uint32_t(int, int)>& pixel, int width, int height) {
    int first = -1, last = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixel(x, y);
            if ((p >> 16 & 0xFF) < 0x80 && (p >> 8 & 0xFF) < 0x80 && (p & 0xFF) < 0x80) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    return first < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

} // namespace

TEST(TreeHints, ALineHintShowsItsTextWhole) {
    HintTree t;
    const std::string text = "BLL_Docs.ExecFunction20 gjpqy, a task far too long for the tree";
    t.longRow->SetText(text);
    t.Rest(t.shortRow);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    TQZHintWindow* hint = t.View()->HintWindow();
    RECT client{};
    GetClientRect(hint->Handle(), &client);
    TPaintedPixels shown(hint, client.right, client.bottom);

    // The same text in the tree's font, drawn whole.
    TBitmap whole(client.right + 200, client.bottom + 40);
    whole.Canvas()->Brush()->SetColor(clWhite);
    whole.Canvas()->FillRect(Rect(0, 0, whole.Width(), whole.Height()));
    whole.Canvas()->Font()->Assign(t.tree->Font());
    whole.Canvas()->Font()->SetColor(clBlack);
    TRect r = Rect(0, 0, whole.Width(), whole.Height());
    whole.Canvas()->DrawText(text, r, DT_NOPREFIX);

    const auto [top, bottom] =
        InkRows([&](int x, int y) { return shown.At(x, y); }, client.right, client.bottom);
    const auto [wholeTop, wholeBottom] =
        InkRows([&](int x, int y) { return whole.ScanLine(y)[x] & 0xFFFFFF; }, whole.Width(),
                whole.Height());
    ASSERT_GT(wholeBottom - wholeTop, 8);
    EXPECT_EQ(bottom - top, wholeBottom - wholeTop);
}

TEST(TreeHints, TheLineHintTakesTheTreesColoursUnlessTheSystemsAreAsked) {
    HintTree t;
    t.tree->SetLineHintColor(clYellow);
    t.tree->SetHintTextColor(clRed);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    EXPECT_EQ(t.View()->HintWindow()->Color(), clYellow);
    EXPECT_EQ(t.View()->HintWindow()->HintFont()->Color(), clRed);
    t.Rest(t.shortRow);
    t.tree->SetUseSystemHintColors(true);
    t.Rest(t.longRow);
    ASSERT_EQ(t.View()->HintItem(), t.longRow);
    EXPECT_EQ(t.View()->HintWindow()->Color(), clInfoBk);
    EXPECT_EQ(t.View()->HintWindow()->HintFont()->Color(), clInfoText);
}

TEST(TreeHints, HotTrackingShowsTheCursorOfTheRowUnderTheMouse) {
    HintTree t;
    t.tree->SetTracking(true);
    t.shortRow->DefaultItemStyles()->SetCursor(crHandPoint);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, t.shortRow->TextLeft + 3, t.RowY(t.shortRow));
    PumpMessages();
    EXPECT_EQ(t.View()->Cursor(), crHandPoint);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, t.longRow->TextLeft + 3, t.RowY(t.longRow));
    PumpMessages();
    EXPECT_EQ(t.View()->Cursor(), t.tree->Cursor()) << "a row without a cursor of its own";
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, t.shortRow->TextLeft + 3, t.RowY(t.shortRow));
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 5, 150);
    PumpMessages();
    EXPECT_EQ(t.View()->Cursor(), t.tree->Cursor()) << "below the rows";
    // Scrolling forgets the tracked row; the row that comes under the mouse sets the cursor.
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, t.shortRow->TextLeft + 3, t.RowY(t.shortRow));
    PumpMessages();
    t.tree->SetTopIndex(0);
    t.View()->Perform(CM_MOUSELEAVE);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 5, 150);
    PumpMessages();
    EXPECT_EQ(t.View()->Cursor(), t.tree->Cursor()) << "after leaving";
}
