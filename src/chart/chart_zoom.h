#pragma once
#include "chart/chart_axis.h"
#include "chart/chart_geometry.h"

enum class TZoomGesture { None, Zoom, Undo };

// The mouse gesture of zooming: a drag to the right and down zooms to the dragged rectangle, a
// drag to the left undoes the zoom.
class TZoomDrag {
public:
    // The pointer is held inside Bounds while it drags.
    void Begin(const TChartPoint& p, const TChartRect& bounds);
    void Track(const TChartPoint& p) { FEnd = Clamp(p); }
    // Ends the drag and tells what it meant.
    TZoomGesture End(const TChartPoint& p);
    void Cancel() { FDragging = false; }
    bool Dragging() const { return FDragging; }
    // From where the drag started to where the pointer is, corners in any order.
    TChartRect Rect() const;

private:
    TChartPoint Clamp(const TChartPoint& p) const;

    bool FDragging = false;
    TChartRect FBounds;
    TChartPoint FStart;
    TChartPoint FEnd;
};

// Zooms both axes to the values under the pixels of the rectangle.
void ZoomAxes(const TChartRect& r, const TChartLayout& layout, TChartAxis& left,
              TChartAxis& bottom);
