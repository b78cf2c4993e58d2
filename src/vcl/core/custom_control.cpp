#include "vcl/core/custom_control.h"

#include "rtl/published.h"

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TCustomControl", &TWinControl::StaticClassInfo());
    return *info;
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::WndProc(TMessage& Message) {
    TWinControl::WndProc(Message);
    FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(HDC DC) {
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomControl::DestroyWnd() {
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}
