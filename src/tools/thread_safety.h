#pragma once
#include "rtl/critical_section.h"
#include "rtl/object.h"

// Base of the objects that several threads may reach: one lock, entered through the virtual
// Lock/UnLock so heirs can extend them. The owning thread may lock again; each Lock needs one
// UnLock.
class TThreadSafetyClass : public TObject {
public:
    virtual void Lock();
    virtual void UnLock();

private:
    TCriticalSection FLock;
};
