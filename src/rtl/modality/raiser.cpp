#include "rtl/modality/raiser.h"

#include "rtl/modality/window_list.h"

#include <algorithm>

namespace {

const UINT JustTheOrder = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The lowest window on the screen, in Wine's order, that is not kept on top and not one of those
// given; or none.
HWND LowestOtherWindow(const std::vector<HWND>& windows) {
    const std::vector<HWND> all = TopLevelWindows();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (IsWindowVisible(*it) && !KeptOnTop(*it) &&
            std::find(windows.begin(), windows.end(), *it) == windows.end())
            return *it;
    return nullptr;
}

} // namespace

TRaiser::TRaiser()
    : FPivot(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0, 0, 0,
                             0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

TRaiser::~TRaiser() {
    if (FPivot)
        DestroyWindow(FPivot);
}

void TRaiser::Raise(HWND window, bool keptOnTop) const {
    if (FPivot) {
        if (keptOnTop) {
            SetWindowPos(FPivot, HWND_TOPMOST, 0, 0, 0, 0, JustTheOrder);
        } else {
            SetWindowPos(FPivot, HWND_NOTOPMOST, 0, 0, 0, 0, JustTheOrder);
            SetWindowPos(FPivot, HWND_TOP, 0, 0, 0, 0, JustTheOrder);
        }
    }
    SetWindowPos(window, keptOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, JustTheOrder);
}

void TRaiser::RaiseInOrder(const std::vector<HWND>& windows, bool keptOnTop) const {
    std::vector<HWND> owners;
    for (size_t i = 1; i < windows.size(); ++i) {
        owners.push_back(GetWindow(windows[i], GW_OWNER));
        if (owners.back())
            SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, 0);
    }
    for (HWND window : windows)
        Raise(window, keptOnTop);
    for (size_t i = 1; i < windows.size(); ++i)
        if (owners[i - 1])
            SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, LONG_PTR(owners[i - 1]));
}

void TRaiser::LetDown(const std::vector<HWND>& windows) {
    const HWND lowest = LowestOtherWindow(windows);
    for (HWND window : windows)
        if (KeptOnTop(window))
            SetWindowPos(window, lowest ? lowest : HWND_BOTTOM, 0, 0, 0, 0, JustTheOrder);
}
