#pragma once
#include "chart/line_series.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The chart's series in drawing order. The list owns them, gives each a colour of its own when
// added without one, and tells its chart of every change of a series.
class TChartSeriesList {
public:
    TChartSeriesList() = default;
    TChartSeriesList(const TChartSeriesList&) = delete;
    TChartSeriesList& operator=(const TChartSeriesList&) = delete;
    ~TChartSeriesList();

    TLineSeries* Add(std::unique_ptr<TLineSeries> series);
    // Takes the series out without freeing it.
    std::unique_ptr<TLineSeries> Extract(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TLineSeries* Items(int index) const;
    int IndexOf(const TLineSeries* series) const;

    // Over the points of the active series; none when they have no points.
    std::optional<TValueRange> XRange() const;
    std::optional<TValueRange> YRange() const;
    // Whether the active series count their X values in days and times.
    bool XValuesDateTime() const;

    std::function<void()> OnChange;

private:
    std::optional<TValueRange> Range(std::optional<TValueRange> (TLineSeries::*range)()
                                         const) const;
    void CheckIndex(int index) const;
    TColor UnusedColor() const;
    void Changed();

    std::vector<std::unique_ptr<TLineSeries>> FItems;
};
