#pragma once
#include "vcl/application.h"
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

// Runs the message loop for a while, so timers and posted messages arrive.
inline void RunMessagesFor(unsigned milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    while (int(end - GetTickCount()) > 0) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

// The pixels a control paints into a memory context given in WM_PAINT's WParam, as 0x00RRGGBB.
class TPaintedPixels {
public:
    TPaintedPixels(TWinControl* control, int width, int height);
    ~TPaintedPixels();
    uint32_t At(int x, int y) const {
        return FBits[size_t(y) * size_t(FWidth) + size_t(x)] & 0xFFFFFF;
    }

private:
    int FWidth;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    uint32_t* FBits = nullptr;
};

inline TPaintedPixels::TPaintedPixels(TWinControl* control, int width, int height) : FWidth(width) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
    SendMessageW(control->Handle(), WM_PAINT, WPARAM(FDC), 0);
    GdiFlush();
    FBits = static_cast<uint32_t*>(bits);
}

inline TPaintedPixels::~TPaintedPixels() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
}

// A COLORREF (0x00BBGGRR) as the DIB stores it (0x00RRGGBB).
inline uint32_t DibColor(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
