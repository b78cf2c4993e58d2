#pragma once
#include "chart/line_series.h"

#include <string>
#include <vector>

struct TAxisTick {
    double Value = 0;
    std::string Label;
};

// How the labels of an axis read: numbers, or dates and times in a pattern that suits the span
// shown ("hh:nn:ss" within a day, "dd.mm hh:nn" within a month, "dd.mm.yyyy" beyond).
class TAxisLabels {
public:
    TAxisLabels(const TValueRange& range, bool dateTime);
    std::string Text(double value) const;
    const std::string& Pattern() const { return FPattern; }

private:
    bool FDateTime;
    std::string FPattern;
};

// Ticks at round values (1, 2 or 5 times a power of ten; for dates and times whole seconds,
// minutes, hours, days, months or years) no closer than MinSpacing pixels on an axis Pixels long.
std::vector<TAxisTick> AxisTicks(const TValueRange& range, bool dateTime, int pixels,
                                 int minSpacing);
