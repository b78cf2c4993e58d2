#pragma once
#include "qztree/scroll_bar/scroll_bar.h"
#include "vcl/base/persistent.h"

// Publishes the look of one scroll bar as a nested property of the control that owns it. It keeps
// nothing itself: every property reads and writes the bar.
class TQZScrollBarStyles : public TPersistent {
public:
    TQZScrollBarStyles(TCustomQZScrollBar* AControl, TControl* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Assign(const TPersistent* Source) override;

    TCustomQZScrollBar* ScrollBar() const { return FQZScrollBar; }

    bool ActiveFlat() const { return FQZScrollBar->ActiveFlat(); }
    void SetActiveFlat(bool v) { FQZScrollBar->SetActiveFlat(v); }
    bool BlendBackground() const { return FQZScrollBar->BlendBackground(); }
    void SetBlendBackground(bool v) { FQZScrollBar->SetBlendBackground(v); }
    TColor Color() const { return FQZScrollBar->Color(); }
    void SetColor(TColor v) { FQZScrollBar->SetColor(v); }
    bool Flat() const { return FQZScrollBar->Flat(); }
    void SetFlat(bool v) { FQZScrollBar->SetFlat(v); }
    int MinThumbSize() const { return FQZScrollBar->MinThumbSize(); }
    void SetMinThumbSize(int v) { FQZScrollBar->SetMinThumbSize(v); }
    bool NoDisableButtons() const { return FQZScrollBar->NoDisableButtons(); }
    void SetNoDisableButtons(bool v) { FQZScrollBar->SetNoDisableButtons(v); }
    bool NoSunkenThumb() const { return FQZScrollBar->NoSunkenThumb(); }
    void SetNoSunkenThumb(bool v) { FQZScrollBar->SetNoSunkenThumb(v); }
    bool OwnerDraw() const { return FQZScrollBar->OwnerDraw(); }
    void SetOwnerDraw(bool v) { FQZScrollBar->SetOwnerDraw(v); }
    bool SecondaryButtons() const { return FQZScrollBar->SecondaryButtons(); }
    void SetSecondaryButtons(bool v) { FQZScrollBar->SetSecondaryButtons(v); }
    TQZSecButtonsKind SecondBtnKind() const { return FQZScrollBar->SecondBtnKind(); }
    void SetSecondBtnKind(TQZSecButtonsKind v) { FQZScrollBar->SetSecondBtnKind(v); }
    bool ShowLeftArrows() const { return FQZScrollBar->ShowLeftArrows(); }
    void SetShowLeftArrows(bool v) { FQZScrollBar->SetShowLeftArrows(v); }
    bool ShowRightArrows() const { return FQZScrollBar->ShowRightArrows(); }
    void SetShowRightArrows(bool v) { FQZScrollBar->SetShowRightArrows(v); }
    bool ShowTrackHint() const { return FQZScrollBar->ShowTrackHint; }
    void SetShowTrackHint(bool v) { FQZScrollBar->ShowTrackHint = v; }
    TQZScrollThumbMode ThumbMode() const { return FQZScrollBar->ThumbMode(); }
    void SetThumbMode(TQZScrollThumbMode v) { FQZScrollBar->SetThumbMode(v); }
    int ThumbSize() const { return FQZScrollBar->ThumbSize(); }
    void SetThumbSize(int v) { FQZScrollBar->SetThumbSize(v); }
    int ButtonSize() const { return FQZScrollBar->ButtonSize(); }
    void SetButtonSize(int v) { FQZScrollBar->SetButtonSize(v); }
    TColor ArrowColor() const { return FQZScrollBar->ArrowColor(); }
    void SetArrowColor(TColor v) { FQZScrollBar->SetArrowColor(v); }
    TColor ArrowHotTrackColor() const { return FQZScrollBar->ArrowHotTrackColor(); }
    void SetArrowHotTrackColor(TColor v) { FQZScrollBar->SetArrowHotTrackColor(v); }
    bool DrawFrames() const { return FQZScrollBar->DrawFrames(); }
    void SetDrawFrames(bool v) { FQZScrollBar->SetDrawFrames(v); }
    bool DrawArrowFrames() const { return FQZScrollBar->DrawArrowFrames(); }
    void SetDrawArrowFrames(bool v) { FQZScrollBar->SetDrawArrowFrames(v); }
    bool DrawBars() const { return FQZScrollBar->DrawBars(); }
    void SetDrawBars(bool v) { FQZScrollBar->SetDrawBars(v); }
    int BarOffset() const { return int(FQZScrollBar->BarOffset()); }
    void SetBarOffset(int v) { FQZScrollBar->SetBarOffset(unsigned(v)); }
    TColor BarColor() const { return FQZScrollBar->BarColor(); }
    void SetBarColor(TColor v) { FQZScrollBar->SetBarColor(v); }
    bool ThinFrames() const { return FQZScrollBar->ThinFrames(); }
    void SetThinFrames(bool v) { FQZScrollBar->SetThinFrames(v); }
    TColor HintColor() const { return FQZScrollBar->HintColor; }
    void SetHintColor(TColor v) { FQZScrollBar->HintColor = v; }
    TColor HintTextColor() const { return FQZScrollBar->HintTextColor; }
    void SetHintTextColor(TColor v) { FQZScrollBar->HintTextColor = v; }
    bool SystemBkColor() const { return FQZScrollBar->SystemBkColor(); }
    void SetSystemBkColor(bool v) { FQZScrollBar->SetSystemBkColor(v); }
    bool UseXPThemes() const { return FQZScrollBar->UseXPThemes(); }
    void SetUseXPThemes(bool v) { FQZScrollBar->SetUseXPThemes(v); }

    bool UseSystemMetrics() const { return FQZScrollBar->UseSystemMetrics(); }
    void SetUseSystemMetrics(bool Value);
    // The bar's thickness: its width when vertical, its height when horizontal.
    int Width() const;
    void SetWidth(int Value);

    TNotifyEvent OnChange;

private:
    TCustomQZScrollBar* FQZScrollBar;
    TControl* FOwner;
};
