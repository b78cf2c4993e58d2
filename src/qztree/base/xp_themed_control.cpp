#include "qztree/base/xp_themed_control.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/gdi_objects.h"

const TClassInfo& TQZXPThemedControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TQZXPThemedControl",
                                           &TCustomControl::StaticClassInfo());
    return *info;
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

// A themed border and bevel replace the classic ones; controls with neither leave the frame to
// the system.
void TQZXPThemedControl::NonClientPaint(TMessage& Message) {
    bool bevel = BevelKind() != bkNone;
    if (!IsThemeApplied() || (!bevel && BorderWidth() <= 0))
        return TCustomControl::WndProc(Message);
    {
        HWND window = WindowHandle();
        TWindowDC dc(window);
        RECT windowRect;
        GetWindowRect(window, &windowRect);
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        RECT client;
        GetClientRect(window, &client);
        OffsetRect(&client, origin.x - windowRect.left, origin.y - windowRect.top);
        ExcludeClipRect(dc.DC(), client.left, client.top, client.right, client.bottom);
        RECT border = client;
        InflateRect(&border, BorderWidth(), BorderWidth());
        if (bevel)
            DrawThemedBevel(dc.DC(), border);
        IntersectClipRect(dc.DC(), border.left, border.top, border.right, border.bottom);
        if (ThemeApi.DrawThemeBackground)
            ThemeApi.DrawThemeBackground(FTheme, dc.DC(), 0, 0, &border, nullptr);
    }
    DefaultHandler(Message);
}

// Grows Border by the bevels around it and draws them with the theme; Border becomes what lies
// inside them.
void TQZXPThemedControl::DrawThemedBevel(HDC DC, RECT& Border) {
    int size =
        (BevelInner() != bvNone ? BevelWidth() : 0) + (BevelOuter() != bvNone ? BevelWidth() : 0);
    TBevelEdges edges = BevelEdges();
    LONG style = GetWindowLongW(WindowHandle(), GWL_STYLE);
    Border.left -= edges.Contains(beLeft) ? size : 0;
    Border.top -= edges.Contains(beTop) ? size : 0;
    Border.right += (edges.Contains(beRight) ? size : 0) +
                    ((style & WS_VSCROLL) != 0 ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    Border.bottom += (edges.Contains(beBottom) ? size : 0) +
                     ((style & WS_HSCROLL) != 0 ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    if (!ThemeApi.DrawThemeEdge)
        return;
    unsigned flags = BevelSideFlags() | (BevelKind() == bkFlat ? BF_FLAT : 0) | BF_ADJUST;
    RECT outer = Border;
    ThemeApi.DrawThemeEdge(FTheme, DC, 0, 0, &outer, BevelCutEdges(), flags, &Border);
}
