#include "vcl/drag_drop.h"

#include "vcl/application.h"
#include "vcl/screen.h"
#include "vcl/win_api.h"
#include "vcl/win_control.h"
#include "vcl/window_class.h"

#include <cstdlib>

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
};

TDragProgress Drag;

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
            if (HWND(lParam) != window && Drag.Source && !Drag.Finishing)
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

} // namespace

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    return Accepted ? FControl->DragCursor() : crNoDrop;
}

TImageList* TDragControlObject::GetDragImages() {
    return FControl->GetDragImages();
}

void TDragManager::Start(const TPoint& screenPos) {
    Drag.Started = true;
    TDragObject* object = nullptr;
    Drag.Source->DoStartDrag(object);
    if (!Drag.Source)
        return; // the handler ended the drag
    if (!object) {
        Drag.Internal = std::make_unique<TDragControlObject>(Drag.Source);
        object = Drag.Internal.get();
    }
    Drag.Object = object;
    Drag.Object->DragPos = screenPos;
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
    if (Drag.Source || !source)
        return;
    Drag = TDragProgress();
    Drag.Source = source;
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
    if (!Drag.Started) {
        if (std::abs(screenPos.X - Drag.StartPos.X) < Drag.Threshold &&
            std::abs(screenPos.Y - Drag.StartPos.Y) < Drag.Threshold)
            return;
        Start(screenPos);
        if (!Drag.Object)
            return;
    }
    Drag.Object->DragPos = screenPos;
    TControl* target = FindDragTarget(screenPos);
    if (target != Drag.Target) {
        if (Drag.Target)
            SendDrag(Drag.Target, dmDragLeave, screenPos);
        Drag.Target = target;
        Drag.Accepted = target && SendDrag(target, dmDragEnter, screenPos);
    }
    if (Drag.Target)
        Drag.Accepted = SendDrag(Drag.Target, dmDragMove, screenPos);
    TPoint at = Drag.Target ? Drag.Target->ScreenToClient(screenPos) : screenPos;
    SetCursor(Screen->Cursors(Drag.Object->GetDragCursor(Drag.Accepted, at.X, at.Y)));
}

void TDragManager::Finish(bool drop) {
    if (!Drag.Source || Drag.Finishing)
        return;
    Drag.Finishing = true;
    if (GetCapture() == DragWindow())
        ReleaseCapture();
    if (!Drag.Object) {
        Drag = TDragProgress();
        return;
    }
    TPoint screenPos = Drag.Object->DragPos;
    TControl* target = Drag.Target;
    bool accepted = drop && target && Drag.Accepted;
    Drag.Object->Cancelling = !drop;
    if (target) {
        if (accepted) {
            SendDrag(target, dmDragDrop, screenPos);
            Drag.Object->Dropped = true;
        } else {
            SendDrag(target, dmDragCancel, screenPos);
        }
    }
    // The drag is over before the source and the object hear of it, so they may start another.
    TControl* source = Drag.Source;
    TDragObject* object = Drag.Object;
    std::unique_ptr<TDragObject> internal = std::move(Drag.Internal);
    TPoint at = target ? target->ScreenToClient(screenPos) : screenPos;
    Drag = TDragProgress();
    Screen->SetCursor(crDefault);
    source->DoEndDrag(accepted ? target : nullptr, at.X, at.Y);
    object->Finished(accepted ? target : nullptr, at.X, at.Y, accepted);
}

void TDragManager::ControlDestroying(TControl* control) {
    if (control == Drag.Target)
        Drag.Target = nullptr;
    if (control == Drag.Source && !Drag.Finishing) {
        if (GetCapture() == DragWindow())
            ReleaseCapture();
        Drag = TDragProgress();
    }
}
