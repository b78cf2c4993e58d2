#pragma once
#include "rtl/date_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One snapshot of the interval as the growth rate sees it: its time and the count of one name
// (0 where the snapshot has none).
struct TRateSample {
    TDateTime Time = 0;
    int64_t Count = 0;
};

// The least-squares slope of the counts against the snapshots' times scaled to 0..1 over the
// interval, in counts per whole interval; samples run from the interval's start to its end.
// No rate when there are no samples or the interval has no time span (its ends in the same
// millisecond): the scaled time would be undefined.
std::optional<double> CalcRate(const std::vector<TRateSample>& samples);

// The rate as the leak windows show it: general floating-point text with '.', 15 significant
// digits; '' for no rate.
std::string RateText(const std::optional<double>& rate);
