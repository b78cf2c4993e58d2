#include "vcl/core/window_timer.h"

#include "vcl/core/application.h"
#include "vcl/core/window_class.h"

#include <map>

namespace {

std::map<uintptr_t, std::function<void()>>& Callbacks() {
    // Never destroyed: the application's own timers stop while the program ends, after the
    // objects made later than it are gone.
    static auto* callbacks = new std::map<uintptr_t, std::function<void()>>;
    return *callbacks;
}

LRESULT CALLBACK UtilityWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER)
        return DefWindowProcW(window, msg, wParam, lParam);
    auto found = Callbacks().find(uintptr_t(wParam));
    if (found == Callbacks().end())
        return 0;
    // A copy: the callback may stop or restart its own timer.
    std::function<void()> callback = found->second;
    try {
        callback();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}

HWND UtilityWindow() {
    static HWND window =
        CreateHelperWindow(L"QVR.UtilityWindow", UtilityWindowProc, HWND_MESSAGE, 0, 0);
    return window;
}

} // namespace

void TWindowTimer::Start(unsigned interval, std::function<void()> onTimer) {
    static uintptr_t lastId = 0;
    Stop();
    FId = ++lastId;
    Callbacks()[FId] = std::move(onTimer);
    SetTimer(UtilityWindow(), FId, interval, nullptr);
}

void TWindowTimer::Stop() {
    if (!FId)
        return;
    KillTimer(UtilityWindow(), FId);
    Callbacks().erase(FId);
    FId = 0;
}
