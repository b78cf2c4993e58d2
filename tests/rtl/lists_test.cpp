#include "rtl/lists.h"

#include "rtl/exceptions.h"
#include "rtl/flat_map.h"
#include "support/tracked_object.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using TEvent = std::pair<void*, TListNotification>;

class RecordingList : public TList {
public:
    std::vector<TEvent> Events;

protected:
    void Notify(void* item, TListNotification action) override { Events.push_back({item, action}); }
};

} // namespace

TEST(Lists, EveryChangeOfContentIsNotified) {
    int a = 1, b = 2, c = 3;
    RecordingList list;
    list.Add(&a);
    list.Add(nullptr); // nothing to announce
    list.Insert(0, &b);
    EXPECT_EQ(list.Events, (std::vector<TEvent>{{&a, TListNotification::lnAdded},
                                                {&b, TListNotification::lnAdded}}));
    list.Events.clear();

    list.Put(0, &c);
    list.Put(0, &c); // the same item: no change
    EXPECT_EQ(list.Events, (std::vector<TEvent>{{&b, TListNotification::lnDeleted},
                                                {&c, TListNotification::lnAdded}}));
    list.Events.clear();

    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_TRUE(list.Events.empty()); // reordering keeps the content
    EXPECT_EQ(list.IndexOf(&c), 2);

    EXPECT_EQ(list.Extract(&a), &a);
    EXPECT_EQ(list.Extract(&b), nullptr);
    EXPECT_EQ(list.Remove(&c), 1);
    EXPECT_EQ(list.Remove(&c), -1);
    EXPECT_EQ(list.Events, (std::vector<TEvent>{{&a, TListNotification::lnExtracted},
                                                {&c, TListNotification::lnDeleted}}));
    EXPECT_EQ(list.Count(), 1);

    EXPECT_THROW(list.Insert(2, &a), EListError);
    EXPECT_THROW(list.Get(1), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Put(1, &a), EListError);
    EXPECT_EQ(list.Count(), 1);
}

TEST(Lists, ObjectListFreesWhatItLoses) {
    int freed = 0;
    auto* extracted = new TrackedObject(freed);
    {
        TObjectList list;
        list.Add(new TrackedObject(freed));
        list.Add(extracted);
        list.Add(new TrackedObject(freed));
        list.Add(new TrackedObject(freed));
        list.Delete(0);
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list.Extract(extracted), extracted);
        EXPECT_EQ(freed, 1);
        list.Put(0, new TrackedObject(freed)); // the replaced object goes
        EXPECT_EQ(freed, 2);
        list.Remove(list.Items(1));
        EXPECT_EQ(freed, 3);
    }
    EXPECT_EQ(freed, 4); // the list's destruction frees the rest
    delete extracted;

    freed = 0;
    TrackedObject kept(freed);
    {
        TObjectList borrowed(false);
        borrowed.Add(&kept);
        borrowed.Delete(0);
        borrowed.Add(&kept);
        borrowed.Clear();
        borrowed.Add(&kept);
    }
    EXPECT_EQ(freed, 0);
}

// A map made at a size at once, then filled past it, finds what it holds and nothing else.
TEST(Lists, FlatMapFindsItsEntriesAfterReserveAndGrowth) {
    TFlatMap<const void*, int> map;
    std::vector<int> keys(500);
    map.Reserve(100);
    for (int i = 0; i < 500; ++i)
        map[&keys[size_t(i)]] = i;
    map.Reserve(10); // never shrinks below what it holds
    ASSERT_EQ(map.Count(), 500u);
    for (int i = 0; i < 500; ++i) {
        const int* value = map.Lookup(&keys[size_t(i)]);
        ASSERT_TRUE(value);
        EXPECT_EQ(*value, i);
    }
    int other = 0;
    EXPECT_EQ(map.Lookup(&other), nullptr);
}
