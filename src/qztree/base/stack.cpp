#include "qztree/base/stack.h"

void TQZStack::Push(void* Item) {
    if (FCount == Capacity())
        Grow();
    FList[FCount++] = Item;
}

void* TQZStack::Pop() {
    if (FCount == 0)
        throw EQZStackError("QZStack is empty.");
    void* item = FList[--FCount];
    if (Capacity() / 2 > FCount)
        SetCapacity(Capacity() / 2);
    return item;
}

void TQZStack::SetCapacity(int NewCapacity) {
    if (NewCapacity < FCount || NewCapacity >= MaxStackSize)
        throw EQZStackError("Invalid QZStack capacity.");
    if (NewCapacity == Capacity())
        return;
    FList.resize(size_t(NewCapacity));
    FList.shrink_to_fit();
}

void TQZStack::Grow() {
    const int delta = Capacity() > 64 ? Capacity() / 4 : Capacity() > 8 ? 16 : 4;
    SetCapacity(Capacity() + delta);
}
