#include "chart/chart.h"

#include "chart/chart_painter.h"
#include "rtl/published.h"

const TClassInfo& TChart::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TChart", &TCustomControl::StaticClassInfo());
    return *info;
}

TChart::TChart(TComponent* AOwner) : TCustomControl(AOwner), FModel(this) {
    SetDoubleBuffered(true);
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    FModel.OnChange = [this] { Invalidate(); };
    FModel.OnZoom = [this](TObject*) { Fire(OnZoom, this); };
    FModel.OnUndoZoom = [this](TObject*) { Fire(OnUndoZoom, this); };
    FModel.OnGetLegendText = [this](TObject*, int index, std::string& text) {
        Fire(OnGetLegendText, this, index, text);
    };
}

TChart::~TChart() = default;

TLineSeries* TChart::AddSeries(std::unique_ptr<TLineSeries> series) {
    return FModel.Series().Add(std::move(series));
}

std::unique_ptr<TLineSeries> TChart::RemoveSeries(int index) {
    return FModel.Series().Extract(index);
}

void TChart::FreeSeries(int index) {
    FModel.Series().Delete(index);
}

TChartLayout TChart::Layout() {
    Canvas()->SetFont(Font());
    TCanvasTextMeasure measure(*Canvas());
    return FModel.Layout(ClientRect(), measure);
}

void TChart::Paint() {
    PaintChart(*Canvas(), FModel, Layout(), Color(), FPixels);
}

void TChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FModel.BeginZoomDrag({X, Y}, Layout());
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TChart::MouseMove(TShiftState Shift, int X, int Y) {
    FModel.TrackZoomDrag({X, Y});
    TCustomControl::MouseMove(Shift, X, Y);
}

void TChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FModel.ZoomDrag().Dragging())
        FModel.EndZoomDrag({X, Y}, Layout());
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TChart::CancelMode() {
    FModel.CancelZoomDrag();
    TCustomControl::CancelMode();
}
