#pragma once
// Steps of the modal-window tests: forms, steps run from a modal window's own loop, what a window
// manager does under Wine, and another program's window.
#include "vcl/core/forms.h"
#include "vcl/core/timer.h"

#include "../user_input.h"
#include "../vcl_test_support.h"
#include "window_manager_stand_in.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

inline TOwnedPtr<TForm> MakeForm() {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 100);
    return form;
}

inline TOwnedPtr<TForm> ShownFormAt(int left) {
    auto form = MakeForm();
    form->SetLeft(left);
    form->Show();
    return form;
}

// enabled (a modal form's); the timer starts enabled unless asked otherwise.
inline TOwnedPtr<TTimer> StepFromTheLoop(std::function<void()> step, bool enabled = true,
                                         unsigned after = 30) {
    auto timer = MakeOwned<TTimer>();
    timer->SetEnabled(enabled);
    timer->SetInterval(after);
    TTimer* once = timer.get();
    timer->SetOnTimer([once, step = std::move(step)](TObject*) {
        once->SetEnabled(false);
        step();
    });
    return timer;
}

// The program's windows on the screen, the one on top first.
inline std::vector<HWND> WindowsOfTheProgramInOrder() {
    std::vector<HWND> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            windows.push_back(window);
    }
    return windows;
}

// The window of this program the user sees on top.
inline HWND FirstWindowOfTheProgram() {
    const std::vector<HWND> windows = WindowsOfTheProgramInOrder();
    return windows.empty() ? nullptr : windows.front();
}

// What a window manager does on a click on a window's title bar: the window goes on top
// without being activated.
inline void RaiseAsAWindowManagerWould(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// What Wine does when a window manager offers a window the focus: it asks the window as if its
// menu bar were clicked, and activates it unless it declines. One that cannot be active (a
// disabled one) passes the offer to the thread's focused or active window, if that one can be.
inline void OfferTheFocusAsAWindowManagerDoesUnderWine(HWND window) {
    if (!CanBeActive(window)) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        GetGUIThreadInfo(GetCurrentThreadId(), &thread);
        const HWND instead =
            thread.hwndFocus ? GetAncestor(thread.hwndFocus, GA_ROOT) : thread.hwndActive;
        if (CanBeActive(instead))
            SetForegroundWindow(instead);
        return;
    }
    const LRESULT answer =
        SendMessageW(window, WM_MOUSEACTIVATE, WPARAM(window), MAKELPARAM(HTMENU, WM_LBUTTONDOWN));
    if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT)
        SetForegroundWindow(window);
}

// What Wine does as a window manager brings a window out of the minimised or the maximised state
// by itself: the window is restored at the place and size the manager shows it at in that moment.
inline void RestoredByTheWindowManagerTo(HWND window, const RECT& bounds) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    placement.rcNormalPosition = bounds;
    placement.showCmd = SW_RESTORE;
    SetWindowPlacement(window, &placement);
}

// A minimised window shown again elsewhere, as at the screen's edge its deiconify animation is at.
inline void RestoredByTheWindowManagerAt(HWND window, int left, int top) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    RECT bounds = placement.rcNormalPosition;
    OffsetRect(&bounds, left - bounds.left, top - bounds.top);
    RestoredByTheWindowManagerTo(window, bounds);
}

inline RECT PlaceOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

inline BOOL CALLBACK FindVisibleBox(HWND window, LPARAM result) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

inline HWND VisibleBoxOfThisThread() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleBox, LPARAM(&found));
    return found;
}

// A key for a system dialog's own loop, which it takes as that dialog's command.
inline void PostKeyForItsLoop(HWND dialog, uint16_t key) {
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    PostMessageW(dialog, WM_KEYDOWN, key, LPARAM(1 | scan << 16));
    PostMessageW(dialog, WM_KEYUP, key, LPARAM(1 | scan << 16 | 3u << 30));
}

// A step run once on the first system dialog of this thread to show, from that dialog's own
// loop; the timer starts enabled unless asked otherwise.
inline TOwnedPtr<TTimer> StepOnTheDialog(std::function<void(HWND)> step, bool enabled = true) {
    auto timer = MakeOwned<TTimer>();
    timer->SetEnabled(enabled);
    timer->SetInterval(30);
    TTimer* once = timer.get();
    timer->SetOnTimer([once, step = std::move(step)](TObject*) {
        const HWND dialog = VisibleBoxOfThisThread();
        if (!dialog)
            return;
        once->SetEnabled(false);
        step(dialog);
    });
    return timer;
}

// A window of another thread, with its own message loop, standing for another program's.
class OtherThreadWindow {
public:
    OtherThreadWindow() {
        FThread = std::thread([this] {
            FWindow = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 0, 100,
                                      100, nullptr, nullptr, nullptr, nullptr);
            SetEvent(FMade);
            while (MsgWaitForMultipleObjects(1, &FDone, FALSE, INFINITE, QS_ALLINPUT) !=
                   WAIT_OBJECT_0) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageW(&msg);
            }
            DestroyWindow(FWindow);
        });
        WaitForSingleObject(FMade, INFINITE);
    }
    ~OtherThreadWindow() {
        SetEvent(FDone);
        FThread.join();
        CloseHandle(FMade);
        CloseHandle(FDone);
    }
    HWND Window() const { return FWindow; }

private:
    HANDLE FMade = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE FDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND FWindow = nullptr;
    std::thread FThread;
};
