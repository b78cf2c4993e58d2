#include "viewer/leak_rate.h"

#include "rtl/strings.h"

#include <algorithm>
#include <cmath>

bool HasTimeSpan(TDateTime tStart, TDateTime tEnd) {
    return std::llround((tEnd - tStart) * 86400000.0) != 0;
}

void TTimeSums::Add(double x) {
    ++Count;
    Sx.Add(x);
    Sxx += x * x;
}

void TRateSums::SeeCount(int64_t count) {
    if (count == 0)
        return; // counted with the missing ones
    FMax = std::max(FMax, count);
    FMin = std::min(FMin, count);
    ++FSeen;
}

void TRateSums::SeeMissing(int64_t n) {
    if (FSeen < n)
        FMin = std::min<int64_t>(FMin, 0); // 0 never raises the largest count, which starts at 0
}

void TRateSums::Add(double x, int64_t count) {
    if (FMax <= FMin || count == 0)
        return;
    const int64_t y = count - FMin;
    FSxy += x * static_cast<double>(y);
    FSy += y;
    FSxSeen.Add(x);
}

double TRateSums::Rate(const TTimeSums& times) const {
    const double n = static_cast<double>(times.Count);
    const double sx = times.Sx.Value();
    if (FMax <= FMin || n * times.Sxx == sx * sx)
        return 0.0;
    // The snapshots without a count each have y = 0 - FMin; their x are those of all snapshots
    // less those seen, which is exactly 0 for a name in every snapshot.
    const int64_t missingY = 0 - FMin;
    const double sxy = FSxy + static_cast<double>(missingY) * times.Sx.Minus(FSxSeen);
    const double sy = static_cast<double>(FSy + missingY * (times.Count - FSeen));
    return (n * sxy - sx * sy) / (n * times.Sxx - sx * sx);
}

std::optional<double> CalcRate(const std::vector<TRateSample>& samples) {
    std::vector<TDateTime> times;
    times.reserve(samples.size());
    for (const TRateSample& s : samples)
        times.push_back(s.Time);
    return CalcRates(1, times, [&](size_t i, const auto& add) { add(0, samples[i].Count); })[0];
}

std::string RateText(const std::optional<double>& rate) {
    return rate ? FloatToStr(*rate) : std::string();
}
