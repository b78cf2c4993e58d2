#pragma once
#include <windows.h>

// A Win32 critical section: the owning thread may enter it again; each Enter needs a Leave.
class TCriticalSection {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() { DeleteCriticalSection(&FSection); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&FSection); }
    void Leave() { LeaveCriticalSection(&FSection); }
    bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }

private:
    CRITICAL_SECTION FSection;
};

// Holds any object with Lock/UnLock (or a critical section) for one scope.
template <class T> class TLockGuard {
public:
    explicit TLockGuard(T& lock) : FLock(lock) { FLock.Lock(); }
    ~TLockGuard() { FLock.UnLock(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

private:
    T& FLock;
};

template <> class TLockGuard<TCriticalSection> {
public:
    explicit TLockGuard(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
    ~TLockGuard() { FSection.Leave(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

private:
    TCriticalSection& FSection;
};
