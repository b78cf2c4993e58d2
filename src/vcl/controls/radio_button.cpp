#include "vcl/controls/radio_button.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& TRadioButton::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TRadioButton", &TWinControl::StaticClassInfo())
            .String("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
            .Boolean("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
    return *info;
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    SetMark(value ? BST_CHECKED : BST_UNCHECKED);
    // Tab reaches a group of radio buttons at its checked one.
    SetTabStop(value);
    if (!value || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            sibling && sibling != this)
            sibling->SetChecked(false);
}

void TRadioButton::Toggle() {
    if (FChecked)
        return;
    SetChecked(true);
    Click();
}

unsigned TRadioButton::ButtonStyle() const {
    return BS_RADIOBUTTON;
}
