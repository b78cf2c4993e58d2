// The tree's frame and the pieces around its rows: the flat border, the window's own scroll
// bars drawn flat, the square between the custom bars, and sideways scrolling kept at the right
// end when the pictures change.
#include "../theme_recorder.h"
#include "../tree_window.h"

#include "qztree/scroll_bar/flat_scroll_bars.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <gtest/gtest.h>

namespace {

const uint32_t Smudge = 0xFF00FF;

// Paints one pixel of the window's frame so that a later repaint of the frame shows.
void SmudgeFrame(HWND Window, int X, int Y) {
    HDC dc = GetWindowDC(Window);
    SetPixel(dc, X, Y, RGB(0xFF, 0x00, 0xFF));
    ReleaseDC(Window, dc);
}

// A tree whose rows need both scroll bars.
void FillWide(TreeWindow& t) {
    for (int i = 0; i < 40; ++i)
        t.Add(nullptr, "row " + std::to_string(i) + std::string(60, 'w'));
    PumpMessages();
}

// Counts the pixels of the window where a reference painting drew, and those that differ.
struct TMatch {
    int Drawn = 0, Differ = 0;
};

// The window as it shows now against the window's own bars drawn flat into a blank bitmap.
TMatch CompareWithFlatBars(HWND Window, bool Focused) {
    RECT wr;
    GetWindowRect(Window, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const uint32_t blank = 0x123456;
    TBitmap reference(w, h), shown(w, h);
    FillSolidRect2(reference.DC(), Rect(0, 0, w, h), TColor(0x563412));
    DrawFlatScrollbars(Window, reference.DC(), Focused, ssBoth);
    HDC dc = GetWindowDC(Window);
    BitBlt(shown.DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ReleaseDC(Window, dc);
    TMatch m;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t want = reference.ScanLine(y)[x] & 0xFFFFFF;
            if (want == blank)
                continue;
            ++m.Drawn;
            if ((shown.ScanLine(y)[x] & 0xFFFFFF) != want)
                ++m.Differ;
        }
    return m;
}

} // namespace

TEST(TreeFrame, FlatFocusedScrollbarsRedrawsTheFrameOnlyOverCustomBarsWithoutATheme) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    t.tree->SetFlat(true);
    t.tree->SetInactiveBorderType(fbtColorLineBorder);
    t.tree->SetLineBorderInactiveColor(clRed);
    RedrawFrame(t.tree);
    const int middle = t.tree->Height() / 2;
    ASSERT_EQ(FramePixel(t.tree->Handle(), 0, middle), PixelOf(clRed));
    SmudgeFrame(t.tree->Handle(), 0, middle);
    ASSERT_EQ(FramePixel(t.tree->Handle(), 0, middle), Smudge);
    t.tree->SetFlatFocusedScrollbars(false);
    PumpMessages();
    EXPECT_EQ(FramePixel(t.tree->Handle(), 0, middle), PixelOf(clRed)) << "custom bars: redrawn";

    // The window's own bars: the option changes what the next frame paint shows, nothing more.
    t.tree->SetUseCustomScrollBars(false);
    PumpMessages();
    RedrawFrame(t.tree);
    ASSERT_EQ(FramePixel(t.tree->Handle(), 0, middle), PixelOf(clRed));
    SmudgeFrame(t.tree->Handle(), 0, middle);
    t.tree->SetFlatFocusedScrollbars(true);
    PumpMessages();
    EXPECT_EQ(FramePixel(t.tree->Handle(), 0, middle), Smudge) << "own bars: left alone";
}

TEST(TreeFrame, FlatFocusedScrollbarsLeavesAThemedFrameAlone) {
    TThemeRecorder themes;
    TreeWindow t;
    t.tree->SetUseXPThemes(true);
    RedrawFrame(t.tree);
    ASSERT_TRUE(TThemeRecorder::Has(0, 0)) << "the themed border";
    TThemeRecorder::Calls.clear();
    t.tree->SetFlatFocusedScrollbars(false);
    PumpMessages();
    EXPECT_FALSE(TThemeRecorder::Has(0, 0));
}

TEST(TreeFrame, ANewImageListKeepsARightAlignedTreeAtItsRightEnd) {
    TreeWindow t;
    t.tree->SetShowEmptyImages(true); // rows without a picture index still make room for one
    FillWide(t);
    t.tree->SetRightAlignedTree(true);
    PumpMessages();
    const int before = t.tree->LeftPosition();
    ASSERT_GT(before, 0);

    auto* images = new TImageList(t.form.get());
    images->SetSize(40, 16);
    t.tree->SetImages(images);
    PumpMessages();
    const int after = t.tree->LeftPosition();
    EXPECT_GT(after, before) << "wider rows: a farther right end";
    EXPECT_EQ(t.tree->HScrollBar()->Position(), after);
    t.tree->SetLeftPosition(1000000);
    EXPECT_EQ(t.tree->LeftPosition(), after) << "already at the end";

    // Pictures of another size in the same list move the end again.
    images->SetSize(8, 16);
    PumpMessages();
    EXPECT_LT(t.tree->LeftPosition(), after);
    const int narrower = t.tree->LeftPosition();
    t.tree->SetLeftPosition(1000000);
    EXPECT_EQ(t.tree->LeftPosition(), narrower);
}

TEST(TreeFrame, TheSquareBetweenTheCustomBarsTakesTheVerticalBarsColour) {
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    FillWide(t);
    ASSERT_TRUE(t.tree->HorzScrollBarVisible());
    t.tree->VScrollBar()->SetColor(clFuchsia);
    t.tree->Invalidate();
    PumpMessages();
    const TRect v = t.tree->VScrollBar()->BoundsRect();
    const TRect h = t.tree->HScrollBar()->BoundsRect();
    ASSERT_EQ(h.Right, v.Left) << "the bar on the right, the square below it";
    HDC dc = GetDC(t.tree->Handle());
    const COLORREF c = GetPixel(dc, (v.Left + v.Right) / 2, (h.Top + h.Bottom) / 2);
    ReleaseDC(t.tree->Handle(), dc);
    EXPECT_EQ(PixelOf(TColor(c)), PixelOf(clFuchsia));
}

// The form hears of new system colours and tells its controls: the tree's header and both bars
// repaint, the bars with their pattern made again in the new colours.
TEST(TreeFrame, ASystemColourChangeReachesTheHeaderAndTheScrollBars) {
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    t.tree->SetShowHeader(true);
    FillWide(t);
    TQZScrollBar* bars[] = {t.tree->HScrollBar(), t.tree->VScrollBar()};
    for (TQZScrollBar* bar : bars) {
        ASSERT_TRUE(bar->Visible());
        bar->SetSystemBkColor(false); // the track takes the dither pattern
    }
    PumpMessages();
    const int element = COLOR_BTNHIGHLIGHT; // the pattern's lighter colour for clBtnFace bars
    const COLORREF old = GetSysColor(element);
    const COLORREF red = RGB(255, 0, 0);
    std::vector<TWinControl*> pieces{t.tree->Header(), bars[0], bars[1]};
    for (TWinControl* piece : pieces)
        SmudgeFrame(piece->Handle(), 2, 2); // the client area of a piece without a frame
    SetSysColors(1, &element, &red);
    SendMessageW(t.form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    PumpMessages();
    std::vector<uint32_t> smudged;
    for (TWinControl* piece : pieces)
        smudged.push_back(FramePixel(piece->Handle(), 2, 2));
    const uint32_t lighter = ScrollBarBlendBitmap()->ScanLine(0)[0] & 0xFFFFFF;
    int redTrack = 0;
    for (TQZScrollBar* bar : bars) {
        TPaintedPixels pixels(bar, bar->Width(), bar->Height());
        const TRect track = bar->Layout().RightBottom;
        for (int y = track.Top; y < track.Bottom; ++y)
            for (int x = track.Left; x < track.Right; ++x)
                redTrack += pixels.At(x, y) == 0xFF0000u;
    }
    SetSysColors(1, &element, &old);
    SendMessageW(t.form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    PumpMessages();
    for (uint32_t pixel : smudged)
        EXPECT_NE(pixel, Smudge);
    EXPECT_EQ(lighter, 0xFF0000u);
    EXPECT_GT(redTrack, 0);
}

TEST(TreeFrame, ThemedTheSquareBetweenTheCustomBarsIsTheBarsBackground) {
    TThemeRecorder themes;
    TreeWindow t;
    t.tree->SetUseXPThemes(true);
    FillWide(t);
    ASSERT_TRUE(t.tree->HorzScrollBarVisible());
    TThemeRecorder::Calls.clear();
    t.tree->Invalidate();
    PumpMessages();
    const TRect v = t.tree->VScrollBar()->BoundsRect();
    const TRect h = t.tree->HScrollBar()->BoundsRect();
    bool drawn = false;
    for (const TThemeRecorder::TCall& c : TThemeRecorder::Calls)
        drawn |= c.Part == SBP_LOWERTRACKVERT && c.State == SCRBS_NORMAL && c.Rect.left == v.Left &&
                 c.Rect.top == v.Bottom && c.Rect.right == v.Right && c.Rect.bottom == h.Bottom;
    EXPECT_TRUE(drawn);
}

TEST(TreeFrame, TheWindowsOwnBarsAreDrawnFlatAndActiveOnlyWhenAskedFor) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    t.tree->SetUseCustomScrollBars(false);
    t.tree->SetFlat(true);
    t.tree->SetActiveBorderType(fbtLineBorder);
    t.tree->SetInactiveBorderType(fbtColorLineBorder);
    FillWide(t);
    const HWND window = t.tree->Handle();
    ASSERT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    RedrawFrame(t.tree);
    TMatch idle = CompareWithFlatBars(window, false);
    EXPECT_GT(idle.Drawn, 200);
    EXPECT_EQ(idle.Differ, 0) << "flat, inactive";
    EXPECT_GT(CompareWithFlatBars(window, true).Differ, 0) << "the two looks differ";

    // A click gives the tree the focus: the bars look active.
    PostClick(t.ViewWindow(), 20, 5);
    PumpMessages();
    RedrawFrame(t.tree);
    EXPECT_EQ(CompareWithFlatBars(window, true).Differ, 0) << "focused";
    // Scrolling has the system repaint its bars; they stay flat.
    t.Key(VK_NEXT);
    PumpMessages();
    ASSERT_GT(t.tree->TopIndex(), 0);
    EXPECT_EQ(CompareWithFlatBars(window, true).Differ, 0) << "after scrolling";

    t.tree->SetFlatFocusedScrollbars(false);
    RedrawFrame(t.tree);
    EXPECT_EQ(CompareWithFlatBars(window, false).Differ, 0) << "never active without the option";

    // Without Flat and theme the system's bars stay as the system draws them.
    t.tree->SetFlat(false);
    RedrawFrame(t.tree);
    EXPECT_GT(CompareWithFlatBars(window, false).Differ, 0);
}
