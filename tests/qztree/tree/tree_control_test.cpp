#include "qztree/base/tree_buttons.h"
#include "qztree/header/header.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/tree.h"
#include "qztree/tree/view/tree_drag_object.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/streams.h"
#include "rtl/string_list.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"
#include "vcl/user_input.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A tree that counts the rows it paints.
class TPaintCountingTree : public TQZTree {
public:
    using TQZTree::TQZTree;
    int RowsPainted = 0;
    void TriggerItemPostDrawEvent(TCanvas*, TQZTreeItem*, const TRect&, bool&) override {
        ++RowsPainted;
    }
};

// A shown form with a tree of Count top-level rows "row 0", "row 1", ...
struct TTreeOnForm {
    explicit TTreeOnForm(int Count, int Width = 300, int Height = 200)
        : Form(MakeShownForm(Width + 50, Height + 50)) {
        Tree = new TPaintCountingTree(Form.get());
        Tree->SetUseXPThemes(false);
        Tree->SetBounds(10, 10, Width, Height);
        Tree->SetParent(Form.get());
        {
            TQZTreeLock lock(Tree);
            for (int i = 0; i < Count; ++i)
                Tree->Items()->AddChild(nullptr, "row " + std::to_string(i));
        }
        PumpMessages();
    }
    TQZTreeView* View() const { return Tree->ViewControl(); }
    HWND ViewHandle() const { return View()->Handle(); }
    TOwnedPtr<TForm> Form;
    TPaintCountingTree* Tree;
};

} // namespace

TEST(TreeControl, NewTreeHoldsItsDefaults) {
    auto tree = MakeOwned<TQZTree>();
    EXPECT_FALSE(tree->ShowColumns());
    EXPECT_FALSE(tree->HorzScrollBarVisible());
    EXPECT_FALSE(tree->VertScrollBarVisible());
    EXPECT_EQ(tree->ItemIndent(), 17);
    EXPECT_EQ(tree->CheckBoxSize(), 15);
    EXPECT_EQ(tree->LineHeight(), tree->DefineLineHeight());
    EXPECT_EQ(tree->Width(), 200);
    EXPECT_EQ(tree->Height(), 100);
    EXPECT_TRUE(tree->ShowButtons() && tree->ShowLines() && tree->ShowRootButtons());
    EXPECT_FALSE(tree->ShowRoot() || tree->ShowLeafButton() || tree->ShowCheckboxes());
    EXPECT_TRUE(tree->RowSelect() && tree->FullRowSelect() && tree->AutoLineHeight());
    EXPECT_EQ(tree->SelectColumn(), -1);
    EXPECT_EQ(tree->MainTreeColumn(), 0);
    EXPECT_EQ(tree->LinesStyle(), psDot);
    EXPECT_EQ(tree->LinesColor(), clBtnFace);
    EXPECT_EQ(tree->BkColor(), clWindow);
    EXPECT_EQ(tree->BackgroundType(), bgtColorFill);
    EXPECT_EQ(tree->GradientSteps(), 64);
    EXPECT_EQ(tree->OwnerDrawMask(), "~~@~~");
    EXPECT_EQ(tree->PathSeparator(), '\\');
    EXPECT_EQ(tree->ChangeDelay(), 500);
    EXPECT_EQ(tree->DragTrgDrawMode(), SelColorRect);
    EXPECT_EQ(tree->DragType(), dtVornel);
    EXPECT_EQ(tree->LineHintMode(), shmLong);
    EXPECT_EQ(tree->LineHintTimeout(), 3000);
    EXPECT_EQ(tree->DblClickMode(), dcmExpand);
    EXPECT_TRUE(tree->ExpandOnDblClick());
    EXPECT_EQ(tree->BorderStyle(), bsSingle);
    EXPECT_TRUE(tree->TabStop());
    EXPECT_EQ(tree->StripedOddColor(), clBtnShadow);
    EXPECT_EQ(tree->StripedEvenColor(), clBtnHighlight);
    EXPECT_EQ(tree->ActiveBorderType(), fbtSunken);
    EXPECT_EQ(tree->InactiveBorderType(), fbtSunkenOuter);
    EXPECT_TRUE(tree->UseCustomScrollBars());
}

TEST(TreeControl, DoubleClickModeAndExpandOnDoubleClickFollowEachOther) {
    auto tree = MakeOwned<TQZTree>();
    tree->SetDblClickMode(dcmNone);
    EXPECT_FALSE(tree->ExpandOnDblClick());
    tree->SetExpandOnDblClick(true);
    EXPECT_EQ(tree->DblClickMode(), dcmExpand);
}

TEST(TreeControl, OutOfRangeValuesBecomeTheirNeutralOnes) {
    auto tree = MakeOwned<TQZTree>();
    tree->SetMainTreeColumn(-3);
    EXPECT_EQ(tree->MainTreeColumn(), 0);
    tree->SetMainTreeColumn(5); // no sections
    EXPECT_EQ(tree->MainTreeColumn(), 0);
    tree->SetSortSection(-7);
    EXPECT_EQ(tree->SortSection(), -1);
    tree->SetChangeDelay(-20);
    EXPECT_EQ(tree->ChangeDelay(), 0);
    tree->SetSelectColumn(-5);
    EXPECT_EQ(tree->SelectColumn(), -1);

    // LineHeight is ignored under AutoLineHeight; without it, 0 or less asks for the defined one.
    tree->SetLineHeight(40);
    EXPECT_EQ(tree->LineHeight(), tree->DefineLineHeight());
    tree->SetAutoLineHeight(false);
    tree->SetLineHeight(40);
    EXPECT_EQ(tree->LineHeight(), 40);
    tree->SetLineHeight(-5);
    EXPECT_EQ(tree->LineHeight(), tree->DefineLineHeight());
}

TEST(TreeControl, RowHeightComesFromIndentFontImagesAndGridLines) {
    auto tree = MakeOwned<TQZTree>();
    tree->Font()->SetHeight(-11);
    EXPECT_EQ(tree->DefineLineHeight(), 17);
    tree->SetHorizontalLines(true);
    EXPECT_EQ(tree->DefineLineHeight(), 18);
    tree->SetBarStyle(true);
    EXPECT_EQ(tree->DefineLineHeight(), 19);
    tree->SetBarStyle(false);
    tree->SetHorizontalLines(false);
    tree->Font()->SetHeight(20);
    EXPECT_EQ(tree->DefineLineHeight(), 22);
    EXPECT_EQ(tree->LineHeight(), 22); // the font change took it
}

TEST(TreeControl, SavesItsTextsIndentedByLevel) {
    auto tree = MakeOwned<TQZTree>();
    TQZTreeItem* a = tree->Items()->AddChild(nullptr, "A");
    TQZTreeItem* b = tree->Items()->AddChild(a, "B");
    tree->Items()->AddChild(b, "C");
    TMemoryStream stream;
    tree->SaveStringsToStream(stream);
    const std::string text(stream.Bytes().begin(), stream.Bytes().end());
    EXPECT_EQ(text, "A\r\nB\r\n C\r\n");
    EXPECT_EQ(tree->MeasureColumnWidth(3, true), 0);
}

TEST(TreeView, RowsOnScreenFollowHeightAndTopIndex) {
    TTreeOnForm f(20, 200, 100);
    f.Tree->SetAutoLineHeight(false);
    f.Tree->SetLineHeight(17);
    f.View()->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(f.View()->GetVisCount(), 6);
    EXPECT_EQ(f.View()->GetVisCount2(), 5);
    f.Tree->SetTopIndex(100);
    EXPECT_EQ(f.Tree->TopIndex(), 15);
    f.Tree->SetTopIndex(-4);
    EXPECT_EQ(f.Tree->TopIndex(), 0);

    // Rows that fill the height exactly are followed by one more, wholly below the edge.
    f.View()->SetBounds(0, 0, 200, 102);
    f.View()->FillVisFwd(0);
    EXPECT_EQ(f.View()->FVisible.Count(), 7);
    EXPECT_EQ(TQZTreeView::WheelRows(120, 3), 3);
    EXPECT_EQ(TQZTreeView::WheelRows(120, 0), 1);
    EXPECT_EQ(TQZTreeView::WheelRows(-240, 3), -6);
}

TEST(TreeView, AnEmptyTreeStaysAtTheTop) {
    TTreeOnForm f(0);
    f.View()->DoSetTopIndex(5);
    EXPECT_EQ(f.Tree->TopIndex(), 0);
    EXPECT_EQ(f.Tree->BottomIndex(), 0);
    f.Tree->SetLeftPosition(50);
    EXPECT_EQ(f.Tree->LeftPosition(), 0);
}

TEST(TreeView, WheelAndScrollBarMoveTheRows) {
    TTreeOnForm f(100);
    EXPECT_TRUE(f.Tree->VertScrollBarVisible());
    EXPECT_TRUE(f.Tree->VScrollBar()->Visible());
    EXPECT_EQ(f.Tree->TotalVisCount(), 100);
    f.View()->SetFocus();
    PumpMessages();

    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const TPoint screen = f.View()->ClientToScreen(Point(20, 20));
    PostMessageW(f.ViewHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)),
                 MAKELPARAM(screen.X, screen.Y));
    PumpMessages();
    EXPECT_EQ(f.Tree->TopIndex(), TQZTreeView::WheelRows(120, int(lines)));
    const int afterWheel = f.Tree->TopIndex();

    // A click on the bar's lower arrow moves one row down; the bar shows the new top.
    TQZScrollBar* bar = f.Tree->VScrollBar();
    const int x = bar->Width() / 2, y = bar->Height() - 3;
    PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
    EXPECT_EQ(f.Tree->TopIndex(), afterWheel + 1);
    EXPECT_EQ(bar->Position(), f.Tree->TopIndex());
    auto* first = static_cast<TQZTreeItem*>(f.View()->FVisible.First());
    EXPECT_EQ(first->Text(), "row " + std::to_string(afterWheel + 1));
}

TEST(TreeView, PaintsRowsWithTheSelectionColours) {
    TTreeOnForm f(5);
    f.Tree->SetMultiSelect(true);
    TQZTreeItem* second = f.Tree->Items()->Item(1);
    f.Tree->SetFocused(second);
    second->SetSelected(true);
    PumpMessages();
    TPaintedPixels pixels(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    const int line = f.Tree->LineHeight();
    // With RowSelect the selected row is filled with the highlight colour across the view.
    EXPECT_EQ(pixels.At(f.View()->ClientWidth() - 5, line + line / 2),
              PixelOf(ColorToRGB(clHighlight)));
    EXPECT_EQ(pixels.At(f.View()->ClientWidth() - 5, line / 2), PixelOf(ColorToRGB(clWindow)));
    // The first row's text is drawn where the row says its text lies.
    TQZTreeItem* first = f.Tree->Items()->Item(0);
    EXPECT_GT(first->TextRight, first->TextLeft);
    int inked = 0;
    for (int x = first->TextLeft; x < first->TextRight; ++x)
        for (int y = 2; y < line - 2; ++y)
            inked += pixels.At(x, y) != PixelOf(ColorToRGB(clWindow));
    EXPECT_GT(inked, 10);
}

TEST(TreeView, APaintUnderTheLockWaitsForItsEnd) {
    TTreeOnForm f(5);
    f.Tree->RowsPainted = 0;
    {
        TQZTreeLock lock(f.Tree);
        InvalidateRect(f.ViewHandle(), nullptr, FALSE);
        PumpMessages();
        EXPECT_EQ(f.Tree->RowsPainted, 0);
        RECT pending{};
        EXPECT_FALSE(GetUpdateRect(f.ViewHandle(), &pending, FALSE)); // taken, not left hanging
    }
    PumpMessages();
    EXPECT_EQ(f.Tree->RowsPainted, 5);
}

TEST(TreeButtons, FollowTheSystemColours) {
    TBitmap bitmap(3, 1);
    bitmap.ScanLine(0)[0] = 0x000000;
    bitmap.ScanLine(0)[1] = 0x808080;
    bitmap.ScanLine(0)[2] = 0xFFFFFF;
    ChangeButtonColors(bitmap, clRed, clLime, clBlue);
    EXPECT_EQ(bitmap.ScanLine(0)[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(bitmap.ScanLine(0)[1] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(bitmap.ScanLine(0)[2] & 0xFFFFFF, 0x0000FFu);
    const TBitmap& plus = TreeButtonBitmap(tbkPlus);
    EXPECT_EQ(plus.Width(), 9);
    EXPECT_EQ(plus.ScanLine(4)[4] & 0xFFFFFF, PixelOf(ColorToRGB(clWindowText)));
    EXPECT_EQ(plus.ScanLine(0)[0] & 0xFFFFFF, PixelOf(ColorToRGB(clBtnShadow)));
}

TEST(CellCheckBox, ClicksWalkTheStatesAndADisabledBoxStaysStill) {
    TQZCellCheckBox box;
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbChecked);
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbUnchecked);
    box.SetState(cbGrayed);
    EXPECT_EQ(box.State(), cbUnchecked); // refused without AllowGrayed
    box.SetAllowGrayed(true);
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbGrayed);
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbChecked);
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbUnchecked);
    EXPECT_EQ(clicks, 5);
    box.SetEnabled(false);
    box.TriggerClickEvent();
    EXPECT_EQ(box.State(), cbUnchecked);
    EXPECT_EQ(clicks, 5);
}

namespace {
std::unique_ptr<TStringList> Lines(std::initializer_list<const char*> texts) {
    auto list = std::make_unique<TStringList>();
    for (const char* text : texts)
        list->Add(text);
    return list;
}
} // namespace

TEST(TreeHeader, HeadersTextsMakeSectionsUpToTheLastTextAndReadBackOnePerSection) {
    auto tree = MakeOwned<TQZTree>();
    TStringList none;
    tree->SetHeadersTexts(&none); // changes nothing
    EXPECT_EQ(tree->HeaderSectionCount(), 0);
    tree->SetShowColumns(true); // refused without sections
    EXPECT_FALSE(tree->ShowColumns());

    tree->SetHeadersTexts(Lines({"", ""}).get());
    EXPECT_EQ(tree->HeaderSectionCount(), 1);

    tree->SetHeadersTexts(Lines({"A", "", "B", "", ""}).get());
    EXPECT_EQ(tree->HeaderSectionCount(), 3);
    EXPECT_EQ(tree->HeadersTexts()->Text(), "A\r\n\r\nB\r\n");
    tree->HeadersTexts()->Put(1, "middle"); // one line set reaches its section
    EXPECT_EQ(tree->Header()->Sections()->Item(1)->Text(), "middle");

    tree->SetShowColumns(true);
    EXPECT_TRUE(tree->ShowColumns());
    tree->SetMainTreeColumn(5);
    EXPECT_EQ(tree->MainTreeColumn(), 0);
    tree->SetMainTreeColumn(2);
    EXPECT_EQ(tree->MainTreeColumn(), 2);
    tree->SetSelectColumn(7); // beyond the sections: ignored
    EXPECT_EQ(tree->SelectColumn(), -1);
}

TEST(TreeHeader, ColumnsShowTheirCellTextsUnderTheHeader) {
    TTreeOnForm f(3, 360, 200);
    f.Tree->SetHeadersTexts(Lines({"Name", "Value", "Note"}).get());
    for (int i = 0; i < 3; ++i)
        f.Tree->Header()->Sections()->Item(i)->SetWidth(100);
    f.Tree->SetShowColumns(true);
    TQZTreeItem* row = f.Tree->Items()->Item(0);
    row->ColumnText()->Add("first value");
    row->ColumnText()->Add("note");
    PumpMessages();
    EXPECT_TRUE(f.Tree->Header()->Visible());
    EXPECT_EQ(f.View()->Top(), f.Tree->Header()->Height());
    EXPECT_EQ(f.Tree->SectionsWidth(), 300);
    const std::vector<TQZColumnSpan> columns = f.Tree->VisibleColumns();
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[1].Left, 100);
    EXPECT_EQ(columns[1].Right, 200);

    TPaintedPixels pixels(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    const int line = f.Tree->LineHeight();
    auto inked = [&](int left, int right) {
        int count = 0;
        for (int x = left; x < right; ++x)
            for (int y = 2; y < line - 2; ++y)
                count += pixels.At(x, y) != PixelOf(ColorToRGB(clWindow));
        return count;
    };
    EXPECT_GT(inked(100, 200), 10); // "first value"
    EXPECT_GT(inked(200, 300), 5);  // "note"
    EXPECT_EQ(inked(300, 350), 0);  // right of the last column
    // A password column shows stars instead of its text, so it inks differently.
    const int plain = inked(100, 200);
    f.Tree->Header()->Sections()->Item(1)->SetPassword(true);
    TPaintedPixels starred(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    int stars = 0;
    for (int x = 100; x < 200; ++x)
        for (int y = 2; y < line - 2; ++y)
            stars += starred.At(x, y) != PixelOf(ColorToRGB(clWindow));
    EXPECT_NE(stars, plain);
}

TEST(TreeDrag, TheDragCursorSaysRefusedMoveOrCopy) {
    TTreeOnForm f(3);
    RegisterTreeDragCursors();
    auto* object = new TQZTreeDragObject(f.Tree);
    EXPECT_EQ(object->GetDragCursor(false, 0, 0), crQZTreeNoDrop);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(object->GetDragCursor(true, 0, 0), crQZTreeMove);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(object->GetDragCursor(true, 0, 0), crQZTreeCopy);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_NE(Screen->Cursors(crQZTreeNoDrop), nullptr);
    object->Finished(nullptr, 0, 0, false); // frees itself

    TDragControlObject plain(f.Form.get());
    TQZTreeDragObject other(f.Form.get());
    EXPECT_EQ(other.GetDragCursor(true, 0, 0), plain.GetDragCursor(true, 0, 0));
}

TEST(TreeControl, AssignCopiesItemsAndOptionsButKeepsTheOwnColumns) {
    auto source = MakeOwned<TQZTree>();
    auto target = MakeOwned<TQZTree>();
    source->Items()->AddChild(nullptr, "x");
    source->Items()->AddChild(source->Items()->Item(0), "y");
    source->SetAutoExpand(true);
    source->SetShowLines(false);
    source->SetBkColor(clYellow);
    target->SetHeadersTexts(Lines({"one", "two"}).get());
    target->Assign(source.get());
    EXPECT_TRUE(target->AutoExpand());
    EXPECT_FALSE(target->ShowLines());
    EXPECT_EQ(target->BkColor(), clYellow);
    ASSERT_EQ(target->Items()->Count(), 2);
    EXPECT_EQ(target->Items()->Item(1)->Text(), "y");
    EXPECT_EQ(target->HeaderSectionCount(), 2);
}

TEST(TreeControl, ImagesSetTheRowHeightAndAreForgottenWhenTheyGo) {
    auto form = MakeShownForm();
    auto* tree = new TQZTree(form.get());
    auto* images = new TImageList(form.get());
    images->SetSize(24, 24);
    tree->SetImages(images);
    EXPECT_EQ(tree->LineHeight(), 24);
    tree->SetShowImages(false);
    EXPECT_EQ(tree->LineHeight(), tree->DefineLineHeight());
    EXPECT_LT(tree->LineHeight(), 24);
    tree->SetShowImages(true);
    images->Free();
    EXPECT_EQ(tree->Images(), nullptr);
    EXPECT_EQ(tree->LineHeight(), tree->DefineLineHeight());
}

TEST(TreeHeader, WideColumnsScrollSidewaysWithTheHeader) {
    TTreeOnForm f(3, 300, 200);
    f.Tree->SetHeadersTexts(Lines({"a", "b", "c"}).get());
    for (int i = 0; i < 3; ++i)
        f.Tree->Header()->Sections()->Item(i)->SetWidth(200);
    f.Tree->SetShowColumns(true);
    PumpMessages();
    ASSERT_TRUE(f.Tree->HorzScrollBarVisible());
    TQZScrollBar* bar = f.Tree->HScrollBar();
    EXPECT_EQ(bar->Top() + bar->Height(), f.Tree->ClientHeight());
    // The right arrow moves 4 pixels; the header follows the rows.
    const int x = bar->Width() - 3, y = bar->Height() / 2;
    PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
    EXPECT_EQ(f.Tree->LeftPosition(), 4);
    EXPECT_EQ(f.Tree->Header()->LeftPos(), 4);
    f.Tree->SetLeftPosition(100000);
    EXPECT_EQ(f.Tree->LeftPosition(), 600 - f.View()->Width());
    f.Tree->SetLeftPosition(-50);
    EXPECT_EQ(f.Tree->LeftPosition(), 0);
}

TEST(TreeView, VirtualRowsAskForTheirTexts) {
    class TVirtualTree : public TPaintCountingTree {
    public:
        using TPaintCountingTree::TPaintCountingTree;
        int Asked = 0;
        void TriggerVirtualTextNeeded(TQZTreeItem*, int, std::string& Text) override {
            ++Asked;
            Text = "virtual";
        }
    };
    auto form = MakeShownForm();
    auto* tree = new TVirtualTree(form.get());
    tree->SetParent(form.get());
    tree->SetHeadersTexts(Lines({"a", "b"}).get());
    tree->SetShowColumns(true);
    tree->Items()->AddChild(nullptr, "row");
    tree->SetVirtualityLevel(vlTextAndStyles);
    EXPECT_NE(tree->ViewControl()->VirtStyle, nullptr);
    PumpMessages();
    TPaintedPixels pixels(tree->ViewControl(), 100, 50);
    EXPECT_GT(tree->Asked, 0);
    tree->SetVirtualityLevel(vlNone);
    EXPECT_EQ(tree->ViewControl()->VirtStyle, nullptr);
}

TEST(TreeHeader, HeaderOptionsPassToTheHeader) {
    auto tree = MakeOwned<TQZTree>();
    EXPECT_EQ(tree->HintType(), shtHintOrText);
    EXPECT_FALSE(tree->HeaderHotTrack());
    tree->SetHeaderHotTrack(true);
    EXPECT_TRUE(tree->Header()->Tracking());
    tree->SetHeaderFlat(true);
    EXPECT_TRUE(tree->Header()->Flat());
    tree->SetStickyHeaderSections(true);
    EXPECT_TRUE(tree->Header()->StickySections());
    tree->SetDefaultSectionWidth(77);
    EXPECT_EQ(tree->Header()->DefaultWidth(), 77);
    tree->SetDraggableSections(true);
    EXPECT_TRUE(tree->Header()->AllowDrag());
    // The header takes the tree's font unless told to use its own.
    tree->Font()->SetHeight(-20);
    EXPECT_EQ(tree->Header()->Font()->Height(), -20);
    TFont own;
    own.SetHeight(-9);
    tree->SetHeaderFont(&own);
    tree->SetHeaderUseTreeFont(false);
    EXPECT_EQ(tree->Header()->Font()->Height(), -9);
}

TEST(TreeView, TheWindowsOwnBarsScrollLikeTheCustomOnes) {
    TTreeOnForm f(100);
    f.Tree->SetUseCustomScrollBars(false);
    PumpMessages();
    EXPECT_FALSE(f.Tree->VScrollBar()->Visible());
    PostMessageW(f.Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    PostMessageW(f.Tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    PumpMessages();
    EXPECT_EQ(f.Tree->TopIndex(), 2);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    GetScrollInfo(f.Tree->Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, 2);
    PostMessageW(f.Tree->Handle(), WM_VSCROLL, SB_PAGEUP, 0);
    PumpMessages();
    EXPECT_EQ(f.Tree->TopIndex(), 0);
}

namespace {
class TLoadingTree : public TQZTree {
public:
    using TComponent::BeginLoading;
    using TComponent::EndLoading;
    using TQZTree::TQZTree;
};
} // namespace

TEST(TreeControl, LoadingKeepsWhatItReadsAndSettlesItWhenItEnds) {
    auto form = MakeShownForm();
    auto* tree = new TLoadingTree(form.get());
    tree->SetParent(form.get());
    tree->BeginLoading();
    tree->SetShowColumns(true); // kept without sections while loading
    EXPECT_TRUE(tree->ShowColumns());
    tree->SetHeadersTexts(Lines({"a", "b"}).get());
    tree->SetLockHeaderHeight(true); // else the header fits its height to its font
    tree->SetHeaderHeight(40);       // applied when loading ends
    tree->SetSelectColumn(5);        // beyond the sections: kept now, dropped at the end
    EXPECT_EQ(tree->SelectColumn(), 5);
    tree->SetSortMode(smAdd);
    tree->Items()->AddChild(nullptr, "c");
    tree->Items()->AddChild(nullptr, "a");
    tree->Items()->AddChild(nullptr, "b");
    tree->EndLoading();
    EXPECT_EQ(tree->HeaderHeight(), 40);
    EXPECT_EQ(tree->SelectColumn(), -1);
    EXPECT_EQ(tree->Items()->Item(0)->Text(), "a");
    EXPECT_EQ(tree->Items()->Item(2)->Text(), "c");
}

TEST(TreeView, TheDragImageHoldsTheSelectedRows) {
    TTreeOnForm f(6);
    f.Tree->SetMultiSelect(true);
    f.Tree->Items()->Item(1)->SetSelected(true);
    f.Tree->Items()->Item(3)->SetSelected(true);
    PumpMessages();
    const int line = f.Tree->LineHeight();
    f.View()->FillDragImage();
    EXPECT_EQ(f.View()->GetDragImages(), nullptr); // dimNever
    f.Tree->SetDragImageMode(dimOne);
    f.View()->FillDragImage();
    EXPECT_EQ(f.View()->GetDragImages(), nullptr); // two rows selected
    f.Tree->SetDragImageMode(dimAll);
    f.View()->FillDragImage();
    ASSERT_NE(f.View()->GetDragImages(), nullptr);
    EXPECT_EQ(f.View()->GetDragImages()->Height(), 3 * line);
    EXPECT_EQ(f.View()->GetDragImages()->Count(), 1);
    EXPECT_EQ(f.View()->FDDY, line);
}

TEST(TreeView, StripesFollowTheRowsWhenTheyScroll) {
    TTreeOnForm f(30);
    f.Tree->SetStripedItems(true);
    f.Tree->SetStripedOddColor(clRed);
    f.Tree->SetStripedEvenColor(clLime);
    const int line = f.Tree->LineHeight();
    const int x = f.View()->ClientWidth() - 3;
    TPaintedPixels before(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    EXPECT_EQ(before.At(x, line / 2), PixelOf(clLime)); // row 0
    EXPECT_EQ(before.At(x, line + line / 2), PixelOf(clRed));
    f.Tree->SetTopIndex(1);
    TPaintedPixels after(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    EXPECT_EQ(after.At(x, line / 2), PixelOf(clRed)); // row 1 keeps its colour at the top
}

TEST(TreeView, DottedLinesShareOneCheckerboard) {
    TTreeOnForm f(3);
    f.Tree->SetShowRoot(true);
    f.Tree->SetLinesColor(clRed);
    TQZTreeItem* parent = f.Tree->Items()->Item(0);
    f.Tree->Items()->AddChild(parent, "child");
    parent->Expand(false);
    PumpMessages();
    TPaintedPixels pixels(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    int dots = 0, offGrid = 0;
    for (int y = 0; y < 4 * f.Tree->LineHeight(); ++y)
        for (int x = 0; x < 3 * f.Tree->ItemIndent(); ++x)
            if (pixels.At(x, y) == PixelOf(clRed)) {
                ++dots;
                offGrid += (x + y) % 2;
            }
    EXPECT_GT(dots, 10);
    EXPECT_EQ(offGrid, 0);
}

TEST(TreeView, ACellThatHoldsTheMaskIsLeftToTheOwner) {
    class TOwnerDrawTree : public TPaintCountingTree {
    public:
        using TPaintCountingTree::TPaintCountingTree;
        std::vector<int> Drawn;
        void DoItemDraw(TQZTreeItem*, TCanvas*, int SectionIndex, const TRect&) override {
            Drawn.push_back(SectionIndex);
        }
    };
    auto form = MakeShownForm();
    auto* tree = new TOwnerDrawTree(form.get());
    tree->SetParent(form.get());
    tree->SetHeadersTexts(Lines({"a", "b", "c"}).get());
    tree->SetShowColumns(true);
    tree->SetOwnerDrawByColumn(false);
    TQZTreeItem* row = tree->Items()->AddChild(nullptr, "plain");
    row->ColumnText()->Add("~~@~~");
    row->ColumnText()->Add("text");
    PumpMessages();
    tree->Drawn.clear();
    TPaintedPixels pixels(tree->ViewControl(), 100, 50);
    EXPECT_EQ(tree->Drawn, std::vector<int>{1});
}

TEST(TreeControl, FilteringMovesFocusAndAnchorOffHiddenItems) {
    TTreeOnForm f(0);
    TQZTree& tree = *f.Tree;
    TQZTreeItem* a = tree.Items()->AddChild(nullptr, "a");
    TQZTreeItem* b = tree.Items()->AddChild(a, "b");
    TQZTreeItem* c = tree.Items()->AddChild(nullptr, "c");
    a->Expand(false);
    tree.SetFilteredVisibility(true);
    tree.SetFocused(b);
    b->SetHidden(true);
    EXPECT_EQ(tree.GetFocused(), a); // the parent stands in
    tree.SetFocused(a);
    a->SetHidden(true);
    EXPECT_EQ(tree.GetFocused(), c); // no earlier shown item: the next one
    EXPECT_EQ(tree.TotalVisCount(), 1);
}

TEST(TreeView, HiddenAndForcedScrollBars) {
    TTreeOnForm many(100);
    many.Tree->SetHideVertScrollBar(true);
    PumpMessages();
    EXPECT_FALSE(many.Tree->VertScrollBarVisible());
    EXPECT_FALSE(many.Tree->VScrollBar()->Visible());
    EXPECT_EQ(many.View()->Left() + many.View()->Width(), many.Tree->ClientWidth());

    TTreeOnForm few(1);
    EXPECT_FALSE(few.Tree->VertScrollBarVisible());
    few.Tree->SetForcedScrollBars(TQZScrollBarSides{sbsVertical});
    PumpMessages();
    EXPECT_TRUE(few.Tree->VertScrollBarVisible());
}

TEST(TreeView, ARightAlignedTreeLaysTheMainColumnOutFromTheRight) {
    TTreeOnForm f(0, 200, 100);
    TQZTreeItem* parent = f.Tree->Items()->AddChild(nullptr, "parent");
    f.Tree->Items()->AddChild(parent, "child");
    const int indent = f.Tree->ItemIndent();
    const TRect cell = Rect(0, 0, 200, 17);
    const TQZMainCellParts left = f.View()->MainCellParts(parent, cell);
    EXPECT_EQ(left.Button.Left, 0);
    EXPECT_EQ(left.TextLeft, indent + indent / 3);

    f.Tree->SetRightAlignedTree(true);
    const TQZMainCellParts right = f.View()->MainCellParts(parent, cell);
    EXPECT_EQ(right.Button.Right, 200);
    EXPECT_EQ(right.Button.Left, 200 - indent);
    EXPECT_EQ(right.TextRight, 200 - indent - indent / 3);
    PumpMessages();
    TPaintedPixels pixels(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    const int w = f.View()->ClientWidth();
    int buttonInk = 0;
    for (int x = w - indent; x < w; ++x)
        for (int y = 0; y < f.Tree->LineHeight(); ++y)
            buttonInk += pixels.At(x, y) == PixelOf(ColorToRGB(clBtnShadow));
    EXPECT_GT(buttonInk, 10); // the button's frame at the right end
    EXPECT_GT(parent->TextRight, parent->TextLeft);
    EXPECT_LE(parent->TextRight, w - indent);
}

TEST(TreeHeader, AMainColumnBeyondTheSectionsFallsBackToTheFirst) {
    TTreeOnForm f(2);
    f.Tree->SetHeadersTexts(Lines({"a", "b", "c"}).get());
    f.Tree->SetShowColumns(true);
    f.Tree->SetMainTreeColumn(2);
    EXPECT_EQ(f.Tree->MainTreeColumn(), 2);
    TQZHeaderSections* sections = f.Tree->Header()->Sections();
    sections->DeleteSection(sections->Item(2));
    TPaintedPixels pixels(f.View(), f.View()->ClientWidth(), f.View()->ClientHeight());
    EXPECT_EQ(f.Tree->MainTreeColumn(), 0);
}

TEST(TreeControl, BorderSidesLeftOutGiveTheirWidthToTheClientArea) {
    TTreeOnForm f(3);
    const int full = f.Tree->ClientWidth();
    const int border = GetSystemMetrics(f.Tree->Ctl3D() ? SM_CXEDGE : SM_CXBORDER);
    f.Tree->SetBorderSides(TQZBorderSides{ebsTop, ebsBottom});
    PumpMessages();
    EXPECT_EQ(f.Tree->ClientWidth(), full + 2 * border);
    EXPECT_EQ(f.View()->Width() +
                  (f.Tree->VScrollBar()->Visible() ? f.Tree->VScrollBar()->Width() : 0),
              f.Tree->ClientWidth());
}
