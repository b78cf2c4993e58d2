#include "tools/thread_safety.h"

void TThreadSafetyClass::Lock() {
    FLock.Enter();
}

void TThreadSafetyClass::UnLock() {
    FLock.Leave();
}
