#include "chart/series_list.h"

#include "rtl/exceptions.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// Colours that stand apart on white and from the black and blue a user tends to pick first.
constexpr std::array<TColor, 12> AutomaticColors{0x0000FF, 0x008000, 0xFF00FF, 0x808000,
                                                 0x0080FF, 0x800000, 0x000080, 0x008080,
                                                 0x800080, 0x808080, 0x00C000, 0xC0C000};

std::optional<TValueRange> Union(std::optional<TValueRange> a, std::optional<TValueRange> b) {
    if (!a)
        return b;
    if (!b)
        return a;
    return TValueRange{std::min(a->Min, b->Min), std::max(a->Max, b->Max)};
}

} // namespace

TChartSeriesList::~TChartSeriesList() {
    // Series must not call back into a list that is going away.
    for (auto& series : FItems)
        series->OnChange = nullptr;
}

TLineSeries* TChartSeriesList::Add(std::unique_ptr<TLineSeries> series) {
    if (series->Color() == clDefault)
        series->SetColor(UnusedColor());
    series->OnChange = [this] { Changed(); };
    FItems.push_back(std::move(series));
    Changed();
    return FItems.back().get();
}

std::unique_ptr<TLineSeries> TChartSeriesList::Extract(int index) {
    CheckIndex(index);
    auto series = std::move(FItems[index]);
    FItems.erase(FItems.begin() + index);
    series->OnChange = nullptr;
    Changed();
    return series;
}

void TChartSeriesList::Delete(int index) {
    Extract(index);
}

void TChartSeriesList::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

TLineSeries* TChartSeriesList::Items(int index) const {
    CheckIndex(index);
    return FItems[index].get();
}

int TChartSeriesList::IndexOf(const TLineSeries* series) const {
    auto found = std::find_if(FItems.begin(), FItems.end(),
                              [series](const auto& item) { return item.get() == series; });
    return found == FItems.end() ? -1 : int(found - FItems.begin());
}

std::optional<TValueRange> TChartSeriesList::XRange() const {
    return Range(&TLineSeries::XRange);
}

std::optional<TValueRange> TChartSeriesList::YRange() const {
    return Range(&TLineSeries::YRange);
}

std::optional<TValueRange>
TChartSeriesList::Range(std::optional<TValueRange> (TLineSeries::*range)() const) const {
    std::optional<TValueRange> result;
    for (const auto& series : FItems)
        if (series->Active())
            result = Union(result, (series.get()->*range)());
    return result;
}

bool TChartSeriesList::XValuesDateTime() const {
    return std::any_of(FItems.begin(), FItems.end(), [](const auto& series) {
        return series->Active() && series->XValuesDateTime();
    });
}

void TChartSeriesList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TColor TChartSeriesList::UnusedColor() const {
    for (TColor color : AutomaticColors)
        if (std::none_of(FItems.begin(), FItems.end(),
                         [color](const auto& series) { return series->Color() == color; }))
            return color;
    return AutomaticColors[FItems.size() % AutomaticColors.size()];
}

void TChartSeriesList::Changed() {
    if (OnChange)
        OnChange();
}
