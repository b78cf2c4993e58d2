#include "vcl/button.h"

#include "rtl/published.h"
#include "vcl/forms.h"
#include "vcl/win_api.h"

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo info = TClassInfo("TButton", &TWinControl::StaticClassInfo())
                                       .String("Caption", &TButton::Caption, &TButton::SetCaption);
    return info;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    // The Win32 button captures and clicks by itself.
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = L"BUTTON";
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
    if (value == FDefault)
        return;
    FDefault = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone)
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::CNCommand(TMessage& Message) {
    if (HIWORD(Message.WParam) == BN_CLICKED)
        Click();
}

void TButton::WndProc(TMessage& Message) {
    if (Message.Msg == CM_DIALOGKEY) {
        bool mine =
            (Message.WParam == VK_RETURN && FDefault) || (Message.WParam == VK_ESCAPE && FCancel);
        if (mine && Visible() && Enabled()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(Message);
}
