#pragma once
#include "chart/chart_model.h"
#include "chart/series_thinning.h"
#include "vcl/core/custom_control.h"

#include <memory>

// A chart of line series over a left value axis and a bottom axis, with a legend at the right.
// It owns its series and draws them in list order; dragging the mouse over the plot zooms.
class TChart : public TCustomControl {
public:
    explicit TChart(TComponent* AOwner);
    ~TChart() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int SeriesCount() const { return FModel.Series().Count(); }
    TLineSeries* Series(int index) const { return FModel.Series().Items(index); }
    TLineSeries* AddSeries(std::unique_ptr<TLineSeries> series);
    // Takes a series out without freeing it.
    std::unique_ptr<TLineSeries> RemoveSeries(int index);
    void FreeSeries(int index);

    TChartAxis* LeftAxis() { return &FModel.LeftAxis(); }
    TChartAxis* BottomAxis() { return &FModel.BottomAxis(); }
    TChartLegend* Legend() { return &FModel.Legend(); }
    void UndoZoom() { FModel.UndoZoom(); }
    bool Zoomed() const { return FModel.Zoomed(); }

    // Where everything goes at the control's present size and font.
    TChartLayout Layout();

    TGetLegendTextEvent OnGetLegendText;
    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CancelMode() override;

private:
    TChartModel FModel;
    TSeriesPixelCache FPixels;
};
