#pragma once
#include <string>

class TQZSortedNamedObjects;

// The time line as indexes into the snapshot list: the current snapshot and the interval.
struct TTimeLinePlace {
    int Position = 0;
    int SelStart = 0;
    int SelEnd = 0;
};

// The keys of the current, start and end snapshots. Reading a file inserts snapshots and shifts
// the indexes, so the place is kept by key across it.
struct TTimeLineKeys {
    std::string PositionTimeStr;
    std::string StartTimeStr;
    std::string EndTimeStr;
};

// The key at an index; '' outside the list.
std::string KeyAt(const TQZSortedNamedObjects& snapshots, int index);
TTimeLineKeys RememberTimeLineKeys(const TQZSortedNamedObjects& snapshots,
                                   const TTimeLinePlace& place);

// The last index of the time line for count snapshots; 0 for none.
int TimeLineMax(int count);

// The place after a file was read. Without a remembered position the position goes to the last
// snapshot and the interval stays as it is. Otherwise each end of the interval whose snapshot is
// found moves to it (the other stays), and the position goes to its snapshot, or to the last one
// when that snapshot is gone.
TTimeLinePlace RestoreTimeLinePlace(const TQZSortedNamedObjects& snapshots,
                                    const TTimeLineKeys& keys, TTimeLinePlace place);

// Every how many snapshots a tick is drawn so that ticks stay at least MinTickSpacing pixels
// apart over travelPixels for values 0..max; with thousands of snapshots they would merge into
// one line.
constexpr int MinTickSpacing = 8;
int TickFrequency(int max, int travelPixels);

// The interval commands of the time line, numbered as the window calls them.
enum TSelectionCommand { scClear = 0, scSetStart = 1, scSetEnd = 2, scAllArea = 3 };

// The interval after a command, for count snapshots. "Set start" beyond the end stretches the
// end to the last snapshot; "Set end" before the start stretches the start to the first.
TTimeLinePlace ApplySelectionCommand(TSelectionCommand command, TTimeLinePlace place, int count);
