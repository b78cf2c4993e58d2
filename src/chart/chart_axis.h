#pragma once
#include "chart/line_series.h"

#include <functional>
#include <optional>

// One axis of the chart. With Automatic both ends follow the values of the visible series;
// without it each end follows them only when its own flag says so, else it stays at its set
// value. A zoom overrides both ends until it is undone, leaving the settings as they were.
// Whatever the ends come from, the range shown stays within the axis's limits, if it has any.
class TChartAxis {
public:
    using TDataRange = std::function<std::optional<TValueRange>()>;
    explicit TChartAxis(TDataRange dataRange, TDataRange limits = nullptr)
        : FDataRange(std::move(dataRange)), FLimits(std::move(limits)) {}

    bool Automatic() const { return FAutomatic; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return FAutomaticMinimum; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return FAutomaticMaximum; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return FMinimum; }
    void SetMinimum(double value);
    double Maximum() const { return FMaximum; }
    void SetMaximum(double value);

    void ZoomTo(const TValueRange& range);
    void UndoZoom();
    bool Zoomed() const { return FZoom.has_value(); }

    // The range shown now. An automatic range never collapses to one value: an automatic end
    // moves away from the other so that the data stays visible.
    TValueRange Range() const;
    // False while an automatic range has no data to follow and shows an invented one.
    bool Determined() const;
    double CurrentMinimum() const { return Range().Min; }
    double CurrentMaximum() const { return Range().Max; }

    std::function<void()> OnChange;

private:
    TValueRange SettingsRange() const;

    TDataRange FDataRange;
    TDataRange FLimits;
    bool FAutomatic = true;
    bool FAutomaticMinimum = true;
    bool FAutomaticMaximum = true;
    double FMinimum = 0;
    double FMaximum = 0;
    std::optional<TValueRange> FZoom;
};
