// The message side of TWinControl: routing of window messages into typed handlers, painting,
// keys, focus, the mouse's way to graphic children and notices reflected to child controls.
#include "vcl/core/win_control.h"

#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/double_buffer.h"
#include "vcl/graphics/gdi_objects.h"

namespace {
bool IsMouseMessage(unsigned msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL;
}
} // namespace

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        return PaintMessage(Message);
    case WM_PRINTCLIENT:
        if (IsSystemClass())
            break;
        return PaintHandler(HDC(Message.WParam));
    case WM_ERASEBKGND:
        // The layer's own windows erase while painting, so a double-buffered one never flickers.
        if (IsSystemClass())
            break;
        Message.Result = 1;
        return;
    case WM_SIZE:
        return RestoredMessage(Message);
    case CM_RESTOREDBOUNDS:
        return ApplyRestoredBounds();
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        return UpdateBoundsFromWindow();
    case WM_NCCALCSIZE:
        return NCCalcSizeMessage(Message);
    case WM_NCPAINT:
        return NCPaintMessage(Message);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return FocusMessage(Message);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return KeyMessage(Message);
    case WM_CHAR:
        return CharMessage(Message);
    case WM_SETCURSOR:
        if (SetCursorMessage(Message))
            return;
        break;
    case WM_MOUSELEAVE:
        MouseLeftWindow();
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (ReflectMessage(Message))
            return;
        break;
    case WM_CONTEXTMENU:
        return ContextMenuMessage(Message);
    case CN_COMMAND:
        return CNCommand(Message);
    case CN_NOTIFY:
        return CNNotify(Message);
    case CN_HSCROLL:
    case CN_VSCROLL:
        return CNScroll(Message);
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORLISTBOX:
        return CNCtlColor(Message);
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        return KeyAheadMessage(Message);
    case CN_CHAR:
    case CN_SYSCHAR:
        return CharAheadMessage(Message);
    case CM_DIALOGKEY:
        return DialogKey(Message);
    case CM_DIALOGCHAR:
        return DialogChar(Message);
    case CM_WANTSPECIALKEY:
        Message.Result = WantSpecialKey(uint16_t(Message.WParam)) ? 1 : 0;
        return;
    case CM_ENTER:
        return DoEnter();
    case CM_EXIT:
        return DoExit();
    case CM_SYSCOLORCHANGE:
        // Brushes made from system colours are made again, and every child hears of it.
        FBrush.reset();
        Invalidate();
        return NotifyControls(CM_SYSCOLORCHANGE);
    case CM_SHOWHINTCHANGED:
        return NotifyControls(CM_PARENTSHOWHINTCHANGED);
    default:
        if (IsMouseMessage(Message.Msg)) {
            if (Message.Msg == WM_MOUSEMOVE)
                TrackMouse(Message);
            if (RouteMouseToChild(Message))
                return;
            if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
                FocusOnClick();
        }
        break;
    }
    TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!FHandle || !FDefWndProc)
        return;
    Message.Result = CallWindowProcW(reinterpret_cast<WNDPROC>(FDefWndProc), FHandle, Message.Msg,
                                     Message.WParam, Message.LParam);
}

void TWinControl::PaintMessage(TMessage& Message) {
    if (IsSystemClass())
        return DefaultHandler(Message);
    // A context in WParam is painted as it is: printing, and pictures taken without a screen.
    if (Message.WParam)
        return PaintHandler(HDC(Message.WParam));
    TPaintDC paint(FHandle);
    if (FDoubleBuffered) {
        TDoubleBuffer buffer(paint.DC(), FromRECT(paint.PaintRect()));
        PaintHandler(buffer.DC());
    } else {
        PaintHandler(paint.DC());
    }
}

void TWinControl::PaintHandler(HDC DC) {
    if (!FControlStyle.Contains(csOpaque)) {
        TSavedDC saved(DC);
        EraseBackground(DC);
    }
    {
        TSavedDC saved(DC);
        PaintWindow(DC);
    }
    PaintControls(DC);
}

void TWinControl::EraseBackground(HDC DC) {
    RECT r = ToRECT(ClientRect());
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(DC, &r, brush.Handle());
}

void TWinControl::PaintControls(HDC DC) {
    for (TControl* c : FControls) {
        if (!c->Visible() || dynamic_cast<TWinControl*>(c))
            continue;
        TSavedDC saved(DC);
        OffsetViewportOrgEx(DC, c->Left(), c->Top(), nullptr);
        if (IntersectClipRect(DC, 0, 0, c->Width(), c->Height()) == NULLREGION)
            continue;
        c->PaintControl(DC);
    }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    IntersectClipRect(dc, 0, 0, Width(), Height());
    if (FHandle && IsSystemClass())
        SendMessageW(FHandle, WM_PRINT, WPARAM(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    else
        PaintHandler(dc);
    for (TControl* c : FControls)
        if (auto* windowed = dynamic_cast<TWinControl*>(c); windowed && windowed->Visible())
            windowed->PaintTo(dc, c->Left(), c->Top());
}

void TWinControl::KeyMessage(TMessage& Message) {
    uint16_t key = uint16_t(Message.WParam);
    TShiftState shift = KeyboardShiftState();
    bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
    TWinControl* form = GetParentForm(this);
    if (form && form != this && GetParentForm(this)->KeyPreview()) {
        down ? form->KeyDown(key, shift) : form->KeyUp(key, shift);
        if (key == 0)
            return;
    }
    down ? KeyDown(key, shift) : KeyUp(key, shift);
    if (key == 0)
        return;
    Message.WParam = key;
    DefaultHandler(Message);
}

void TWinControl::CharMessage(TMessage& Message) {
    char key = 0;
    if (!CharFromWide(wchar_t(Message.WParam), key))
        return DefaultHandler(Message);
    char original = key;
    TWinControl* form = GetParentForm(this);
    if (form && form != this && GetParentForm(this)->KeyPreview()) {
        form->KeyPress(key);
        if (key == 0)
            return;
    }
    KeyPress(key);
    if (key == 0)
        return;
    if (key != original)
        Message.WParam = uintptr_t(CharToWide(key));
    DefaultHandler(Message);
}

void TWinControl::FocusMessage(TMessage& Message) {
    DefaultHandler(Message);
    if (Message.Msg != WM_SETFOCUS)
        return;
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->FocusControlChanged(this);
}

void TWinControl::FocusOnClick() {
    if (!IsSystemClass() && FTabStop && CanFocus() && !Focused())
        SetFocus();
}

bool TWinControl::RouteMouseToChild(TMessage& Message) {
    TControl* target = nullptr;
    if (GetCapture() == FHandle) {
        TControl* capture = GetCaptureControl();
        if (capture && capture != this && capture->Parent() == this &&
            !dynamic_cast<TWinControl*>(capture))
            target = capture;
    } else {
        target = ControlAtPos(MessagePoint(Message.LParam), false);
    }
    if (!target)
        return false;
    TPoint p = MessagePoint(Message.LParam);
    p.X -= target->Left();
    p.Y -= target->Top();
    Message.Result = target->Perform(Message.Msg, Message.WParam, PointToLParam(p));
    return true;
}

void TWinControl::TrackMouse(TMessage& Message) {
    if (!FMouseInside) {
        FMouseInside = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
        Perform(CM_MOUSEENTER);
    }
    TPoint p = MessagePoint(Message.LParam);
    TControl* hover = ControlAtPos(p, false);
    if (hover != FHoverControl) {
        TControl* left = FHoverControl;
        FHoverControl = hover;
        if (left)
            left->Perform(CM_MOUSELEAVE);
        if (hover)
            hover->Perform(CM_MOUSEENTER);
    }
    Application->HintMouseMove(hover ? hover : this, ClientToScreen(p));
}

void TWinControl::MouseLeftWindow() {
    if (!FMouseInside)
        return;
    FMouseInside = false;
    if (TControl* left = FHoverControl) {
        FHoverControl = nullptr;
        left->Perform(CM_MOUSELEAVE);
    }
    Perform(CM_MOUSELEAVE);
    Application->HintMouseLeave(this);
}

bool TWinControl::SetCursorMessage(TMessage& Message) {
    if (LOWORD(Message.LParam) != HTCLIENT || HWND(Message.WParam) != FHandle)
        return false;
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
        POINT pos;
        GetCursorPos(&pos);
        TControl* child = ControlAtPos(ScreenToClient(FromPOINT(pos)), false);
        cursor = child ? child->Cursor() : Cursor();
    }
    if (cursor == crDefault)
        return false;
    ::SetCursor(Screen->Cursors(cursor));
    Message.Result = 1;
    return true;
}

bool TWinControl::ReflectMessage(TMessage& Message) {
    HWND child = nullptr;
    if (Message.Msg == WM_NOTIFY)
        child = reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom;
    else
        child = HWND(Message.LParam);
    TWinControl* control = FindControl(child);
    if (!control || control == this)
        return false;
    Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void TWinControl::ContextMenuMessage(TMessage& Message) {
    if (!PopupMenu()) {
        // A parent's menu serves its children too.
        DefaultHandler(Message);
        return;
    }
    TPoint p = MessagePoint(Message.LParam);
    if (Message.LParam == -1)
        p = ClientToScreen(Point(Width() / 2, Height() / 2));
    PopupMenu()->SetPopupComponent(this);
    PopupMenu()->Popup(p.X, p.Y);
    Message.Result = 1;
}
