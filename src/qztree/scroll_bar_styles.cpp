#include "qztree/scroll_bar_styles.h"

#include "rtl/published.h"

const TClassInfo& TQZScrollBarStyles::StaticClassInfo() {
    static const TClassInfo info =
        TClassInfo("TQZScrollBarStyles", &TPersistent::StaticClassInfo())
            .Boolean("ShowTrackHint", &TQZScrollBarStyles::ShowTrackHint,
                     &TQZScrollBarStyles::SetShowTrackHint)
            .Integer("Width", &TQZScrollBarStyles::Width, &TQZScrollBarStyles::SetWidth)
            .Integer("ButtonSize", &TQZScrollBarStyles::ButtonSize,
                     &TQZScrollBarStyles::SetButtonSize);
    return info;
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
