#include "../theme_recorder.h"
#include "qztree/base/colors.h"
#include "qztree/base/hint_window.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/scroll_bar/scroll_bar_styles.h"

#include "rtl/published.h"
#include "vcl/core/forms.h"
#include "vcl/core/timer.h"
#include "vcl/user_input.h"
#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A form that writes down the scroll messages its bars send it.
class TScrollRecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::pair<unsigned, uintptr_t>> ScrollMessages;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL)
            ScrollMessages.push_back({Message.Msg, Message.WParam});
        TForm::WndProc(Message);
    }
};

struct TScrollEventLog {
    std::vector<std::pair<TQZScrollCode, int>> Scrolls;
    int Changes = 0;
    bool Refuse = false;
};

struct TBarOnForm {
    explicit TBarOnForm(TScrollBarKind kind = sbHorizontal, int left = 20, int top = 20)
        : Form(CreateComponent<TScrollRecordingForm>(nullptr)) {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(left, top, 300, 300);
        Bar = new TQZScrollBar(Form.get());
        Bar->SetUseXPThemes(false);
        Bar->SetKind(kind);
        Bar->SetParent(Form.get());
        Bar->SetUseSystemMetrics(false);
        Bar->SetButtonSize(17);
        if (kind == sbHorizontal)
            Bar->SetBounds(0, 0, 121, 17);
        else
            Bar->SetBounds(0, 0, 17, 121);
        Bar->OnScroll = [this](TObject*, TQZScrollCode code, int& pos, bool& doChange) {
            Log.Scrolls.push_back({code, pos});
            if (Log.Refuse)
                doChange = false;
        };
        Bar->OnChange = [this](TObject*) { ++Log.Changes; };
        Form->Show();
        Bar->HandleNeeded();
    }
    void Mouse(unsigned msg, int x, int y) {
        SendMessageW(Bar->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     PointToLParam(Point(x, y)));
    }
    TOwnedPtr<TScrollRecordingForm> Form;
    TQZScrollBar* Bar;
    TScrollEventLog Log;
};

TScrollBarModel Model121() {
    TScrollBarModel m;
    m.Length = 121;
    m.Across = 17;
    m.ButtonSize = 17;
    m.SystemThumbSize = 16;
    return m;
}

} // namespace

TEST(ScrollBarGeometry, ThumbLengthAndPlace) {
    TScrollBarModel m = Model121();
    EXPECT_EQ(ScrollButtonLength(m), 17);
    EXPECT_EQ(ThumbLength(m), 12); // MulDiv(14, 87, 101)
    EXPECT_EQ(ThumbPosition(m), 17);
    m.Position = 100;
    EXPECT_EQ(ThumbPosition(m), 92);
    // The last page of positions shares the thumb's end place.
    EXPECT_EQ(PositionAtThumb(m, 92), 87);
    EXPECT_EQ(PositionAtThumb(m, 17), 0);
    // The inverse stays inside the range whatever pixel it is given.
    EXPECT_EQ(PositionAtThumb(m, 500), 100);
    EXPECT_EQ(PositionAtThumb(m, -50), 0);

    m.Page = 0;
    EXPECT_EQ(ThumbLength(m), 16) << "system thumb length";
    m.Max = m.Min;
    EXPECT_EQ(ThumbLength(m), 87) << "fills the track";
    // No room to move the thumb: the start of the range.
    EXPECT_EQ(PositionAtThumb(m, 40), 0);

    TScrollBarModel shortBar = Model121();
    shortBar.Length = 36;
    shortBar.MinThumbSize = 4;
    EXPECT_EQ(ThumbLength(shortBar), 0) << "track of 2 pixels is below the least thumb";
    TScrollBarModel tiny = Model121();
    tiny.Length = 20;
    EXPECT_EQ(ScrollButtonLength(tiny), 10) << "buttons share a short bar";
}

TEST(ScrollBarGeometry, HitTestAndLayoutAgree) {
    TScrollBarModel m = Model121();
    m.Position = 50;
    int thumb = ThumbPosition(m);
    TScrollBarLayout l = LayoutScrollBar(m, thumb, Rect(0, 0, 121, 17));
    EXPECT_EQ(l.LeftArrow, Rect(0, 0, 17, 17));
    EXPECT_EQ(l.RightArrow, Rect(104, 0, 121, 17));
    EXPECT_EQ(l.Thumb.Left, thumb);
    EXPECT_EQ(l.Thumb.Width(), 12);
    EXPECT_EQ(HitTestScrollBar(m, thumb, 5, 5), sbpLeftArrow);
    EXPECT_EQ(HitTestScrollBar(m, thumb, 17, 5), sbpLeftArrow) << "the earlier test wins at B";
    EXPECT_EQ(HitTestScrollBar(m, thumb, 110, 5), sbpRightArrow);
    EXPECT_EQ(HitTestScrollBar(m, thumb, thumb - 1, 5), sbpLeftTop);
    EXPECT_EQ(HitTestScrollBar(m, thumb, l.Thumb.Left + 5, 5), sbpThumb);
    EXPECT_EQ(HitTestScrollBar(m, thumb, l.Thumb.Right, 5), sbpRightBottom);
    EXPECT_EQ(HitTestScrollBar(m, thumb, 50, 17), HitTestScrollBar(m, thumb, 50, 5))
        << "the far edge across the bar still counts";
    EXPECT_EQ(HitTestScrollBar(m, thumb, 50, 18), sbpNowhere);
    EXPECT_EQ(HitTestScrollBar(m, thumb, 50, -1), sbpNowhere);

    m.SecondaryButtons = true;
    EXPECT_EQ(HitTestScrollBar(m, ThumbPosition(m), 20, 5), sbpLeftSndArrow);
    EXPECT_EQ(HitTestScrollBar(m, ThumbPosition(m), 90, 5), sbpRightSndArrow);
    TScrollBarLayout l2 = LayoutScrollBar(m, ThumbPosition(m), Rect(0, 0, 121, 17));
    EXPECT_EQ(l2.LeftSndArrow, Rect(17, 0, 34, 17));
    EXPECT_EQ(l2.ScrollingRegion, Rect(34, 0, 87, 17));

    TScrollBarModel noThumb = Model121();
    noThumb.Length = 36;
    EXPECT_EQ(HitTestScrollBar(noThumb, ThumbPosition(noThumb), 18, 5), sbpRightBottom);
}

TEST(ScrollBarGeometry, ButtonsEnabledAndWheelSteps) {
    TScrollBarModel m = Model121();
    EXPECT_FALSE(LeftButtonsEnabled(m));
    EXPECT_TRUE(RightButtonsEnabled(m, false));
    m.Position = 90;
    EXPECT_TRUE(RightButtonsEnabled(m, false));
    EXPECT_FALSE(RightButtonsEnabled(m, true)) << "Max - Page + 1 reached";
    m.Page = 200;
    m.Position = 50;
    EXPECT_FALSE(LeftButtonsEnabled(m)) << "the page holds the whole range";

    EXPECT_EQ(WheelSteps(120, 3, 14), 3);
    EXPECT_EQ(WheelSteps(-240, 3, 14), -6);
    EXPECT_EQ(WheelSteps(120, 0, 14), 1) << "0 lines count as 1";
    EXPECT_EQ(WheelSteps(120, 500, 14), 14) << "more than 120 lines: a page";
    EXPECT_EQ(WheelSteps(-120, WHEEL_PAGESCROLL, 14), -14) << "one page at a time";
    EXPECT_EQ(WheelSteps(60, 1, 14), 0);
}

TEST(ScrollBarControl, RangeRulesAndKind) {
    TBarOnForm f;
    f.Bar->SetPosition(30);
    f.Log.Scrolls.clear();
    f.Bar->SetMin(60);
    EXPECT_EQ(f.Bar->Position(), 60);
    f.Bar->SetMin(150);
    EXPECT_EQ(f.Bar->Max(), 150) << "a minimum above the maximum drags it along";
    EXPECT_EQ(f.Bar->Position(), 150);
    EXPECT_EQ(f.Bar->Page(), 1);
    f.Bar->SetMin(0);
    f.Bar->SetMax(100);
    f.Bar->SetPage(14);
    f.Log.Scrolls.clear();
    f.Bar->SetPosition(500);
    EXPECT_EQ(f.Bar->Position(), 100);
    ASSERT_EQ(f.Log.Scrolls.size(), 1u);
    EXPECT_EQ(f.Log.Scrolls[0].first, escPosition);
    EXPECT_EQ(f.Log.Scrolls[0].second, 500) << "the value as asked";
    f.Bar->SetPosition(600);
    EXPECT_EQ(f.Log.Scrolls.size(), 2u) << "fires also when clamping changes nothing";

    f.Bar->SetKind(sbVertical);
    EXPECT_EQ(f.Bar->Width(), 17);
    EXPECT_EQ(f.Bar->Height(), 121);
    f.Bar->SetPage(-1);
    EXPECT_EQ(f.Bar->Page(), 14);
    f.Bar->SetButtonSize(70);
    EXPECT_EQ(f.Bar->ButtonSize(), 17) << "two buttons longer than the bar are refused";
}

TEST(ScrollBarControl, ScrollInformationMessages) {
    TBarOnForm f;
    HWND h = f.Bar->Handle();
    EXPECT_EQ(SendMessageW(h, SBM_SETSCROLLINFO, TRUE, 0), 0);
    EXPECT_EQ(SendMessageW(h, SBM_GETSCROLLINFO, 0, 0), 0);

    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 500;
    si.nPage = 50;
    si.nPos = 600;
    EXPECT_EQ(SendMessageW(h, SBM_SETSCROLLINFO, TRUE, LPARAM(&si)), 500) << "outside: nMax";
    EXPECT_EQ(f.Bar->Page(), 50);
    si.nPos = 120;
    SendMessageW(h, SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    EXPECT_EQ(GetScrollPos(h, SB_CTL), 120) << "the platform asks SBM_GETPOS";
    EXPECT_TRUE(f.Log.Scrolls.empty()) << "no events";

    si.fMask = SIF_RANGE;
    si.nMin = 10;
    si.nMax = 5;
    SendMessageW(h, SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    EXPECT_EQ(f.Bar->Max(), 500) << "nMin above nMax changes nothing";
    si.nMin = 200;
    si.nMax = 300;
    SendMessageW(h, SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    EXPECT_EQ(f.Bar->Min(), 0) << "the position lies outside the new range";

    si.cbSize = 20;
    si.fMask = SIF_POS;
    si.nPos = 1;
    SendMessageW(h, SBM_SETSCROLLINFO, TRUE, LPARAM(&si));
    EXPECT_EQ(f.Bar->Position(), 120) << "a short record is ignored";
    EXPECT_EQ(SendMessageW(h, SBM_GETSCROLLINFO, 0, LPARAM(&si)), 0);

    SCROLLINFO got{};
    got.cbSize = sizeof(got);
    got.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(h, SB_CTL, &got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 500);
    EXPECT_EQ(got.nPage, 50u);
    EXPECT_EQ(got.nPos, 120);
}

TEST(ScrollBarInput, ArrowPressRepeatAndRelease) {
    TBarOnForm f;
    // At the start the left arrow is disabled: nothing happens and no capture is taken.
    f.Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(f.Log.Scrolls.empty());
    EXPECT_NE(GetCapture(), f.Bar->Handle());
    f.Mouse(WM_LBUTTONUP, 5, 5);

    f.Mouse(WM_LBUTTONDOWN, 110, 5);
    EXPECT_EQ(GetCapture(), f.Bar->Handle());
    // The press, then the position setter's own report.
    ASSERT_EQ(f.Log.Scrolls.size(), 2u);
    EXPECT_EQ(f.Log.Scrolls[0], std::make_pair(escLineDown, 1));
    EXPECT_EQ(f.Log.Scrolls[1], std::make_pair(escPosition, 1));
    EXPECT_EQ(f.Bar->Position(), 1);
    EXPECT_EQ(f.Log.Changes, 1);
    EXPECT_TRUE(f.Bar->ScrollTimer()->Enabled());
    EXPECT_EQ(f.Bar->ScrollTimer()->Interval(), GetKeybTimes(SPI_GETKEYBOARDDELAY));

    SetCursorPos(f.Bar->ClientToScreen(Point(110, 5)).X, f.Bar->ClientToScreen(Point(110, 5)).Y);
    f.Bar->OnScrollTimer(f.Bar->ScrollTimer());
    EXPECT_EQ(f.Bar->ScrollTimer()->Interval(), GetKeybTimes(SPI_GETKEYBOARDSPEED));
    EXPECT_EQ(f.Bar->Position(), 2);
    EXPECT_EQ(f.Log.Changes, 1) << "the repeat fires no change";

    // Off the arrow the repeat pauses; back on it, it resumes.
    f.Mouse(WM_MOUSEMOVE, 60, 5);
    EXPECT_FALSE(f.Bar->ScrollTimer()->Enabled());
    f.Mouse(WM_MOUSEMOVE, 112, 6);
    EXPECT_TRUE(f.Bar->ScrollTimer()->Enabled());

    f.Mouse(WM_LBUTTONUP, 112, 6);
    EXPECT_EQ(f.Log.Scrolls.back().first, escEndScroll);
    EXPECT_FALSE(f.Bar->ScrollTimer()->Enabled());
    EXPECT_NE(GetCapture(), f.Bar->Handle());
    EXPECT_EQ(f.Bar->PressedIn(), sbpNowhere);

    // With NoDisableButtons the disabled arrow repeats with an unchanged position.
    f.Bar->SetPosition(0);
    f.Log.Scrolls.clear();
    f.Bar->SetNoDisableButtons(true);
    f.Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(GetCapture(), f.Bar->Handle());
    ASSERT_EQ(f.Log.Scrolls.size(), 1u);
    EXPECT_EQ(f.Log.Scrolls[0], std::make_pair(escLineUp, 0));
    f.Mouse(WM_LBUTTONUP, 5, 5);
}

TEST(ScrollBarInput, TrackPagesStopUnderTheCursor) {
    TBarOnForm f;
    f.Mouse(WM_LBUTTONDOWN, 100, 5);
    EXPECT_EQ(f.Log.Scrolls.front(), std::make_pair(escPageDown, 14));
    TPoint cursor = f.Bar->ClientToScreen(Point(100, 5));
    SetCursorPos(cursor.X, cursor.Y);
    for (int i = 0; i < 12; ++i)
        f.Bar->OnScrollTimer(nullptr);
    // The thumb has come under the cursor: the last steps keep the position.
    int stopped = f.Bar->Position();
    EXPECT_LT(stopped, 100);
    EXPECT_EQ(f.Bar->GetHitTest(100, 5), sbpThumb);
    EXPECT_EQ(f.Log.Scrolls.back(), std::make_pair(escPageDown, stopped));
    EXPECT_EQ(f.Log.Scrolls[f.Log.Scrolls.size() - 2], std::make_pair(escPageDown, stopped));
    f.Mouse(WM_LBUTTONUP, 100, 5);
}

TEST(ScrollBarInput, ThumbDragSendsScrollMessagesAndSnaps) {
    TBarOnForm f;
    f.Bar->ShowTrackHint = true;
    f.Bar->OnScrollHintNeeded = [](TObject*, int pos, TQZFString& hint) {
        hint = "Pos " + std::to_string(pos);
    };
    int thumb = f.Bar->ThumbPos();
    f.Mouse(WM_LBUTTONDOWN, thumb + 3, 5);
    EXPECT_EQ(f.Bar->PressedIn(), sbpThumb);
    ASSERT_NE(f.Bar->HintWindow(), nullptr);
    HWND hint = f.Bar->HintWindow()->Handle();
    EXPECT_EQ(f.Bar->HintWindow()->Caption(), "Pos 0");

    f.Mouse(WM_MOUSEMOVE, thumb + 3 + 40, 5);
    ASSERT_EQ(f.Form->ScrollMessages.size(), 1u);
    EXPECT_EQ(f.Form->ScrollMessages[0].first, unsigned(WM_HSCROLL));
    EXPECT_EQ(LOWORD(f.Form->ScrollMessages[0].second), SB_THUMBPOSITION);
    int dragged = HIWORD(f.Form->ScrollMessages[0].second);
    EXPECT_EQ(dragged, PositionAtThumb(f.Bar->Model(), thumb + 40));
    EXPECT_EQ(f.Log.Scrolls.back(), std::make_pair(escTrack, dragged));
    EXPECT_EQ(f.Bar->Position(), 0) << "the position does not follow the drag";
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS | SIF_POS;
    SendMessageW(f.Bar->Handle(), SBM_GETSCROLLINFO, 0, LPARAM(&si));
    EXPECT_EQ(si.nTrackPos, dragged);
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(f.Bar->HintWindow()->Caption(), "Pos " + std::to_string(dragged));

    // Far below the bar the thumb goes back to where it started.
    f.Mouse(WM_MOUSEMOVE, thumb + 3 + 40, 0);
    f.Mouse(WM_MOUSEMOVE, -100, 5);
    EXPECT_EQ(f.Bar->ThumbPos(), thumb);
    f.Mouse(WM_MOUSEMOVE, thumb + 3 + 40, 5);
    f.Mouse(WM_LBUTTONUP, thumb + 3 + 40, 5);
    EXPECT_EQ(f.Log.Scrolls.back(), std::make_pair(escPosition, dragged));
    EXPECT_EQ(f.Bar->Position(), dragged);
    EXPECT_EQ(f.Bar->HintWindow(), nullptr);
    EXPECT_FALSE(IsWindow(hint));

    // NoScrollMessages: a drag sends nothing to the parent.
    f.Form->ScrollMessages.clear();
    f.Bar->NoScrollMessages = true;
    f.Bar->ShowTrackHint = false;
    thumb = f.Bar->ThumbPos();
    f.Mouse(WM_LBUTTONDOWN, thumb + 3, 5);
    f.Mouse(WM_MOUSEMOVE, thumb + 3 - 20, 5);
    f.Mouse(WM_LBUTTONUP, thumb + 3 - 20, 5);
    EXPECT_TRUE(f.Form->ScrollMessages.empty());
}

TEST(ScrollBarInput, RefusedChangesKeepThePosition) {
    TBarOnForm f(sbVertical);
    f.Log.Refuse = true;
    f.Bar->SetPosition(10);
    f.Log.Scrolls.clear();
    SendMessageW(f.Bar->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(f.Log.Scrolls.back(), std::make_pair(escBottom, 100));
    EXPECT_EQ(f.Bar->Position(), 10);
    EXPECT_EQ(f.Log.Changes, 0);
    f.Mouse(WM_LBUTTONDOWN, 5, 110);
    f.Mouse(WM_LBUTTONUP, 5, 110);
    EXPECT_EQ(f.Bar->Position(), 10);
    int thumb = f.Bar->ThumbPos();
    f.Mouse(WM_LBUTTONDOWN, 5, thumb + 2);
    f.Mouse(WM_MOUSEMOVE, 5, thumb + 30);
    f.Mouse(WM_LBUTTONUP, 5, thumb + 30);
    EXPECT_EQ(f.Bar->Position(), 10);
    EXPECT_EQ(f.Bar->ThumbPos(), thumb) << "the thumb snaps back";

    f.Log.Refuse = false;
    f.Log.Scrolls.clear();
    SendMessageW(f.Bar->Handle(), WM_KEYDOWN, VK_NEXT, 0);
    SendMessageW(f.Bar->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(f.Bar->Position(), 23) << "page down by 14, line up by 1";
    EXPECT_EQ(f.Log.Changes, 2);
    SendMessageW(f.Bar->Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(f.Log.Scrolls.size(), 4u) << "page, position, line, position; nothing for A";
    EXPECT_EQ(SendMessageW(f.Bar->Handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST(ScrollBarInput, WheelScrollsLinesThenEnds) {
    TBarOnForm f;
    f.Bar->SetPosition(50);
    f.Log.Scrolls.clear();
    SendMessageW(f.Bar->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    int steps = WheelSteps(120, lines, 14);
    int lineSteps = 0;
    for (const auto& s : f.Log.Scrolls)
        lineSteps += s.first == escLineUp;
    EXPECT_EQ(lineSteps, steps);
    EXPECT_EQ(f.Log.Scrolls.front(), std::make_pair(escLineUp, 49));
    EXPECT_EQ(f.Log.Scrolls.back().first, escEndScroll);
    EXPECT_EQ(f.Bar->Position(), 50 - steps);
    EXPECT_EQ(f.Log.Changes, 0);
}

TEST(ScrollBarPaint, ClassicLookFromTheLayout) {
    TBarOnForm f;
    f.Bar->SetColor(TColor(0x0000C8));
    f.Bar->SetBlendBackground(false);
    f.Bar->SetSystemBkColor(false);
    f.Bar->SetBarColor(clBlue);
    f.Bar->SetPage(60);
    TPaintedPixels pixels(f.Bar, 121, 17);
    TScrollBarLayout l = f.Bar->Layout();
    ASSERT_GT(l.ThumbSize, 14);
    EXPECT_EQ(pixels.At(l.RightBottom.Left + 5, 8), 0xC80000u) << "track in the bar's colour";
    int m = (l.Thumb.Left + l.Thumb.Right) / 2;
    EXPECT_EQ(pixels.At(m - 1, 8), 0x0000FFu) << "grip bar";
    EXPECT_EQ(pixels.At(m, 8), 0xC80000u);

    // The left arrow is disabled at the start: no glyph in the arrow colour.
    f.Bar->SetArrowColor(clLime);
    TPaintedPixels atStart(f.Bar, 121, 17);
    int green = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            green += atStart.At(x, y) == 0x00FF00u;
    EXPECT_EQ(green, 0);
    f.Bar->SetPosition(10);
    TPaintedPixels moved(f.Bar, 121, 17);
    green = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            green += moved.At(x, y) == 0x00FF00u;
    EXPECT_EQ(green, 16) << "7 + 5 + 3 + 1 pixels";
}

TEST(ScrollBarPaint, OwnerDrawnParts) {
    TBarOnForm f;
    f.Bar->SetColor(TColor(0x0000C8));
    f.Bar->SetBlendBackground(false);
    f.Bar->SetSystemBkColor(false);
    std::vector<TQZScrollBarPart> parts;
    f.Bar->OnDrawPart = [&](TObject*, TCanvas* canvas, const TRect& r, TQZScrollBarPart part, bool,
                            bool, bool, bool& defaultDraw) {
        parts.push_back(part);
        if (part == sbpThumb) {
            canvas->Brush()->SetColor(clLime);
            canvas->FillRect(r);
            defaultDraw = false;
        }
    };
    TPaintedPixels plain(f.Bar, 121, 17);
    EXPECT_TRUE(parts.empty()) << "the event waits for OwnerDraw";
    f.Bar->SetOwnerDraw(true);
    TPaintedPixels drawn(f.Bar, 121, 17);
    EXPECT_EQ(parts, (std::vector<TQZScrollBarPart>{sbpLeftArrow, sbpRightArrow, sbpLeftTop,
                                                    sbpThumb, sbpRightBottom}));
    TScrollBarLayout l = f.Bar->Layout();
    EXPECT_EQ(drawn.At(l.Thumb.Left + 1, 1), 0x00FF00u) << "nothing of the bar's own thumb";
}

TEST(ScrollBarInput, KeysWithModifiersAreNotTheBars) {
    TBarOnForm f;
    f.Bar->SetFocus();
    PostKeyWith(f.Bar->Handle(), VK_END, {ssCtrl});
    EXPECT_TRUE(f.Log.Scrolls.empty());
    EXPECT_EQ(f.Bar->Position(), 0);
    PostKey(f.Bar->Handle(), VK_END);
    EXPECT_EQ(f.Bar->Position(), 100);
}

TEST(ScrollBarPaint, ThemedPartsAndStates) {
    TThemeRecorder themes;
    {
        TBarOnForm f;
        f.Bar->SetUseXPThemes(true);
        ASSERT_TRUE(f.Bar->IsThemeApplied());
        TThemeRecorder::Calls.clear();
        TPaintedPixels pixels(f.Bar, 121, 17);
        EXPECT_TRUE(TThemeRecorder::Has(SBP_ARROWBTN, 12)) << "left arrow disabled";
        EXPECT_TRUE(TThemeRecorder::Has(SBP_ARROWBTN, 13)) << "right arrow normal";
        EXPECT_TRUE(TThemeRecorder::Has(SBP_THUMBBTNHORZ, SCRBS_NORMAL));
        EXPECT_TRUE(TThemeRecorder::Has(SBP_LOWERTRACKHORZ, SCRBS_NORMAL));

        f.Mouse(WM_MOUSEMOVE, 110, 5);
        f.Mouse(WM_LBUTTONDOWN, 110, 5);
        TThemeRecorder::Calls.clear();
        TPaintedPixels pressed(f.Bar, 121, 17);
        f.Mouse(WM_LBUTTONUP, 110, 5);
        EXPECT_TRUE(TThemeRecorder::Has(SBP_ARROWBTN, 15)) << "right arrow pressed";
    }
}

TEST(ScrollBarHint, HintWindowSizesAndPlacement) {
    auto hint = MakeOwned<TQZHintWindow>();
    TRect empty = hint->CalcHintRect(10000, "", nullptr);
    EXPECT_EQ(empty.Width(), 6);
    EXPECT_EQ(empty.Height(), 2);
    std::string text = "many words in one rather long line of hint text";
    TRect oneLine = hint->CalcHintRect(60, text, nullptr);
    EXPECT_GT(oneLine.Width(), 66) << "no wrap: one line whatever the width";
    hint->SetWordWrap(true);
    TRect wrapped = hint->CalcHintRect(60, text, nullptr);
    EXPECT_LE(wrapped.Width(), 66);
    EXPECT_GT(wrapped.Height(), oneLine.Height());
    hint->SetCaption("a&b");
    // The measured size is the client area's; the border comes around it.
    RECT client{};
    GetClientRect(hint->Handle(), &client);
    EXPECT_EQ(client.right, hint->CalcHintRect(10000, "a&b", nullptr).Width());
    EXPECT_EQ(client.bottom, hint->CalcHintRect(10000, "a&b", nullptr).Height());

    // A thumb at the top-left corner of the screen shows its hint moved onto the desktop.
    TBarOnForm f(sbHorizontal, 0, 0);
    f.Bar->ShowTrackHint = true;
    f.Bar->OnScrollHintNeeded = [](TObject*, int, TQZFString& h) { h = "Position"; };
    f.Mouse(WM_LBUTTONDOWN, f.Bar->ThumbPos() + 2, 5);
    ASSERT_NE(f.Bar->HintWindow(), nullptr);
    RECT r;
    GetWindowRect(f.Bar->HintWindow()->Handle(), &r);
    EXPECT_GE(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_GE(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    // Beyond the bottom-right corner, the whole hint, its frame too, stays on the desktop.
    const int right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    TBarOnForm corner(sbVertical, right + 10, bottom + 10);
    corner.Bar->ShowTrackHint = true;
    corner.Mouse(WM_LBUTTONDOWN, 5, corner.Bar->ThumbPos() + 2);
    ASSERT_NE(corner.Bar->HintWindow(), nullptr);
    GetWindowRect(corner.Bar->HintWindow()->Handle(), &r);
    GetClientRect(corner.Bar->HintWindow()->Handle(), &client);
    EXPECT_EQ(Rect(r.left, r.top, r.right, r.bottom),
              Rect(right - client.right - 2, bottom - client.bottom - 2, right, bottom));
    HWND hintWindow = f.Bar->HintWindow()->Handle();
    // Freeing the bar mid-drag frees its hint.
    f.Form.reset();
    EXPECT_FALSE(IsWindow(hintWindow));
}

TEST(ScrollBarStyles, ProxyReadsAndWritesTheBar) {
    TBarOnForm f(sbVertical);
    EXPECT_THROW(TQZScrollBarStyles(nullptr, f.Form.get()), Exception);
    f.Bar->SetUseSystemMetrics(true);
    TQZScrollBarStyles styles(f.Bar, f.Form.get());
    int changes = 0;
    styles.OnChange = [&](TObject*) { ++changes; };
    int system = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(styles.Width(), system);
    styles.SetWidth(30);
    EXPECT_EQ(f.Bar->Width(), system);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(styles.ButtonSize(), std::min(GetSystemMetrics(SM_CYVSCROLL), 121 / 2));

    styles.SetUseSystemMetrics(false);
    styles.SetWidth(30);
    EXPECT_EQ(f.Bar->Width(), 30);

    TBarOnForm other;
    TQZScrollBarStyles source(other.Bar, other.Form.get());
    source.SetFlat(false);
    source.SetMinThumbSize(9);
    source.SetShowTrackHint(true);
    source.SetArrowColor(clRed);
    source.SetSecondBtnKind(sbkPage);
    styles.Assign(&source);
    EXPECT_FALSE(styles.Flat());
    EXPECT_EQ(styles.MinThumbSize(), 9);
    EXPECT_TRUE(styles.ShowTrackHint());
    EXPECT_EQ(styles.SecondBtnKind(), sbkPage);
    EXPECT_NE(styles.ArrowColor(), clRed) << "not among the copied properties";
}

TEST(ScrollBarStyles, EveryStoredPropertyReachesTheBar) {
    TBarOnForm f(sbVertical);
    TQZScrollBarStyles styles(f.Bar, f.Form.get());
    // Set by name, as a form's stored text sets them; the metrics go off first.
    const std::vector<std::pair<std::string, intptr_t>> stored = {
        {"UseSystemMetrics", 0},
        {"ActiveFlat", 1},
        {"BlendBackground", 0},
        {"Color", clRed},
        {"Flat", 0},
        {"MinThumbSize", 9},
        {"NoDisableButtons", 1},
        {"NoSunkenThumb", 1},
        {"OwnerDraw", 1},
        {"SecondaryButtons", 1},
        {"SecondBtnKind", sbkPage},
        {"ShowLeftArrows", 0},
        {"ShowRightArrows", 0},
        {"ShowTrackHint", 1},
        {"ThumbMode", etmFixed},
        {"ThumbSize", 12},
        {"Width", 21},
        {"ButtonSize", 19},
        {"ArrowColor", clBlue},
        {"ArrowHotTrackColor", clLime},
        {"DrawFrames", 0},
        {"DrawArrowFrames", 0},
        {"DrawBars", 0},
        {"BarOffset", 3},
        {"BarColor", clMaroon},
        {"ThinFrames", 1},
        {"HintColor", clYellow},
        {"HintTextColor", clNavy},
        {"SystemBkColor", 0},
        {"UseXPThemes", 0},
    };
    for (const auto& [name, value] : stored)
        SetOrdProp(styles, name, value);
    for (const auto& [name, value] : stored)
        EXPECT_EQ(GetOrdProp(styles, name), value) << name;
    EXPECT_EQ(f.Bar->Width(), 21);
    EXPECT_TRUE(f.Bar->OwnerDraw());
    EXPECT_EQ(f.Bar->SecondBtnKind(), sbkPage);
    EXPECT_EQ(f.Bar->HintTextColor, clNavy);
}

TEST(ScrollBarColors, ShadowAndLighterColours) {
    TBarOnForm f;
    EXPECT_EQ(f.Bar->ShadowColor(), clBtnShadow);
    EXPECT_EQ(f.Bar->LighterColor(), clBtnHighlight);
    f.Bar->SetColor(TColor(0xE0E0E0));
    // A light grey lighter by a quarter is clamped to white, not wrapped to a dark grey.
    EXPECT_EQ(f.Bar->LighterColor(), clWhite);
    EXPECT_LT(ColorToRGB(f.Bar->ShadowColor()) & 0xFF, 0xE0u);
}

TEST(ScrollBarColors, TheSharedPatternLivesWhileAnyBarDoesInItsOwnersColours) {
    auto first = std::make_unique<TBarOnForm>();
    first->Bar->SetColor(TColor(0x0000C8));
    TBarOnForm second;
    second.Bar->SetColor(TColor(0x00C800));
    TBitmap* pattern = ScrollBarBlendBitmap();
    ASSERT_NE(pattern, nullptr);
    auto pixel = [&](int x, int y) { return pattern->ScanLine(y)[x] & 0xFFFFFF; };
    EXPECT_EQ(pixel(1, 0), 0xC80000u); // the first bar made it
    first.reset();
    // The pattern stays for the bar left, now in its colours.
    ASSERT_EQ(ScrollBarBlendBitmap(), pattern);
    EXPECT_EQ(pixel(1, 0), 0x00C800u);
}

namespace {
class TLoadingBar : public TQZScrollBar {
public:
    using TComponent::BeginLoading;
    using TComponent::EndLoading;
    using TQZScrollBar::TQZScrollBar;
};
} // namespace

TEST(ScrollBarControl, LoadingStoresAndLoadedMakesConsistent) {
    TBarOnForm f;
    auto* bar = new TLoadingBar(f.Form.get());
    bar->SetParent(f.Form.get());
    f.Bar = bar;
    bar->BeginLoading();
    f.Bar->SetMin(50);
    f.Bar->SetMax(10);
    f.Bar->SetPage(200);
    f.Bar->SetPosition(500);
    EXPECT_EQ(f.Bar->Max(), 10);
    EXPECT_EQ(f.Bar->Position(), 500) << "stored as given while loading";
    bar->EndLoading();
    EXPECT_EQ(f.Bar->Max(), 50);
    EXPECT_EQ(f.Bar->Page(), 1);
    EXPECT_EQ(f.Bar->Position(), 50);
    EXPECT_EQ(f.Bar->ThumbPos(), ThumbPosition(f.Bar->Model()));
}

TEST(ScrollBarPaint, FlatBarRaisesWhatTheMouseIsOver) {
    TBarOnForm f;
    // The bar, the form's first control, took the keys as the form came up, and the focus
    // raises the thumb too: the form keeps the focus here, so that only the mouse raises it.
    SetFocus(f.Form->Handle());
    f.Bar->SetPage(40);
    TScrollBarLayout l = f.Bar->Layout();
    auto thumbCorner = [&] {
        TPaintedPixels p(f.Bar, 121, 17);
        return p.At(l.Thumb.Left, 0);
    };
    uint32_t flat = thumbCorner();
    EXPECT_EQ(flat, PixelOf(TColor(ColorToRGB(clBtnShadow))));
    f.Bar->Perform(CM_MOUSEENTER);
    f.Mouse(WM_MOUSEMOVE, l.Thumb.Left + 5, 5);
    EXPECT_EQ(f.Bar->MouseOver(), sbpThumb);
    EXPECT_EQ(thumbCorner(), PixelOf(TColor(ColorToRGB(cl3DLight)))) << "raised under the mouse";
    f.Bar->SetActiveFlat(true);
    EXPECT_EQ(thumbCorner(), flat) << "ActiveFlat keeps it flat";
    f.Bar->SetActiveFlat(false);
    f.Bar->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(f.Bar->MouseOver(), sbpNowhere);
    EXPECT_EQ(thumbCorner(), flat);
}
