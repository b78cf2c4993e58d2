#pragma once
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/control.h"
#include "vcl/core/win_control.h"
#include "vcl/graphics/bitmap.h"

#include <cstdint>
#include <functional>
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

// A mouse message to the window holding the capture, at a screen point.
inline void MoveCapturedMouse(HWND capture, const TPoint& screenPos, unsigned msg, uintptr_t keys) {
    POINT origin{0, 0};
    ClientToScreen(capture, &origin);
    SendMessageW(capture, msg, keys, MAKELPARAM(screenPos.X - origin.x, screenPos.Y - origin.y));
}

// What a person does to start a drag: press on the source and move to a screen point with the
// button held. The window that holds the capture then, or null when the press started no drag.
inline HWND DragTo(TControl* source, const TPoint& screenTarget) {
    SendMouse(source, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    HWND capture = GetCapture();
    if (capture)
        MoveCapturedMouse(capture, screenTarget, WM_MOUSEMOVE, MK_LBUTTON);
    return capture;
}

// ...and to finish it: one more move and the release there. False when no drag started.
inline bool DragAcross(TControl* source, const TPoint& screenTarget) {
    HWND capture = DragTo(source, screenTarget);
    if (!capture)
        return false;
    MoveCapturedMouse(capture, screenTarget, WM_MOUSEMOVE, MK_LBUTTON);
    MoveCapturedMouse(capture, screenTarget, WM_LBUTTONUP, 0);
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

// Runs the message loop until the condition holds or the deadline passes; true when it held.
template <class Condition> bool PumpUntil(Condition condition, unsigned deadlineMs = 5000) {
    DWORD end = GetTickCount() + deadlineMs;
    while (!condition()) {
        if (int(end - GetTickCount()) <= 0)
            return false;
        Application->ProcessMessages();
        Sleep(1);
    }
    return true;
}

// Lets messages through until done() holds; false when that takes far too long.
inline bool RunMessagesUntil(const std::function<bool()>& done) {
    return PumpUntil(done, 30000);
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
