#include "rtl/small_objects.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

constexpr size_t Granularity = 8;
constexpr size_t LargestSlot = 256;
constexpr size_t Sizes = LargestSlot / Granularity;
constexpr size_t ChunkBytes = 64 * 1024;

// One size of slot. Chunks stay for the life of the program: the slots of a freed snapshot
// serve the next one read.
class TSlotPool {
public:
    void* Allocate(size_t slotSize) {
        if (FFree) {
            TFreeSlot* slot = FFree;
            FFree = slot->Next;
            // The slots of a freed store lie all over memory: the next one is fetched while the
            // caller fills this one.
            __builtin_prefetch(FFree);
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
        auto* slot = static_cast<TFreeSlot*>(p);
        slot->Next = FFree;
        FFree = slot;
    }

private:
    struct TFreeSlot {
        TFreeSlot* Next;
    };

    TFreeSlot* FFree = nullptr;
    char* FNext = nullptr;
    size_t FLeft = 0;
};

// Held for a few instructions, so waiting threads spin.
class TSpinLock {
public:
    explicit TSpinLock(std::atomic_flag& busy) : FBusy(busy) {
        while (FBusy.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~TSpinLock() { FBusy.clear(std::memory_order_release); }
    TSpinLock(const TSpinLock&) = delete;
    TSpinLock& operator=(const TSpinLock&) = delete;

private:
    std::atomic_flag& FBusy;
};

// The thread that made the first object (the program's main thread, which reads and frees the
// snapshots) has slots of its own and takes them without a lock: the locked exchange cost as
// much as the rest of the allocation. Other threads share one locked set. A slot may be freed
// by another thread than the one that took it; it then serves that thread's set.
struct TSlotPools {
    const DWORD Owner = GetCurrentThreadId();
    TSlotPool Own[Sizes];
    std::atomic_flag SharedBusy = ATOMIC_FLAG_INIT;
    TSlotPool Shared[Sizes];
};

// Never destroyed: objects may be freed while the program ends.
TSlotPools& Pools() {
    static TSlotPools* pools = new TSlotPools;
    return *pools;
}

size_t SlotIndex(size_t size) {
    return (size + Granularity - 1) / Granularity - 1;
}

} // namespace

void* AllocateSmall(size_t size) {
    if (size == 0)
        size = 1;
    if (size > LargestSlot)
        return ::operator new(size);
    const size_t index = SlotIndex(size);
    const size_t slotSize = (index + 1) * Granularity;
    TSlotPools& pools = Pools();
    if (GetCurrentThreadId() == pools.Owner)
        return pools.Own[index].Allocate(slotSize);
    TSpinLock lock(pools.SharedBusy);
    return pools.Shared[index].Allocate(slotSize);
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
    const size_t index = SlotIndex(size);
    TSlotPools& pools = Pools();
    if (GetCurrentThreadId() == pools.Owner) {
        pools.Own[index].Free(p);
        return;
    }
    TSpinLock lock(pools.SharedBusy);
    pools.Shared[index].Free(p);
}
