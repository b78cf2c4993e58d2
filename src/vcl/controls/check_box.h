#pragma once
#include "vcl/controls/button_control.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box over the Win32 button. A click moves unchecked to checked (or to grayed when
// AllowGrayed), checked to unchecked and grayed to checked, then fires OnClick. Setting Checked
// or State in code fires nothing, so a form can fill its boxes without running their handlers.
class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }

protected:
    void Toggle() override;
    unsigned ButtonStyle() const override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
