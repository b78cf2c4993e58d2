#include "vcl/controls/up_down.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

#include <algorithm>
#include <commctrl.h>

const TClassInfo& TUpDown::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TUpDown", &TWinControl::StaticClassInfo())
            .Integer("Position", &TUpDown::Position, &TUpDown::SetPosition);
    return *info;
}

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csDoubleClicks});
    SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.SystemClassName = UPDOWN_CLASSW;
    Params.Style |=
        UDS_ARROWKEYS | (FOrientation == udHorizontal ? UDS_HORZ : 0) | (FWrap ? UDS_WRAP : 0);
}

void TUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    PushRange();
    UDACCEL accel{0, UINT(FIncrement)};
    SendMessageW(WindowHandle(), UDM_SETACCEL, 1, LPARAM(&accel));
    SendMessageW(WindowHandle(), UDM_SETPOS32, 0, FPosition);
}

int TUpDown::Position() const {
    if (HandleAllocated())
        return int(SendMessageW(WindowHandle(), UDM_GETPOS32, 0, 0));
    return FPosition;
}

void TUpDown::SetPosition(int value) {
    FPosition = std::clamp(value, std::min(FMin, FMax), std::max(FMin, FMax));
    if (HandleAllocated())
        SendMessageW(WindowHandle(), UDM_SETPOS32, 0, FPosition);
}

void TUpDown::PushRange() {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), UDM_SETRANGE32, FMin, FMax);
}

void TUpDown::SetMin(int value) {
    if (value == FMin)
        return;
    FMin = value;
    PushRange();
}

void TUpDown::SetMax(int value) {
    if (value == FMax)
        return;
    FMax = value;
    PushRange();
}

void TUpDown::SetIncrement(int value) {
    if (value == FIncrement)
        return;
    FIncrement = value;
    RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    RecreateWnd();
}

void TUpDown::SetWrap(bool value) {
    if (value == FWrap)
        return;
    FWrap = value;
    RecreateWnd();
}

bool TUpDown::CanChange(short NewValue, TUpDownDirection Direction) {
    bool allow = true;
    if (OnChangingEx)
        OnChangingEx(this, allow, NewValue, Direction);
    return allow;
}

void TUpDown::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header->code != UDN_DELTAPOS)
        return DefaultHandler(Message);
    auto* delta = reinterpret_cast<NMUPDOWN*>(Message.LParam);
    TUpDownDirection direction = delta->iDelta > 0 ? updUp : delta->iDelta < 0 ? updDown : updNone;
    // A non-zero answer keeps the control from moving.
    Message.Result = CanChange(short(delta->iPos + delta->iDelta), direction) ? 0 : 1;
}

void TUpDown::CNScroll(TMessage& Message) {
    if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
        int position = Position();
        TUDBtnType button = position >= FPosition ? btNext : btPrev;
        FPosition = position;
        Click();
        Fire(OnButtonClick, this, button);
    }
}
