#pragma once
#include <functional>

#include <windows.h>

// When the keeper looks at the modal windows: often while anything changes, and for a while
// after, since changes come in bursts; as often as the keeper asks after each look; and left
// alone, not at all: the program's thread sleeps.
class TKeeperLooks {
public:
    explicit TKeeperLooks(std::function<void()> look);
    ~TKeeperLooks();
    TKeeperLooks(const TKeeperLooks&) = delete;
    TKeeperLooks& operator=(const TKeeperLooks&) = delete;

    // Something changed: the modal windows are looked at soon, and often for a while.
    void Wake();
    // The while after the last change lasts.
    bool Busy() const;
    // From now on the looks come this often; 0: not at all.
    void LookEvery(UINT interval);

    // Looks while anything changes come this often.
    static const UINT BusyEvery = 50;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    static thread_local TKeeperLooks* Current;
    std::function<void()> FLook;
    UINT_PTR FTimer = 0;
    // How often the program's thread looks now; 0: not at all.
    UINT FInterval = 0;
    DWORD FBusyUntil = 0;
};
