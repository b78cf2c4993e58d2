#pragma once
#include "vcl/controls_types.h"

#include <cstdint>
#include <string>

// A key with its modifiers in one number: the virtual key in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

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

// "Ctrl+S", "Shift+Del", "F5"; empty for a key without a name.
std::string ShortCutToText(TShortCut ShortCut);
// True when the caption marks Key as its accelerator with '&' ("&Open" for 'o' or 'O').
bool IsAccel(char Key, const std::string& Caption);
