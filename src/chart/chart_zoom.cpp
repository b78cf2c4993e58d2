#include "chart/chart_zoom.h"

#include <algorithm>

namespace {

// A click that wobbles a pixel or two is no zoom.
constexpr int MinZoomPixels = 3;

} // namespace

void TZoomDrag::Begin(const TPoint& p, const TRect& bounds) {
    FDragging = true;
    FBounds = bounds;
    FStart = FEnd = Clamp(p);
}

TPoint TZoomDrag::Clamp(const TPoint& p) const {
    return {std::clamp(p.X, FBounds.Left, FBounds.Right - 1),
            std::clamp(p.Y, FBounds.Top, FBounds.Bottom - 1)};
}

TZoomGesture TZoomDrag::End(const TPoint& p) {
    if (!FDragging)
        return TZoomGesture::None;
    FDragging = false;
    FEnd = Clamp(p);
    int dx = FEnd.X - FStart.X, dy = FEnd.Y - FStart.Y;
    if (dx < 0)
        return TZoomGesture::Undo;
    if (dx >= MinZoomPixels && dy >= MinZoomPixels)
        return TZoomGesture::Zoom;
    return TZoomGesture::None;
}

TRect TZoomDrag::Rect() const {
    return {std::min(FStart.X, FEnd.X), std::min(FStart.Y, FEnd.Y), std::max(FStart.X, FEnd.X),
            std::max(FStart.Y, FEnd.Y)};
}

void ZoomAxes(const TRect& r, const TChartLayout& layout, TChartAxis& left, TChartAxis& bottom) {
    bottom.ZoomTo(
        {layout.Bottom.Scale.PixelToValue(r.Left), layout.Bottom.Scale.PixelToValue(r.Right)});
    left.ZoomTo({layout.Left.Scale.PixelToValue(r.Bottom), layout.Left.Scale.PixelToValue(r.Top)});
}
