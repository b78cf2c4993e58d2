#pragma once
#include "vcl/core/control.h"
#include "vcl/core/control_canvas.h"

#include <memory>

// A control without a window of its own: it draws on its parent's window and receives its
// mouse messages through the parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintControl(HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
