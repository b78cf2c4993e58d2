#pragma once
#include <deque>
#include <functional>

// Work of the main window that must not start inside other such work: while a file is read the
// message loop runs, and an open, a drop, a clear or a close that arrives then would free
// snapshots or windows under the reading. Such work waits in line and runs, in the order it
// came, as soon as the work before it has ended.
class TDeferredWork {
public:
    // Runs work at once when nothing runs, else after what runs and what waits already. What a
    // piece of work raises is shown, and the line goes on.
    void Run(std::function<void()> work);
    // Runs work at once, also inside other work; what arrives meanwhile waits as for Run.
    void RunNow(std::function<void()> work);
    bool Busy() const { return FRunning; }
    int Waiting() const { return int(FQueue.size()); }

private:
    std::deque<std::function<void()>> FQueue;
    bool FRunning = false;
};
