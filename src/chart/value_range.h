#pragma once
#include "rtl/date_time.h"

struct TValueRange {
    double Min = 0;
    double Max = 0;
};

// Every moment a date-time can hold: all that an axis of dates can show.
constexpr TValueRange CalendarRange{MinDateTime, MaxDateTime};
