#pragma once
#include "rtl/critical_section.h"
#include "vcl/thread.h"

// Ends 500 to 1000 ms after the last keystroke of an incremental search; the view's handler of
// its end, run on the window thread, empties the search text. It shares only KeepAlive.
class TSearchTextTimeoutThread : public TThread {
public:
    TSearchTextTimeoutThread() = default;
    ~TSearchTextTimeoutThread() override;

    bool KeepAlive();
    void SetKeepAlive(bool Value);

protected:
    void Execute() override;

private:
    TCriticalSection CriticalSection;
    bool fKeepAlive = false;
};
