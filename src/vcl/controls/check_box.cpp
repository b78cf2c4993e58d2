#include "vcl/controls/check_box.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TCheckBox", &TWinControl::StaticClassInfo())
            .String("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
            .Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    return *info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 97, 17);
}

unsigned TCustomCheckBox::ButtonStyle() const {
    return BS_3STATE;
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == FState)
        return;
    FState = value;
    static const unsigned marks[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    SetMark(marks[value]);
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
    Click();
}
