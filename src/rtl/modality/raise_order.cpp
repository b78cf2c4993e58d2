#include "rtl/modality/raise_order.h"

#include "rtl/modality/modal_chain.h"

namespace {

// How long after the pointer came onto another window's frame its title bar may be clicked, and
// how often the modal windows are raised meanwhile.
const DWORD FrameWatchFor = 3000;
const DWORD FrameRaiseEvery = 250;

} // namespace

void TRaiseOrder::RaiseAll(const std::vector<HWND>& topLevel) {
    FRaiser.RaiseInOrder(ModalWindowsInOrder(topLevel));
    FSeen = ShownWindows(topLevel);
}

void TRaiseOrder::RaiseInnermost() {
    const std::vector<HWND> topLevel = TopLevelWindows();
    const std::vector<HWND> windows = ModalWindowsInOrder(topLevel);
    if (!windows.empty())
        FRaiser.Raise(windows.back());
    FSeen = ShownWindows(topLevel);
}

void TRaiseOrder::Look(const std::vector<HWND>& topLevel, const std::vector<HWND>& modal) {
    const std::vector<TShownWindow> shown = ShownWindows(topLevel);
    if (shown != FSeen || FrameRaiseDue(modal, shown))
        RaiseAll(topLevel);
}

bool TRaiseOrder::FrameWatched() const {
    return FFrame && GetTickCount() - FFrameSince < FrameWatchFor;
}

bool TRaiseOrder::FrameRaiseDue(const std::vector<HWND>& modal,
                                const std::vector<TShownWindow>& shown) {
    GetCursorPos(&FPointer); // where the background look sees whether it moved
    const HWND frame = FrameUnder(FPointer, modal, shown);
    const DWORD now = GetTickCount();
    if (frame != FFrame) {
        FFrame = frame;
        FFrameSince = now;
        FLastFrameRaise = now - FrameRaiseEvery;
    }
    if (!frame || now - FFrameSince >= FrameWatchFor || now - FLastFrameRaise < FrameRaiseEvery)
        return false;
    FLastFrameRaise = now;
    return true;
}
