#include "rtl/small_objects.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

constexpr size_t Granularity = 8;
constexpr size_t LargestSlot = 256;
constexpr size_t Sizes = LargestSlot / Granularity;
constexpr size_t ChunkBytes = 64 * 1024;
constexpr uint32_t WordBits = 32;

// Slots of one size, with a header at the chunk's start that marks each free slot with a bit.
// Slots go out in the order of their addresses: the objects of one snapshot lie side by side
// whatever order the last store freed its slots in, so reading a file does not wait for
// memory at every new object.
struct TChunk {
    TChunk* NextPartial = nullptr;
    char* First = nullptr; // the first slot
    uint32_t SlotSize = 0;
    // 2^32 / SlotSize rounded up: a slot's offset times it, shifted down by 32, is the slot's
    // number without a division (exact for offsets within a chunk).
    uint32_t Reciprocal = 0;
    uint32_t Words = 0;     // of the free-slot bits
    uint32_t FreeCount = 0; // free slots
    uint32_t Cursor = 0;    // the word the search for a free slot goes on from
    bool Listed = false;    // among its pool's chunks with free slots

    uint32_t* Bits() { return reinterpret_cast<uint32_t*>(this + 1); }
};

// The chunks of one set of pools by where they start, so that a slot finds its chunk. Chunks
// come from the heap, next to the other memory of the snapshots: the heap then keeps its
// pages when a store goes, instead of giving them back to be faulted in again by the next
// reading. No two chunks start in one window of ChunkBytes, so a slot's chunk starts in the
// slot's window or in the one before. A table for the whole address space, untouched but
// where chunks are.
class TChunkMap {
public:
    void Add(TChunk* chunk) { FStarts[Window(chunk)] = chunk; }
    // The chunk that holds p, or nullptr for a slot of another set's chunk.
    TChunk* Find(const void* p) const {
        const uintptr_t at = reinterpret_cast<uintptr_t>(p);
        const uintptr_t window = Window(p);
        TChunk* chunk = FStarts[window];
        if (chunk && reinterpret_cast<uintptr_t>(chunk) <= at)
            return chunk;
        chunk = window > 0 ? FStarts[window - 1] : nullptr;
        return chunk && at - reinterpret_cast<uintptr_t>(chunk) < ChunkBytes ? chunk : nullptr;
    }

private:
    static uintptr_t Window(const void* p) { return reinterpret_cast<uintptr_t>(p) / ChunkBytes; }
    TChunk* FStarts[uintptr_t(-1) / ChunkBytes + 1] = {};
};

// One size of slot. Chunks stay for the life of the program: the slots of a freed snapshot
// serve the next one read.
class TSlotPool {
public:
    void* Allocate(size_t slotSize, TChunkMap& chunks) {
        if (FForeign) {
            TFreeSlot* slot = FForeign;
            FForeign = slot->Next;
            return slot;
        }
        if (!FCurrent || FCurrent->FreeCount == 0)
            NextChunk(slotSize, chunks);
        return Take(*FCurrent);
    }
    // A slot of a chunk of this set goes back to it; a slot of the other set's chunk serves this
    // pool from then on, so that no set touches the other's chunks.
    void Free(void* p, const TChunkMap& chunks) noexcept {
        TChunk* chunk = chunks.Find(p);
        if (!chunk) {
            auto* slot = static_cast<TFreeSlot*>(p);
            slot->Next = FForeign;
            FForeign = slot;
            return;
        }
        const auto offset = uint32_t(static_cast<char*>(p) - chunk->First);
        const auto index = uint32_t(uint64_t(offset) * chunk->Reciprocal >> 32);
        chunk->Bits()[index / WordBits] |= uint32_t(1) << (index % WordBits);
        if (chunk->FreeCount++ == 0 && chunk != FCurrent && !chunk->Listed) {
            chunk->Listed = true;
            chunk->NextPartial = FPartial;
            FPartial = chunk;
        }
    }

private:
    struct TFreeSlot {
        TFreeSlot* Next;
    };

    static void* Take(TChunk& chunk) {
        uint32_t* bits = chunk.Bits();
        uint32_t word = chunk.Cursor;
        while (bits[word] == 0)
            word = word + 1 == chunk.Words ? 0 : word + 1; // free slots behind the cursor
        const uint32_t bit = uint32_t(__builtin_ctz(bits[word]));
        bits[word] &= bits[word] - 1;
        chunk.Cursor = word;
        --chunk.FreeCount;
        return chunk.First + size_t(word * WordBits + bit) * chunk.SlotSize;
    }

    // The next chunk with free slots, searched from its start, or a new one.
    void NextChunk(size_t slotSize, TChunkMap& chunks) {
        if (FPartial) {
            FCurrent = FPartial;
            FPartial = FPartial->NextPartial;
            FCurrent->Listed = false;
        } else {
            FCurrent = NewChunk(slotSize);
            chunks.Add(FCurrent);
        }
        FCurrent->Cursor = 0;
    }

    TChunk* NewChunk(size_t slotSize) {
        void* memory = ::operator new(ChunkBytes);
        auto* chunk = new (memory) TChunk;
        // As many slots as fit behind the header and its bits.
        uint32_t slots = uint32_t((ChunkBytes - sizeof(TChunk)) * 8 / (slotSize * 8 + 1));
        const auto headerBytes = [](uint32_t count) {
            const size_t bytes = sizeof(TChunk) + (count + WordBits - 1) / WordBits * 4;
            return (bytes + Granularity - 1) / Granularity * Granularity;
        };
        while (headerBytes(slots) + slots * slotSize > ChunkBytes)
            --slots;
        chunk->SlotSize = uint32_t(slotSize);
        chunk->Reciprocal = uint32_t(((uint64_t(1) << 32) + slotSize - 1) / slotSize);
        chunk->Words = (slots + WordBits - 1) / WordBits;
        chunk->FreeCount = slots;
        chunk->First = static_cast<char*>(memory) + headerBytes(slots);
        uint32_t* bits = chunk->Bits();
        for (uint32_t word = 0; word < chunk->Words; ++word)
            bits[word] = ~uint32_t(0);
        if (slots % WordBits)
            bits[chunk->Words - 1] = (uint32_t(1) << (slots % WordBits)) - 1;
        return chunk;
    }

    TChunk* FCurrent = nullptr; // where slots are taken from
    TChunk* FPartial = nullptr; // other chunks with free slots
    TFreeSlot* FForeign = nullptr;
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
// much as the rest of the allocation. Other threads share one locked set. A slot freed by
// another thread than the one that took it serves that thread's set.
struct TSlotPools {
    const DWORD Owner = GetCurrentThreadId();
    TSlotPool Own[Sizes];
    std::atomic_flag SharedBusy = ATOMIC_FLAG_INIT;
    TSlotPool Shared[Sizes];
};

// Zeros that the program's image holds without touching them.
TChunkMap OwnChunks;
TChunkMap SharedChunks;

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
        return pools.Own[index].Allocate(slotSize, OwnChunks);
    TSpinLock lock(pools.SharedBusy);
    return pools.Shared[index].Allocate(slotSize, SharedChunks);
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
        pools.Own[index].Free(p, OwnChunks);
        return;
    }
    TSpinLock lock(pools.SharedBusy);
    pools.Shared[index].Free(p, SharedChunks);
}
