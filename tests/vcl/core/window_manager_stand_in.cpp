#include "window_manager_stand_in.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
bool Tracing() {
    static const bool on = std::getenv("WM_TRACE") != nullptr;
    return on;
}
void Trace(const char* what, HWND window, HWND focused) {
    if (!Tracing())
        return;
    wchar_t name[64] = {}, cls[32] = {};
    GetWindowTextW(window, name, 64);
    GetClassNameW(window, cls, 32);
    std::fprintf(stderr, "WM %-10s %p [%ls|%ls] focused=%p\n", what, (void*)window, name, cls,
                 (void*)focused);
}
} // namespace

namespace {

template <class T> bool Holds(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T> void Drop(std::vector<T>& list, const T& item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

template <class T> void ToFront(std::vector<T>& list, const T& item) {
    Drop(list, item);
    list.insert(list.begin(), item);
}

// Wine maps no window that lies wholly off the screen.
bool OnTheScreen(HWND window) {
    RECT bounds{}, screen{}, common{};
    GetWindowRect(window, &bounds);
    SetRect(&screen, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return IntersectRect(&common, &bounds, &screen);
}

// The first window on the screen in Wine's order, which Wine raises on the display.
HWND FirstShownWindow() {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

// Where Wine puts the keys it was given: the root of the thread's focused window, or its active
// one.
HWND ThreadFocusRoot() {
    if (const HWND focus = GetFocus())
        return GetAncestor(focus, GA_ROOT);
    return GetActiveWindow();
}

bool OwnerChainHolds(HWND window, HWND other) {
    for (HWND owner = window; owner; owner = GetWindow(owner, GW_OWNER))
        if (owner == other)
            return true;
    return false;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

bool CanBeActive(HWND window) {
    return window && IsWindowVisible(window) && IsWindowEnabled(window) && !IsIconic(window) &&
           !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
}

thread_local TStandInWindowManager* TStandInWindowManager::Current = nullptr;

TStandInWindowManager::TStandInWindowManager()
    : FHook(SetWindowsHookExW(WH_CALLWNDPROCRET, WatchWindows, nullptr, GetCurrentThreadId())) {
    Current = this;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), AddWindow, LPARAM(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (IsWindowVisible(*it) && OnTheScreen(*it)) {
            FMapped.push_back(*it);
            FStacking.insert(FStacking.begin(), *it);
            FFocusOrder.push_back(*it);
        }
    KeysTo(ThreadFocusRoot());
}

TStandInWindowManager::~TStandInWindowManager() {
    UnhookWindowsHookEx(FHook);
    Current = nullptr;
}

LRESULT CALLBACK TStandInWindowManager::WatchWindows(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && Current && call.message == WM_WINDOWPOSCHANGED)
        Current->Saw(call.hwnd, *reinterpret_cast<const WINDOWPOS*>(call.lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What the program asked of the display, as Wine passes it on.
void TStandInWindowManager::Saw(HWND window, const WINDOWPOS& pos) {
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow() || !IsOurs(window))
        return;
    if ((pos.flags & SWP_SHOWWINDOW) && OnTheScreen(window))
        FEvents.push_back({TKind::Map, window});
    if (pos.flags & SWP_HIDEWINDOW)
        FEvents.push_back({TKind::Unmap, window});
    if (IsIconic(window) && IsWindowVisible(window))
        FEvents.push_back({TKind::Minimise, window});
    else if (IsWindowVisible(window) && Holds(FMinimised, window))
        FEvents.push_back({TKind::Restore, window});
    if (!(pos.flags & SWP_NOZORDER) && FirstShownWindow() == window)
        FEvents.push_back({TKind::Raise, window});
}

void TStandInWindowManager::Run() {
    while (!FEvents.empty()) {
        const TEvent event = FEvents.front();
        FEvents.pop_front();
        Trace(event.Kind == TKind::Map        ? "map"
              : event.Kind == TKind::Unmap    ? "unmap"
              : event.Kind == TKind::Minimise ? "minimise"
              : event.Kind == TKind::Restore  ? "restore"
                                              : "raise",
              event.Window, FFocused);
        switch (event.Kind) {
        case TKind::Map:
            Mapped(event.Window);
            break;
        case TKind::Unmap:
            Unmapped(event.Window);
            break;
        case TKind::Minimise:
            if (Holds(FMapped, event.Window) && !Holds(FMinimised, event.Window)) {
                FMinimised.push_back(event.Window);
                if (FFocused == event.Window) {
                    FocusedNow(nullptr);
                    FallBack();
                }
            }
            break;
        case TKind::Restore:
            Drop(FMinimised, event.Window);
            break;
        case TKind::Raise:
            if (Holds(FMapped, event.Window))
                ToTheTop(event.Window);
            break;
        }
    }
}

void TStandInWindowManager::Mapped(HWND window) {
    Drop(FMinimised, window);
    if (!IsWindow(window) || Holds(FMapped, window))
        return;
    FMapped.push_back(window);
    FStacking.insert(FStacking.begin(), window);
    FFocusOrder.insert(FFocusOrder.begin() + (FFocusOrder.empty() ? 0 : 1), window);
    if (IsIconic(window)) {
        FMinimised.push_back(window);
        return;
    }
    const HWND owner = GetWindow(window, GW_OWNER);
    if (!FFocused || !owner ||
        (IsOurs(FFocused) &&
         (OwnerChainHolds(owner, FFocused) || OwnerChainHolds(FFocused, owner))))
        Focus(window);
}

void TStandInWindowManager::Unmapped(HWND window) {
    Drop(FMapped, window);
    Drop(FMinimised, window);
    Drop(FStacking, window);
    Drop(FFocusOrder, window);
    if (FFocused == window) {
        FocusedNow(nullptr);
        FallBack();
    }
}

// A window whose unmapping is already on its way is passed over, as the manager looks ahead for
// it before it focuses a window.
void TStandInWindowManager::FallBack() {
    const auto goingAway = [this](HWND window) {
        return std::any_of(FEvents.begin(), FEvents.end(), [window](const TEvent& event) {
            return event.Window == window && event.Kind == TKind::Unmap;
        });
    };
    for (const HWND window : std::vector<HWND>(FFocusOrder))
        if (!IsOurs(window) ||
            (Holds(FMapped, window) && !Holds(FMinimised, window) && !goingAway(window))) {
            Focus(window);
            return;
        }
}

void TStandInWindowManager::Focus(HWND window) {
    Trace("focus", window, FFocused);
    if (IsOurs(window)) {
        OfferAsWineTakesIt(window);
        return;
    }
    FocusedNow(window);
    FOtherFocusedSinceMark = true;
    SetForegroundWindow(window);
}

void TStandInWindowManager::OfferAsWineTakesIt(HWND window) {
    if (!IsWindow(window))
        return;
    if (CanBeActive(window)) {
        const LRESULT answer =
            SendMessageW(window, WM_MOUSEACTIVATE, WPARAM(GetAncestor(window, GA_ROOT)),
                         MAKELPARAM(HTMENU, WM_LBUTTONDOWN));
        if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT) {
            SetForegroundWindow(window);
            KeysTo(ThreadFocusRoot());
            return;
        }
    }
    // Wine passes the offer on to another window of the program that can be active.
    HWND instead = ThreadFocusRoot();
    if (!instead)
        instead = FLastFocus;
    if (CanBeActive(instead)) {
        SetForegroundWindow(instead);
        KeysTo(ThreadFocusRoot());
    }
}

// The keys go to a window on the display only.
void TStandInWindowManager::KeysTo(HWND window) {
    Trace("keys to", window, FFocused);
    if (window && Holds(FMapped, window))
        FocusedNow(window);
}

void TStandInWindowManager::FocusedNow(HWND window) {
    if (FFocused && FFocused != window && IsOurs(FFocused))
        FLastFocus = FFocused;
    FFocused = window;
    if (window)
        ToFront(FFocusOrder, window);
}

void TStandInWindowManager::ToTheTop(HWND window) {
    ToFront(FStacking, window);
}

bool TStandInWindowManager::IsOurs(HWND window) const {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

void TStandInWindowManager::GoesTo(HWND otherProgram) {
    Focus(otherProgram);
}

void TStandInWindowManager::Activates(HWND window) {
    if (IsIconic(window))
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ClicksTheTitleBarOf(window);
}

void TStandInWindowManager::ClicksTheTitleBarOf(HWND window) {
    ToTheTop(window);
    // Wine's order follows only where the window raised was covered, as it is exposed.
    RECT bounds{};
    GetWindowRect(window, &bounds);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
        RECT other{}, common{};
        if (IsWindowVisible(above) && GetWindowRect(above, &other) &&
            IntersectRect(&common, &bounds, &other)) {
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        }
    }
    Focus(window);
}

void TStandInWindowManager::ClicksInside(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    ClicksTheTitleBarOf(window);
}

void TStandInWindowManager::Minimises(HWND window) {
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

bool TStandInWindowManager::Types(uint16_t key) {
    if (!FFocused || !IsOurs(FFocused))
        return false;
    // Wine gives a key the display gave any window of the program to its focused window.
    HWND target = GetFocus();
    if (!target)
        target = GetActiveWindow();
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, key, LPARAM(1 | scan << 16));
    PostMessageW(target, WM_KEYUP, key, LPARAM(1 | scan << 16 | 3u << 30));
    return true;
}

bool TStandInWindowManager::OnTheDisplay(HWND window) const {
    return Holds(FMapped, window) && !Holds(FMinimised, window);
}

bool TStandInWindowManager::Above(HWND window, HWND other) const {
    const auto place = [this](HWND w) { return std::find(FStacking.begin(), FStacking.end(), w); };
    if (place(window) == FStacking.end() || place(other) == FStacking.end())
        return false;
    const bool onTop = GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
    const bool otherOnTop = GetWindowLongW(other, GWL_EXSTYLE) & WS_EX_TOPMOST;
    if (onTop != otherOnTop)
        return onTop;
    return place(window) < place(other);
}
