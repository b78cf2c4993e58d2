#include "vcl/core/graphic_control.h"

#include "rtl/published.h"

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TGraphicControl", &TControl::StaticClassInfo());
    return *info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintControl(HDC DC) {
    FCanvas->PaintOn(DC, [this] { Paint(); });
}
