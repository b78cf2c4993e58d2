#pragma once
#include "vcl/graphics/canvas.h"

#include <functional>
#include <memory>

class TControl;
class TWindowDC;

// The canvas of a control. While the control paints it draws on the paint context; outside
// painting it takes a context of the control's window when first asked and gives it back in
// FreeHandle (the control does so after each message).
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control);
    ~TControlCanvas() override;
    void FreeHandle();
    // Lends the canvas the paint context for one painting, with the control's font and colour.
    void PaintOn(HDC dc, const std::function<void()>& paint);

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    std::unique_ptr<TWindowDC> FOwnDC;
};
