#pragma once
#include "vcl/core/custom_control.h"

// A frame with a caption in its top edge that holds other controls. It is drawn by the layer
// (not the Win32 group-box button) so the labels and other graphic controls in it are painted.
class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void AdjustClientRect(TRect& Rect) const override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    // Height of a line of the caption's font.
    int CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
