#include "viewer/diagram_values.h"

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
