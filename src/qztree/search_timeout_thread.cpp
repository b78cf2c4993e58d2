#include "qztree/search_timeout_thread.h"

TSearchTextTimeoutThread::~TSearchTextTimeoutThread() {
    // Execute reads the critical section: it ends before the section goes.
    EndThread();
}

bool TSearchTextTimeoutThread::KeepAlive() {
    TLockGuard<TCriticalSection> lock(CriticalSection);
    return fKeepAlive;
}

void TSearchTextTimeoutThread::SetKeepAlive(bool Value) {
    TLockGuard<TCriticalSection> lock(CriticalSection);
    fKeepAlive = Value;
}

void TSearchTextTimeoutThread::Execute() {
    while (!Terminated()) {
        Sleep(500);
        if (!KeepAlive())
            return;
        SetKeepAlive(false);
    }
}
