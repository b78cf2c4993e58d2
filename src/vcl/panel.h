#pragma once
#include "vcl/custom_control.h"

// A container with raised or lowered bevels and an optional caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void AdjustClientRect(TRect& Rect) const override;

protected:
    void Paint() override;

private:
    int BevelSize() const;
    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    TAlignment FAlignment = taCenter;
};

// Draws a 3-D frame of the given width inside the rectangle and shrinks it by that width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
