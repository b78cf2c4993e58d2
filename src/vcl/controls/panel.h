#pragma once
#include "vcl/core/custom_control.h"

// A container with raised or lowered bevels inside its client area (BevelOuter, BevelInner,
// BevelWidth of the windowed control, without a frame BevelKind) and an optional caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void AdjustClientRect(TRect& Rect) const override;

protected:
    void Paint() override;

private:
    int BevelSize() const;
    TAlignment FAlignment = taCenter;
};

// Draws a 3-D frame of the given width inside the rectangle and shrinks it by that width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
