#include "qztree/xp_themed_control.h"

#include "rtl/published.h"
#include "vcl/gdi_objects.h"
#include "vcl/win_api.h"

const TClassInfo& TQZXPThemedControl::StaticClassInfo() {
    static const TClassInfo info("TQZXPThemedControl", &TCustomControl::StaticClassInfo());
    return info;
}

TQZXPThemedControl::TQZXPThemedControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TQZXPThemedControl::~TQZXPThemedControl() {
    if (FTheme && ThemeApi.CloseThemeData)
        ThemeApi.CloseThemeData(FTheme);
}

void TQZXPThemedControl::SetUseXPThemes(bool Value) {
    if (FUseXPThemes == Value)
        return;
    FUseXPThemes = Value;
    if (!ThemesAvailable || !HandleAllocated() || ComponentState().Contains(csDestroying))
        return;
    if (Value)
        CreateThemeHandle();
    else
        FreeThemeHandle();
    RecreateWnd();
}

void TQZXPThemedControl::CreateThemeHandle() {
    FTheme = ThemesAvailable && ThemeApi.OpenThemeData
                 ? ThemeApi.OpenThemeData(WindowHandle(), GetThemedClassName().c_str())
                 : nullptr;
}

void TQZXPThemedControl::FreeThemeHandle() {
    if (ThemesAvailable && FTheme && ThemeApi.CloseThemeData)
        ThemeApi.CloseThemeData(FTheme);
    FTheme = nullptr;
}

void TQZXPThemedControl::CreateWnd() {
    TCustomControl::CreateWnd();
    if (FUseXPThemes && !IsThemeApplied())
        CreateThemeHandle();
}

void TQZXPThemedControl::DestroyWnd() {
    TCustomControl::DestroyWnd();
    if (IsThemeApplied())
        FreeThemeHandle();
}

void TQZXPThemedControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_THEMECHANGED:
        return ThemeChanged(Message);
    case WM_NCPAINT:
        return NonClientPaint(Message);
    default:
        return TCustomControl::WndProc(Message);
    }
}

void TQZXPThemedControl::ThemeChanged(TMessage& Message) {
    if (ThemesAvailable && FUseXPThemes) {
        FreeThemeHandle();
        CreateThemeHandle();
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    Message.Result = 1;
}

// A themed border replaces the classic one; controls without a border leave the frame to the
// system.
void TQZXPThemedControl::NonClientPaint(TMessage& Message) {
    if (!IsThemeApplied() || BorderWidth() <= 0)
        return TCustomControl::WndProc(Message);
    {
        HWND window = WindowHandle();
        TWindowDC dc(window);
        RECT windowRect;
        GetWindowRect(window, &windowRect);
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        int dx = origin.x - windowRect.left;
        int dy = origin.y - windowRect.top;
        RECT client;
        GetClientRect(window, &client);
        OffsetRect(&client, dx, dy);
        ExcludeClipRect(dc.DC(), client.left, client.top, client.right, client.bottom);
        RECT border = client;
        InflateRect(&border, BorderWidth(), BorderWidth());
        IntersectClipRect(dc.DC(), border.left, border.top, border.right, border.bottom);
        if (ThemeApi.DrawThemeBackground)
            ThemeApi.DrawThemeBackground(FTheme, dc.DC(), 0, 0, &border, nullptr);
    }
    DefaultHandler(Message);
}
