// The keyboard focus of a tree as a user moves it: Tab, SetFocus and the scroll bars bring it to
// the rows; losing it repaints the rows and ends a press; system colours reach the buttons.
#include "../tree_window.h"

#include "qztree/scroll_bar/scroll_bar.h"
#include "vcl/controls/edit.h"
#include "vcl/core/drag_drop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// An edit above a tree of six rows; the first row has two children.
struct EditAndTree : TreeWindow {
    TEdit* edit = new TEdit(form.get());
    TQZTreeItem* a = Add(nullptr, "a");
    TQZTreeItem* b = Add(nullptr, "b");
    TQZTreeItem* c = Add(nullptr, "c");
    TQZTreeItem* d = Add(nullptr, "d");
    TQZTreeItem* e = Add(nullptr, "e");
    TQZTreeItem* f = Add(nullptr, "f");

    EditAndTree() {
        Add(a, "a1");
        Add(a, "a2");
        edit->SetParent(form.get());
        edit->SetBounds(0, 0, 300, 24);
        edit->SetTabOrder(0);
        tree->SetBounds(0, 30, 300, 170);
        PumpMessages();
        FocusEdit();
    }
    void FocusEdit() {
        edit->SetFocus();
        PumpMessages();
    }
    // Keys go where the focus is, as a user's do.
    void Type(uint16_t key, TShiftState shift = {}) { PressKey(GetFocus(), key, shift); }
    void Paint() {
        RedrawWindow(ViewWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
    }
    // Pixels of the given colour in the rectangle, as the view shows them.
    int Count(const TRect& r, TColor color) const {
        const COLORREF wanted = ColorToRGB(color);
        HDC dc = GetDC(ViewWindow());
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                count += GetPixel(dc, x, y) == wanted;
        ReleaseDC(ViewWindow(), dc);
        return count;
    }
    TRect Row(TQZTreeItem* item) const {
        return View()->GetItemRect(View()->FVisible.IndexOf(item));
    }
    int RowY(TQZTreeItem* item) const { return Row(item).Top + tree->LineHeight() / 2; }
};

} // namespace

TEST(TreeFocus, TabSetFocusAndAPressedScrollBarBringTheFocusToTheRows) {
    EditAndTree t;
    t.Type(VK_TAB);
    EXPECT_EQ(GetFocus(), t.ViewWindow());
    t.Type(VK_DOWN); // no focused row: the first one shown
    EXPECT_EQ(t.FocusedText(), "a");
    t.Type(VK_DOWN);
    EXPECT_EQ(t.FocusedText(), "b");

    // Backwards out of the rows: past the tree to the edit.
    t.Type(VK_TAB, {ssShift});
    EXPECT_EQ(GetFocus(), t.edit->Handle());

    t.tree->SetFocus();
    PumpMessages();
    EXPECT_EQ(GetFocus(), t.ViewWindow());
    EXPECT_EQ(t.FocusedText(), "b"); // a focused row stays
    t.Type(VK_DOWN);
    EXPECT_EQ(t.FocusedText(), "c");

    for (int i = 0; i < 10; ++i)
        t.Add(nullptr, "more");
    PumpMessages();
    TQZScrollBar* bar = t.tree->VScrollBar();
    ASSERT_TRUE(bar->Visible());
    t.FocusEdit();
    PostClick(bar->Handle(), bar->Width() / 2, bar->Height() - bar->Width() / 2);
    EXPECT_EQ(GetFocus(), t.ViewWindow());
    EXPECT_GT(t.tree->TopIndex(), 0); // the press still scrolled
}

TEST(TreeFocus, LosingTheFocusRepaintsEverySelectedRowWhenTheSelectionHides) {
    EditAndTree t;
    t.tree->SetMultiSelect(true);
    t.tree->SetHideSelection(true);
    t.Focus();
    t.a->SetSelected(true);
    t.c->SetSelected(true);
    t.tree->SetFocused(t.e);
    t.Paint();
    ASSERT_GT(t.Count(t.Row(t.a), clHighlight), 0);
    t.FocusEdit();
    EXPECT_EQ(t.Count(t.Row(t.a), clHighlight), 0);
    EXPECT_EQ(t.Count(t.Row(t.c), clHighlight), 0);
    t.Focus();
    EXPECT_GT(t.Count(t.Row(t.a), clHighlight), 0);
    EXPECT_GT(t.Count(t.Row(t.c), clHighlight), 0);
}

TEST(TreeFocus, APressThatLostTheFocusStartsNoFrameAndNoDragOnLaterMoves) {
    EditAndTree t;
    t.tree->SetMultiSelect(true);
    t.tree->SetMouseFrameSelect(true);
    t.Focus();
    t.Paint();
    // The click opens something that takes the focus, and the release goes there.
    t.tree->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        t.edit->SetFocus();
    };
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, 20, t.RowY(t.b), MK_LBUTTON);
    ASSERT_EQ(GetFocus(), t.edit->Handle());
    const std::string marked = t.Marked();
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 40, t.RowY(t.e));
    EXPECT_EQ(t.Marked(), marked);
    EXPECT_EQ(t.FocusedText(), "b");

    // Cancel mode ends a press the same way; with dragging allowed no drag starts.
    t.tree->OnMouseDown = nullptr;
    t.tree->SetDragAllowed(true);
    t.Focus();
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, 20, t.RowY(t.b), MK_LBUTTON);
    SendMessageW(t.ViewWindow(), WM_CANCELMODE, 0, 0);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 40, t.RowY(t.e));
    EXPECT_EQ(TDragManager::Source(), nullptr);
    EXPECT_FALSE(t.View()->Dragging());
}

TEST(TreeFocus, ASystemColourChangeReachesTheExpandButtons) {
    EditAndTree t;
    t.tree->SetUseXPThemes(false); // the theme draws its own buttons
    t.Paint();
    const TQZMainCellParts parts =
        t.View()->MainCellParts(t.a, t.View()->MainCellRect(t.a, t.Row(t.a)));
    ASSERT_TRUE(parts.HasButton);
    const int element = COLOR_BTNSHADOW;
    const COLORREF old = GetSysColor(element);
    const COLORREF red = RGB(255, 0, 0);
    ASSERT_EQ(t.Count(parts.Button, TColor(red)), 0);
    SetSysColors(1, &element, &red);
    // The system tells the top-level windows; the form passes it on to every control.
    SendMessageW(t.form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    PumpMessages();
    t.Paint();
    const int reds = t.Count(parts.Button, TColor(red));
    SetSysColors(1, &element, &old);
    SendMessageW(t.form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    PumpMessages();
    EXPECT_GT(reds, 0);
}

TEST(TreeFocus, TakingTheFocusLeavesTheRowsAloneUntilAKeyMovesIt) {
    EditAndTree t;
    t.a->SetFlag(ibfEnabled, false);
    for (int i = 0; i < 10; ++i)
        t.Add(nullptr, "more");
    PumpMessages();
    t.tree->SetTopIndex(4);
    int changes = 0;
    t.tree->OnItemSelectedChange = [&](TObject*, TQZTreeItem*) { ++changes; };
    t.tree->OnItemFocused = [&](TObject*) { ++changes; };
    // The focus goes elsewhere, then comes back to the rows.
    auto takeFocus = [&](const std::function<void()>& away, const std::function<void()>& back) {
        away();
        PumpMessages();
        ASSERT_NE(GetFocus(), t.ViewWindow());
        back();
        PumpMessages();
        EXPECT_EQ(GetFocus(), t.ViewWindow());
        EXPECT_EQ(t.FocusedText(), "none");
        EXPECT_EQ(changes, 0);
    };
    takeFocus([&] { t.FocusEdit(); }, [&] { t.Type(VK_TAB); });
    takeFocus([&] { t.FocusEdit(); }, [&] { t.tree->SetFocus(); });
    // Another window is activated, then the tree's again.
    TOwnedPtr<TForm> other = MakeShownForm(100, 100);
    takeFocus([&] { SetForegroundWindow(other->Handle()); },
              [&] { SetForegroundWindow(t.form->Handle()); });

    t.Type(VK_UP); // the first enabled row in the tree's order, not the top row on screen
    EXPECT_EQ(t.FocusedText(), "b");
    EXPECT_EQ(t.tree->TopIndex(), 1); // scrolled to it
}
