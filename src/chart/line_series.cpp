#include "chart/line_series.h"

#include "rtl/property_change.h"

#include "rtl/exceptions.h"

#include <algorithm>
#include <atomic>

namespace {

uint64_t NextRevision() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

} // namespace

TLineSeries::TLineSeries() : FRevision(NextRevision()) {}

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

void TLineSeries::PointsChanged() {
    FRevision = NextRevision();
    Changed();
}

void TLineSeries::Changed() {
    if (OnChange)
        OnChange();
}

int TLineSeries::AddXY(double x, double y) {
    auto place = std::upper_bound(FPoints.begin(), FPoints.end(), x,
                                  [](double value, const TSeriesPoint& p) { return value < p.X; });
    place = FPoints.insert(place, {x, y});
    PointsChanged();
    return int(place - FPoints.begin());
}

void TLineSeries::Clear() {
    if (FPoints.empty())
        return;
    FPoints.clear();
    PointsChanged();
}

void TLineSeries::MovePoint(int index, double x, double y) {
    Point(index);
    FPoints[index] = {x, y};
    PointsChanged();
}

const TSeriesPoint& TLineSeries::Point(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FPoints[index];
}

// The points are in X order, so the ends give the X range.
std::optional<TValueRange> TLineSeries::XRange() const {
    if (FPoints.empty())
        return std::nullopt;
    return TValueRange{FPoints.front().X, FPoints.back().X};
}

// Asked on every paint; worked out again only when the points have changed.
std::optional<TValueRange> TLineSeries::YRange() const {
    if (FYRangeRevision != FRevision) {
        FYRange.reset();
        if (!FPoints.empty()) {
            auto [low, high] = std::minmax_element(
                FPoints.begin(), FPoints.end(),
                [](const TSeriesPoint& a, const TSeriesPoint& b) { return a.Y < b.Y; });
            FYRange = TValueRange{low->Y, high->Y};
        }
        FYRangeRevision = FRevision;
    }
    return FYRange;
}
