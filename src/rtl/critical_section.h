#pragma once
#include "rtl/scope_guards.h"

#include <windows.h>

// A Win32 critical section: the owning thread may enter it again; each Lock needs an UnLock.
class TCriticalSection {
public:
    TCriticalSection() { InitializeCriticalSection(&FSection); }
    ~TCriticalSection() { DeleteCriticalSection(&FSection); }
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&FSection); }
    void UnLock() { LeaveCriticalSection(&FSection); }
    bool TryEnter() { return TryEnterCriticalSection(&FSection) != 0; }

private:
    CRITICAL_SECTION FSection;
};
