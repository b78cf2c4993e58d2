#pragma once
#include <cstdint>
#include <vector>

// The inserts into and removals from the middle of the tree's all-items list since its places
// were last numbered. A place cached in an item is brought up to date through them, so that a
// tree filled with rows added under earlier parents does not renumber every later item after
// each such row. Up to a thousand are kept, as walking them costs less than numbering a large
// tree again: past them the places are numbered again.
class TQZPlaceShifts {
public:
    static constexpr uint32_t MaxShifts = 1024;

    // The stamp of a place known right now.
    uint32_t Now() const { return FEpoch << 11 | uint32_t(FShifts.size()); }
    // Place, cached under Stamp, moved by every shift since; unchanged when the shifts it
    // missed were forgotten (the caller checks it against the list).
    int Update(int Place, uint32_t Stamp) const;
    // An item went in at Place, the ones from Place on moved one down.
    void Inserted(int Place) { Shift(Place, 1); }
    // The item at Place went out, the ones after it moved one up.
    void Removed(int Place) { Shift(Place, -1); }
    // The list was rearranged otherwise or numbered anew: no shift applies to earlier stamps.
    void Forget();

private:
    struct TShift {
        int Place;
        int Delta;
    };
    void Shift(int Place, int Delta);

    std::vector<TShift> FShifts;
    uint32_t FEpoch = 0;
};
