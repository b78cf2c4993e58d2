#include "rtl/modality/window_list.h"

#include <algorithm>

namespace {

BOOL CALLBACK AddTopLevelWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Whether a window above the given one hides part of it (within the bounds given).
bool HidesPartOf(HWND above, HWND window, const RECT& bounds) {
    RECT other{}, common{};
    return IsWindowVisible(above) && GetWindow(above, GW_OWNER) != window && !KeptOnTop(above) &&
           GetWindowRect(above, &other) && IntersectRect(&common, &bounds, &other);
}

} // namespace

bool IsShown(HWND window) {
    return window && IsWindowVisible(window) && !IsIconic(window);
}

bool KeptOnTop(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(AddTopLevelWindow, LPARAM(&windows));
    return windows;
}

HWND DialogOwnedBy(HWND owner, const std::vector<HWND>& topLevel) {
    for (HWND window : topLevel) {
        wchar_t name[16] = {};
        if (GetWindow(window, GW_OWNER) == owner && IsShown(window) && IsWindowEnabled(window) &&
            GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0)
            return window;
    }
    return nullptr;
}

bool AnotherThreadInFront() {
    const HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
}

bool InTheForeground(HWND window) {
    for (HWND front = GetForegroundWindow(); window && front; front = GetWindow(front, GW_OWNER))
        if (front == window)
            return true;
    return false;
}

bool IsCovered(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
        if (HidesPartOf(above, window, bounds))
            return true;
    return false;
}

std::vector<TShownWindow> ShownWindows(const std::vector<HWND>& topLevel) {
    std::vector<TShownWindow> windows;
    for (HWND window : topLevel) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        TShownWindow shown{window, {}};
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            GetWindowRect(window, &shown.Bounds))
            windows.push_back(shown);
    }
    return windows;
}
