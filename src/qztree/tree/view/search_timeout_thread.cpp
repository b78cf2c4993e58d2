#include "qztree/tree/view/search_timeout_thread.h"

#include <windows.h>

TSearchTextTimeoutThread::TSearchTextTimeoutThread() {
    SetFreeOnTerminate(true);
}

TSearchTextTimeoutThread::~TSearchTextTimeoutThread() {
    EndThread();
}

bool TSearchTextTimeoutThread::KeepAlive() {
    TLockGuard<TCriticalSection> guard(FLock);
    if (FEnding)
        return false;
    FKeepAlive = true;
    return true;
}

void TSearchTextTimeoutThread::Execute() {
    while (!Terminated()) {
        Sleep(SleepStep);
        TLockGuard<TCriticalSection> guard(FLock);
        if (!FKeepAlive) {
            FEnding = true;
            return;
        }
        FKeepAlive = false;
    }
    TLockGuard<TCriticalSection> guard(FLock);
    FEnding = true;
}
