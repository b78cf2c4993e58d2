#pragma once
#include "rtl/critical_section.h"
#include "vcl/core/thread.h"

// Ends by itself 500 to 1000 ms after the last keystroke of an incremental search; its end
// handler (on the window thread) drops the typed text. It frees itself when it ends.
class TSearchTextTimeoutThread : public TThread {
public:
    static constexpr int SleepStep = 500;
    TSearchTextTimeoutThread();
    ~TSearchTextTimeoutThread() override;

    // Asks for one more period; false when the thread has already decided to end, so that the
    // caller starts a new one instead of losing the keystroke.
    bool KeepAlive();

protected:
    void Execute() override;

private:
    TCriticalSection FLock;
    bool FKeepAlive = false;
    bool FEnding = false;
};
