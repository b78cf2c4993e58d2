#pragma once
#include "vcl/base/component.h"
#include "vcl/core/window_timer.h"

#include "rtl/events.h"

// Fires OnTimer every Interval milliseconds while Enabled and a handler is assigned.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int Interval() const { return FInterval; }
    void SetInterval(int value);
    const TNotifyEvent& OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent value);

protected:
    virtual void Timer() { Fire(FOnTimer, this); }
    void Loaded() override;
    void BeforeDestruction() override { FTimer.Stop(); }

private:
    void UpdateTimer();
    bool FEnabled = true;
    int FInterval = 1000;
    TNotifyEvent FOnTimer;
    TWindowTimer FTimer;
};
