#include "vcl/controls/button_control.h"

#include "vcl/base/win_api.h"

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
    PushMark();
}

void TButtonControl::PushMark() {
    HWND h = WindowHandle();
    SendMessageW(h, BM_SETCHECK, FMark, 0);
    // A radio button's window makes itself a tab stop exactly when checked; TabStop decides.
    LONG style = GetWindowLongW(h, GWL_STYLE);
    LONG wanted = TabStop() ? style | WS_TABSTOP : style & ~WS_TABSTOP;
    if (wanted != style)
        SetWindowLongW(h, GWL_STYLE, wanted);
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
        PushMark();
}

void TButtonControl::CNCommand(TMessage& Message) {
    if (HIWORD(Message.WParam) == BN_CLICKED)
        Toggle();
}

void TButtonControl::DialogChar(TMessage& Message) {
    if (!IsAccel(char(Message.WParam), Caption()) || !CanFocus())
        return;
    SetFocus();
    if (Focused())
        Toggle();
    Message.Result = 1;
}
