#include "viewer/leak_rate.h"

#include "rtl/strings.h"

#include <algorithm>
#include <cmath>

bool HasTimeSpan(TDateTime tStart, TDateTime tEnd) {
    return std::llround((tEnd - tStart) * 86400000.0) != 0;
}

void TRateSums::SeeCount(int64_t count) {
    FMax = std::max(FMax, count);
    FMin = std::min(FMin, count);
    ++FSeen;
}

void TRateSums::SeeMissing(int64_t n) {
    if (FSeen < n)
        FMin = std::min<int64_t>(FMin, 0); // 0 never raises the largest count, which starts at 0
}

void TRateSums::Add(double x, int64_t count) {
    if (FMax <= FMin)
        return;
    AddCount(x, count);
    FSx += x;
    FSxx += x * x;
}

void TRateSums::AddCount(double x, int64_t count) {
    if (FMax <= FMin)
        return;
    const double y = static_cast<double>(count - FMin);
    FSxy += x * y;
    FSy += y;
    FSxSeen += x;
}

double TRateSums::Rate(int64_t n, double sx, double sxx) const {
    const double count = static_cast<double>(n);
    if (FMax <= FMin || count * sxx == sx * sx)
        return 0.0;
    // The snapshots without the name count 0, which is 0 - FMin above the smallest count.
    const double missingY = static_cast<double>(0 - FMin);
    const double sxy = FSxy + missingY * (sx - FSxSeen);
    const double sy = FSy + missingY * static_cast<double>(n - FSeen);
    return (count * sxy - sx * sy) / (count * sxx - sx * sx);
}

std::optional<double> CalcRate(const std::vector<TRateSample>& samples) {
    if (samples.empty())
        return std::nullopt;
    const TDateTime tStart = samples.front().Time;
    const TDateTime tEnd = samples.back().Time;
    if (!HasTimeSpan(tStart, tEnd))
        return std::nullopt;
    TRateSums sums;
    for (const TRateSample& s : samples)
        sums.SeeCount(s.Count);
    for (const TRateSample& s : samples)
        sums.Add(ScaledTime(s.Time, tStart, tEnd), s.Count);
    return sums.Rate(static_cast<int64_t>(samples.size()));
}

std::string RateText(const std::optional<double>& rate) {
    return rate ? FloatToStr(*rate) : std::string();
}
