#include "tools/thread_safety.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class CountingLock : public TThreadSafetyClass {
public:
    void Lock() override {
        TThreadSafetyClass::Lock();
        ++Locks;
    }
    int Locks = 0;
    long Total = 0;
};

} // namespace

TEST(ThreadSafety, LockIsRecursiveExclusiveAndReachedThroughTheVirtualTable) {
    CountingLock object;
    TThreadSafetyClass& base = object;
    base.Lock();
    base.Lock(); // the owning thread may enter again
    base.UnLock();
    base.UnLock();
    EXPECT_EQ(object.Locks, 2);

    auto add = [&object] {
        for (int i = 0; i < 20000; ++i) {
            TLockGuard<TThreadSafetyClass> guard(object);
            object.Total = object.Total + 1;
        }
    };
    std::thread other(add);
    add();
    other.join();
    EXPECT_EQ(object.Total, 40000);
}
