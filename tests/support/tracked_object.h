#pragma once
#include "rtl/object.h"

// Counts its own destruction, so a test sees exactly what an owner freed.
class TrackedObject : public TObject {
public:
    explicit TrackedObject(int& freed) : FFreed(freed) {}
    ~TrackedObject() override { ++FFreed; }

private:
    int& FFreed;
};
