#pragma once
#include "rtl/date_time.h"
#include "rtl/double_rounding.h"
#include "rtl/two_part_sum.h"

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

// The sums of the scaled times over all the interval's snapshots, which every name shares.
struct TTimeSums {
    int64_t Count = 0;
    TTwoPartSum Sx;
    double Sxx = 0;

    void Add(double x);
};

// The least-squares sums of one name, fed the counts of the interval's snapshots in two passes:
// first every count (SeeCount) for the smallest and the largest, then every count with its
// scaled time (Add). The counts are taken less the smallest, and only when they differ at all.
// A snapshot without the name and one with the count 0 are the same to the rate: neither needs a
// call, and the terms of both come from the sums over all snapshots.
class TRateSums {
public:
    void SeeCount(int64_t count);
    // After the counts seen: the snapshots of the n without a count count 0 there.
    void SeeMissing(int64_t n);
    void Add(double x, int64_t count);
    // The slope in counts per whole interval; 0 when the counts never change.
    double Rate(const TTimeSums& times) const;

private:
    int64_t FMin = 2147483647;
    int64_t FMax = 0;
    // Over the snapshots with a count other than 0: their number, their y and their x.
    int64_t FSeen = 0;
    int64_t FSy = 0;
    double FSxy = 0;
    TTwoPartSum FSxSeen;
};

// The growth rates of count names at once over the interval's snapshots, whose times run from
// the interval's start to its end; eachCount(i, add) calls add(name, count) for the counts of
// snapshot i. No rates when there are no snapshots or the interval has no time span.
// One name's rate and many names' rates come from these same sums in the same order, so they are
// equal to the last bit.
template <class TEachCount>
std::vector<std::optional<double>> CalcRates(size_t count, const std::vector<TDateTime>& times,
                                             const TEachCount& eachCount) {
    std::vector<std::optional<double>> rates(count);
    if (times.empty() || !HasTimeSpan(times.front(), times.back()))
        return rates;
    TDoubleRounding rounding;
    std::vector<TRateSums> sums(count);
    for (size_t i = 0; i < times.size(); ++i)
        eachCount(i, [&](size_t name, int64_t n) { sums[name].SeeCount(n); });
    for (TRateSums& sum : sums)
        sum.SeeMissing(int64_t(times.size()));
    TTimeSums timeSums;
    for (size_t i = 0; i < times.size(); ++i) {
        const double x = ScaledTime(times[i], times.front(), times.back());
        timeSums.Add(x);
        eachCount(i, [&](size_t name, int64_t n) { sums[name].Add(x, n); });
    }
    for (size_t name = 0; name < count; ++name)
        rates[name] = sums[name].Rate(timeSums);
    return rates;
}

// The least-squares slope of the counts against the snapshots' times scaled to 0..1 over the
// interval, in counts per whole interval; samples run from the interval's start to its end.
// No rate when there are no samples or the interval has no time span.
std::optional<double> CalcRate(const std::vector<TRateSample>& samples);

// The rate as the leak windows show it: general floating-point text with '.', 15 significant
// digits; '' for no rate.
std::string RateText(const std::optional<double>& rate);
