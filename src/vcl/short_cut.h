#pragma once
#include "vcl/controls_types.h"

#include <cstdint>

// A key with its modifiers in one number: the virtual key in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

inline TShortCut ShortCut(uint16_t key, TShiftState shift) {
    TShortCut result = TShortCut(key & 0xFF);
    if (shift.Contains(ssShift))
        result |= scShift;
    if (shift.Contains(ssCtrl))
        result |= scCtrl;
    if (shift.Contains(ssAlt))
        result |= scAlt;
    return result;
}
