#include "rtl/modality/raise_order.h"

#include "rtl/modality/modal_chain.h"

#include <algorithm>

namespace {

// The program is the one the user works in, as far as its modal windows go.
bool ProgramInFront(const std::vector<HWND>& modal) {
    return !modal.empty() && InTheForeground(modal.back());
}

} // namespace

void TRaiseOrder::RaiseAll() {
    RaiseInOrder(ModalWindowsInOrder());
}

void TRaiseOrder::RaiseInnermost() {
    const std::vector<HWND> modal = ModalWindowsInOrder();
    if (!modal.empty())
        FRaiser.Raise(modal.back(), ProgramInFront(modal));
    Seen();
}

void TRaiseOrder::RaiseInOrder(const std::vector<HWND>& modal) {
    FRaiser.RaiseInOrder(modal, ProgramInFront(modal));
    Seen();
}

void TRaiseOrder::Seen() {
    FSeen = ShownWindows();
}

void TRaiseOrder::Look() {
    const std::vector<HWND> topLevel = TopLevelWindows();
    const std::vector<HWND> modal = ModalWindowsInOrder(topLevel);
    if (!ProgramInFront(modal)) {
        std::vector<HWND> windows = ModalChain();
        for (HWND window : modal)
            if (std::find(windows.begin(), windows.end(), window) == windows.end())
                windows.push_back(window);
        TRaiser::LetDown(windows);
        return;
    }
    const bool allOnTop = std::all_of(modal.begin(), modal.end(), KeptOnTop);
    if (!allOnTop || ShownWindows(topLevel) != FSeen)
        RaiseInOrder(modal);
}
