#include "rtl/modality/helper_window.h"

HWND CreateHelperWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style,
                        DWORD exStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
    return CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr,
                           wc.hInstance, nullptr);
}
