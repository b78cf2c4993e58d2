// The message side of TControl: the one switch that decodes messages into typed handlers, and
// the default behaviour of those handlers.
#include "vcl/core/control.h"

#include "rtl/scope_guards.h"
#include "vcl/base/win_api.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/forms.h"
#include "vcl/core/win_control.h"

intptr_t TControl::Perform(unsigned Msg, uintptr_t WParam, intptr_t LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        return MouseButtonDown(mbLeft, Message, false);
    case WM_RBUTTONDOWN:
        return MouseButtonDown(mbRight, Message, false);
    case WM_MBUTTONDOWN:
        return MouseButtonDown(mbMiddle, Message, false);
    case WM_LBUTTONDBLCLK:
        return MouseButtonDown(mbLeft, Message, FControlStyle.Contains(csDoubleClicks));
    case WM_RBUTTONDBLCLK:
        return MouseButtonDown(mbRight, Message, FControlStyle.Contains(csDoubleClicks));
    case WM_MBUTTONDBLCLK:
        return MouseButtonDown(mbMiddle, Message, FControlStyle.Contains(csDoubleClicks));
    case WM_LBUTTONUP:
        return MouseButtonUp(mbLeft, Message);
    case WM_RBUTTONUP:
        return MouseButtonUp(mbRight, Message);
    case WM_MBUTTONUP:
        return MouseButtonUp(mbMiddle, Message);
    case WM_MOUSEMOVE: {
        DefaultHandler(Message);
        TPoint p = MessagePoint(Message.LParam);
        return MouseMove(KeysToShiftState(Message.WParam), p.X, p.Y);
    }
    case WM_MOUSEWHEEL:
    case CM_MOUSEWHEEL:
        return MouseWheelMessage(Message);
    case CM_MOUSEENTER:
        return MouseEnter();
    case CM_MOUSELEAVE:
        return MouseLeave();
    case CM_FONTCHANGED:
        return FontChanged();
    case CM_COLORCHANGED:
        return ColorChanged();
    case CM_ENABLEDCHANGED:
        return EnabledChanged();
    case CM_TEXTCHANGED:
        return TextChanged();
    case CM_VISIBLECHANGED:
        return VisibleChanged();
    case CM_PARENTFONTCHANGED:
        return ParentPropertyChanged(ppFont);
    case CM_PARENTCOLORCHANGED:
        return ParentPropertyChanged(ppColor);
    case CM_PARENTSHOWHINTCHANGED:
        return ParentPropertyChanged(ppShowHint);
    case CM_HINTSHOW:
        Message.Result = HintShow(*reinterpret_cast<THintInfo*>(Message.LParam)) ? 0 : 1;
        return;
    case CM_DRAG:
        return DragMessage(TDragMessage(Message.WParam),
                           *reinterpret_cast<TDragRec*>(Message.LParam), Message);
    case CM_SYSCOLORCHANGE:
        return Invalidate();
    case WM_CANCELMODE:
    case CM_CANCELMODE:
        CancelMode();
        return DefaultHandler(Message);
    default:
        return DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {}

void TControl::MouseButtonDown(TMouseButton Button, const TMessage& Message, bool Double) {
    TMessage m = Message;
    TPoint p = MessagePoint(Message.LParam);
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (Button == mbLeft && !Double && FDragMode == dmAutomatic) {
        TDragManager::Begin(this, false, -1, ClientToScreen(p));
        return;
    }
    DefaultHandler(m);
    if (FControlStyle.Contains(csCaptureMouse))
        SetMouseCapture(true);
    if (Button == mbLeft) {
        FControlState.Include(csLButtonDown);
        if (FControlStyle.Contains(csClickEvents))
            FControlState.Include(csClicked);
    }
    if (Double) {
        shift.Include(ssDouble);
        if (FControlStyle.Contains(csClickEvents))
            DblClick();
    }
    MouseDown(Button, shift, p.X, p.Y);
}

void TControl::MouseButtonUp(TMouseButton Button, const TMessage& Message) {
    TMessage m = Message;
    DefaultHandler(m);
    TPoint p = MessagePoint(Message.LParam);
    if (Button == mbLeft)
        FControlState.Exclude(csLButtonDown);
    if (FControlStyle.Contains(csCaptureMouse) && MouseCapture() &&
        !KeysToShiftState(Message.WParam).Contains(ssLeft))
        SetMouseCapture(false);
    // A click is a press and a release both inside the control.
    if (Button == mbLeft && FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (ClientRect().Contains(p))
            Click();
    }
    MouseUp(Button, KeysToShiftState(Message.WParam), p.X, p.Y);
}

void TControl::MouseWheelMessage(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) {
        // Wherever the wheel lands, the form's focused control hears it first, then its parents;
        // when none takes it the window that got it does what its class does. A class passes it
        // on to the parent window: every control heard it already then.
        static bool routing = false;
        if (routing)
            return;
        TFlagScope routingNow(routing);
        TCustomForm* form = GetParentForm(this);
        TControl* first = form && form->ActiveControl() ? form->ActiveControl() : this;
        Message.Result = first->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        if (Message.Result == 0)
            DefaultHandler(Message);
        return;
    }
    TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
    int delta = short(HIWORD(Message.WParam));
    TPoint mousePos = MessagePoint(Message.LParam);
    if (DoMouseWheel(shift, delta, mousePos)) {
        Message.Result = 1;
        return;
    }
    if (FParent)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::Click() {
    Fire(OnClick, this);
}

void TControl::DblClick() {
    Fire(OnDblClick, this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Fire(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    Fire(OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    Fire(OnMouseUp, this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (!handled)
        handled =
            WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::MouseEnter() {
    Fire(OnMouseEnter, this);
}

void TControl::MouseLeave() {
    Fire(OnMouseLeave, this);
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
    TDragManager::Begin(this, Immediate, Threshold);
}

void TControl::EndDrag(bool Drop) {
    if (Dragging())
        TDragManager::Finish(Drop);
}

bool TControl::Dragging() const {
    return TDragManager::Source() == this;
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
    Fire(OnStartDrag, this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    Fire(OnEndDrag, this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = bool(OnDragOver);
    if (Accept)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    Fire(OnDragDrop, this, Source, X, Y);
}

void TControl::DragMessage(TDragMessage DragMessage, TDragRec& DragRec, TMessage& Message) {
    TObject* source = TDragManager::EventSource(DragRec.Source);
    switch (DragMessage) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
        bool accept = false;
        TDragState state = DragMessage == dmDragEnter   ? dsDragEnter
                           : DragMessage == dmDragLeave ? dsDragLeave
                                                        : dsDragMove;
        DragOver(source, DragRec.Pos.X, DragRec.Pos.Y, state, accept);
        Message.Result = accept ? 1 : 0;
        break;
    }
    case dmDragDrop:
        DragDrop(source, DragRec.Pos.X, DragRec.Pos.Y);
        break;
    case dmFindTarget:
        Message.Result = intptr_t(this);
        break;
    case dmDragCancel:
        break;
    }
}
