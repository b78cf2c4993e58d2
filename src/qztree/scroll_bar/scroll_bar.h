#pragma once
#include "qztree/base/tools.h"
#include "qztree/base/xp_themed_control.h"
#include "qztree/scroll_bar/scroll_bar_geometry.h"

#include <functional>
#include <memory>

class TTimer;
class TBitmap;
class TQZHintWindow;

enum TQZScrollCode {
    escLineUp,
    escLineDown,
    escPageUp,
    escPageDown,
    escPosition,
    escTrack,
    escTop,
    escBottom,
    escEndScroll,
    escSndLineUp,
    escSndLineDown
};
enum TQZSecButtonsKind { sbkOpposite, sbkPage, sbkCustom };

using TQZScrollEvent =
    std::function<void(TObject* Sender, TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange)>;
using TQZScrollHitTestEvent =
    std::function<void(TObject* Sender, int X, int Y, TQZScrollBarPart& Part, bool& DefaultTest)>;
using TQZScrollDrawPartEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, TQZScrollBarPart Part,
                       bool Enabled, bool Focused, bool Pressed, bool& DefaultDraw)>;
using TQZScrollHintNeededEvent =
    std::function<void(TObject* Sender, int TrackPosition, TQZFString& Hint)>;

// The owner-drawn scroll bar: a range, a page and a position shown as arrow buttons, a track and
// a thumb, drawn themed or flat. Moving it reports through OnScroll, whose DoChange decides
// whether the bar moves itself.
class TCustomQZScrollBar : public TQZXPThemedControl {
public:
    explicit TCustomQZScrollBar(TComponent* AOwner);
    ~TCustomQZScrollBar() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Page() const { return FPage; }
    void SetPage(int value);
    int Step() const { return FStep; }
    void SetStep(int value) { FStep = value; }

    int ButtonSize() const; // the effective length
    void SetButtonSize(int value);
    TQZScrollThumbMode ThumbMode() const { return FThumbMode; }
    void SetThumbMode(TQZScrollThumbMode value);
    int ThumbSize() const;
    void SetThumbSize(int value);
    int MinThumbSize() const { return FMinThumbSize; }
    void SetMinThumbSize(int value);
    bool UseSystemMetrics() const { return FUseSystemMetrics; }
    void SetUseSystemMetrics(bool value);

    bool ShowLeftArrows() const { return FShowLeftArrows; }
    void SetShowLeftArrows(bool value) { SetLayoutFlag(FShowLeftArrows, value); }
    bool ShowRightArrows() const { return FShowRightArrows; }
    void SetShowRightArrows(bool value) { SetLayoutFlag(FShowRightArrows, value); }
    bool SecondaryButtons() const { return FSecondaryButtons; }
    void SetSecondaryButtons(bool value) { SetLayoutFlag(FSecondaryButtons, value); }
    TQZSecButtonsKind SecondBtnKind() const { return FSecondBtnKind; }
    void SetSecondBtnKind(TQZSecButtonsKind value);

    bool Flat() const { return FFlat; }
    void SetFlat(bool value) { SetLook(FFlat, value); }
    bool ActiveFlat() const { return FActiveFlat; }
    void SetActiveFlat(bool value);
    bool NoSunkenThumb() const { return FNoSunkenThumb; }
    void SetNoSunkenThumb(bool value);
    bool BlendBackground() const { return FBlendBackground; }
    void SetBlendBackground(bool value) { SetLook(FBlendBackground, value); }
    bool DrawFrames() const { return FDrawFrames; }
    void SetDrawFrames(bool value);
    bool DrawArrowFrames() const { return FDrawArrowFrames; }
    void SetDrawArrowFrames(bool value) { SetLook(FDrawArrowFrames, value); }
    bool DrawBars() const { return FDrawBars; }
    void SetDrawBars(bool value) { SetLook(FDrawBars, value); }
    unsigned BarOffset() const { return FBarOffset; }
    void SetBarOffset(unsigned value) { SetLook(FBarOffset, value); }
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value) { SetLook(FBarColor, value); }
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor value) { SetLook(FArrowColor, value); }
    TColor ArrowHotTrackColor() const { return FArrowHotTrackColor; }
    void SetArrowHotTrackColor(TColor value) { SetLook(FArrowHotTrackColor, value); }
    bool ThinFrames() const { return FThinFrames; }
    void SetThinFrames(bool value) { SetLook(FThinFrames, value); }
    bool SystemBkColor() const { return FSysBkColor; }
    void SetSystemBkColor(bool value) { SetLook(FSysBkColor, value); }
    bool AltDisablingArrows() const { return FAltDisablingArrows; }
    void SetAltDisablingArrows(bool value) { SetLook(FAltDisablingArrows, value); }
    bool NoDisableButtons() const { return FNoDisableButtons; }
    void SetNoDisableButtons(bool value) { SetLook(FNoDisableButtons, value); }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value) { SetLook(FOwnerDraw, value); }

    bool ShowTrackHint = false;
    bool ChangeColorsOnScroll = true;
    bool NoScrollMessages = false;
    TColor HintColor = clInfoBk;
    TColor HintTextColor = clInfoText;

    TNotifyEvent OnChange;
    TQZScrollEvent OnScroll;
    TQZScrollDrawPartEvent OnDrawPart;
    TQZScrollHintNeededEvent OnScrollHintNeeded;
    TQZScrollHitTestEvent OnHitTest;

    // The geometry as it stands, for painting, hit testing and the tests.
    TScrollBarModel Model() const;
    TScrollBarLayout Layout() const;
    int ThumbPos() const { return FThumbPos; }
    TQZScrollBarPart GetHitTest(int X, int Y);
    // The position the thumb's pixel place stands for (differs from Position while dragging).
    int UpdateThumbPos() const;
    TColor ShadowColor() const;
    TColor LighterColor() const;

    // Scroll information as the platform's scroll functions exchange it.
    int SetScrollInfo(const SCROLLINFO& Info, bool Redraw);
    bool GetScrollInfo(SCROLLINFO& Info) const;

    // One step of the auto-repeat; the bar's timer calls it.
    void OnScrollTimer(TObject* Sender);
    TTimer* ScrollTimer() const { return FScrollTimer; }
    TQZHintWindow* HintWindow() const { return FHintWnd.get(); }
    TQZScrollBarPart PressedIn() const { return FPressedIn; }
    TQZScrollBarPart MouseOver() const { return FMouseOver; }

    void WndProc(TMessage& Message) override;

protected:
    std::wstring GetThemedClassName() const override { return L"SCROLLBAR"; }
    void CreateWnd() override;
    void Loaded() override;
    void Paint() override;
    void Resize() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override;
    void BeforeDestruction() override;

    virtual void TriggerChangeEvent();
    virtual void TriggerScrollEvent(TQZScrollCode ScrollCode, int& ScrollPos, bool& DoChange);
    virtual void TriggerScrollHintNeededEvent(int TrackPosition, TQZFString& Hint);
    virtual void TriggerHitTestEvent(int X, int Y, TQZScrollBarPart& Part, bool& DefaultTest);

    void ShowHintAt(int APosition, int X, int Y);

private:
    friend class TScrollBarPainter;
    bool IsLoading() const;
    bool CanRedraw() const { return !IsLoading() && HandleAllocated(); }
    void RecomputeThumb();
    void RecomputeAndInvalidate();
    template <class T> void SetLook(T& field, T value) {
        if (field == value)
            return;
        field = value;
        if (HandleAllocated())
            Invalidate();
    }
    template <class T> void SetLayoutFlag(T& field, T value) {
        if (field == value)
            return;
        field = value;
        if (CanRedraw())
            RecomputeAndInvalidate();
    }
    void DoSetPosition(int Value, bool Redraw);
    void RangeChanged();
    void RepaintScrollingRegion();
    void ApplySystemMetrics();
    void RebuildBackground();
    void SetThumbPosAndRepaint(int thumbPos);

    // Input.
    void IntMouseButton(bool Pressed, TMouseButton Btn, int X, int Y);
    void PressPart(int X, int Y);
    void ReleasePart();
    void DragThumb(int c);
    void RestoreCapture();
    TPoint HintPoint() const;
    void FreeHintWindow();

    bool IsHot(TQZScrollBarPart part) const;
    bool IsPressed(TQZScrollBarPart part) const;
    bool ChangesLookOnHover() const;

    TScrollBarKind FKind = sbHorizontal;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;
    int FPage = 14;
    int FStep = 1;
    int FButtonSize = 0;
    TQZScrollThumbMode FThumbMode = etmAuto;
    int FThumbSize = 0;
    int FMinThumbSize = 4;
    bool FUseSystemMetrics = false;
    bool FShowLeftArrows = true;
    bool FShowRightArrows = true;
    bool FSecondaryButtons = false;
    TQZSecButtonsKind FSecondBtnKind = sbkOpposite;
    bool FFlat = true;
    bool FActiveFlat = false;
    bool FNoSunkenThumb = false;
    bool FBlendBackground = true;
    bool FDrawFrames = true;
    bool FDrawArrowFrames = true;
    bool FDrawBars = true;
    unsigned FBarOffset = 2;
    TColor FBarColor = clBtnShadow;
    TColor FArrowColor = clBtnText;
    TColor FArrowHotTrackColor = clHighlight;
    bool FThinFrames = false;
    bool FSysBkColor = true;
    bool FAltDisablingArrows = false;
    bool FNoDisableButtons = false;
    bool FOwnerDraw = false;

    bool FMouseInControl = false;
    TTimer* FScrollTimer = nullptr;
    int FThumbOffset = 0;
    int FOrigPos = 0;
    int FOrigCoord = 0;
    HWND FSaveCapture = nullptr;
    int FTrackPos = -1;
    int FThumbPos = 0;
    TQZScrollBarPart FPressedIn = sbpNowhere;
    TQZScrollBarPart FOrigPressedIn = sbpNowhere;
    TQZScrollBarPart FMouseOver = sbpNowhere;
    TOwnedPtr<TQZHintWindow> FHintWnd;
    TPoint FPressedPos;
    bool FPressed = false;
    bool FTracking = false;
};

// The dither pattern all bars share; null while there is no bar.
TBitmap* ScrollBarBlendBitmap();

// The published bar.
class TQZScrollBar : public TCustomQZScrollBar {
public:
    using TCustomQZScrollBar::TCustomQZScrollBar;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
