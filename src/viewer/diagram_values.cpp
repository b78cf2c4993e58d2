#include "viewer/diagram_values.h"

#include "qvr/debug_reader.h"

#include "rtl/strings.h"

#include <algorithm>

std::vector<int64_t> PercentOfMax(const std::vector<int64_t>& values) {
    if (values.empty())
        return values;
    int64_t max = *std::max_element(values.begin(), values.end());
    if (max == 0)
        return values;
    std::vector<int64_t> percents;
    percents.reserve(values.size());
    for (int64_t value : values)
        percents.push_back(Round(double(value) / double(max) * 100));
    return percents;
}

std::string ShortTitle(const std::string& title) {
    return title.substr(0, title.find('.'));
}

std::optional<TValueRange> SnapshotTimeSpan(const TDebugReader& store) {
    if (store.Count() == 0)
        return std::nullopt;
    const double first = store.DebugInfo(0)->Time;
    const double last = store.DebugInfo(store.Count() - 1)->Time;
    constexpr double Minute = 1.0 / (24 * 60);
    // A minute after a snapshot at the calendar's end would pass it: the span ends there.
    return KeptWithin({first, std::max(last, first + Minute)}, CalendarRange);
}
