#include "vcl/controls/button.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/core/forms.h"

const TClassInfo& TButton::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TButton", &TWinControl::StaticClassInfo())
            .String("Caption", &TButton::Caption, &TButton::SetCaption);
    return *info;
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

bool TButton::TakesEnter() const {
    if (Focused())
        return true;
    // The default button gives way to a focused other button.
    TCustomForm* form = GetParentForm(this);
    auto* focused = form ? dynamic_cast<TButton*>(form->ActiveControl()) : nullptr;
    return FDefault && !(focused && focused != this && focused->Focused());
}

void TButton::DialogKey(TMessage& Message) {
    // Alt is read from the key's own message, as the system's dialogs do: the thread's key state
    // can still hold an Alt whose release another program took.
    const bool plain = GetKeyState(VK_CONTROL) >= 0 && !HeldWithAlt(Message.LParam);
    const bool mine =
        (Message.WParam == VK_RETURN && TakesEnter()) || (Message.WParam == VK_ESCAPE && FCancel);
    if (mine && plain && CanFocus()) {
        Click();
        Message.Result = 1;
    }
}

void TButton::DialogChar(TMessage& Message) {
    if (IsAccel(char(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
    }
}
