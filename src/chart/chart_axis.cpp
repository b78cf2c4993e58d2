#include "chart/chart_axis.h"

#include "rtl/property_change.h"

void TChartAxis::SetAutomatic(bool value) {
    ChangeValue(FAutomatic, value, OnChange);
}
void TChartAxis::SetAutomaticMinimum(bool value) {
    ChangeValue(FAutomaticMinimum, value, OnChange);
}
void TChartAxis::SetAutomaticMaximum(bool value) {
    ChangeValue(FAutomaticMaximum, value, OnChange);
}
void TChartAxis::SetMinimum(double value) {
    ChangeValue(FMinimum, value, OnChange);
}
void TChartAxis::SetMaximum(double value) {
    ChangeValue(FMaximum, value, OnChange);
}

void TChartAxis::ZoomTo(const TValueRange& range) {
    FZoom = range;
    if (OnChange)
        OnChange();
}

void TChartAxis::UndoZoom() {
    if (!FZoom)
        return;
    FZoom.reset();
    if (OnChange)
        OnChange();
}

TValueRange TChartAxis::Range() const {
    const TValueRange range = FZoom ? *FZoom : SettingsRange();
    const std::optional<TValueRange> limits = FLimits ? FLimits() : std::nullopt;
    return limits ? KeptWithin(range, *limits) : range;
}

bool TChartAxis::Determined() const {
    const bool fullyAutomatic = FAutomatic || (FAutomaticMinimum && FAutomaticMaximum);
    return FZoom || !fullyAutomatic || (FDataRange && FDataRange());
}

TValueRange TChartAxis::SettingsRange() const {
    bool autoMin = FAutomatic || FAutomaticMinimum;
    bool autoMax = FAutomatic || FAutomaticMaximum;
    std::optional<TValueRange> data;
    if ((autoMin || autoMax) && FDataRange)
        data = FDataRange();
    TValueRange range{autoMin && data ? data->Min : FMinimum,
                      autoMax && data ? data->Max : FMaximum};
    if (range.Max > range.Min)
        return range;
    if (autoMin && autoMax) {
        double middle = range.Min;
        range = {middle - 0.5, middle + 0.5};
    } else if (autoMax) {
        range.Max = range.Min + 1;
    } else if (autoMin) {
        range.Min = range.Max - 1;
    }
    return range;
}
