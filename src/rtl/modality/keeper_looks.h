#pragma once
#include <functional>

#include <windows.h>

// When the keeper looks at the modal windows: at once after anything changed, before the program
// takes in what the display sent since, and then often for a while, since changes come in bursts;
// as often as the keeper asks after each look; and left alone, not at all: the program's thread
// sleeps.
class TKeeperLooks {
public:
    explicit TKeeperLooks(std::function<void()> look);
    ~TKeeperLooks();
    TKeeperLooks(const TKeeperLooks&) = delete;
    TKeeperLooks& operator=(const TKeeperLooks&) = delete;

    // Something changed: the modal windows are looked at as soon as the program's loop takes its
    // next message, and often for a while.
    void Wake();
    // The while after the last change lasts.
    bool Busy() const;
    // From now on the looks come this often; 0: not at all.
    void LookEvery(UINT interval);

    // Looks while anything changes come this often.
    static const UINT BusyEvery = 50;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    std::function<void()> FLook;
    // A window of messages only: a message posted to it comes before whatever the display sends
    // the program after it, as the program's loop takes the messages posted first.
    HWND FWindow = nullptr;
    bool FLookPosted = false;
    bool FLooking = false;
    // How often the program's thread looks now; 0: not at all.
    UINT FInterval = 0;
    DWORD FBusyUntil = 0;
};
