#include "vcl/button_control.h"

#include "vcl/win_api.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetTabStop(true);
}

void TButtonControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = L"BUTTON";
    Params.Style |= ButtonStyle() | BS_MULTILINE | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TButtonControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, FMark, 0);
}

void TButtonControl::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    RecreateWnd();
}

void TButtonControl::SetMark(unsigned mark) {
    FMark = mark;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, mark, 0);
}

void TButtonControl::CNCommand(TMessage& Message) {
    if (HIWORD(Message.WParam) == BN_CLICKED)
        Toggle();
}
