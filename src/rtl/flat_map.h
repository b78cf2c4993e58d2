#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// A hash map in one array, for lookups by small keys (pointers, pairs of pointers) that run
// hundreds of times per snapshot: no node per entry and no chain to follow. Entries are never
// removed; Clear empties it. References to values last until the next insertion.
template <class Key, class Value, class Hash = std::hash<Key>> class TFlatMap {
public:
    // The value under key, default-constructed and inserted when absent.
    Value& operator[](const Key& key) {
        if ((FCount + 1) * 2 > FSlots.size())
            Grow();
        TSlot& slot = FSlots[Find(FSlots, key)];
        if (!slot.Used) {
            slot.Used = true;
            slot.SlotKey = key;
            slot.SlotValue = Value();
            ++FCount;
        }
        return slot.SlotValue;
    }
    // The value under key, or nullptr.
    Value* Lookup(const Key& key) {
        if (FSlots.empty())
            return nullptr;
        TSlot& slot = FSlots[Find(FSlots, key)];
        return slot.Used ? &slot.SlotValue : nullptr;
    }
    size_t Count() const { return FCount; }
    // Room for count entries without growing; a map filled anew for every snapshot is thus
    // made once at about its size instead of growing and rehashing step by step.
    void Reserve(size_t count) {
        size_t size = FSlots.empty() ? 64 : FSlots.size();
        while ((count + 1) * 2 > size)
            size *= 2;
        if (size != FSlots.size())
            Rehash(size);
    }
    void Clear() {
        FSlots.clear();
        FCount = 0;
    }

private:
    struct TSlot {
        bool Used = false;
        Key SlotKey{};
        Value SlotValue{};
    };

    // The slot of key, or the empty slot where it belongs.
    static size_t Find(const std::vector<TSlot>& slots, const Key& key) {
        const size_t mask = slots.size() - 1;
        // Spreads keys that differ only in their high bits, as aligned pointers do.
        size_t index = (size_t(Hash()(key)) * 0x9E3779B1u) >> 7 & mask;
        while (slots[index].Used && !(slots[index].SlotKey == key))
            index = (index + 1) & mask;
        return index;
    }

    void Grow() { Rehash(FSlots.empty() ? 64 : FSlots.size() * 2); }

    void Rehash(size_t size) {
        std::vector<TSlot> slots(size);
        for (TSlot& slot : FSlots)
            if (slot.Used)
                slots[Find(slots, slot.SlotKey)] = std::move(slot);
        FSlots.swap(slots);
    }

    std::vector<TSlot> FSlots; // a power of two in size, at most half used
    size_t FCount = 0;
};
