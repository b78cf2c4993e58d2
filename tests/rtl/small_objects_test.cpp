#include "rtl/small_objects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// Takes slots of a few sizes, marks each with its owner's byte, checks the marks before giving
// them back: a slot handed to two holders at once shows as a mark overwritten.
struct TSlotUser {
    char Mark;
    bool Overwritten = false;

    void Churn(int rounds) {
        for (int round = 0; round < rounds; ++round) {
            std::vector<std::pair<void*, size_t>> held;
            for (size_t i = 0; i < 200; ++i) {
                const size_t size = 8 + (i * 24) % 240;
                void* p = AllocateSmall(size);
                std::memset(p, Mark, size);
                held.emplace_back(p, size);
            }
            for (auto [p, size] : held) {
                for (size_t b = 0; b < size; ++b)
                    Overwritten |= static_cast<char*>(p)[b] != Mark;
                FreeSmall(p, size);
            }
        }
    }
};

} // namespace

// The main thread takes its slots without a lock; other threads at the same time, and slots
// freed by another thread than the one that took them, must still never share a slot.
TEST(SmallObjects, ThreadsNeverShareASlot) {
    std::vector<void*> fromMain;
    for (int i = 0; i < 1000; ++i)
        fromMain.push_back(AllocateSmall(24));
    TSlotUser main{'m'}, worker1{'1'}, worker2{'2'};
    std::thread first([&] {
        for (void* p : fromMain) // freed where they were not taken
            FreeSmall(p, 24);
        worker1.Churn(300);
    });
    std::thread second([&] { worker2.Churn(300); });
    main.Churn(300);
    first.join();
    second.join();
    EXPECT_FALSE(main.Overwritten);
    EXPECT_FALSE(worker1.Overwritten);
    EXPECT_FALSE(worker2.Overwritten);
}

// Slots are marked free by bits in the header of their chunk and taken again in the order of
// their addresses: over several chunks, with holes freed behind the taking and runs freed
// across the bits' words, no slot goes to two holders and every freed slot serves again.
TEST(SmallObjects, FreedSlotsServeAgainAndNeverTwice) {
    constexpr size_t Size = 40;
    constexpr size_t Count = 6000; // several chunks
    std::vector<void*> held;
    for (size_t i = 0; i < Count; ++i) {
        held.push_back(AllocateSmall(Size));
        std::memset(held.back(), int(i % 251), Size);
    }
    std::vector<void*> freed;
    for (size_t i = 0; i < Count; ++i)
        if (i % 3 == 0 || (i >= 2000 && i < 2100)) {
            freed.push_back(held[i]);
            FreeSmall(held[i], Size);
            held[i] = nullptr;
        }
    std::vector<void*> again;
    // More than the freed ones and the rest of the last chunk: a new chunk only once none is left.
    for (size_t i = 0; i < freed.size() + 2000; ++i) {
        again.push_back(AllocateSmall(Size));
        std::memset(again.back(), 0xEE, Size);
    }
    std::vector<void*> all = again;
    for (size_t i = 0; i < Count; ++i)
        if (held[i]) {
            const auto* bytes = static_cast<const unsigned char*>(held[i]);
            for (size_t b = 0; b < Size; ++b)
                ASSERT_EQ(bytes[b], i % 251) << i;
            all.push_back(held[i]);
        }
    std::sort(all.begin(), all.end());
    for (size_t i = 1; i < all.size(); ++i)
        ASSERT_GE(static_cast<char*>(all[i]) - static_cast<char*>(all[i - 1]), ptrdiff_t(Size));
    std::sort(freed.begin(), freed.end());
    size_t reused = 0;
    for (void* p : again)
        reused += std::binary_search(freed.begin(), freed.end(), p);
    EXPECT_EQ(reused, freed.size());
    for (void* p : all)
        FreeSmall(p, Size);
}
