#include "chart/chart_model.h"

TChartModel::TChartModel(TObject* eventSender)
    : FEventSender(eventSender), FLeftAxis([this] { return FSeries.YRange(); }),
      FBottomAxis([this] { return FSeries.XRange(); },
                  [this] {
                      // Widened around a single time, the axis would pass the calendar's ends.
                      return FSeries.XValuesDateTime() ? std::optional(CalendarRange)
                                                       : std::nullopt;
                  }) {
    auto changed = [this] { Changed(); };
    FSeries.OnChange = changed;
    FLeftAxis.OnChange = changed;
    FBottomAxis.OnChange = changed;
    FLegend.OnChange = changed;
}

void TChartModel::Changed() {
    if (OnChange)
        OnChange();
}

TChartLayout TChartModel::Layout(const TRect& client, const TTextMeasure& measure) const {
    TChartRanges ranges{FLeftAxis.Range(), FBottomAxis.Range(), FSeries.XValuesDateTime()};
    // Dates made up around zero (29.12.1899) would look like data; without any, none are shown.
    ranges.BottomLabels = !ranges.BottomDateTime || FBottomAxis.Determined();
    TLegendLayout legend =
        LayoutLegend(LegendRows(FSeries, OnGetLegendText, FEventSender), FLegend, client, measure);
    return LayoutChart(client, ranges, std::move(legend), measure);
}

bool TChartModel::BeginZoomDrag(const TPoint& p, const TChartLayout& layout) {
    if (!layout.Plot.Contains(p))
        return false;
    FZoomDrag.Begin(p, layout.Plot);
    return true;
}

void TChartModel::TrackZoomDrag(const TPoint& p) {
    if (!FZoomDrag.Dragging())
        return;
    FZoomDrag.Track(p);
    Changed();
}

void TChartModel::EndZoomDrag(const TPoint& p, const TChartLayout& layout) {
    TZoomGesture gesture = FZoomDrag.End(p);
    Changed();
    if (gesture == TZoomGesture::Zoom)
        ZoomTo(FZoomDrag.Rect(), layout);
    else if (gesture == TZoomGesture::Undo)
        UndoZoom();
}

void TChartModel::CancelZoomDrag() {
    if (!FZoomDrag.Dragging())
        return;
    FZoomDrag.Cancel();
    Changed();
}

void TChartModel::ZoomTo(const TRect& r, const TChartLayout& layout) {
    ZoomAxes(r, layout, FLeftAxis, FBottomAxis);
    Fire(OnZoom, FEventSender);
}

void TChartModel::UndoZoom() {
    if (!Zoomed())
        return;
    FLeftAxis.UndoZoom();
    FBottomAxis.UndoZoom();
    Fire(OnUndoZoom, FEventSender);
}
