#pragma once
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"

#include "rtl/object.h"

#include <memory>

class TControl;
class TImageList;

// What is being dragged. Finished is the last call the drag makes on it: an heir may free itself
// there, and nothing touches the object afterwards.
class TDragObject : public TObject {
public:
    virtual void Finished(TObject* Target, int X, int Y, bool Accepted) {}
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y) {
        return Accepted ? crDrag : crNoDrop;
    }
    // The pictures whose drag image follows the pointer (see TImageList::SetDragImage).
    virtual TImageList* GetDragImages() { return nullptr; }
    // The drag manager hides the image while the pointer is over a control without
    // csDisplayDragImage and while targets answer, and shows it again.
    virtual void HideDragImage();
    virtual void ShowDragImage();

    TPoint DragPos; // screen position of the pointer
    TControl* DragTarget = nullptr;
    TPoint DragTargetPos; // the pointer in the target's client coordinates
    bool Dropped = false;
    bool Cancelling = false;
};

// A drag of a control; the drag the layer makes when OnStartDrag supplies no object.
class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    TImageList* GetDragImages() override;

private:
    TControl* FControl;
};

// The one drag in progress, between controls of any of the program's windows. It holds the
// mouse capture on a hidden window of its own, asks the control under the pointer with CM_DRAG
// whether it accepts, shows the drag cursor, and ends with a drop on release or a cancel
// (Escape, right button, lost capture).
class TDragManager {
public:
    // Starts at once or once the pointer moved Threshold pixels from StartPos (screen).
    static void Begin(TControl* source, bool immediate, int threshold, const TPoint& startPos);
    static void Begin(TControl* source, bool immediate, int threshold);
    static void Finish(bool drop);
    static TControl* Source();
    static TDragObject* DragObject();
    // The Source argument of drag events: the control for the layer's own drag object, else
    // the object the source supplied.
    static TObject* EventSource(TDragObject* dragObject);
    static void ControlDestroying(TControl* control);
    // The pointer moved to a screen point (what the capture window does on WM_MOUSEMOVE).
    static void MoveTo(const TPoint& screenPos);

private:
    static void Start(const TPoint& screenPos);
};
