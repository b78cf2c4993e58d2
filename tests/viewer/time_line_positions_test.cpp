#include "viewer/time_line_positions.h"

#include "qvr/debug_reader.h"

#include <gtest/gtest.h>

namespace {
// Empty snapshots in a store of their own; only their keys matter to the time line.
void AddKeys(TDebugReader& store, std::initializer_list<const char*> keys) {
    for (const char* key : keys)
        store.AddDebugInfo(key);
}
} // namespace

// Found by the assertions through the type's own namespace.
bool operator==(const TTimeLinePlace& a, const TTimeLinePlace& b) {
    return a.Position == b.Position && a.SelStart == b.SelStart && a.SelEnd == b.SelEnd;
}

std::ostream& operator<<(std::ostream& out, const TTimeLinePlace& p) {
    return out << "position " << p.Position << ", " << p.SelStart << ".." << p.SelEnd;
}

TEST(TimeLinePositions, PlaceIsKeptByKeyWhenEarlierSnapshotsArrive) {
    TDebugReader store;
    const TQZSortedNamedObjects& list = store.DebugInfoList;
    AddKeys(store, {"10.01.2006 10:00:00", "10.01.2006 10:00:10", "10.01.2006 10:00:20",
                    "10.01.2006 10:00:30", "10.01.2006 10:00:40", "10.01.2006 10:00:50",
                    "10.01.2006 10:01:00"});
    const TTimeLineKeys keys = RememberTimeLineKeys(list, {4, 2, 5});
    EXPECT_EQ(keys.PositionTimeStr, "10.01.2006 10:00:40");
    EXPECT_EQ(keys.StartTimeStr, "10.01.2006 10:00:20");
    EXPECT_EQ(keys.EndTimeStr, "10.01.2006 10:00:50");

    // Two days before the snapshots, one after them.
    AddKeys(store, {"01.01.2006 10:00:00", "02.01.2006 10:00:00", "09.02.2006 10:00:00"});
    const TTimeLinePlace restored = RestoreTimeLinePlace(list, keys, {4, 2, 5});
    EXPECT_EQ(restored, (TTimeLinePlace{6, 4, 7}));
    EXPECT_EQ(list.GetNames(restored.Position), keys.PositionTimeStr);
}

TEST(TimeLinePositions, WithoutRememberedKeysThePositionGoesToTheLastSnapshot) {
    TDebugReader store;
    const TQZSortedNamedObjects& list = store.DebugInfoList;
    EXPECT_EQ(RememberTimeLineKeys(list, {0, 0, 0}).PositionTimeStr, "");
    AddKeys(store, {"02.01.2006 10:00:00", "01.02.2006 10:00:00", "03.01.2006 10:00:00"});
    EXPECT_EQ(RestoreTimeLinePlace(list, {}, {0, 0, 0}), (TTimeLinePlace{2, 0, 0}));
    // The last in time, although "03.01" comes after "01.02" as text.
    EXPECT_EQ(list.GetNames(2), "01.02.2006 10:00:00");
    EXPECT_EQ(TimeLineMax(0), 0);
    EXPECT_EQ(TimeLineMax(3), 2);
}

TEST(TimeLinePositions, KeysThatAreGoneLeaveTheEndsAndSendThePositionToTheLast) {
    TDebugReader store;
    const TQZSortedNamedObjects& list = store.DebugInfoList;
    AddKeys(store, {"01.01.2006 10:00:00", "02.01.2006 10:00:00", "03.01.2006 10:00:00"});
    const TTimeLineKeys keys{"05.05.2006 10:00:00", "02.01.2006 10:00:00", "07.07.2006 10:00:00"};
    EXPECT_EQ(RestoreTimeLinePlace(list, keys, {0, 0, 1}), (TTimeLinePlace{2, 1, 1}));
    EXPECT_EQ(KeyAt(list, -1), "");
    EXPECT_EQ(KeyAt(list, 3), "");
}

TEST(TimeLinePositions, SelectionCommandsStretchTheOtherEndWhenCrossed) {
    // Set start beyond the end: the end goes to the last snapshot.
    EXPECT_EQ(ApplySelectionCommand(scSetStart, {6, 1, 3}, 10), (TTimeLinePlace{6, 6, 9}));
    EXPECT_EQ(ApplySelectionCommand(scSetStart, {2, 1, 3}, 10), (TTimeLinePlace{2, 2, 3}));
    // Set end before the start: the start goes to the first snapshot.
    EXPECT_EQ(ApplySelectionCommand(scSetEnd, {2, 4, 8}, 10), (TTimeLinePlace{2, 0, 2}));
    EXPECT_EQ(ApplySelectionCommand(scSetEnd, {6, 4, 8}, 10), (TTimeLinePlace{6, 4, 6}));
    EXPECT_EQ(ApplySelectionCommand(scAllArea, {6, 4, 5}, 10), (TTimeLinePlace{6, 0, 9}));
    EXPECT_EQ(ApplySelectionCommand(scClear, {6, 4, 5}, 10), (TTimeLinePlace{6, 0, 0}));
}

TEST(TimeLinePositions, TicksStayApartHoweverManySnapshots) {
    EXPECT_EQ(TickFrequency(0, 1000), 1);
    EXPECT_EQ(TickFrequency(10, 1000), 1);
    EXPECT_EQ(TickFrequency(125, 1000), 1); // exactly 8 pixels apart
    EXPECT_EQ(TickFrequency(126, 1000), 2); // 7.9 pixels: every second one
    EXPECT_EQ(TickFrequency(5000, 1000), 40);
    EXPECT_EQ(TickFrequency(5000, 0), 1);
    for (int max : {1, 7, 99, 1234, 100000})
        for (int travel : {50, 640, 1231})
            EXPECT_GE(int64_t(travel) * TickFrequency(max, travel), int64_t(MinTickSpacing) * max)
                << max << " over " << travel;
}
