#include "vcl/core/control_canvas.h"

#include "vcl/base/win_api.h"
#include "vcl/core/win_control.h"
#include "vcl/graphics/gdi_objects.h"

TControlCanvas::TControlCanvas(TControl* control) : FControl(control) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::CreateHandle() {
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    TWinControl* owner = windowed ? windowed : FControl->Parent();
    if (!owner)
        return;
    FOwnDC = std::make_unique<TWindowDC>(owner->Handle());
    HDC dc = FOwnDC->DC();
    if (!windowed) {
        SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
    }
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC)
        return;
    // The canvas lets go of the context before the context goes.
    SetHandle(nullptr);
    FOwnDC.reset();
}

void TControlCanvas::PaintOn(HDC dc, const std::function<void()>& paint) {
    FreeHandle();
    SetHandle(dc);
    Font()->Assign(FControl->Font());
    Brush()->SetColor(FControl->Color());
    Brush()->SetStyle(bsSolid);
    try {
        paint();
    } catch (...) {
        SetHandle(nullptr);
        throw;
    }
    SetHandle(nullptr);
}
