#include "chart/value_range.h"

#include <algorithm>

TValueRange KeptWithin(const TValueRange& range, const TValueRange& limits) {
    const double width = range.Max - range.Min;
    if (!(width <= limits.Max - limits.Min))
        return limits;
    // The moved end is clamped as well: the sum may round an ulp past the limit.
    if (range.Min < limits.Min)
        return {limits.Min, std::min(limits.Min + width, limits.Max)};
    if (range.Max > limits.Max)
        return {std::max(limits.Max - width, limits.Min), limits.Max};
    return range;
}
