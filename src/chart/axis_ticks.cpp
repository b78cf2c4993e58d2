#include "chart/axis_ticks.h"

#include "rtl/date_time.h"
#include "rtl/strings.h"

#include <array>
#include <cmath>

namespace {

constexpr double Second = 1.0 / (24 * 60 * 60);
constexpr double Minute = 60 * Second;
constexpr double Hour = 60 * Minute;
// A step of n months is at least n times the shortest month, so ticks never come closer.
constexpr double ShortestMonth = 28;
constexpr double Tolerance = 1e-9;
constexpr double MaxTicks = 1000;
constexpr double ExactIntegers = 9007199254740992.0; // 2^53
// December of the last year: a month after it has no date to start on.
constexpr int LastMonthNumber = MaxYear * 12 + 11;

// 1, 2, 5 or 10 times the power of ten below Raw, the first that reaches it.
double RoundStep(double raw) {
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw * (1 - Tolerance))
            return m * magnitude;
    return 10 * magnitude;
}

std::vector<double> MultiplesOf(double step, const TValueRange& range) {
    double first = std::ceil(range.Min / step - Tolerance);
    double count = std::floor(range.Max / step + Tolerance) - first;
    // Far from zero the step can drown in the precision of the values; such an axis gets none.
    if (!(count >= 0 && count <= MaxTicks) || std::abs(first) > ExactIntegers)
        return {};
    std::vector<double> values;
    for (int i = 0; i <= int(count); ++i)
        values.push_back(first + i == 0 ? 0.0 : (first + i) * step);
    return values;
}

int MonthNumber(TDateTime value) {
    int year, month, day;
    DecodeDate(value, year, month, day);
    return year * 12 + month - 1;
}

TDateTime MonthStart(int monthNumber) {
    return EncodeDate(monthNumber / 12, monthNumber % 12 + 1, 1);
}

std::vector<double> MonthStarts(int months, const TValueRange& range) {
    int number = MonthNumber(range.Min);
    if (MonthStart(number) < range.Min - Tolerance)
        ++number;
    number = (number + months - 1) / months * months;
    std::vector<double> values;
    for (; number <= LastMonthNumber && MonthStart(number) <= range.Max + Tolerance;
         number += months)
        values.push_back(MonthStart(number));
    return values;
}

std::vector<double> DateTimeTickValues(const TValueRange& range, double rawStep) {
    static constexpr std::array<double, 20> FixedSteps{
        Second,      2 * Second,  5 * Second, 10 * Second, 15 * Second,
        30 * Second, Minute,      2 * Minute, 5 * Minute,  10 * Minute,
        15 * Minute, 30 * Minute, Hour,       2 * Hour,    3 * Hour,
        6 * Hour,    12 * Hour,   1,          2,           7};
    for (double step : FixedSteps)
        if (step >= rawStep * (1 - Tolerance))
            return MultiplesOf(step, range);
    for (int months : {1, 2, 3, 6})
        if (months * ShortestMonth >= rawStep)
            return MonthStarts(months, range);
    return MonthStarts(12 * int(RoundStep(rawStep / 365)), range);
}

} // namespace

TAxisLabels::TAxisLabels(const TValueRange& range, bool dateTime) : FDateTime(dateTime) {
    if (!dateTime)
        return;
    double span = range.Max - range.Min;
    FPattern = span < 1 ? "hh:nn:ss" : span < 31 ? "dd.mm hh:nn" : "dd.mm.yyyy";
}

std::string TAxisLabels::Text(double value) const {
    return FDateTime ? FormatDateTime(FPattern, value) : FloatToStr(value);
}

std::vector<TAxisTick> AxisTicks(const TValueRange& range, bool dateTime, int pixels,
                                 int minSpacing) {
    double span = range.Max - range.Min;
    if (pixels <= 0 || !(span > 0))
        return {};
    if (dateTime && (range.Min < CalendarRange.Min || range.Max > CalendarRange.Max))
        return {};
    double rawStep = span * std::max(minSpacing, 1) / pixels;
    std::vector<double> values =
        dateTime ? DateTimeTickValues(range, rawStep) : MultiplesOf(RoundStep(rawStep), range);
    TAxisLabels labels(range, dateTime);
    std::vector<TAxisTick> ticks;
    for (double value : values)
        ticks.push_back({value, labels.Text(value)});
    return ticks;
}
