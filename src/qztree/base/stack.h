#pragma once
#include "rtl/exceptions.h"
#include "rtl/object.h"

#include <vector>

class EQZStackError : public Exception {
    using Exception::Exception;
};

// Last-in-first-out stack of untyped pointers; it never owns what they point to.
class TQZStack : public TObject {
public:
    static constexpr int MaxStackSize = 134217728;

    void Push(void* Item);
    void* Pop();

    int Count() const { return FCount; }
    int Capacity() const { return int(FList.size()); }
    void SetCapacity(int NewCapacity);

private:
    void Grow();

    std::vector<void*> FList;
    int FCount = 0;
};
