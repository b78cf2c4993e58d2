// What the tree's header, scroll bars and painting raise reaches the form through the tree's own
// events, driven by clicks and paints of the real windows.
#include "../tree_window.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "rtl/string_list.h"

#include <gtest/gtest.h>

namespace {

// A tree of 40 rows under a header of two sections, "Name" 100 and "Size" 80 pixels wide.
struct ColumnsTree : TreeWindow {
    ColumnsTree() {
        TStringList captions;
        captions.Add("Name");
        captions.Add("Size");
        tree->SetHeadersTexts(&captions);
        Section(0)->SetWidth(100);
        Section(1)->SetWidth(80);
        tree->SetShowColumns(true);
        for (int i = 0; i < 40; ++i)
            Add(nullptr, "row " + std::to_string(i));
        PumpMessages();
    }
    TQZHeader* Header() const { return tree->Header(); }
    HWND HeaderWindow() const { return Header()->Handle(); }
    TQZHeaderSection* Section(int i) const { return Header()->Sections()->Item(i); }
    // A point of a section that shows the given part: the signs' right edge, as their click
    // boxes may be narrower than where they are drawn.
    TPoint PartOf(TQZHeaderSection* section, TQZSectionPart wanted) const {
        const TRect r = Header()->GetSectionRect(section->Index());
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Right - 1; x >= r.Left; --x) {
                TQZSectionPart part = espText;
                if (Header()->GetSectionAtEx(x, y, part) == section && part == wanted)
                    return Point(x, y);
            }
        return Point(-1, -1);
    }
};

} // namespace

TEST(TreeRelays, TheHeadersPressAndOwnerDrawnSectionsReachTheTreeWithTheHeaderAsSender) {
    ColumnsTree t;
    std::vector<std::string> seen;
    t.tree->OnHeaderMouseDown = [&](TObject* sender, TMouseButton button, TShiftState, int x,
                                    int y) {
        EXPECT_EQ(sender, t.Header());
        seen.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," +
                       std::to_string(y));
    };
    t.tree->OnHeaderColumnDraw = [&](TObject* sender, TCanvas* canvas, TQZHeaderSection* section,
                                     const TRect& r, bool) {
        EXPECT_EQ(sender, t.Header());
        EXPECT_NE(canvas, nullptr);
        seen.push_back("draw " + section->Text() + " " + std::to_string(r.Width()));
    };
    PostMouse(t.HeaderWindow(), WM_RBUTTONDOWN, 30, 4, MK_RBUTTON);
    PostMouse(t.HeaderWindow(), WM_RBUTTONUP, 30, 4);
    t.Section(1)->SetStyle(QZhsOwnerDraw);
    t.Header()->Invalidate();
    UpdateWindow(t.HeaderWindow());
    PumpMessages();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], "down " + std::to_string(mbRight) + " 30,4");
    EXPECT_EQ(seen[1].rfind("draw Size ", 0), 0u) << seen[1];
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].rfind("draw Size", 0), 0u) << "only the owner-drawn section";
}

TEST(TreeRelays, HeaderSignsResizesAndMeasuresAreTheTrees) {
    ColumnsTree t;
    std::vector<std::string> seen;
    auto sender = [&](TObject* s) { EXPECT_EQ(s, t.tree); };
    t.tree->OnHeaderSectionExpand = [&](TObject* s, TQZHeaderSection* section) {
        sender(s);
        seen.push_back("expand " + section->Text());
    };
    t.tree->OnHeaderSectionCollapse = [&](TObject* s, TQZHeaderSection* section) {
        sender(s);
        seen.push_back("collapse " + section->Text());
    };
    t.tree->OnHeaderSectionFilterCall = [&](TObject* s, int index) {
        sender(s);
        seen.push_back("filter " + std::to_string(index));
    };
    t.tree->OnHeaderResize = [&](TObject* s) {
        sender(s);
        seen.push_back("resize");
    };
    t.tree->OnHeaderSectionMeasure = [&](TObject* s, TQZHeaderSection* section, TPoint& size) {
        sender(s);
        seen.push_back("measure " + section->Text());
        size = Point(200, 10);
    };

    t.Section(0)->SetExpandable(true);
    t.Section(1)->SetFilterEnabled(true);
    t.Header()->Invalidate();
    PumpMessages();
    const TPoint sign = t.PartOf(t.Section(0), espExpandSign);
    ASSERT_GE(sign.X, 0);
    const bool wasExpanded = t.Section(0)->Expanded();
    PostClick(t.HeaderWindow(), sign.X, sign.Y);
    PostClick(t.HeaderWindow(), sign.X, sign.Y);
    EXPECT_EQ(t.Section(0)->Expanded(), wasExpanded) << "twice: back as it was";
    const TPoint filter = t.PartOf(t.Section(1), espFilterSign);
    ASSERT_GE(filter.X, 0);
    PostClick(t.HeaderWindow(), filter.X, filter.Y);
    t.Section(1)->SetStyle(QZhsOwnerDraw);
    const int measured = t.Header()->MeasureSectionWidth(t.Section(1));
    EXPECT_GT(measured, 200) << "the handler's size counts";
    const std::string first = wasExpanded ? "collapse Name" : "expand Name";
    const std::string second = wasExpanded ? "expand Name" : "collapse Name";
    EXPECT_EQ(seen, (std::vector<std::string>{first, second, "filter 1", "measure Size"}));

    // A new header font makes the header taller: the tree lays itself out, then tells.
    seen.clear();
    const int rowsTop = t.View()->Top();
    t.tree->SetHeaderUseTreeFont(false);
    t.tree->HeaderFont()->SetHeight(-30);
    PumpMessages();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "resize");
    EXPECT_GT(t.View()->Top(), rowsTop);
}

TEST(TreeRelays, AnAutoSizeRequestTheTreeLeavesAloneReachesItsHandler) {
    ColumnsTree t;
    std::vector<int> asked;
    t.tree->OnHeaderSectionAutoSize = [&](TObject* sender, int index) {
        EXPECT_EQ(sender, t.tree);
        asked.push_back(index);
    };
    auto doubleClickGrip = [&](TQZHeaderSection* section) {
        const TRect r = t.Header()->GetSectionRect(section->Index());
        const TPoint grip = Point(r.Right - 1, r.Height() / 2);
        const TPoint screen = t.Header()->ClientToScreen(grip);
        SetCursorPos(screen.X, screen.Y);
        PostMouse(t.HeaderWindow(), WM_LBUTTONDBLCLK, grip.X, grip.Y, MK_LBUTTON);
        PostMouse(t.HeaderWindow(), WM_LBUTTONUP, grip.X, grip.Y);
    };
    // With AutoResizeColumns the tree fits the column to its cells itself.
    doubleClickGrip(t.Section(0));
    EXPECT_TRUE(asked.empty());
    EXPECT_LT(t.Section(0)->Width(), 100) << "short rows: a narrower column";

    t.tree->SetAutoResizeColumns(false);
    t.Section(0)->SetWidth(100);
    PumpMessages();
    doubleClickGrip(t.Section(0));
    EXPECT_EQ(asked, std::vector<int>{0});
    EXPECT_EQ(t.Section(0)->Width(), 100) << "left to the handler";
    // Off the grip, so that the split cursor it showed goes with the header.
    const TPoint off = t.Header()->ClientToScreen(Point(20, 4));
    SetCursorPos(off.X, off.Y);
    PostMouse(t.HeaderWindow(), WM_MOUSEMOVE, 20, 4);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST(TreeRelays, TheBarsDrawingHitTestsAndTrackHintsAreTheTrees) {
    TreeWindow t;
    for (int i = 0; i < 40; ++i) // longer and more rows than the tree shows: both bars
        t.Add(nullptr, "row " + std::to_string(i) + std::string(60, 'w'));
    PumpMessages();
    TQZScrollBar* vbar = t.tree->VScrollBar();
    TQZScrollBar* hbar = t.tree->HScrollBar();
    ASSERT_TRUE(t.tree->VertScrollBarVisible());
    ASSERT_TRUE(t.tree->HorzScrollBarVisible());

    std::vector<TQZScrollBarPart> drawnV, drawnH;
    t.tree->OnVertScrollDrawPart = [&](TObject* s, TCanvas*, const TRect&, TQZScrollBarPart part,
                                       bool, bool, bool, bool& defaultDraw) {
        EXPECT_EQ(s, t.tree);
        drawnV.push_back(part);
        defaultDraw = true;
    };
    t.tree->OnHorzScrollDrawPart = [&](TObject* s, TCanvas*, const TRect&, TQZScrollBarPart part,
                                       bool, bool, bool, bool&) {
        EXPECT_EQ(s, t.tree);
        drawnH.push_back(part);
    };
    vbar->SetOwnerDraw(true);
    hbar->SetOwnerDraw(true);
    vbar->Invalidate();
    hbar->Invalidate();
    PumpMessages();
    EXPECT_FALSE(drawnV.empty());
    EXPECT_FALSE(drawnH.empty());

    // A hit test that answers "nowhere" keeps a click on the down arrow from scrolling.
    int tests = 0;
    t.tree->OnVertScrollHitTest = [&](TObject* s, int, int, TQZScrollBarPart& part,
                                      bool& defaultTest) {
        EXPECT_EQ(s, t.tree);
        ++tests;
        part = sbpNowhere;
        defaultTest = false;
    };
    const int x = vbar->ClientWidth() / 2, y = vbar->ClientHeight() - 3;
    PostClick(vbar->Handle(), x, y);
    EXPECT_GT(tests, 0);
    EXPECT_EQ(t.tree->TopIndex(), 0);
    t.tree->OnVertScrollHitTest = nullptr;
    PostClick(vbar->Handle(), x, y);
    EXPECT_EQ(t.tree->TopIndex(), 1);
    int horzTests = 0;
    t.tree->OnHorzScrollHitTest = [&](TObject* s, int, int, TQZScrollBarPart&, bool&) {
        EXPECT_EQ(s, t.tree);
        ++horzTests;
    };
    PostClick(hbar->Handle(), hbar->ClientWidth() - 3, hbar->ClientHeight() / 2);
    EXPECT_GT(horzTests, 0);
    EXPECT_GT(t.tree->LeftPosition(), 0) << "the default test stood";

    std::string hint;
    t.tree->OnHorzScrollHintNeeded = [&](TObject* s, int position, std::string& text) {
        EXPECT_EQ(s, t.tree);
        text = "at " + std::to_string(position);
    };
    hbar->OnScrollHintNeeded(hbar, 25, hint);
    EXPECT_EQ(hint, "at 25");
}

namespace {

// Counts the pixels of the row band that differ between two paintings of the view.
int RowDifference(const TPaintedPixels& a, const TPaintedPixels& b, const TRect& row) {
    int differ = 0;
    for (int y = row.Top; y < row.Bottom; ++y)
        for (int x = row.Left; x < row.Right; ++x)
            differ += a.At(x, y) != b.At(x, y);
    return differ;
}

} // namespace

TEST(TreeRelays, OnItemPostDrawGetsTheRowAndDecidesItsFocusRectangle) {
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    for (const char* text : {"a", "b", "c"})
        t.Add(nullptr, text);
    TQZTreeItem* b = t.tree->Items()->Item(1);
    t.tree->SetFocused(b);
    PumpMessages();
    TQZTreeView* view = t.View();
    const int w = view->ClientWidth(), h = view->ClientHeight();
    const TRect row = view->GetItemRect(view->FVisible.IndexOf(b));

    t.tree->SetDrawFocusRect(false);
    TPaintedPixels without(view, w, h);
    t.tree->SetDrawFocusRect(true);
    TPaintedPixels with(view, w, h);
    ASSERT_GT(RowDifference(without, with, row), 0) << "the focus rectangle shows";

    bool answer = false;
    std::vector<bool> offered;
    t.tree->OnItemPostDraw = [&](TObject* sender, TCanvas* canvas, TQZTreeItem* item, TRect r,
                                 bool& drawFocusRect) {
        EXPECT_EQ(sender, t.tree);
        EXPECT_NE(canvas, nullptr);
        const TRect expected = view->GetItemRect(view->FVisible.IndexOf(item));
        EXPECT_EQ(r.Top, expected.Top);
        EXPECT_EQ(r.Bottom, expected.Bottom);
        if (item == b) {
            offered.push_back(drawFocusRect);
            drawFocusRect = answer;
        }
    };
    TPaintedPixels refused(view, w, h);
    EXPECT_EQ(RowDifference(without, refused, row), 0);
    t.tree->SetDrawFocusRect(false);
    answer = true;
    TPaintedPixels asked(view, w, h);
    EXPECT_EQ(RowDifference(with, asked, row), 0);
    EXPECT_EQ(offered, (std::vector<bool>{true, false})) << "the tree's setting comes in";
}

namespace {

// A control whose end is counted, kept by the test as a caller keeps its own.
struct CountedControl : TQZCellControl {
    explicit CountedControl(int& Gone) : FGone(Gone) {}
    ~CountedControl() override { ++FGone; }
    int& FGone;
};

} // namespace

TEST(TreeRelays, TheSharedStyleOfVirtualRowsLendsItsControlsAndFreesNone) {
    int gone = 0;
    auto check = std::make_unique<CountedControl>(gone);
    auto button = std::make_unique<CountedControl>(gone);
    {
        ColumnsTree t;
        t.tree->Items()->Item(0)->SetUseStyles(true);
        t.tree->Items()->Item(1)->SetUseStyles(true);
        t.tree->SetVirtualityLevel(vlTextAndStyles);
        int asked = 0;
        t.tree->OnVirtualStyleNeeded = [&](TObject*, TQZTreeItem* item, int, TQZCellStyle* style) {
            ++asked;
            style->SetOwnerProps(false);
            style->SetControl(item->Index() == 0 ? check.get() : button.get());
        };
        t.View()->Invalidate();
        UpdateWindow(t.ViewWindow());
        PumpMessages();
        ASSERT_GT(asked, 1);
        EXPECT_EQ(gone, 0) << "handing the style another control frees none";
        TQZCellStyle* shared = t.View()->VirtStyle.get();
        ASSERT_NE(shared, nullptr);
        EXPECT_TRUE(check->Owner() == shared || button->Owner() == shared);
        // Back to plain rows: the shared style goes and lets its control go.
        t.tree->SetVirtualityLevel(vlNone);
        EXPECT_EQ(gone, 0);
        EXPECT_EQ(check->Owner(), nullptr);
        EXPECT_EQ(button->Owner(), nullptr);
        t.tree->SetVirtualityLevel(vlTextAndStyles);
        t.View()->VirtStyle->SetControl(check.get());
    } // the form and its tree go with a control still lent
    EXPECT_EQ(gone, 0);
    EXPECT_EQ(check->Owner(), nullptr);
    check.reset();
    button.reset();
    EXPECT_EQ(gone, 2) << "each freed once, by its keeper";
}
