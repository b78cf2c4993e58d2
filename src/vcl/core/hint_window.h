#pragma once
#include "vcl/core/custom_control.h"

// The small pop-up that shows a hint text; sized to its text by CalcHintRect.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Shows the text without taking the focus: Rect is where it goes on the screen, with the
    // size CalcHintRect gave for the text and its margins; the border comes around that. The
    // window is moved onto the desktop where it would leave it.
    virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
    void ReleaseHandle();
    // The size the hint needs, at most MaxWidth wide, with its top-left at (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);

protected:
    // The bounds of the window whose client area is Client, at the same top-left corner.
    TRect FramedRect(const TRect& Client);
    // The mouse passes through to the window below, which keeps the mouse and so the hint: a
    // click on a hint lands on what it covers.
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Paint() override;
};
