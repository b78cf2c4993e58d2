#include "rtl/modal_window.h"

#include <vector>

#include <windows.h>

namespace {

thread_local TModalWindow* Innermost = nullptr;

// Often enough that a window brought over the modal one goes back within a moment.
const UINT CheckInterval = 50;
// How long after the user pointed or switched elsewhere a window may still have been raised.
const DWORD BusyElsewhereFor = 3000;

HWND InnermostWindow() {
    return Innermost ? static_cast<HWND>(Innermost->Window()) : nullptr;
}

// The program is the one the user works in: the innermost modal window, or a window it owns (a
// system dialog opened from it), is the foreground window. Another program's window the user
// brought forward stays where it is.
bool InTheForeground() {
    const HWND modal = InnermostWindow();
    for (HWND window = GetForegroundWindow(); modal && window; window = GetWindow(window, GW_OWNER))
        if (window == modal)
            return true;
    return false;
}

struct TShownWindow {
    HWND Window;
    RECT Bounds;
    bool operator==(const TShownWindow& other) const {
        return Window == other.Window && EqualRect(&Bounds, &other.Bounds);
    }
};

// The program's windows on the screen, in the system's order, with their places.
std::vector<TShownWindow> ShownWindows() {
    std::vector<TShownWindow> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        TShownWindow shown{window, {}};
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            GetWindowRect(window, &shown.Bounds))
            windows.push_back(shown);
    }
    return windows;
}

} // namespace

// A window manager raises a window clicked or chosen from its list and tells the program
// nothing; Wine's order of the windows follows only where the window raised was covered, and
// raising the modal window on a timer alone would keep the window manager busy. The modal window
// is raised at a press on a disabled window, and then whenever the program's windows changed
// their order or places, or the user points outside the modal window or holds Alt (Alt+Tab).
class TModalWindow::TKeeper {
public:
    TKeeper() {
        FPivot = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0,
                                 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        FClickWatch = SetWindowsHookExW(WH_MOUSE, WatchClicks, nullptr, GetCurrentThreadId());
        FTimer = SetTimer(nullptr, 0, CheckInterval, Check);
        GetCursorPos(&FPointer);
        Current = this;
    }
    ~TKeeper() {
        Current = nullptr;
        if (FTimer)
            KillTimer(nullptr, FTimer);
        if (FClickWatch)
            UnhookWindowsHookEx(FClickWatch);
        if (FPivot)
            DestroyWindow(FPivot);
    }
    TKeeper(const TKeeper&) = delete;
    TKeeper& operator=(const TKeeper&) = delete;

    static thread_local TKeeper* Current;

    // The innermost modal window above every other window, which takes along those it owns.
    // Wine restacks a window on the display only when it becomes the first in its own order, and
    // a window the window manager raised may still be below the modal one there: a hidden window
    // goes first, which no one sees, and the modal one above it. A window that owns one on the
    // screen is never first there, so an outer modal window cannot be raised while an inner one
    // is up.
    void Raise() {
        const HWND modal = InnermostWindow();
        if (modal && IsWindowVisible(modal) && !IsIconic(modal)) {
            const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
            if (FPivot)
                SetWindowPos(FPivot, HWND_TOP, 0, 0, 0, 0, flags);
            SetWindowPos(modal, HWND_TOP, 0, 0, 0, 0, flags);
        }
        FSeen = ShownWindows();
    }

private:
    // A press on a disabled window reaches the program only as a hit on nothing (HTERROR).
    static LRESULT CALLBACK WatchClicks(int code, WPARAM message, LPARAM info) {
        if (code == HC_ACTION && Current &&
            (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
             message == WM_NCMBUTTONDOWN) &&
            int(reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->wHitTestCode) == HTERROR)
            Current->Raise();
        return CallNextHookEx(nullptr, code, message, info);
    }

    static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
        if (!Current || !InTheForeground())
            return;
        const bool busyElsewhere = Current->BusyElsewhere();
        if (busyElsewhere || ShownWindows() != Current->FSeen)
            Current->Raise();
    }

    bool BusyElsewhere() {
        const DWORD now = GetTickCount();
        POINT pointer{};
        GetCursorPos(&pointer);
        RECT modal{};
        GetWindowRect(InnermostWindow(), &modal);
        if ((pointer.x != FPointer.x || pointer.y != FPointer.y) && !PtInRect(&modal, pointer))
            FLastBusyElsewhere = now;
        FPointer = pointer;
        if (GetAsyncKeyState(VK_MENU) < 0)
            FLastBusyElsewhere = now;
        return now - FLastBusyElsewhere < BusyElsewhereFor;
    }

    HWND FPivot = nullptr;
    HHOOK FClickWatch = nullptr;
    UINT_PTR FTimer = 0;
    std::vector<TShownWindow> FSeen;
    POINT FPointer{};
    DWORD FLastBusyElsewhere = GetTickCount() - BusyElsewhereFor;
};

thread_local TModalWindow::TKeeper* TModalWindow::TKeeper::Current = nullptr;

TModalWindow::TModalWindow(void* window) : FOuter(Innermost) {
    Innermost = this;
    if (!FOuter)
        FKeeper = std::make_unique<TKeeper>();
    SetWindow(window);
}

TModalWindow::~TModalWindow() {
    Innermost = FOuter;
    // Its windows are disabled again: the outer modal window goes back above them.
    if (FOuter)
        TKeeper::Current->Raise();
}

void TModalWindow::SetWindow(void* window) {
    FWindow = window;
    TKeeper::Current->Raise();
}
