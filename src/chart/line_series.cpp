#include "chart/line_series.h"

#include "rtl/property_change.h"

#include "rtl/exceptions.h"

#include <algorithm>

void TLineSeries::SetTitle(const std::string& value) {
    ChangeValue(FTitle, value, OnChange);
}
void TLineSeries::SetColor(TColor value) {
    ChangeValue(FColor, value, OnChange);
}
void TLineSeries::SetPenWidth(int value) {
    ChangeValue(FPenWidth, std::max(value, 1), OnChange);
}
void TLineSeries::SetPenStyle(TPenStyle value) {
    ChangeValue(FPenStyle, value, OnChange);
}
void TLineSeries::SetShowInLegend(bool value) {
    ChangeValue(FShowInLegend, value, OnChange);
}
void TLineSeries::SetActive(bool value) {
    ChangeValue(FActive, value, OnChange);
}
void TLineSeries::SetXValuesDateTime(bool value) {
    ChangeValue(FXValuesDateTime, value, OnChange);
}

void TLineSeries::Changed() {
    if (OnChange)
        OnChange();
}

int TLineSeries::AddXY(double x, double y) {
    auto place = std::upper_bound(FPoints.begin(), FPoints.end(), x,
                                  [](double value, const TSeriesPoint& p) { return value < p.X; });
    place = FPoints.insert(place, {x, y});
    Changed();
    return int(place - FPoints.begin());
}

void TLineSeries::Clear() {
    if (FPoints.empty())
        return;
    FPoints.clear();
    Changed();
}

void TLineSeries::MovePoint(int index, double x, double y) {
    Point(index);
    FPoints[index] = {x, y};
    Changed();
}

const TSeriesPoint& TLineSeries::Point(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FPoints[index];
}

namespace {

template <class Get>
std::optional<TValueRange> ValueRange(const std::vector<TSeriesPoint>& points, Get get) {
    if (points.empty())
        return std::nullopt;
    auto [low, high] = std::minmax_element(
        points.begin(), points.end(),
        [&](const TSeriesPoint& a, const TSeriesPoint& b) { return get(a) < get(b); });
    return TValueRange{get(*low), get(*high)};
}

} // namespace

std::optional<TValueRange> TLineSeries::XRange() const {
    return ValueRange(FPoints, [](const TSeriesPoint& p) { return p.X; });
}

std::optional<TValueRange> TLineSeries::YRange() const {
    return ValueRange(FPoints, [](const TSeriesPoint& p) { return p.Y; });
}
