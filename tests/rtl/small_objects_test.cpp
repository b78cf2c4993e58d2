#include "rtl/small_objects.h"

#include <gtest/gtest.h>

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
