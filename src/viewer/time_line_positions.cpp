#include "viewer/time_line_positions.h"

#include "tools/sorted_lists.h"

#include <algorithm>
#include <cstdint>

std::string KeyAt(const TQZSortedNamedObjects& snapshots, int index) {
    if (index < 0 || index >= snapshots.Count())
        return "";
    return snapshots.GetNames(index);
}

TTimeLineKeys RememberTimeLineKeys(const TQZSortedNamedObjects& snapshots,
                                   const TTimeLinePlace& place) {
    return {KeyAt(snapshots, place.Position), KeyAt(snapshots, place.SelStart),
            KeyAt(snapshots, place.SelEnd)};
}

int TimeLineMax(int count) {
    return std::max(0, count - 1);
}

int TickFrequency(int max, int travelPixels) {
    if (max <= 0 || travelPixels <= 0)
        return 1;
    const int64_t needed = int64_t(MinTickSpacing) * max;
    return int(std::max<int64_t>(1, (needed + travelPixels - 1) / travelPixels));
}

namespace {
bool FindKey(const TQZSortedNamedObjects& snapshots, const std::string& key, int& index) {
    return !key.empty() && snapshots.FindObject(key, index);
}
} // namespace

TTimeLinePlace RestoreTimeLinePlace(const TQZSortedNamedObjects& snapshots,
                                    const TTimeLineKeys& keys, TTimeLinePlace place) {
    const int last = TimeLineMax(snapshots.Count());
    place.Position = last;
    if (keys.PositionTimeStr.empty())
        return place;
    int index = 0;
    if (FindKey(snapshots, keys.StartTimeStr, index))
        place.SelStart = index;
    if (FindKey(snapshots, keys.EndTimeStr, index))
        place.SelEnd = index;
    if (FindKey(snapshots, keys.PositionTimeStr, index))
        place.Position = index;
    return place;
}

TTimeLinePlace ApplySelectionCommand(TSelectionCommand command, TTimeLinePlace place, int count) {
    switch (command) {
    case scClear:
        place.SelStart = 0;
        place.SelEnd = 0;
        break;
    case scSetStart:
        if (place.Position > place.SelEnd)
            place.SelEnd = count - 1;
        place.SelStart = place.Position;
        break;
    case scSetEnd:
        if (place.SelStart > place.Position)
            place.SelStart = 0;
        place.SelEnd = place.Position;
        break;
    case scAllArea:
        place.SelStart = 0;
        place.SelEnd = count - 1;
        break;
    }
    return place;
}
