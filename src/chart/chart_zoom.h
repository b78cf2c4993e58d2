#pragma once
#include "chart/chart_axis.h"
#include "chart/chart_geometry.h"

enum class TZoomGesture { None, Zoom, Undo };

// The mouse gesture of zooming: a drag to the right and down zooms to the dragged rectangle, a
// drag to the left undoes the zoom.
class TZoomDrag {
public:
    // The pointer is held inside Bounds while it drags.
    void Begin(const TPoint& p, const TRect& bounds);
    void Track(const TPoint& p) { FEnd = Clamp(p); }
    // Ends the drag and tells what it meant.
    TZoomGesture End(const TPoint& p);
    void Cancel() { FDragging = false; }
    bool Dragging() const { return FDragging; }
    // From where the drag started to where the pointer is, corners in any order.
    TRect Rect() const;

private:
    TPoint Clamp(const TPoint& p) const;

    bool FDragging = false;
    TRect FBounds;
    TPoint FStart;
    TPoint FEnd;
};

// Zooms both axes to the values under the pixels of the rectangle.
void ZoomAxes(const TRect& r, const TChartLayout& layout, TChartAxis& left, TChartAxis& bottom);
