#include "vcl/core/timer.h"

#include "rtl/published.h"

const TClassInfo& TTimer::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TTimer", &TComponent::StaticClassInfo())
            .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
            .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
    return *info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value) {
    if (value == FInterval)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
    FOnTimer = std::move(value);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    FTimer.Stop();
    if (FEnabled && FInterval > 0 && FOnTimer && !ComponentState().Contains(csLoading) &&
        !ComponentState().Contains(csDestroying))
        FTimer.Start(unsigned(FInterval), [this] { Timer(); });
}
