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

// Whether the interval's ends lie at least a millisecond apart; without that the scaled time is
// undefined and there is no rate.
bool HasTimeSpan(TDateTime tStart, TDateTime tEnd);
// A snapshot's time scaled to 0..1 over the interval.
inline double ScaledTime(TDateTime time, TDateTime tStart, TDateTime tEnd) {
    return (time - tStart) / (tEnd - tStart);
}

// The least-squares sums of one name, fed the counts of the interval's snapshots in two passes:
// first every count (SeeCount) for the smallest and the largest, then every count with its
// scaled time (Add). The counts are taken less the smallest, and only when they differ at all.
class TRateSums {
public:
    void SeeCount(int64_t count);
    // After the counts seen: the snapshots of the n that lack the name count 0 there.
    void SeeMissing(int64_t n);
    void Add(double x, int64_t count);
    // Add without the terms of x alone, which are the same for every name seen over the same
    // snapshots: for many names at once, whose x and x*x are summed once for all of them. The
    // snapshots that lack the name need no call: Rate counts 0 for them.
    void AddCount(double x, int64_t count);
    // The slope in counts per whole interval over n snapshots; 0 when the counts never change.
    double Rate(int64_t n) const { return Rate(n, FSx, FSxx); }
    // The same with the sums of x and x*x over the n snapshots given.
    double Rate(int64_t n, double sx, double sxx) const;

private:
    int64_t FMin = 2147483647;
    int64_t FMax = 0;
    double FSx = 0, FSy = 0, FSxy = 0, FSxx = 0;
    // Over the snapshots that have the name: their number and the sum of their x.
    int64_t FSeen = 0;
    double FSxSeen = 0;
};

// The least-squares slope of the counts against the snapshots' times scaled to 0..1 over the
// interval, in counts per whole interval; samples run from the interval's start to its end.
// No rate when there are no samples or the interval has no time span.
std::optional<double> CalcRate(const std::vector<TRateSample>& samples);

// The rate as the leak windows show it: general floating-point text with '.', 15 significant
// digits; '' for no rate.
std::string RateText(const std::optional<double>& rate);
