#include "vcl/core/drag_drop.h"

#include "rtl/lasting.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/screen.h"
#include "vcl/core/win_control.h"
#include "vcl/core/window_class.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {

struct TDragProgress {
    TControl* Source = nullptr;
    TDragObject* Object = nullptr;
    std::unique_ptr<TDragObject> Internal; // the layer's own object, freed after Finished
    bool Started = false;
    TPoint StartPos;
    int Threshold = 0;
    TControl* Target = nullptr;
    bool Accepted = false;
    bool Finishing = false;
    unsigned Serial = 0; // tells a drag from one that a handler ended and began anew
};

// Controls that go at the program's end still leave the drag's records.
TLasting<TDragProgress> DragHolder;
TDragProgress& Drag = *DragHolder;
unsigned LastSerial = 0;

// Control pointers held across calls that may free the control; a control that goes is
// forgotten in them.
TLasting<std::vector<TControl**>> HeldControlsHolder;
std::vector<TControl**>& HeldControls = *HeldControlsHolder;

class THeldControl {
public:
    explicit THeldControl(TControl*& slot) : FSlot(&slot) { HeldControls.push_back(FSlot); }
    ~THeldControl() {
        HeldControls.erase(std::find(HeldControls.begin(), HeldControls.end(), FSlot));
    }
    THeldControl(const THeldControl&) = delete;
    THeldControl& operator=(const THeldControl&) = delete;

private:
    TControl** FSlot;
};

// The drag begun with this serial still runs: no handler ended it meanwhile.
bool Running(unsigned serial) {
    return Drag.Source && !Drag.Finishing && Drag.Serial == serial;
}

LRESULT CALLBACK DragWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

HWND DragWindow() {
    static HWND window =
        CreateHelperWindow(L"QVR.DragCapture", DragWindowProc, nullptr, WS_POPUP, WS_EX_TOOLWINDOW);
    return window;
}

TPoint ToScreen(HWND window, LPARAM lParam) {
    POINT p = ToPOINT(MessagePoint(lParam));
    ClientToScreen(window, &p);
    return FromPOINT(p);
}

LRESULT CALLBACK DragWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_MOUSEMOVE:
            TDragManager::MoveTo(ToScreen(window, lParam));
            return 0;
        case WM_LBUTTONUP:
            TDragManager::MoveTo(ToScreen(window, lParam));
            TDragManager::Finish(true);
            return 0;
        case WM_RBUTTONDOWN:
            TDragManager::Finish(false);
            return 0;
        case WM_CAPTURECHANGED:
            if (HWND(lParam) != window)
                TDragManager::Finish(false);
            return 0;
        case WM_CANCELMODE:
            TDragManager::Finish(false);
            return 0;
        default:
            break;
        }
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

// The control under a screen point: a control's window, then its graphic child there.
TControl* FindDragTarget(const TPoint& screenPos) {
    HWND window = WindowFromPoint(ToPOINT(screenPos));
    TWinControl* windowed = nullptr;
    while (window && !(windowed = TWinControl::FindControl(window)))
        window = GetParent(window);
    if (!windowed)
        return nullptr;
    TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screenPos), false);
    return child ? child : windowed;
}

bool SendDrag(TControl* target, TDragMessage message, const TPoint& screenPos) {
    TDragRec rec;
    rec.Pos = target->ScreenToClient(screenPos);
    rec.Source = Drag.Object;
    rec.Target = target;
    Drag.Object->DragTarget = target;
    Drag.Object->DragTargetPos = rec.Pos;
    return target->Perform(CM_DRAG, message, intptr_t(&rec)) != 0;
}

// Asks the current target; false when its handler ended the drag.
bool Ask(TDragMessage message, unsigned serial) {
    bool accepted = SendDrag(Drag.Target, message, Drag.Object->DragPos);
    if (!Running(serial))
        return false;
    Drag.Accepted = accepted && Drag.Target;
    return true;
}

} // namespace

void TDragObject::HideDragImage() {
    if (TImageList* images = GetDragImages())
        images->HideDragImage();
}

void TDragObject::ShowDragImage() {
    if (TImageList* images = GetDragImages())
        images->ShowDragImage();
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    return Accepted ? FControl->DragCursor() : crNoDrop;
}

TImageList* TDragControlObject::GetDragImages() {
    return FControl->GetDragImages();
}

void TDragManager::Start(const TPoint& screenPos) {
    unsigned serial = Drag.Serial;
    Drag.Started = true;
    TDragObject* object = nullptr;
    try {
        Drag.Source->DoStartDrag(object);
    } catch (...) {
        // A source that cannot start cancels its drag: no object was made to drag.
        if (Running(serial))
            Finish(false);
        throw;
    }
    if (!Running(serial)) {
        // The handler ended the drag or freed the source; an object it made still hears the end.
        if (object)
            object->Finished(nullptr, screenPos.X, screenPos.Y, false);
        return;
    }
    if (!object) {
        Drag.Internal = std::make_unique<TDragControlObject>(Drag.Source);
        object = Drag.Internal.get();
    }
    Drag.Object = object;
    Drag.Object->DragPos = screenPos;
    if (TImageList* images = object->GetDragImages())
        images->BeginDrag(screenPos.X, screenPos.Y);
}

TControl* TDragManager::Source() {
    return Drag.Source;
}

TDragObject* TDragManager::DragObject() {
    return Drag.Object;
}

TObject* TDragManager::EventSource(TDragObject* dragObject) {
    if (dragObject && dragObject == Drag.Internal.get())
        return static_cast<TDragControlObject*>(dragObject)->Control();
    return dragObject;
}

void TDragManager::Begin(TControl* source, bool immediate, int threshold) {
    POINT p;
    GetCursorPos(&p);
    Begin(source, immediate, threshold, FromPOINT(p));
}

void TDragManager::Begin(TControl* source, bool immediate, int threshold, const TPoint& startPos) {
    if (Drag.Source || Drag.Finishing || !source || source->ComponentState().Contains(csDestroying))
        return;
    Drag = TDragProgress();
    Drag.Source = source;
    Drag.Serial = ++LastSerial;
    Drag.StartPos = startPos;
    Drag.Threshold = threshold >= 0 ? threshold : GetSystemMetrics(SM_CXDRAG);
    if (GetCaptureControl())
        GetCaptureControl()->SetMouseCapture(false);
    SetCapture(DragWindow());
    if (immediate) {
        Start(startPos);
        if (Drag.Source)
            MoveTo(startPos);
    }
}

void TDragManager::MoveTo(const TPoint& screenPos) {
    if (!Drag.Source || Drag.Finishing)
        return;
    unsigned serial = Drag.Serial;
    if (!Drag.Started) {
        if (std::abs(screenPos.X - Drag.StartPos.X) < Drag.Threshold &&
            std::abs(screenPos.Y - Drag.StartPos.Y) < Drag.Threshold)
            return;
        Start(screenPos);
        if (!Running(serial))
            return;
    }
    Drag.Object->DragPos = screenPos;
    // Targets answer with the image hidden, as their handlers may paint under it.
    TImageList::DragMove(screenPos.X, screenPos.Y);
    Drag.Object->HideDragImage();
    // Every answer of a target runs a handler, which may end the drag or free controls.
    TControl* target = FindDragTarget(screenPos);
    THeldControl heldTarget(target);
    if (target != Drag.Target) {
        if (Drag.Target && !Ask(dmDragLeave, serial))
            return;
        Drag.Target = target;
        Drag.Accepted = false;
        if (Drag.Target && !Ask(dmDragEnter, serial))
            return;
    }
    if (Drag.Target && !Ask(dmDragMove, serial))
        return;
    TPoint at = Drag.Target ? Drag.Target->ScreenToClient(screenPos) : screenPos;
    SetCursor(Screen->Cursors(Drag.Object->GetDragCursor(Drag.Accepted, at.X, at.Y)));
    if (Drag.Target && Drag.Target->ControlStyle().Contains(csDisplayDragImage))
        Drag.Object->ShowDragImage();
}

void TDragManager::Finish(bool drop) {
    if (!Drag.Source || Drag.Finishing)
        return;
    Drag.Finishing = true;
    if (GetCapture() == DragWindow())
        ReleaseCapture();
    if (!Drag.Object) {
        TImageList::EndDrag();
        Drag = TDragProgress();
        return;
    }
    TDragObject* object = Drag.Object;
    TPoint screenPos = object->DragPos;
    // The image goes before the drop is painted.
    TImageList::EndDrag();
    bool accepted = drop && Drag.Target && Drag.Accepted;
    object->Cancelling = !drop;
    // A drop handler that raises still ends the drag; its error is raised once all heard the end.
    std::exception_ptr dropError;
    if (Drag.Target) {
        try {
            SendDrag(Drag.Target, accepted ? dmDragDrop : dmDragCancel, screenPos);
        } catch (...) {
            dropError = std::current_exception();
        }
        object->Dropped = accepted;
    }
    // The drag is over before the source and the object hear of it, so they may start another;
    // a control freed by the drop or by the source's handler is forgotten in the ending too.
    TDragProgress ending = std::move(Drag);
    Drag = TDragProgress();
    THeldControl source(ending.Source);
    THeldControl target(ending.Target);
    TPoint at = ending.Target ? ending.Target->ScreenToClient(screenPos) : screenPos;
    Screen->SetCursor(crDefault);
    try {
        if (ending.Source)
            ending.Source->DoEndDrag(accepted ? ending.Target : nullptr, at.X, at.Y);
    } catch (...) {
        if (!dropError)
            dropError = std::current_exception();
    }
    object->DragTarget = ending.Target;
    object->Finished(accepted ? ending.Target : nullptr, at.X, at.Y, accepted);
    if (dropError)
        std::rethrow_exception(dropError);
}

void TDragManager::ControlDestroying(TControl* control) {
    // A source that goes ends its drag while it is still whole; a target is only forgotten.
    if (control == Drag.Source && !Drag.Finishing)
        Finish(false);
    if (control == Drag.Source)
        Drag.Source = nullptr;
    if (control == Drag.Target) {
        Drag.Target = nullptr;
        Drag.Accepted = false;
    }
    if (Drag.Object && Drag.Object->DragTarget == control)
        Drag.Object->DragTarget = nullptr;
    for (TControl** slot : HeldControls)
        if (*slot == control)
            *slot = nullptr;
}
