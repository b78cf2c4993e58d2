#pragma once

#include <windows.h>

// What the hooks of the thread tell the keeper of the modal windows.
class TKeeperEvents {
public:
    // A window's place, order or activation changed.
    virtual void Changed() = 0;
    // Another program became the one in front, or a window of the program was minimised: the
    // window manager gave the focus to another window.
    virtual void FocusLeft() = 0;
    // A window a modal window disables was pressed.
    virtual void DisabledWindowPressed() = 0;
    // Whether the window is kept from being activated by the system's own choice.
    virtual bool KeepsOut(HWND window) const = 0;

protected:
    ~TKeeperEvents() = default;
};

// The three hooks of the thread the keeper listens through while a modal window is up: the mouse,
// the focus and activation, and the messages the windows handled.
class TKeeperHooks {
public:
    explicit TKeeperHooks(TKeeperEvents& events);
    ~TKeeperHooks();
    TKeeperHooks(const TKeeperHooks&) = delete;
    TKeeperHooks& operator=(const TKeeperHooks&) = delete;

private:
    static LRESULT CALLBACK WatchClicks(int code, WPARAM message, LPARAM info);
    static LRESULT CALLBACK WatchFocus(int code, WPARAM window, LPARAM info);
    static LRESULT CALLBACK WatchChanges(int code, WPARAM wParam, LPARAM lParam);

    static thread_local TKeeperEvents* Events;
    HHOOK FClickWatch;
    HHOOK FFocusWatch;
    HHOOK FChangeWatch;
};
