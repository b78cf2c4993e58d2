#pragma once
#include "vcl/application.h"
#include "vcl/bitmap.h"
#include "vcl/control.h"
#include "vcl/win_api.h"
#include "vcl/win_control.h"

#include <cstdint>
#include <vector>

// Sends a mouse message to a control as its window would get it (a graphic control's goes to
// its parent's window at the control's place).
inline void SendMouse(TControl* control, unsigned msg, int x, int y, uintptr_t keys = 0) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        SendMessageW(windowed->Handle(), msg, keys, PointToLParam(Point(x, y)));
        return;
    }
    SendMessageW(control->Parent()->Handle(), msg, keys,
                 PointToLParam(Point(x + control->Left(), y + control->Top())));
}

// What a person does to drag: press on the source, move to a screen point, release there.
// False when the press started no drag.
inline bool DragAcross(TControl* source, const TPoint& screenTarget) {
    SendMouse(source, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    HWND capture = GetCapture();
    if (!capture)
        return false;
    POINT origin{0, 0};
    ClientToScreen(capture, &origin);
    LPARAM at = MAKELPARAM(screenTarget.X - origin.x, screenTarget.Y - origin.y);
    SendMessageW(capture, WM_MOUSEMOVE, MK_LBUTTON, at);
    SendMessageW(capture, WM_MOUSEMOVE, MK_LBUTTON, at);
    SendMessageW(capture, WM_LBUTTONUP, 0, at);
    return true;
}

// Runs the message loop for a while, so timers and posted messages arrive.
inline void RunMessagesFor(unsigned milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (int(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

// How a pixel painted in an RGB colour (0x00BBGGRR) reads: 0x00RRGGBB.
inline uint32_t PixelOf(TColor color) {
    return uint32_t((color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF));
}

// The pixels a control paints into a memory context given in WM_PAINT's WParam, as 0x00RRGGBB.
class TPaintedPixels {
public:
    TPaintedPixels(TWinControl* control, int width, int height) : FBitmap(width, height) {
        SendMessageW(control->Handle(), WM_PAINT, WPARAM(FBitmap.DC()), 0);
    }
    uint32_t At(int x, int y) const { return FBitmap.ScanLine(y)[x] & 0xFFFFFF; }
    // The pixel or one of its neighbours has the colour, as lines land on either of two rows.
    bool Around(int x, int y, uint32_t rgb) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (At(x + dx, y + dy) == rgb)
                    return true;
        return false;
    }

private:
    TBitmap FBitmap;
};
