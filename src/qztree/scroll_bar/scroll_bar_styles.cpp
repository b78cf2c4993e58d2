#include "qztree/scroll_bar/scroll_bar_styles.h"

#include "rtl/published.h"

// Every property a form stores for the bar, in the order a form writes them.
const TClassInfo& TQZScrollBarStyles::StaticClassInfo() {
    using S = TQZScrollBarStyles;
    static const TLasting<TClassInfo> info =
        TClassInfo("TQZScrollBarStyles", &TPersistent::StaticClassInfo())
            .Boolean("ActiveFlat", &S::ActiveFlat, &S::SetActiveFlat)
            .Boolean("BlendBackground", &S::BlendBackground, &S::SetBlendBackground)
            .Integer("Color", &S::Color, &S::SetColor)
            .Boolean("Flat", &S::Flat, &S::SetFlat)
            .Integer("MinThumbSize", &S::MinThumbSize, &S::SetMinThumbSize)
            .Boolean("NoDisableButtons", &S::NoDisableButtons, &S::SetNoDisableButtons)
            .Boolean("NoSunkenThumb", &S::NoSunkenThumb, &S::SetNoSunkenThumb)
            .Boolean("OwnerDraw", &S::OwnerDraw, &S::SetOwnerDraw)
            .Boolean("SecondaryButtons", &S::SecondaryButtons, &S::SetSecondaryButtons)
            .Enumeration("SecondBtnKind", &S::SecondBtnKind, &S::SetSecondBtnKind,
                         {"sbkOpposite", "sbkPage", "sbkCustom"})
            .Boolean("ShowLeftArrows", &S::ShowLeftArrows, &S::SetShowLeftArrows)
            .Boolean("ShowRightArrows", &S::ShowRightArrows, &S::SetShowRightArrows)
            .Boolean("ShowTrackHint", &S::ShowTrackHint, &S::SetShowTrackHint)
            .Enumeration("ThumbMode", &S::ThumbMode, &S::SetThumbMode, {"etmFixed", "etmAuto"})
            .Integer("ThumbSize", &S::ThumbSize, &S::SetThumbSize)
            .Integer("Width", &S::Width, &S::SetWidth)
            .Integer("ButtonSize", &S::ButtonSize, &S::SetButtonSize)
            .Boolean("UseSystemMetrics", &S::UseSystemMetrics, &S::SetUseSystemMetrics)
            .Integer("ArrowColor", &S::ArrowColor, &S::SetArrowColor)
            .Integer("ArrowHotTrackColor", &S::ArrowHotTrackColor, &S::SetArrowHotTrackColor)
            .Boolean("DrawFrames", &S::DrawFrames, &S::SetDrawFrames)
            .Boolean("DrawArrowFrames", &S::DrawArrowFrames, &S::SetDrawArrowFrames)
            .Boolean("DrawBars", &S::DrawBars, &S::SetDrawBars)
            .Integer("BarOffset", &S::BarOffset, &S::SetBarOffset)
            .Integer("BarColor", &S::BarColor, &S::SetBarColor)
            .Boolean("ThinFrames", &S::ThinFrames, &S::SetThinFrames)
            .Integer("HintColor", &S::HintColor, &S::SetHintColor)
            .Integer("HintTextColor", &S::HintTextColor, &S::SetHintTextColor)
            .Boolean("SystemBkColor", &S::SystemBkColor, &S::SetSystemBkColor)
            .Boolean("UseXPThemes", &S::UseXPThemes, &S::SetUseXPThemes);
    return *info;
}

TQZScrollBarStyles::TQZScrollBarStyles(TCustomQZScrollBar* AControl, TControl* AOwner)
    : FQZScrollBar(AControl), FOwner(AOwner) {
    if (!AControl || !AOwner)
        throw Exception(
            "No scrollbar specified when attempting to create TQZScrollBarStyles instance");
    SetUseSystemMetrics(true);
}

void TQZScrollBarStyles::SetUseSystemMetrics(bool Value) {
    if (FQZScrollBar->UseSystemMetrics() == Value)
        return;
    FQZScrollBar->SetUseSystemMetrics(Value);
    Fire(OnChange, this);
}

int TQZScrollBarStyles::Width() const {
    return FQZScrollBar->Kind() == sbVertical ? FQZScrollBar->Width() : FQZScrollBar->Height();
}

void TQZScrollBarStyles::SetWidth(int Value) {
    bool loading = FOwner->ComponentState().Contains(csLoading);
    if (UseSystemMetrics() && !loading) {
        // The system's thickness wins over a value set at run time.
        SetUseSystemMetrics(false);
        SetUseSystemMetrics(true);
    } else if (FQZScrollBar->Kind() == sbVertical) {
        FQZScrollBar->SetWidth(Value);
    } else {
        FQZScrollBar->SetHeight(Value);
    }
    Fire(OnChange, this);
}

void TQZScrollBarStyles::Assign(const TPersistent* Source) {
    auto* other = dynamic_cast<const TQZScrollBarStyles*>(Source);
    if (!other)
        return TPersistent::Assign(Source);
    SetActiveFlat(other->ActiveFlat());
    SetBlendBackground(other->BlendBackground());
    SetColor(other->Color());
    SetFlat(other->Flat());
    SetMinThumbSize(other->MinThumbSize());
    SetOwnerDraw(other->OwnerDraw());
    SetSecondaryButtons(other->SecondaryButtons());
    SetSecondBtnKind(other->SecondBtnKind());
    SetShowTrackHint(other->ShowTrackHint());
    SetThumbMode(other->ThumbMode());
    SetThumbSize(other->ThumbSize());
}
