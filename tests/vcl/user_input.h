#pragma once
// Input as a user makes it: keys and clicks posted to the real windows, then the layer's message
// loop runs until the queue is empty, so every message takes the path the system gives it.
#include "vcl/base/controls_types.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/win_control.h"

inline void PumpMessages() {
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
        Sleep(1);
    }
}

// A key pressed and released on a window; WM_CHAR follows from the loop's translation.
inline void PostKey(HWND window, uint16_t key) {
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, key, LPARAM(1 | scan << 16));
    PostMessageW(window, WM_KEYUP, key, LPARAM(1 | scan << 16 | 3u << 30));
    PumpMessages();
}

// Keys with Shift or Control held: the key state the window reads is set for the press.
inline void PostKeyWith(HWND window, uint16_t key, TShiftState shift) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof(state));
    if (shift.Contains(ssShift))
        state[VK_SHIFT] = 0x80;
    if (shift.Contains(ssCtrl))
        state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, key, LPARAM(1 | scan << 16));
    PumpMessages();
    SetKeyboardState(saved);
    PostMessageW(window, WM_KEYUP, key, LPARAM(1 | scan << 16 | 3u << 30));
    PumpMessages();
}

// Typed text: one WM_CHAR per character, as the translation of key presses gives them.
inline void PostChars(HWND window, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(window, WM_CHAR, c, 1);
    PumpMessages();
}

inline void PostMouse(HWND window, unsigned msg, int x, int y, uintptr_t keys = 0) {
    PostMessageW(window, msg, keys, MAKELPARAM(x, y));
    PumpMessages();
}

// A left click: press and release at one client point.
inline void PostClick(HWND window, int x, int y, uintptr_t keys = 0) {
    PostMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
    PumpMessages();
}

// A left click of the mouse itself where the pointer is: the system finds the window under it.
inline void ClickAtPointer() {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    PumpMessages();
}

// A key pressed and released on the keyboard itself: the system gives it to the focused window.
inline void TypeKey(uint16_t key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpMessages();
}

inline TOwnedPtr<TForm> MakeShownForm(int width = 500, int height = 400) {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, width, height);
    form->Show();
    return form;
}
