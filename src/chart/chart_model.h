#pragma once
#include "chart/chart_axis.h"
#include "chart/chart_geometry.h"
#include "chart/chart_legend.h"
#include "chart/chart_zoom.h"
#include "chart/series_list.h"
#include "rtl/events.h"

#include <functional>

// Everything a chart shows, apart from its window: the series in drawing order, the left and
// bottom axes, the legend and the zoom. Events name EventSender as their sender.
class TChartModel {
public:
    explicit TChartModel(TObject* eventSender = nullptr);
    TChartModel(const TChartModel&) = delete;
    TChartModel& operator=(const TChartModel&) = delete;

    TChartSeriesList& Series() { return FSeries; }
    const TChartSeriesList& Series() const { return FSeries; }
    TChartAxis& LeftAxis() { return FLeftAxis; }
    const TChartAxis& LeftAxis() const { return FLeftAxis; }
    TChartAxis& BottomAxis() { return FBottomAxis; }
    const TChartAxis& BottomAxis() const { return FBottomAxis; }
    TChartLegend& Legend() { return FLegend; }
    const TChartLegend& Legend() const { return FLegend; }

    TChartLayout Layout(const TRect& client, const TTextMeasure& measure) const;

    // Zooming by mouse, in client pixels of the layout the chart shows; a drag starts only on
    // the plot.
    bool BeginZoomDrag(const TPoint& p, const TChartLayout& layout);
    void TrackZoomDrag(const TPoint& p);
    void EndZoomDrag(const TPoint& p, const TChartLayout& layout);
    void CancelZoomDrag();
    const TZoomDrag& ZoomDrag() const { return FZoomDrag; }
    void ZoomTo(const TRect& r, const TChartLayout& layout);
    void UndoZoom();
    bool Zoomed() const { return FLeftAxis.Zoomed() || FBottomAxis.Zoomed(); }

    TGetLegendTextEvent OnGetLegendText;
    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;
    // Whatever changed what the chart shows.
    std::function<void()> OnChange;

private:
    void Changed();

    TObject* FEventSender;
    TChartSeriesList FSeries;
    TChartAxis FLeftAxis;
    TChartAxis FBottomAxis;
    TChartLegend FLegend;
    TZoomDrag FZoomDrag;
};
