#include "vcl/control_canvas.h"

#include "vcl/win_api.h"
#include "vcl/win_control.h"

void TControlCanvas::CreateHandle() {
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    TWinControl* owner = windowed ? windowed : FControl->Parent();
    if (!owner)
        return;
    FWindow = owner->Handle();
    FOwnDC = GetDC(FWindow);
    if (!windowed) {
        SetViewportOrgEx(FOwnDC, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
    }
    SetHandle(FOwnDC);
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC)
        return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FOwnDC);
    FOwnDC = nullptr;
    FWindow = nullptr;
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
