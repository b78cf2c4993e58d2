#include "rtl/modality/modal_chain.h"

#include "rtl/modality/modal_window.h"
#include "rtl/modality/window_list.h"

#include <algorithm>

namespace {

thread_local TModalWindow* Innermost = nullptr;

} // namespace

TModalWindow* InnermostModalWindow() {
    return Innermost;
}

void SetInnermostModalWindow(TModalWindow* modal) {
    Innermost = modal;
}

HWND InnermostWindow() {
    return Innermost ? static_cast<HWND>(Innermost->Window()) : nullptr;
}

std::vector<HWND> ModalChain() {
    std::vector<HWND> windows;
    for (const TModalWindow* modal = Innermost; modal; modal = modal->Outer())
        if (modal->Window() && IsWindowVisible(static_cast<HWND>(modal->Window())))
            windows.push_back(static_cast<HWND>(modal->Window()));
    std::reverse(windows.begin(), windows.end());
    return windows;
}

std::vector<HWND> ModalWindowsInOrder(const std::vector<HWND>& topLevel) {
    std::vector<HWND> windows = ModalChain();
    windows.erase(
        std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsShown(w); }),
        windows.end());
    while (!windows.empty())
        if (HWND dialog = DialogOwnedBy(windows.back(), topLevel))
            windows.push_back(dialog);
        else
            break;
    return windows;
}

std::vector<HWND> ModalWindowsInOrder() {
    return ModalWindowsInOrder(TopLevelWindows());
}

bool RestoreMinimised() {
    bool restored = false;
    for (HWND window : ModalChain()) {
        for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
            if (IsIconic(owner)) {
                ShowWindow(owner, SW_SHOWNOACTIVATE);
                restored = true;
            }
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
            restored = true;
        }
    }
    return restored;
}
