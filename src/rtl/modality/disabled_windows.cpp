#include "rtl/modality/disabled_windows.h"

#include "rtl/modality/window_manager_keys.h"

#include <windows.h>

TDisabledWindows::TDisabledWindows(const std::vector<void*>& windows) {
    for (void* window : windows)
        if (IsWindowEnabled(static_cast<HWND>(window))) {
            EnableWindow(static_cast<HWND>(window), FALSE);
            FWindows.push_back(window);
        }
}

TDisabledWindows::~TDisabledWindows() {
    for (void* window : FWindows)
        if (IsWindow(static_cast<HWND>(window)))
            EnableWindow(static_cast<HWND>(window), TRUE);
}

namespace {
BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    if (!IsKeysRequestWindow(window))
        reinterpret_cast<std::vector<void*>*>(list)->push_back(window);
    return TRUE;
}
} // namespace

std::vector<void*> ThreadWindows() {
    std::vector<void*> windows;
    EnumThreadWindows(GetCurrentThreadId(), AddWindow, LPARAM(&windows));
    return windows;
}
