#include "rtl/small_objects.h"

#include <atomic>
#include <cstdint>

namespace {

constexpr size_t Granularity = 8;
constexpr size_t LargestSlot = 256;
constexpr size_t ChunkBytes = 64 * 1024;

// One size of slot. Chunks stay for the life of the program: the slots of a freed snapshot
// serve the next one read.
class TSlotPool {
public:
    void* Allocate(size_t slotSize) {
        TLock lock(FBusy);
        if (FFree) {
            TFreeSlot* slot = FFree;
            FFree = slot->Next;
            return slot;
        }
        if (FLeft < slotSize) {
            FNext = static_cast<char*>(::operator new(ChunkBytes));
            FLeft = ChunkBytes;
        }
        void* slot = FNext;
        FNext += slotSize;
        FLeft -= slotSize;
        return slot;
    }
    void Free(void* p) noexcept {
        TLock lock(FBusy);
        auto* slot = static_cast<TFreeSlot*>(p);
        slot->Next = FFree;
        FFree = slot;
    }

private:
    struct TFreeSlot {
        TFreeSlot* Next;
    };
    // Held for a few instructions, so waiting threads spin.
    class TLock {
    public:
        explicit TLock(std::atomic_flag& busy) : FBusy(busy) {
            while (FBusy.test_and_set(std::memory_order_acquire)) {
            }
        }
        ~TLock() { FBusy.clear(std::memory_order_release); }

    private:
        std::atomic_flag& FBusy;
    };

    std::atomic_flag FBusy = ATOMIC_FLAG_INIT;
    TFreeSlot* FFree = nullptr;
    char* FNext = nullptr;
    size_t FLeft = 0;
};

// Never destroyed: objects may be freed while the program ends.
TSlotPool* Pools() {
    static TSlotPool* pools = new TSlotPool[LargestSlot / Granularity];
    return pools;
}

size_t SlotSize(size_t size) {
    return (size + Granularity - 1) / Granularity * Granularity;
}

} // namespace

void* AllocateSmall(size_t size) {
    if (size == 0)
        size = 1;
    if (size > LargestSlot)
        return ::operator new(size);
    const size_t slotSize = SlotSize(size);
    return Pools()[slotSize / Granularity - 1].Allocate(slotSize);
}

void FreeSmall(void* p, size_t size) noexcept {
    if (!p)
        return;
    if (size == 0)
        size = 1;
    if (size > LargestSlot) {
        ::operator delete(p);
        return;
    }
    Pools()[SlotSize(size) / Granularity - 1].Free(p);
}
