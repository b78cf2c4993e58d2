#include "rtl/modality/raiser.h"

TRaiser::TRaiser()
    : FPivot(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0, 0, 0,
                             0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

TRaiser::~TRaiser() {
    if (FPivot)
        DestroyWindow(FPivot);
}

void TRaiser::Raise(HWND window) const {
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (FPivot)
        SetWindowPos(FPivot, HWND_TOP, 0, 0, 0, 0, flags);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, flags);
}

void TRaiser::RaiseInOrder(const std::vector<HWND>& windows) const {
    std::vector<HWND> owners;
    for (size_t i = 1; i < windows.size(); ++i) {
        owners.push_back(GetWindow(windows[i], GW_OWNER));
        if (owners.back())
            SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, 0);
    }
    for (HWND window : windows)
        Raise(window);
    for (size_t i = 1; i < windows.size(); ++i)
        if (owners[i - 1])
            SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, LONG_PTR(owners[i - 1]));
}
