#include "vcl/controls/panel.h"
#include "vcl/controls/splitter.h"
#include "vcl/controls/status_bar.h"

#include "../user_input.h"
#include "rtl/wide_text.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
std::string PartText(TStatusBar* bar, int part) {
    wchar_t text[256] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, part, LPARAM(text));
    return FromWide(text);
}

struct TSplitLayout {
    TPanel* Side;
    TSplitter* Splitter;
    TPanel* Rest;
};

TSplitLayout MakeSplit(TForm* form, TAlign align) {
    TSplitLayout l{new TPanel(form), new TSplitter(form), new TPanel(form)};
    l.Side->SetParent(form);
    l.Side->SetAlign(align);
    l.Side->SetBounds(0, 0, 100, 100);
    l.Splitter->SetParent(form);
    l.Splitter->SetAlign(align);
    // After the side control, in the direction of the alignment.
    if (align == alLeft)
        l.Splitter->SetLeft(150);
    else
        l.Splitter->SetBounds(0, 150, 100, 3);
    l.Rest->SetParent(form);
    l.Rest->SetAlign(alClient);
    return l;
}

// A press on the splitter's middle, a move by (dx, dy) and the release, on the parent's window.
void DragSplitter(TSplitter* s, int dx, int dy) {
    HWND h = s->Parent()->Handle();
    int x = s->Left() + s->Width() / 2, y = s->Top() + s->Height() / 2;
    PostMouse(h, WM_MOUSEMOVE, x, y);
    PostMouse(h, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    PostMouse(h, WM_MOUSEMOVE, x + dx / 2, y + dy / 2, MK_LBUTTON);
    PostMouse(h, WM_MOUSEMOVE, x + dx, y + dy, MK_LBUTTON);
    PostMouse(h, WM_LBUTTONUP, x + dx, y + dy);
}
} // namespace

TEST(StatusBar, PanelsShowTheirTextsAndWidths) {
    auto form = MakeShownForm();
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    for (const char* text : {"Total threads: 0", "Working threads: 0"})
        bar->Panels()->Add()->SetText(text);
    bar->Panels()->Items(0)->SetWidth(200);
    bar->Panels()->Items(1)->SetWidth(200);
    EXPECT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 0, 0), 2);
    int edges[2] = {};
    SendMessageW(bar->Handle(), SB_GETPARTS, 2, LPARAM(edges));
    EXPECT_EQ(edges[0], 200);
    EXPECT_EQ(edges[1], -1); // the last panel reaches the right edge
    EXPECT_EQ(PartText(bar, 1), "Working threads: 0");
    bar->Panels()->Items(1)->SetText("Working threads: 3");
    EXPECT_EQ(PartText(bar, 1), "Working threads: 3");
    // Aligned to the bottom of the form across its width.
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    EXPECT_EQ(bar->Width(), form->ClientWidth());

    bar->SetSimpleText("Чтение файла...");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartText(bar, 0), "Чтение файла..."); // the simple text reads as part 0
    bar->SetSimplePanel(false);
    EXPECT_EQ(PartText(bar, 0), "Total threads: 0");
}

TEST(Splitter, DraggingSizesTheControlBeforeItWithinMinSize) {
    auto form = MakeShownForm(500, 400);
    TSplitLayout l = MakeSplit(form.get(), alLeft);
    ASSERT_EQ(l.Splitter->Left(), 100);
    int moved = 0;
    l.Splitter->OnMoved = [&](TObject*) { ++moved; };
    DragSplitter(l.Splitter, 50, 0);
    EXPECT_EQ(l.Side->Width(), 150);
    EXPECT_EQ(l.Splitter->Left(), 150);
    EXPECT_EQ(l.Rest->Left(), 153);
    EXPECT_EQ(moved, 1);

    // Neither side gets below MinSize.
    l.Splitter->SetMinSize(40);
    DragSplitter(l.Splitter, -500, 0);
    EXPECT_EQ(l.Side->Width(), 40);
    DragSplitter(l.Splitter, 1000, 0);
    EXPECT_EQ(l.Rest->Width(), 40);
    EXPECT_EQ(moved, 3);
    DragSplitter(l.Splitter, 0, 30); // along the bar: nothing changes
    EXPECT_EQ(moved, 3);
}

TEST(Splitter, UpdateStyleFollowsTheMouseAndTopSplittersSizeHeights) {
    auto form = MakeShownForm(500, 400);
    TSplitLayout l = MakeSplit(form.get(), alTop);
    l.Splitter->SetResizeStyle(rsUpdate);
    std::vector<int> heights;
    l.Side->OnResize = [&](TObject*) { heights.push_back(l.Side->Height()); };
    DragSplitter(l.Splitter, 0, 60);
    EXPECT_EQ(l.Side->Height(), 160);
    EXPECT_EQ(heights, (std::vector<int>{130, 160})); // each move on the way
    EXPECT_EQ(l.Rest->Top(), 163);
}

TEST(Splitter, RightAlignedSplitterWithALineSizesOnRelease) {
    auto form = MakeShownForm(500, 400);
    auto* rest = new TPanel(form.get());
    rest->SetParent(form.get());
    rest->SetAlign(alClient);
    auto* side = new TPanel(form.get());
    side->SetParent(form.get());
    side->SetAlign(alRight);
    side->SetWidth(100);
    auto* splitter = new TSplitter(form.get());
    splitter->SetParent(form.get());
    splitter->SetLeft(300);
    splitter->SetAlign(alRight);
    splitter->SetResizeStyle(rsLine);
    ASSERT_EQ(splitter->Left() + splitter->Width(), side->Left());
    int resized = 0;
    side->OnResize = [&](TObject*) { ++resized; };
    // Leftwards makes the right-hand control wider, once, on release.
    DragSplitter(splitter, -70, 0);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(side->Width(), 170);
    EXPECT_EQ(splitter->Left() + splitter->Width(), side->Left());
}
