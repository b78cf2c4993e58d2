#include "vcl/core/hint_window.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& THintWindow::StaticClassInfo() {
    static const TLasting<TClassInfo> info("THintWindow", &TCustomControl::StaticClassInfo());
    return *info;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    // A layered window that is transparent is passed over when the system looks for the window
    // under the mouse, whoever owns the window below; the hit-test answer HTTRANSPARENT is not,
    // as it holds only within one top-level window.
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT;
    Params.ClassStyle |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void THintWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    // Opaque: a layered window is drawn only once it has its attributes.
    SetLayeredWindowAttributes(WindowHandle(), 0, 255, LWA_ALPHA);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) {
    TRect r = Rect(0, 0, MaxWidth, 0);
    Canvas()->Font()->Assign(Font());
    Canvas()->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

TRect THintWindow::FramedRect(const TRect& Client) {
    // From the window's styles: a window smaller than its frame does not show its frame's size.
    RECT r{0, 0, Client.Width(), Client.Height()};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    return Rect(Client.Left, Client.Top, Client.Left + (r.right - r.left),
                Client.Top + (r.bottom - r.top));
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    SetCaption(AHint);
    // The whole text is what a hint is for: it stays on the desktop, its frame included.
    const TRect framed = FramedRect(Rect);
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const TRect desktop = Bounds(desktopLeft, desktopTop, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                 GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const TRect bounds = PlacedWithin(framed.TopLeft(), {framed.Width(), framed.Height()}, desktop);
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetWindowPos(Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHandle() {
    if (HandleAllocated())
        ShowWindow(WindowHandle(), SW_HIDE);
}

void THintWindow::Paint() {
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->DrawText(Caption(), r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
