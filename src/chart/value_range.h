#pragma once
#include "rtl/date_time.h"

struct TValueRange {
    double Min = 0;
    double Max = 0;
};

// Every moment a date-time can hold: all that an axis of dates can show.
constexpr TValueRange CalendarRange{MinDateTime, MaxDateTime};

// The range moved inside the limits: an end that would pass a limit stops there and the other
// end moves along, so the width stays where it fits; a range wider than the limits becomes them.
TValueRange KeptWithin(const TValueRange& range, const TValueRange& limits);
