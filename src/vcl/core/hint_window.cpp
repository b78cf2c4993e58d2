#include "vcl/core/hint_window.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"

const TClassInfo& THintWindow::StaticClassInfo() {
    static const TClassInfo info("THintWindow", &TCustomControl::StaticClassInfo());
    return info;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.ClassStyle |= CS_SAVEBITS;
    Params.WndParent = nullptr;
}

void THintWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(Message);
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
    // The frame is what the window has now around its client area.
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    return Rect(Client.Left, Client.Top, Client.Right + frameWidth, Client.Bottom + frameHeight);
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
    SetCaption(AHint);
    const TRect bounds = FramedRect(Rect);
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
