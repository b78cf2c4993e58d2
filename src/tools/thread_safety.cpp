#include "tools/thread_safety.h"

void TThreadSafetyClass::Lock() {
    FLock.Lock();
}

void TThreadSafetyClass::UnLock() {
    FLock.UnLock();
}
