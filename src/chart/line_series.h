#pragma once
#include "chart/value_range.h"
#include "rtl/object.h"
#include "vcl/graphics/colors.h"
#include "vcl/graphics/graphics.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TSeriesPoint {
    double X = 0;
    double Y = 0;
};

// A series drawn as a polyline through its points. Points are kept in ascending X order, so
// values added out of time order still draw forward in time; points with equal X keep the
// order they were added in, so two of them make a vertical segment.
class TLineSeries : public TObject {
public:
    TLineSeries();

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    // Free for the user; the chart never reads it.
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t value) { FTag = value; }
    // clDefault: the chart picks a colour when the series is added to it.
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int PenWidth() const { return FPenWidth; }
    void SetPenWidth(int value);
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle value);
    bool ShowInLegend() const { return FShowInLegend; }
    void SetShowInLegend(bool value);
    // A hidden series is neither drawn nor counted in the axes' automatic ranges.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool XValuesDateTime() const { return FXValuesDateTime; }
    void SetXValuesDateTime(bool value);

    // Returns the index the point got.
    int AddXY(double x, double y);
    void Clear();
    // The point keeps its index, so several points can be moved one after another; the caller
    // keeps the X order (a marker moves both ends of its segment to one X).
    void MovePoint(int index, double x, double y);
    int Count() const { return int(FPoints.size()); }
    double XValue(int index) const { return Point(index).X; }
    double YValue(int index) const { return Point(index).Y; }
    const std::vector<TSeriesPoint>& Points() const { return FPoints; }
    // Changes with every change of the points, and no two series ever share one.
    uint64_t Revision() const { return FRevision; }

    // Ranges of the values; none for a series without points.
    std::optional<TValueRange> XRange() const;
    std::optional<TValueRange> YRange() const;

    // Asks the chart to draw the series again.
    void Repaint() { Changed(); }
    // The chart that holds the series listens here.
    std::function<void()> OnChange;

private:
    const TSeriesPoint& Point(int index) const;
    void PointsChanged();
    void Changed();

    std::string FTitle;
    intptr_t FTag = 0;
    TColor FColor = clDefault;
    int FPenWidth = 1;
    TPenStyle FPenStyle = psSolid;
    bool FShowInLegend = true;
    bool FActive = true;
    bool FXValuesDateTime = false;
    std::vector<TSeriesPoint> FPoints;
    uint64_t FRevision;
    mutable std::optional<TValueRange> FYRange;
    mutable uint64_t FYRangeRevision = 0;
};
