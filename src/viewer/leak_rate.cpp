#include "viewer/leak_rate.h"

#include "rtl/strings.h"

#include <algorithm>
#include <cmath>

namespace {
int64_t WholeMilliseconds(TDateTime span) {
    return std::llround(span * 86400000.0);
}
} // namespace

std::optional<double> CalcRate(const std::vector<TRateSample>& samples) {
    if (samples.empty())
        return std::nullopt;
    const TDateTime tStart = samples.front().Time;
    const TDateTime tEnd = samples.back().Time;
    if (WholeMilliseconds(tEnd - tStart) == 0)
        return std::nullopt;

    int64_t minCount = 2147483647;
    int64_t maxCount = 0;
    for (const TRateSample& s : samples) {
        maxCount = std::max(maxCount, s.Count);
        minCount = std::min(minCount, s.Count);
    }
    double sx = 0, sy = 0, sxy = 0, sxx = 0;
    if (maxCount > minCount) {
        for (const TRateSample& s : samples) {
            const double x = (s.Time - tStart) / (tEnd - tStart);
            const double y = static_cast<double>(s.Count - minCount);
            sxy += x * y;
            sx += x;
            sy += y;
            sxx += x * x;
        }
    }
    const double n = static_cast<double>(samples.size());
    if (n * sxx == sx * sx)
        return 0.0;
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

std::string RateText(const std::optional<double>& rate) {
    return rate ? FloatToStr(*rate) : std::string();
}
