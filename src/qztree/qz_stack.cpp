#include "qztree/qz_stack.h"

void TQZStack::Push(void* Item) {
    if (FCount == FCapacity)
        Grow();
    FList[FCount++] = Item;
}

void* TQZStack::Pop() {
    if (FCount == 0)
        throw EQZStackError("QZStack is empty.");
    void* item = FList[--FCount];
    if (FCapacity / 2 > FCount)
        SetCapacity(FCapacity / 2);
    return item;
}

void TQZStack::SetCapacity(int NewCapacity) {
    if (NewCapacity < FCount || NewCapacity >= MaxStackSize)
        throw EQZStackError("Invalid QZStack capacity.");
    if (NewCapacity == FCapacity)
        return;
    FList.resize(size_t(NewCapacity));
    FList.shrink_to_fit();
    FCapacity = NewCapacity;
}

void TQZStack::Grow() {
    const int delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
    SetCapacity(FCapacity + delta);
}
