#include "qztree/base/place_shifts.h"

int TQZPlaceShifts::Update(int Place, uint32_t Stamp) const {
    if (Stamp >> 11 != (FEpoch & 0x1FFFFFu))
        return Place;
    for (size_t k = Stamp & 0x7FFu; k < FShifts.size(); ++k) {
        const TShift& shift = FShifts[k];
        if (shift.Delta > 0 ? Place >= shift.Place : Place > shift.Place)
            Place += shift.Delta;
    }
    return Place;
}

void TQZPlaceShifts::Shift(int Place, int Delta) {
    if (FShifts.size() >= MaxShifts)
        Forget();
    else
        FShifts.push_back({Place, Delta});
}

void TQZPlaceShifts::Forget() {
    FShifts.clear();
    ++FEpoch;
}
