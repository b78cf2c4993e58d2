// The scroll bar's model: construction, properties, range and position, system metrics and the
// scroll-information messages.
#include "qztree/scroll_bar/scroll_bar.h"

#include "qztree/base/colors.h"
#include "qztree/base/hint_window.h"
#include "rtl/assign_changed.h"
#include "rtl/lasting.h"
#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/bitmap.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The bars alive, oldest first, and the 8 x 8 dither pattern they share: drawn in the colours of
// the oldest, it lives as long as any bar does.
struct TSharedPattern {
    std::vector<TCustomQZScrollBar*> Bars;
    TBitmap Bitmap{8, 8};
};
// Emptied with the last bar; the holder itself stays, for bars that go at the program's end.
TLasting<std::unique_ptr<TSharedPattern>> SharedHolder;

std::unique_ptr<TSharedPattern>& Shared() {
    return *SharedHolder;
}

} // namespace

const TClassInfo& TCustomQZScrollBar::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TCustomQZScrollBar",
                                           &TQZXPThemedControl::StaticClassInfo());
    return *info;
}

const TClassInfo& TQZScrollBar::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TQZScrollBar", &TCustomQZScrollBar::StaticClassInfo());
    return *info;
}

TCustomQZScrollBar::TCustomQZScrollBar(TComponent* AOwner) : TQZXPThemedControl(AOwner) {
    SetParentColor(false);
    SetColor(clBtnFace);
    FScrollTimer = new TTimer(this);
    FScrollTimer->SetEnabled(false);
    FScrollTimer->SetOnTimer(::Bind(this, &TCustomQZScrollBar::OnScrollTimer));
    FControlStyle = TControlStyle{csFramed};
    SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    SetDoubleBuffered(true);
    SetUseSystemMetrics(true);
    if (!Shared())
        Shared() = std::make_unique<TSharedPattern>();
    Shared()->Bars.push_back(this);
    RebuildBackground();
}

TCustomQZScrollBar::~TCustomQZScrollBar() {
    std::vector<TCustomQZScrollBar*>& bars = Shared()->Bars;
    const bool owner = bars.front() == this;
    bars.erase(std::find(bars.begin(), bars.end(), this));
    if (bars.empty())
        Shared().reset();
    else if (owner)
        bars.front()->RebuildBackground(); // the pattern takes the colours of its new owner
}

void TCustomQZScrollBar::BeforeDestruction() {
    FScrollTimer->SetEnabled(false);
    FreeHintWindow();
    TQZXPThemedControl::BeforeDestruction();
}

bool TCustomQZScrollBar::IsLoading() const {
    if (ComponentState().Contains(csLoading))
        return true;
    return Owner() && Owner()->ComponentState().Contains(csLoading);
}

TScrollBarModel TCustomQZScrollBar::Model() const {
    TScrollBarModel m;
    m.Horizontal = FKind == sbHorizontal;
    TRect client = ClientRect();
    m.Length = m.Horizontal ? client.Width() : client.Height();
    m.Across = m.Horizontal ? client.Height() : client.Width();
    m.ShowLeftArrows = FShowLeftArrows;
    m.ShowRightArrows = FShowRightArrows;
    m.SecondaryButtons = FSecondaryButtons;
    m.ButtonSize = FUseSystemMetrics ? GetSystemMetrics(m.Horizontal ? SM_CXHSCROLL : SM_CYVSCROLL)
                                     : FButtonSize;
    m.Min = FMin;
    m.Max = FMax;
    m.Page = FPage;
    m.Position = FPosition;
    m.ThumbMode = FThumbMode;
    m.FixedThumbSize = ThumbSize();
    m.MinThumbSize = FMinThumbSize;
    m.SystemThumbSize = GetSystemMetrics(m.Horizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
    return m;
}

TScrollBarLayout TCustomQZScrollBar::Layout() const {
    return LayoutScrollBar(Model(), FThumbPos, ClientRect());
}

int TCustomQZScrollBar::ButtonSize() const {
    return ScrollButtonLength(Model());
}

int TCustomQZScrollBar::ThumbSize() const {
    if (FUseSystemMetrics && FThumbMode == etmFixed)
        return GetSystemMetrics(FKind == sbVertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    return FThumbSize;
}

int TCustomQZScrollBar::UpdateThumbPos() const {
    return PositionAtThumb(Model(), FThumbPos);
}

void TCustomQZScrollBar::RecomputeThumb() {
    FThumbPos = ThumbPosition(Model());
}

void TCustomQZScrollBar::RecomputeAndInvalidate() {
    RecomputeThumb();
    Invalidate();
}

void TCustomQZScrollBar::RepaintScrollingRegion() {
    if (!HandleAllocated())
        return;
    RECT r = ToRECT(Layout().ScrollingRegion);
    InvalidateRect(WindowHandle(), &r, FALSE);
    UpdateWindow(WindowHandle());
}

void TCustomQZScrollBar::SetThumbPosAndRepaint(int thumbPos) {
    if (thumbPos == FThumbPos)
        return;
    FThumbPos = thumbPos;
    RepaintScrollingRegion();
}

void TCustomQZScrollBar::SetKind(TScrollBarKind value) {
    if (!AssignChanged(FKind, value))
        return;
    if (IsLoading())
        return;
    SetBounds(Left(), Top(), Height(), Width());
    if (!HandleAllocated())
        return;
    if (FUseSystemMetrics)
        ApplySystemMetrics();
    else
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetPosition(int value) {
    DoSetPosition(value, CanRedraw());
}

void TCustomQZScrollBar::DoSetPosition(int Value, bool Redraw) {
    if (Value == FPosition)
        return;
    int old = FPosition;
    if (!IsLoading()) {
        FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
        RecomputeThumb();
    } else {
        FPosition = Value;
    }
    if (Redraw && FPosition != old) {
        auto inside = [this](int p) { return FMin + 1 <= p && p <= FMax - 1; };
        if (!FNoDisableButtons && inside(old) != inside(FPosition))
            Invalidate();
        else
            RepaintScrollingRegion();
    }
    bool doChange = true;
    TriggerScrollEvent(escPosition, Value, doChange);
}

void TCustomQZScrollBar::SetMax(int value) {
    if (!AssignChanged(FMax, value))
        return;
    RangeChanged();
}

void TCustomQZScrollBar::SetMin(int value) {
    if (!AssignChanged(FMin, value))
        return;
    RangeChanged();
}

void TCustomQZScrollBar::RangeChanged() {
    if (!IsLoading()) {
        // A minimum above the maximum drags the maximum along.
        if (FMin >= FMax)
            FMax = FMin;
        FPage = std::min(FPage, FMax - FMin + 1);
        RecomputeThumb();
        if (HandleAllocated())
            Invalidate();
    }
    if (FPosition > FMax)
        SetPosition(FMax);
    else if (FPosition < FMin)
        SetPosition(FMin);
    else if (CanRedraw())
        Invalidate();
}

void TCustomQZScrollBar::SetPage(int value) {
    if (FPage == value || value < 0)
        return;
    FPage = value;
    if (CanRedraw())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetButtonSize(int value) {
    if (FButtonSize == value || value < 1)
        return;
    if (HandleAllocated()) {
        TRect client = ClientRect();
        int length = FKind == sbHorizontal ? client.Width() : client.Height();
        if (2 * value > length)
            return;
    }
    FButtonSize = value;
    if (CanRedraw())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetThumbMode(TQZScrollThumbMode value) {
    if (!AssignChanged(FThumbMode, value))
        return;
    if (FUseSystemMetrics && value == etmFixed)
        FThumbSize = ThumbSize();
    if (CanRedraw())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetThumbSize(int value) {
    if (FThumbSize == value || value <= 0)
        return;
    FThumbSize = value;
    if (CanRedraw())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetMinThumbSize(int value) {
    if (FMinThumbSize == value || value <= 0)
        return;
    FMinThumbSize = value;
    if (FThumbMode == etmAuto && CanRedraw())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::SetSecondBtnKind(TQZSecButtonsKind value) {
    if (!AssignChanged(FSecondBtnKind, value))
        return;
    if (FSecondaryButtons && CanRedraw())
        Invalidate();
}

void TCustomQZScrollBar::SetActiveFlat(bool value) {
    if (!AssignChanged(FActiveFlat, value))
        return;
    if (HandleAllocated() && (FMouseInControl || Focused()))
        Invalidate();
}

void TCustomQZScrollBar::SetNoSunkenThumb(bool value) {
    if (!AssignChanged(FNoSunkenThumb, value))
        return;
    if (FPressedIn == sbpThumb && HandleAllocated())
        Invalidate();
}

void TCustomQZScrollBar::SetDrawFrames(bool value) {
    if (!AssignChanged(FDrawFrames, value))
        return;
    if (!value)
        FDrawArrowFrames = false;
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZScrollBar::SetUseSystemMetrics(bool value) {
    if (!AssignChanged(FUseSystemMetrics, value))
        return;
    if (IsLoading())
        return;
    if (value)
        return ApplySystemMetrics();
    if (HandleAllocated())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::ApplySystemMetrics() {
    bool horizontal = FKind == sbHorizontal;
    SIZE themed{0, 0};
    bool fromTheme =
        IsThemeApplied() && ThemeApi.GetThemePartSize &&
        SUCCEEDED(ThemeApi.GetThemePartSize(Theme(), nullptr, SBP_ARROWBTN, ABS_LEFTNORMAL, nullptr,
                                            THEME_SIZE_TRUE, &themed));
    if (horizontal) {
        FButtonSize = fromTheme ? themed.cx : GetSystemMetrics(SM_CXHSCROLL);
        SetHeight(fromTheme ? themed.cy : GetSystemMetrics(SM_CYHSCROLL));
    } else {
        FButtonSize = fromTheme ? themed.cy : GetSystemMetrics(SM_CYVSCROLL);
        SetWidth(fromTheme ? themed.cx : GetSystemMetrics(SM_CXVSCROLL));
    }
    if (HandleAllocated())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::Loaded() {
    TQZXPThemedControl::Loaded();
    if (FMin >= FMax)
        FMax = FMin;
    FPage = std::min(FPage, FMax - FMin + 1);
    FPosition = std::clamp(FPosition, FMin, FMax);
    if (FUseSystemMetrics) {
        FUseSystemMetrics = false;
        SetUseSystemMetrics(true);
    }
    RecomputeThumb();
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZScrollBar::CreateWnd() {
    TQZXPThemedControl::CreateWnd();
    RecomputeThumb();
}

void TCustomQZScrollBar::Resize() {
    TQZXPThemedControl::Resize();
    if (HandleAllocated())
        RecomputeAndInvalidate();
}

void TCustomQZScrollBar::ColorChanged() {
    TQZXPThemedControl::ColorChanged();
    if (FBlendBackground)
        RebuildBackground();
    Invalidate();
}

void TCustomQZScrollBar::EnabledChanged() {
    TQZXPThemedControl::EnabledChanged();
    Invalidate();
}

TColor TCustomQZScrollBar::ShadowColor() const {
    if (Color() == clBtnFace)
        return clBtnShadow;
    return WithLightness(Color(), 255, [](int l) { return l - l / 4; });
}

TColor TCustomQZScrollBar::LighterColor() const {
    if (Color() == clBtnFace)
        return clBtnHighlight;
    return WithLightness(Color(), 255, [](int l) { return l + l / 4; });
}

void TCustomQZScrollBar::RebuildBackground() {
    if (!Shared() || Shared()->Bars.front() != this)
        return;
    TCanvas* canvas = Shared()->Bitmap.Canvas();
    TColor lighter = LighterColor();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            canvas->SetPixel(x, y, (x % 2) != (y % 2) ? Color() : lighter);
}

TBitmap* ScrollBarBlendBitmap() {
    return Shared() ? &Shared()->Bitmap : nullptr;
}

int TCustomQZScrollBar::SetScrollInfo(const SCROLLINFO& Info, bool Redraw) {
    if (Info.cbSize < 28)
        return FPosition;
    bool range = Info.fMask & SIF_RANGE, page = Info.fMask & SIF_PAGE, pos = Info.fMask & SIF_POS;
    auto finish = [&] {
        RecomputeThumb();
        if (Redraw && HandleAllocated())
            Invalidate();
    };
    if (range) {
        if (Info.nMin > Info.nMax)
            return FPosition;
        bool inside = Info.nMin <= FPosition && FPosition <= Info.nMax;
        if (pos) {
            FPosition = Info.nMin <= Info.nPos && Info.nPos <= Info.nMax ? Info.nPos : Info.nMax;
        } else if (!inside) {
            return FPosition;
        }
        FMin = Info.nMin;
        FMax = Info.nMax;
        if (page)
            FPage = int(Info.nPage);
        finish();
    } else if (pos) {
        if (FMin <= Info.nPos && Info.nPos <= FMax) {
            if (page)
                FPage = int(Info.nPage);
            FPosition = Info.nPos;
            finish();
        }
    } else if (page) {
        FPage = int(Info.nPage);
        finish();
    }
    return FPosition;
}

bool TCustomQZScrollBar::GetScrollInfo(SCROLLINFO& Info) const {
    if (Info.cbSize < 28)
        return false;
    if (Info.fMask & SIF_PAGE)
        Info.nPage = UINT(FPage);
    if (Info.fMask & SIF_POS)
        Info.nPos = FPosition;
    if (Info.fMask & SIF_TRACKPOS)
        Info.nTrackPos = UpdateThumbPos();
    if (Info.fMask & SIF_RANGE) {
        Info.nMin = FMin;
        Info.nMax = FMax;
    }
    return true;
}

void TCustomQZScrollBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case SBM_SETSCROLLINFO:
        // A missing record is answered with 0, not read.
        Message.Result = Message.LParam
                             ? SetScrollInfo(*reinterpret_cast<const SCROLLINFO*>(Message.LParam),
                                             Message.WParam != 0)
                             : 0;
        return;
    case SBM_GETSCROLLINFO:
        Message.Result =
            Message.LParam && GetScrollInfo(*reinterpret_cast<SCROLLINFO*>(Message.LParam)) ? 1 : 0;
        return;
    case SBM_GETPOS:
        Message.Result = FPosition;
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SYSCOLORCHANGE:
    case CM_SYSCOLORCHANGE: // as a form tells its controls
        TQZXPThemedControl::WndProc(Message);
        RebuildBackground();
        return Invalidate();
    default:
        return TQZXPThemedControl::WndProc(Message);
    }
}

void TCustomQZScrollBar::TriggerChangeEvent() {
    Fire(OnChange, this);
}

void TCustomQZScrollBar::TriggerScrollEvent(TQZScrollCode ScrollCode, int& ScrollPos,
                                            bool& DoChange) {
    DoChange = true;
    Fire(OnScroll, this, ScrollCode, ScrollPos, DoChange);
}

void TCustomQZScrollBar::TriggerScrollHintNeededEvent(int TrackPosition, TQZFString& Hint) {
    Fire(OnScrollHintNeeded, this, TrackPosition, Hint);
}

void TCustomQZScrollBar::TriggerHitTestEvent(int X, int Y, TQZScrollBarPart& Part,
                                             bool& DefaultTest) {
    DefaultTest = true;
    Fire(OnHitTest, this, X, Y, Part, DefaultTest);
}

TQZScrollBarPart TCustomQZScrollBar::GetHitTest(int X, int Y) {
    TQZScrollBarPart part = sbpNowhere;
    bool defaultTest = true;
    TriggerHitTestEvent(X, Y, part, defaultTest);
    if (!defaultTest)
        return part;
    bool horizontal = FKind == sbHorizontal;
    return HitTestScrollBar(Model(), FThumbPos, horizontal ? X : Y, horizontal ? Y : X);
}
