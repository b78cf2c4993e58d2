#pragma once
// The crossing between the layer's types and the Win32 API, for the layer's own .cpp files.
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"
#include "vcl/base/messages.h"

#include "vcl/base/windows_clean.h"

inline RECT ToRECT(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}
inline TRect FromRECT(const RECT& r) {
    return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}
inline POINT ToPOINT(const TPoint& p) {
    return {p.X, p.Y};
}
inline TPoint FromPOINT(const POINT& p) {
    return {int(p.x), int(p.y)};
}

// The point of a mouse message: signed 16-bit coordinates in the low and high word.
inline TPoint MessagePoint(intptr_t lParam) {
    return {int(short(LOWORD(lParam))), int(short(HIWORD(lParam)))};
}
inline intptr_t PointToLParam(const TPoint& p) {
    return intptr_t(MAKELPARAM(WORD(short(p.X)), WORD(short(p.Y))));
}

// Shift state of a mouse message (its MK_* flags) and of a key message (current key states).
TShiftState KeysToShiftState(uintptr_t keys);
TShiftState KeyboardShiftState();

inline LRESULT SendTo(HWND window, const TMessage& m) {
    return SendMessageW(window, m.Msg, m.WParam, m.LParam);
}
