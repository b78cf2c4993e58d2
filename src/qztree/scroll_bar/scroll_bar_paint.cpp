// Painting of the scroll bar: each part themed or in the flat look, from the one layout that hit
// testing reads too.
#include "qztree/scroll_bar/scroll_bar.h"

#include "qztree/base/draw.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

class TScrollBarPainter {
public:
    explicit TScrollBarPainter(TCustomQZScrollBar& bar)
        : Bar(bar), Canvas(bar.Canvas()), DC(bar.Canvas()->Handle()), M(bar.Model()),
          L(bar.Layout()), Horizontal(bar.Kind() == sbHorizontal) {
        Clip = ToRECT(Canvas->ClipRect());
    }

    void Paint() {
        Canvas->Brush()->SetColor(Bar.Color());
        Canvas->Brush()->SetStyle(bsSolid);
        bool leftEnabled = LeftButtonsEnabled(M);
        bool rightEnabled = RightButtonsEnabled(M, Bar.FAltDisablingArrows);
        if (M.ShowLeftArrows)
            PrimaryButton(L.LeftArrow, sbpLeftArrow, Horizontal ? eadLeft : eadUp, leftEnabled);
        if (M.ShowRightArrows)
            PrimaryButton(L.RightArrow, sbpRightArrow, Horizontal ? eadRight : eadDown,
                          rightEnabled);
        if (M.SecondaryButtons && M.ShowLeftArrows)
            SecondaryButton(L.LeftSndArrow, sbpLeftSndArrow, true, leftEnabled, rightEnabled);
        if (M.SecondaryButtons && M.ShowRightArrows)
            SecondaryButton(L.RightSndArrow, sbpRightSndArrow, false, leftEnabled, rightEnabled);
        if (L.ThumbSize > 0 && Bar.Enabled()) {
            TrackPart(L.LeftTop, sbpLeftTop);
            Thumb(L.Thumb);
            TrackPart(L.RightBottom, sbpRightBottom);
        } else {
            WholeTrack(L.Track);
        }
    }

private:
    bool Themed() const { return Bar.IsThemeApplied() && ThemeApi.DrawThemeBackground; }

    void DrawThemePart(const TRect& r, int part, int state) {
        RECT rr = ToRECT(r);
        ThemeApi.DrawThemeBackground(Bar.Theme(), DC, part, state, &rr, &Clip);
    }

    // Fires the owner-draw event; false when the handler drew the part itself.
    bool DefaultDraw(const TRect& r, TQZScrollBarPart part, bool enabled, bool focused,
                     bool pressed) {
        bool defaultDraw = true;
        if (Bar.FOwnerDraw && Bar.OnDrawPart)
            Bar.OnDrawPart(&Bar, Canvas, r, part, enabled, focused, pressed, defaultDraw);
        return defaultDraw;
    }

    int ButtonState(bool enabled, TQZScrollBarPart part) const {
        if (!enabled || !Bar.Enabled())
            return 4;
        if (Bar.IsPressed(part))
            return 3;
        if (Bar.IsHot(part))
            return 2;
        return 1;
    }

    static int ArrowStateBase(TQZArrowDir dir) {
        switch (dir) {
        case eadUp:
            return ABS_UPNORMAL;
        case eadDown:
            return ABS_DOWNNORMAL;
        case eadLeft:
            return ABS_LEFTNORMAL;
        default:
            return ABS_RIGHTNORMAL;
        }
    }

    TColor GlyphColor(TQZScrollBarPart part) const {
        return Bar.FMouseOver == part && Bar.FMouseInControl ? Bar.FArrowHotTrackColor
                                                             : Bar.FArrowColor;
    }

    bool RaisedButton(TQZScrollBarPart part, bool enabled) const {
        return !Bar.FFlat || (!Bar.FPressed && Bar.FMouseInControl && !Bar.FActiveFlat &&
                              Bar.FMouseOver == part && enabled);
    }

    void ButtonFrame(const TRect& r, bool raised, TQZScrollBarPart part) {
        if (Bar.FDrawArrowFrames)
            DrawButtonFrameEx(DC, r, raised, Bar.IsPressed(part), Bar.Color(), Bar.FThinFrames);
    }

    void PrimaryButton(const TRect& r, TQZScrollBarPart part, TQZArrowDir dir, bool endTest) {
        bool enabled = endTest || Bar.FNoDisableButtons;
        if (Themed())
            return DrawThemePart(r, SBP_ARROWBTN,
                                 ArrowStateBase(dir) + ButtonState(enabled, part) - 1);
        FillArrowFrame(r);
        bool raised = RaisedButton(part, enabled);
        if (!DefaultDraw(r, part, endTest, raised, Bar.IsPressed(part)))
            return;
        ButtonFrame(r, raised, part);
        DrawArrow(Canvas, dir, r, enabled, GlyphColor(part));
    }

    void SecondaryButton(const TRect& r, TQZScrollBarPart part, bool leftEnd, bool leftEnabled,
                         bool rightEnabled) {
        TQZSecButtonsKind kind = Bar.FSecondBtnKind;
        bool ownTest = leftEnd ? leftEnabled : rightEnabled;
        bool oppositeTest = leftEnd ? rightEnabled : leftEnabled;
        bool enabled = (kind == sbkOpposite ? oppositeTest : ownTest) || kind == sbkCustom ||
                       Bar.FNoDisableButtons;
        TQZArrowDir towardsOwnEnd =
            Horizontal ? (leftEnd ? eadLeft : eadRight) : (leftEnd ? eadUp : eadDown);
        TQZArrowDir towardsOpposite =
            Horizontal ? (leftEnd ? eadRight : eadLeft) : (leftEnd ? eadDown : eadUp);
        if (Themed() && Horizontal && kind == sbkOpposite)
            return DrawThemePart(r, SBP_ARROWBTN,
                                 ArrowStateBase(towardsOpposite) + ButtonState(enabled, part) - 1);
        FillArrowFrame(r);
        bool raised = RaisedButton(part, enabled);
        if (!DefaultDraw(r, part, enabled, raised, Bar.IsPressed(part)))
            return;
        if (Themed())
            DrawThemePart(r, SBP_THUMBBTNHORZ, ButtonState(enabled, part));
        else
            ButtonFrame(r, raised, part);
        TColor glyph = GlyphColor(part);
        if (kind != sbkPage)
            return DrawArrow(Canvas, towardsOpposite, r, enabled, glyph);
        // Two glyphs pointing to the button's own end.
        int towardsFar = leftEnd ? 1 : 2;
        int sign = leftEnd ? 1 : -1;
        auto shifted = [&](int d) {
            return Horizontal ? r.Offset(sign * d, 0) : r.Offset(0, sign * d);
        };
        DrawArrow(Canvas, towardsOwnEnd, shifted(towardsFar), enabled, glyph);
        DrawArrow(Canvas, towardsOwnEnd, shifted(towardsFar - 3), enabled, glyph);
    }

    void TrackPart(const TRect& r, TQZScrollBarPart part) {
        bool pressed = Bar.IsPressed(part);
        if (!DefaultDraw(r, part, Bar.Enabled(), Bar.Focused(), pressed))
            return;
        if (Themed()) {
            int themePart = part == sbpLeftTop
                                ? (Horizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT)
                                : (Horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT);
            return DrawThemePart(r, themePart, ButtonState(true, part));
        }
        if (pressed && Bar.ChangeColorsOnScroll)
            FillShadow(r);
        else
            FillBackground(r);
    }

    void WholeTrack(const TRect& r) {
        if (!DefaultDraw(r, sbpNowhere, Bar.Enabled(), Bar.Focused(), false))
            return;
        if (Themed())
            return DrawThemePart(r, Horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT,
                                 SCRBS_DISABLED);
        FillBackground(r);
    }

    void Thumb(const TRect& thumb) {
        bool pressed = Bar.FPressedIn == sbpThumb;
        bool raised = (Bar.Focused() && !Bar.FActiveFlat) || !Bar.FFlat ||
                      (Bar.FMouseInControl && !Bar.FActiveFlat && Bar.FMouseOver == sbpThumb &&
                       M.Max >= M.Min + 1 && M.Max - M.Min > M.Page);
        if (!DefaultDraw(thumb, sbpThumb, Bar.Enabled(), raised, pressed))
            return;
        if (Themed())
            return ThemedThumb(thumb, pressed);
        FillSolidRect2(DC, thumb, Bar.Color());
        bool sunken = pressed && !Bar.FNoSunkenThumb;
        if (Bar.FDrawFrames)
            DrawButtonFrameEx(DC, thumb, raised, sunken, Bar.Color(), Bar.FThinFrames);
        if (Bar.FDrawBars && L.ThumbSize > 14)
            GripBars(thumb, raised && sunken);
    }

    void ThemedThumb(const TRect& thumb, bool pressed) {
        int state = !Bar.Enabled()        ? SCRBS_DISABLED
                    : pressed             ? SCRBS_PRESSED
                    : Bar.IsHot(sbpThumb) ? SCRBS_HOT
                                          : SCRBS_NORMAL;
        int part = Horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT;
        DrawThemePart(thumb, part, state);
        if (!Bar.FDrawBars)
            return;
        RECT r = ToRECT(thumb), content = r;
        if (ThemeApi.GetThemeBackgroundContentRect)
            ThemeApi.GetThemeBackgroundContentRect(Bar.Theme(), DC, part, state, &r, &content);
        DrawThemePart(FromRECT(content), Horizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT, state);
    }

    void GripBars(const TRect& r, bool shifted) {
        int o = int(Bar.FBarOffset) + (Bar.FDrawFrames ? 1 : 0);
        int s = shifted ? 1 : 0;
        int across = Horizontal ? r.Height() : r.Width();
        if (across < 2 * o + 3)
            return;
        Canvas->Pen()->SetColor(Bar.FBarColor);
        int m = (Horizontal ? (r.Left + r.Right) : (r.Top + r.Bottom)) / 2 + s;
        for (int d : {-1, -3, 1, 3}) {
            if (Horizontal) {
                Canvas->MoveTo(m + d, r.Top + o + s);
                Canvas->LineTo(m + d, r.Bottom - o + s);
            } else {
                Canvas->MoveTo(r.Left + o + s, m + d);
                Canvas->LineTo(r.Right - o + s, m + d);
            }
        }
    }

    void FillBackground(const TRect& r) {
        if (r.IsEmpty())
            return;
        bool sameColours = GetSysColor(COLOR_SCROLLBAR) == GetSysColor(COLOR_BTNFACE);
        TBitmap* pattern = ScrollBarBlendBitmap();
        bool dither =
            (Bar.FBlendBackground && !Bar.FSysBkColor) || (Bar.FSysBkColor && sameColours);
        if (dither && pattern) {
            TGdiObject<HBRUSH> brush(CreatePatternBrush(pattern->Handle()));
            RECT rr = ToRECT(r);
            // The pattern stays fixed to the control, whatever part is filled.
            SetBrushOrgEx(DC, 0, 0, nullptr);
            FillRect(DC, &rr, brush.Handle());
            return;
        }
        COLORREF themed = 0;
        if (Bar.IsThemeApplied() && ThemeApi.GetThemeColor &&
            SUCCEEDED(ThemeApi.GetThemeColor(Bar.Theme(), 0, 0, TMT_SCROLLBAR, &themed)))
            return FillSolidRect2(DC, r, TColor(themed));
        FillSolidRect2(DC, r, Bar.FSysBkColor ? clScrollBar : Bar.Color());
    }

    void FillShadow(const TRect& r) { FillSolidRect2(DC, r, Bar.ShadowColor()); }

    void FillArrowFrame(const TRect& r) {
        if (Themed()) {
            return DrawThemePart(r, Horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, 0);
        }
        if (Bar.FDrawArrowFrames)
            FillSolidRect2(DC, r, Bar.Color());
        else
            FillBackground(r);
    }

    TCustomQZScrollBar& Bar;
    TCanvas* Canvas;
    HDC DC;
    TScrollBarModel M;
    TScrollBarLayout L;
    bool Horizontal;
    RECT Clip;
};

void TCustomQZScrollBar::Paint() {
    TScrollBarPainter(*this).Paint();
}

bool TCustomQZScrollBar::IsPressed(TQZScrollBarPart part) const {
    return FPressedIn == part && FMouseOver == part;
}

bool TCustomQZScrollBar::IsHot(TQZScrollBarPart part) const {
    return !FPressed && FMouseInControl && FMouseOver == part;
}
