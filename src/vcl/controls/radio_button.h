#pragma once
#include "vcl/controls/button_control.h"

// A radio button over the Win32 button. Checking one (by a click or in code) unchecks the other
// radio buttons of its parent; only a click fires OnClick, and only when it checks the button.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);

protected:
    void Toggle() override;
    unsigned ButtonStyle() const override;

private:
    bool FChecked = false;
};
