// Everything that moves the scroll bar from outside its setters: pressing and holding parts,
// auto-repeat, dragging the thumb with its hint, keys, the wheel and hot tracking.
#include "qztree/scroll_bar/scroll_bar.h"

#include "qztree/base/hint_window.h"
#include "vcl/base/win_api.h"
#include "vcl/core/timer.h"

#include <algorithm>

namespace {

struct TPressStep {
    bool Scrolls = false; // a button or track part
    TQZScrollCode Code = escEndScroll;
    int NewPosition = 0;
    bool Kept = false;
};

} // namespace

// What a press on a part does: its code, the position it goes to and whether the press holds.
static TPressStep PressStep(const TCustomQZScrollBar& bar, TQZScrollBarPart part,
                            TQZSecButtonsKind kind, int page, bool altDisabling) {
    TScrollBarModel m = bar.Model();
    int pos = bar.Position();
    int lineUp = std::max(bar.Min(), pos - bar.Step());
    int lineDown = std::min(bar.Max(), pos + bar.Step());
    int pageUp = std::max(bar.Min(), pos - page);
    int pageDown = std::min(bar.Max(), pos + page);
    bool left = LeftButtonsEnabled(m), right = RightButtonsEnabled(m, altDisabling);
    switch (part) {
    case sbpLeftArrow:
        return {true, escLineUp, lineUp, left};
    case sbpRightArrow:
        return {true, escLineDown, lineDown, right};
    case sbpLeftSndArrow:
        if (kind == sbkOpposite)
            return {true, escLineDown, lineDown, right};
        if (kind == sbkPage)
            return {true, escPageUp, pageUp, left};
        return {true, escSndLineDown, pos, true};
    case sbpRightSndArrow:
        if (kind == sbkOpposite)
            return {true, escLineUp, lineUp, left};
        if (kind == sbkPage)
            return {true, escPageDown, pageDown, right};
        return {true, escSndLineUp, pos, true};
    case sbpLeftTop:
        return {true, escPageUp, pageUp, left};
    case sbpRightBottom:
        return {true, escPageDown, pageDown, right};
    case sbpThumb:
        return {false, escTrack, pos,
                bar.Max() - bar.Min() + 1 > bar.Page() && bar.Max() != bar.Min()};
    default:
        return {};
    }
}

void TCustomQZScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TQZXPThemedControl::MouseDown(Button, Shift, X, Y);
    IntMouseButton(true, Button, X, Y);
}

void TCustomQZScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TQZXPThemedControl::MouseUp(Button, Shift, X, Y);
    IntMouseButton(false, Button, X, Y);
}

void TCustomQZScrollBar::IntMouseButton(bool Pressed, TMouseButton Btn, int X, int Y) {
    if (Btn != mbLeft)
        return;
    if (Pressed)
        PressPart(X, Y);
    else
        ReleasePart();
}

TPoint TCustomQZScrollBar::HintPoint() const {
    return FKind == sbHorizontal ? Point(FThumbPos - 2, -5) : Point(-2, FThumbPos - 2);
}

void TCustomQZScrollBar::PressPart(int X, int Y) {
    FPressedIn = GetHitTest(X, Y);
    if (FPressed)
        return;
    int c = FKind == sbHorizontal ? X : Y;
    FOrigPressedIn = FPressedIn;
    TPressStep step = PressStep(*this, FPressedIn, FSecondBtnKind, FPage, FAltDisablingArrows);
    FPressed = step.Kept;
    if (FPressedIn == sbpThumb && step.Kept) {
        FOrigCoord = c;
        FOrigPos = FPosition;
        FThumbOffset = c - FThumbPos;
        if (ShowTrackHint && !ComponentState().Contains(csDesigning)) {
            TPoint at = HintPoint();
            ShowHintAt(FPosition, at.X, at.Y);
        }
    }
    bool disabledButton = !step.Kept && FNoDisableButtons && step.Scrolls;
    if (!step.Kept && !disabledButton) {
        FPressedIn = sbpNowhere;
        return;
    }
    FPressed = true;
    HWND holder = GetCapture();
    FSaveCapture = holder == WindowHandle() ? nullptr : holder;
    SetCapture(WindowHandle());
    if (step.Scrolls) {
        FPressedPos = Point(X, Y);
        FScrollTimer->SetInterval(GetKeybTimes(SPI_GETKEYBOARDDELAY));
        FScrollTimer->SetEnabled(true);
        bool doChange = true;
        int newPos = step.NewPosition;
        TriggerScrollEvent(step.Code, newPos, doChange);
        if (doChange) {
            SetPosition(newPos);
            TriggerChangeEvent();
        }
    } else {
        RepaintScrollingRegion();
    }
    Invalidate();
}

void TCustomQZScrollBar::RestoreCapture() {
    if (FSaveCapture)
        SetCapture(FSaveCapture);
    else if (GetCapture() == WindowHandle())
        ReleaseCapture();
    FSaveCapture = nullptr;
}

void TCustomQZScrollBar::ReleasePart() {
    if (!FPressed)
        return RestoreCapture();
    FScrollTimer->SetEnabled(false);
    FPressed = false;
    RestoreCapture();
    if (FTrackPos != -1) {
        FTracking = false;
        FTrackPos = -1;
    }
    if (FPressedIn == sbpThumb) {
        FreeHintWindow();
        int newPos = UpdateThumbPos();
        bool doChange = true;
        TriggerScrollEvent(escPosition, newPos, doChange);
        if (doChange) {
            SetPosition(newPos);
            TriggerChangeEvent();
        }
        RecomputeThumb();
    } else if (FPressedIn != sbpNowhere) {
        int newPos = FPosition;
        bool doChange = true;
        TriggerScrollEvent(escEndScroll, newPos, doChange);
        if (doChange) {
            SetPosition(newPos);
            TriggerChangeEvent();
        }
        RecomputeThumb();
    }
    FPressedIn = sbpNowhere;
    Invalidate();
}

void TCustomQZScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TQZXPThemedControl::MouseMove(Shift, X, Y);
    if (!FPressed) {
        TQZScrollBarPart over = GetHitTest(X, Y);
        if (over != FMouseOver) {
            FMouseOver = over;
            Invalidate();
        }
        return;
    }
    if (FTrackPos == -1) {
        FTrackPos = FThumbOffset;
        FTracking = true;
    }
    if (FPressedIn == sbpThumb)
        return DragThumb(FKind == sbHorizontal ? X : Y);
    TQZScrollBarPart over = GetHitTest(X, Y);
    if (over == FMouseOver)
        return;
    FMouseOver = over;
    // The repeat pauses while the mouse is off the pressed part.
    FScrollTimer->SetEnabled(over == FPressedIn);
    Invalidate();
}

void TCustomQZScrollBar::DragThumb(int c) {
    TScrollBarModel m = Model();
    int length = m.Length;
    int newPos;
    if ((c < 0 && -c > length / 2) || (c > length && c - length > length / 2)) {
        // Too far off the bar: the thumb goes back to where the drag began.
        SetThumbPosAndRepaint(FOrigCoord - FThumbOffset);
        newPos = UpdateThumbPos();
    } else {
        int thumbPos = ClampThumbPosition(m, c - FThumbOffset);
        bool moved = thumbPos != FThumbPos;
        FThumbPos = thumbPos;
        newPos = UpdateThumbPos();
        if (!NoScrollMessages && Parent() && Parent()->HandleAllocated()) {
            unsigned msg = FKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
            SendMessageW(Parent()->Handle(), msg, MAKEWPARAM(SB_THUMBPOSITION, WORD(newPos)),
                         LPARAM(WindowHandle()));
        }
        bool doChange = true;
        TriggerScrollEvent(escTrack, newPos, doChange);
        if (moved)
            RepaintScrollingRegion();
    }
    if (ShowTrackHint) {
        TPoint at = HintPoint();
        ShowHintAt(newPos, at.X, at.Y);
    }
}

void TCustomQZScrollBar::OnScrollTimer(TObject* Sender) {
    FScrollTimer->SetInterval(GetKeybTimes(SPI_GETKEYBOARDSPEED));
    POINT cursor;
    GetCursorPos(&cursor);
    TPoint p = ScreenToClient(FromPOINT(cursor));
    int page = FPage == 0 ? 1 : FPage;
    TPressStep step = PressStep(*this, FPressedIn, FSecondBtnKind, page, FAltDisablingArrows);
    if (!step.Scrolls)
        return;
    bool track = FPressedIn == sbpLeftTop || FPressedIn == sbpRightBottom;
    // Page steps stop once the thumb has come under the cursor.
    if (track && GetHitTest(p.X, p.Y) != FPressedIn)
        step.NewPosition = FPosition;
    bool doChange = true;
    int newPos = step.NewPosition;
    TriggerScrollEvent(step.Code, newPos, doChange);
    if (doChange)
        SetPosition(newPos);
}

void TCustomQZScrollBar::ShowHintAt(int APosition, int X, int Y) {
    TPoint screen = ClientToScreen(Point(X, Y));
    TQZFString text;
    TriggerScrollHintNeededEvent(APosition, text);
    if (!FHintWnd)
        FHintWnd.reset(CreateComponent<TQZHintWindow>(nullptr));
    TFont font;
    font.Assign(Font());
    font.SetColor(clInfoText);
    FHintWnd->SetHintFont(&font);
    const int desktopRight =
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    TRect r = FHintWnd->CalcHintRect(desktopRight, text, nullptr);
    // Above and left of the pointer; the hint window keeps itself on the desktop.
    r = r.Offset(screen.X - (r.Width() + 1), screen.Y - (r.Height() + 1));
    FHintWnd->SetColor(clInfoBk);
    FHintWnd->ActivateHint(r, text);
}

void TCustomQZScrollBar::FreeHintWindow() {
    FHintWnd.reset();
}

void TCustomQZScrollBar::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (!Shift.Empty())
        return TQZXPThemedControl::KeyDown(Key, Shift);
    TQZScrollCode code;
    int newPos;
    switch (Key) {
    case VK_PRIOR:
        code = escPageUp, newPos = std::max(FMin, FPosition - FPage);
        break;
    case VK_NEXT:
        code = escPageDown, newPos = std::min(FMax, FPosition + FPage);
        break;
    case VK_END:
        code = escBottom, newPos = FMax;
        break;
    case VK_HOME:
        code = escTop, newPos = FMin;
        break;
    case VK_LEFT:
    case VK_UP:
        code = escLineUp, newPos = std::max(FMin, FPosition - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        code = escLineDown, newPos = std::min(FMax, FPosition + 1);
        break;
    default:
        Key = 0;
        return;
    }
    Key = 0;
    bool doChange = true;
    TriggerScrollEvent(code, newPos, doChange);
    if (doChange && newPos != FPosition) {
        SetPosition(newPos);
        TriggerChangeEvent();
    }
}

namespace {

int WheelLinesPerNotch() {
    const TQZOSFlags& os = OSFlags();
    unsigned lines = 3;
    if (os.IsWinNTUp || os.IsWin98Up)
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return int(lines);
}

} // namespace

int WheelSteps(int WheelDelta, unsigned Lines, int Page) {
    // One page a notch for the "one page at a time" setting; more than 120 lines a notch
    // cannot be told apart from it, so both scroll a page.
    if (Lines == WHEEL_PAGESCROLL || Lines > 120)
        return WheelDelta / WHEEL_DELTA * std::max(1, Page);
    int lines = std::clamp(int(Lines), 1, 120);
    return WheelDelta / (WHEEL_DELTA / lines);
}

bool TCustomQZScrollBar::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    TQZXPThemedControl::DoMouseWheel(Shift, WheelDelta, MousePos);
    int dy = WheelSteps(WheelDelta, unsigned(WheelLinesPerNotch()), FPage);
    for (int i = 0; i < std::abs(dy); ++i) {
        int newPos = FPosition - (dy > 0 ? 1 : -1);
        bool doChange = true;
        TriggerScrollEvent(dy > 0 ? escLineUp : escLineDown, newPos, doChange);
        if (doChange)
            SetPosition(newPos);
    }
    int newPos = FPosition;
    bool doChange = true;
    TriggerScrollEvent(escEndScroll, newPos, doChange);
    if (doChange)
        SetPosition(newPos);
    return true;
}

bool TCustomQZScrollBar::ChangesLookOnHover() const {
    return (FFlat && !FActiveFlat) || IsThemeApplied();
}

void TCustomQZScrollBar::MouseEnter() {
    TQZXPThemedControl::MouseEnter();
    FMouseInControl = true;
    if (ChangesLookOnHover())
        Invalidate();
}

void TCustomQZScrollBar::MouseLeave() {
    TQZXPThemedControl::MouseLeave();
    FMouseInControl = false;
    bool overButton = FMouseOver == sbpLeftArrow || FMouseOver == sbpRightArrow ||
                      FMouseOver == sbpLeftSndArrow || FMouseOver == sbpRightSndArrow;
    if (ChangesLookOnHover() || overButton)
        Invalidate();
    FMouseOver = sbpNowhere;
}

void TCustomQZScrollBar::DoEnter() {
    TQZXPThemedControl::DoEnter();
    if (ChangesLookOnHover())
        Invalidate();
}

void TCustomQZScrollBar::DoExit() {
    TQZXPThemedControl::DoExit();
    if (ChangesLookOnHover())
        Invalidate();
}
