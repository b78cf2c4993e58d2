#include "../tree_window.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "rtl/string_list.h"
#include "vcl/core/menus.h"

#include <gtest/gtest.h>

namespace {

// Five top-level rows a to e; a has the children a1 and a2 (collapsed).
struct MouseTree : TreeWindow {
    TQZTreeItem* a = Add(nullptr, "a");
    TQZTreeItem* a1 = Add(a, "a1");
    TQZTreeItem* a2 = Add(a, "a2");
    TQZTreeItem* b = Add(nullptr, "b");
    TQZTreeItem* c = Add(nullptr, "c");
    TQZTreeItem* d = Add(nullptr, "d");
    TQZTreeItem* e = Add(nullptr, "e");

    MouseTree() {
        tree->SetMultiSelect(true);
        Painted();
    }
    // Painting places the texts, which the hit test reads.
    void Painted() {
        View()->Invalidate();
        UpdateWindow(ViewWindow());
        PumpMessages();
    }
    int RowY(TQZTreeItem* item) const {
        return item->VisIndex() * tree->LineHeight() + tree->LineHeight() / 2 -
               tree->TopIndex() * tree->LineHeight();
    }
    int TextX(TQZTreeItem* item) const { return item->TextLeft - tree->LeftPosition() + 3; }
    void Click(TQZTreeItem* item, uintptr_t keys = 0) {
        PostClick(ViewWindow(), TextX(item), RowY(item), keys);
    }
    TPoint ButtonCentre(TQZTreeItem* item) const {
        const TRect row = View()->GetItemRect(View()->FVisible.IndexOf(item));
        const TQZMainCellParts parts = View()->MainCellParts(item, View()->MainCellRect(item, row));
        return Point((parts.Button.Left + parts.Button.Right) / 2, RowY(item));
    }
};

} // namespace

TEST(TreeMouse, HitTestFindsTheTextAndTheButton) {
    MouseTree t;
    TSTItemPart part;
    int column = 0;
    EXPECT_EQ(t.View()->GetItemAt(t.TextX(t.b), t.RowY(t.b), part, column), t.b);
    EXPECT_EQ(part, ipMainText);
    const TPoint button = t.ButtonCentre(t.a);
    EXPECT_EQ(t.View()->GetItemAt(button.X, button.Y, part, column), t.a);
    EXPECT_EQ(part, ipButton);
    EXPECT_EQ(t.View()->GetItemAt(5, 1000, part, column), nullptr);
    EXPECT_EQ(part, ipOutside);
}

TEST(TreeMouse, TheTreesHitTestsAnswerInItsOwnCoordinatesBelowTheHeader) {
    MouseTree t;
    TStringList captions;
    captions.Add("Name");
    t.tree->SetHeadersTexts(&captions);
    t.tree->SetShowColumns(true);
    t.Painted();
    const int top = t.View()->Top();
    ASSERT_GT(top, 0) << "the header stands above the rows";
    TSTItemPart part;
    int column = -1;
    EXPECT_EQ(t.tree->GetItemAt(t.TextX(t.b), top + t.RowY(t.b), part, column), t.b);
    EXPECT_EQ(part, ipMainText);
    EXPECT_EQ(t.tree->GetItemAt(t.TextX(t.b), t.RowY(t.b), part, column), t.a) << "a row higher";
    EXPECT_EQ(t.tree->GetItemAt(t.TextX(t.a), top / 2, part, column), nullptr) << "the header";
    EXPECT_EQ(part, ipOutside);
    EXPECT_EQ(t.tree->GetItemAtY(top + t.RowY(t.c)), t.c);
    EXPECT_EQ(t.tree->GetItemAtY(top - 1), nullptr);

    const int row = t.View()->FVisible.IndexOf(t.c);
    const TRect r = t.tree->GetItemRect(row);
    EXPECT_EQ(r.Top, top + row * t.tree->LineHeight());
    EXPECT_EQ(r.Height(), t.tree->LineHeight());
    EXPECT_EQ(t.tree->GetItemAtY(r.Top), t.c);
    EXPECT_EQ(t.tree->GetItemAtY(r.Bottom - 1), t.c);
    EXPECT_TRUE(t.tree->GetItemRect(t.View()->FVisible.Count()).IsEmpty());
    EXPECT_TRUE(t.tree->GetItemRect(-1).IsEmpty());
}

TEST(TreeMouse, AFrameDrawnBelowTheLastRowSelectsNothing) {
    MouseTree t;
    t.tree->SetMouseFrameSelect(true);
    const int below = t.RowY(t.e) + 2 * t.tree->LineHeight();
    ASSERT_LT(below + 30, t.View()->ClientHeight());
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, 20, below, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 60, below + 30, MK_LBUTTON);
    ASSERT_TRUE(t.View()->FMouseSel);
    EXPECT_EQ(t.Marked(), "");
    // Drawn up into the last row it takes that row, and leaves it again below.
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 60, t.RowY(t.e), MK_LBUTTON);
    EXPECT_EQ(t.Marked(), "e");
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 60, below + 20, MK_LBUTTON);
    EXPECT_EQ(t.Marked(), "");
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, 60, below + 20);
    EXPECT_FALSE(t.View()->FMouseSel);
    EXPECT_EQ(t.Marked(), "");
}

TEST(TreeMouse, ClicksSelectSinglyByCtrlAndByRange) {
    MouseTree t;
    t.Click(t.b);
    EXPECT_EQ(t.Marked(), "b");
    EXPECT_EQ(t.FocusedText(), "b");
    EXPECT_EQ(t.tree->Selected(), t.b);

    t.Click(t.d, MK_SHIFT); // the range from the anchor
    EXPECT_EQ(t.Marked(), "b c d");
    EXPECT_EQ(t.FocusedText(), "d");
    EXPECT_EQ(t.tree->Selected(), t.b);

    t.Click(t.e, MK_CONTROL);
    EXPECT_EQ(t.Marked(), "b c d e");
    t.Click(t.e, MK_CONTROL); // the focused, selected row
    EXPECT_EQ(t.Marked(), "b c d");

    // With AlwaysKeepSelection the only selected row stays selected.
    t.Click(t.c);
    EXPECT_EQ(t.Marked(), "c");
    t.tree->SetAlwaysKeepSelection(true);
    t.Click(t.c, MK_CONTROL);
    EXPECT_EQ(t.Marked(), "c");
}

TEST(TreeMouse, APressOnASelectedRowKeepsTheSelectionUntilTheRelease) {
    MouseTree t;
    t.Click(t.b);
    t.Click(t.d, MK_SHIFT);
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, t.TextX(t.c), t.RowY(t.c), MK_LBUTTON);
    EXPECT_EQ(t.Marked(), "b c d");
    EXPECT_EQ(t.FocusedText(), "c");
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, t.TextX(t.c), t.RowY(t.c));
    EXPECT_EQ(t.Marked(), "c");
}

TEST(TreeMouse, RightClickKeepsAMultiSelectionAndEmptySpaceClearsIt) {
    MouseTree t;
    t.tree->SetRightClickSelect(true);
    t.Click(t.b);
    t.Click(t.c, MK_CONTROL);
    PostMouse(t.ViewWindow(), WM_RBUTTONDOWN, t.TextX(t.e), t.RowY(t.e), MK_RBUTTON);
    PostMouse(t.ViewWindow(), WM_RBUTTONUP, t.TextX(t.e), t.RowY(t.e));
    EXPECT_EQ(t.Marked(), "b c");

    t.tree->SetAlwaysKeepFocus(true);
    t.tree->SetAlwaysKeepSelection(true);
    PostClick(t.ViewWindow(), 20, 190);
    EXPECT_EQ(t.Marked(), "b c");
    EXPECT_EQ(t.FocusedText(), "c");
    t.tree->SetAlwaysKeepFocus(false);
    t.tree->SetAlwaysKeepSelection(false);
    PostClick(t.ViewWindow(), 20, 190);
    EXPECT_EQ(t.Marked(), "");
    EXPECT_EQ(t.FocusedText(), "none");
}

TEST(TreeMouse, TheButtonTogglesOnceAlsoOnADoubleClick) {
    MouseTree t;
    int doubleClicks = 0;
    t.tree->OnDblClick = [&](TObject*) { ++doubleClicks; };
    t.tree->SetDblClickMode(dcmExpand);
    const TPoint button = t.ButtonCentre(t.a);
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, button.X, button.Y, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, button.X, button.Y);
    EXPECT_TRUE(t.a->Expanded());
    PostMouse(t.ViewWindow(), WM_LBUTTONDBLCLK, button.X, button.Y, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, button.X, button.Y);
    // The first press toggled it; the double click on the button leaves it and is not reported.
    EXPECT_TRUE(t.a->Expanded());
    EXPECT_EQ(doubleClicks, 0);

    // A double click on the text toggles and is reported.
    t.Painted();
    PostMouse(t.ViewWindow(), WM_LBUTTONDBLCLK, t.TextX(t.a), t.RowY(t.a), MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, t.TextX(t.a), t.RowY(t.a));
    EXPECT_FALSE(t.a->Expanded());
    EXPECT_EQ(doubleClicks, 1);
}

TEST(TreeMouse, ThreeStateCheckBoxCyclesBackToUnchecked) {
    MouseTree t;
    t.tree->SetShowCheckboxes(true);
    t.b->SetFlag(ibfShowCheckBox, true);
    t.b->SetFlag(ibfCheckBoxEnabled, true);
    t.b->SetCheckBoxType(ect3SCheckBox);
    t.Painted();
    const TRect row = t.View()->GetItemRect(t.View()->FVisible.IndexOf(t.b));
    const TQZMainCellParts parts = t.View()->MainCellParts(t.b, t.View()->MainCellRect(t.b, row));
    ASSERT_FALSE(parts.CheckBox.IsEmpty());
    const int x = (parts.CheckBox.Left + parts.CheckBox.Right) / 2, y = t.RowY(t.b);
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        PostClick(t.ViewWindow(), x, y);
        states.push_back(t.b->CheckBoxState());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
}

TEST(TreeMouse, FourPixelsStartNoFrameFivePixelsDo) {
    MouseTree t;
    t.tree->SetMouseFrameSelect(true);
    const int x = t.TextX(t.b), y = t.RowY(t.b);
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x + 4, y, MK_LBUTTON);
    EXPECT_FALSE(t.View()->FMouseSel);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x + 5, y, MK_LBUTTON);
    EXPECT_TRUE(t.View()->FMouseSel);
    // Dragging the frame down over c and d selects them with b.
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x + 5, t.RowY(t.d), MK_LBUTTON);
    EXPECT_EQ(t.Marked(), "b c d");
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, x + 5, t.RowY(t.c), MK_LBUTTON);
    EXPECT_EQ(t.Marked(), "b c");
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, x + 5, t.RowY(t.c));
    EXPECT_FALSE(t.View()->FMouseSel);
    EXPECT_EQ(t.Marked(), "b c");
}

namespace {

// One row with three columns; the cell of the last one carries a control.
struct CellControlTree : TreeWindow {
    TQZTreeItem* row = nullptr;
    TQZCellStyle* style = nullptr;
    TQZCellControl* control = new TQZCellControl(); // the style owns it

    CellControlTree() {
        TStringList captions;
        for (const char* caption : {"Name", "Wide", "Control"})
            captions.Add(caption);
        tree->SetHeadersTexts(&captions);
        tree->Header()->Sections()->Item(0)->SetWidth(100);
        tree->Header()->Sections()->Item(1)->SetWidth(250);
        tree->Header()->Sections()->Item(2)->SetWidth(100);
        tree->SetShowColumns(true);
        row = Add(nullptr, "row");
        row->ColumnText()->Add("wide");
        row->ColumnText()->Add("button");
        row->SetUseStyles(true);
        row->AddStyle();
        style = row->AddStyle(); // the style of column 2
        style->SetOwnerProps(false);
        style->SetControl(control);
    }
};

// Tells where it was asked to pop up instead of showing itself.
struct RecordedPopup : TPopupMenu {
    RecordedPopup() : TPopupMenu(nullptr) {}
    void Popup(int X, int Y) override {
        At = Point(X, Y);
        For = PopupComponent();
        ++Count;
    }
    TPoint At;
    TComponent* For = nullptr;
    int Count = 0;
};

} // namespace

TEST(TreeMouse, CellControlsGetTheMouseInCellCoordinatesAlsoWhenScrolledSideways) {
    CellControlTree t;
    TQZCellControl* control = t.control;
    TQZCellStyle* style = t.style;
    std::vector<std::string> seen;
    control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seen.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    };
    control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seen.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    control->OnClick = [&](TObject*) { seen.push_back("click"); };
    PumpMessages();
    t.tree->SetLeftPosition(60);
    PumpMessages();
    ASSERT_EQ(t.tree->LeftPosition(), 60);
    // Column 2 starts at 350 in the tree, at 290 on screen.
    PostClick(t.ViewWindow(), 300, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 10,5", "up 10,5", "click"}));

    // A double click on the cell is the control's, not the tree's.
    int treeDoubleClicks = 0;
    t.tree->OnDblClick = [&](TObject*) { ++treeDoubleClicks; };
    control->OnDblClick = [&](TObject*) { seen.push_back("double"); };
    PostMouse(t.ViewWindow(), WM_LBUTTONDBLCLK, 300, 5, MK_LBUTTON);
    EXPECT_EQ(seen.back(), "double");
    EXPECT_EQ(treeDoubleClicks, 0);

    // A control that goes between the press and the release is not called after it went.
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, 300, 5, MK_LBUTTON);
    const size_t heard = seen.size();
    style->SetControl(nullptr); // frees the control
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, 300, 5);
    EXPECT_EQ(seen.size(), heard);
}

TEST(TreeMouse, TheRightButtonReleasedOverACellPopsUpTheMenuOfItsControl) {
    CellControlTree t;
    PumpMessages();
    TOwnedPtr<RecordedPopup> menu(new RecordedPopup);
    t.control->SetPopupMenu(menu.get());
    std::vector<std::string> seen;
    t.control->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        seen.push_back(std::string(button == mbRight ? "right" : "left") + " up " +
                       std::to_string(x) + "," + std::to_string(y));
    };
    int treeUps = 0;
    t.tree->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++treeUps; };
    // Column 2 starts at 350.
    PostMouse(t.ViewWindow(), WM_RBUTTONDOWN, 360, 5, MK_RBUTTON);
    PostMouse(t.ViewWindow(), WM_RBUTTONUP, 360, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"right up 10,5"}));
    EXPECT_EQ(menu->Count, 1);
    EXPECT_EQ(menu->For, t.control);
    const TPoint screen = t.View()->ClientToScreen(Point(360, 5));
    EXPECT_EQ(menu->At.X, screen.X);
    EXPECT_EQ(menu->At.Y, screen.Y);
    EXPECT_EQ(treeUps, 0); // the menu took the release

    // Without AutoPopup the release goes on to the tree; so it does over another cell.
    menu->AutoPopup = false;
    PostMouse(t.ViewWindow(), WM_RBUTTONDOWN, 360, 5, MK_RBUTTON);
    PostMouse(t.ViewWindow(), WM_RBUTTONUP, 360, 5);
    EXPECT_EQ(menu->Count, 1);
    EXPECT_EQ(treeUps, 1);
    menu->AutoPopup = true;
    PostMouse(t.ViewWindow(), WM_RBUTTONDOWN, 150, 5, MK_RBUTTON);
    PostMouse(t.ViewWindow(), WM_RBUTTONUP, 150, 5);
    EXPECT_EQ(menu->Count, 1);
    EXPECT_EQ(treeUps, 2);

    // A menu that goes is forgotten by the control.
    menu.reset();
    EXPECT_EQ(t.control->PopupMenu(), nullptr);
    PostMouse(t.ViewWindow(), WM_RBUTTONDOWN, 360, 5, MK_RBUTTON);
    PostMouse(t.ViewWindow(), WM_RBUTTONUP, 360, 5);
    EXPECT_EQ(treeUps, 3);
}

TEST(TreeMouse, AFrameDraggedBelowTheRowsScrollsThemOneStepAtATime) {
    TreeWindow t;
    for (int i = 0; i < 40; ++i)
        t.Add(nullptr, "row " + std::to_string(i));
    t.tree->SetMultiSelect(true);
    t.tree->SetMouseFrameSelect(true);
    PumpMessages();
    const int h = t.View()->ClientHeight();
    PostMouse(t.ViewWindow(), WM_LBUTTONDOWN, 20, 5, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 26, 40, MK_LBUTTON);
    ASSERT_TRUE(t.View()->FMouseSel);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 20, h + 10, MK_LBUTTON);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 20, h + 10, MK_LBUTTON);
    EXPECT_EQ(t.tree->TopIndex(), 2);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 20, h - 2, MK_LBUTTON);
    const auto* last = static_cast<TQZTreeItem*>(t.View()->FVisible.Last());
    EXPECT_TRUE(last->Selected());
    EXPECT_TRUE(t.tree->Items()->Item(0)->Selected()); // the frame's start scrolled away
    PostMouse(t.ViewWindow(), WM_LBUTTONUP, 20, h - 2);
    EXPECT_FALSE(t.View()->FMouseSel);
}
