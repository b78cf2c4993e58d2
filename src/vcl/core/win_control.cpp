#include "vcl/core/win_control.h"

#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/core/forms.h"
#include "vcl/core/window_class.h"

#include <algorithm>

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TWinControl", &TControl::StaticClassInfo())
            .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
    return *info;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // Reached with children or a window only without Free: a control on the stack, or a form
    // whose constructor threw (its window could not be made). The children go here, while this
    // part of the control still stands for them to leave; the base parts cannot reach them.
    if (!FControls.empty()) {
        Destroying();
        FreeChildren();
    }
    // The heir's part is gone, so the window's last messages go straight to its class's
    // procedure (a common control frees its data there); the binding ends with WM_NCDESTROY.
    if (FHandle) {
        FWindowGoing = true;
        DestroyWindow(FHandle);
        Unbind();
    }
}

void TWinControl::BeforeDestruction() {
    // Children go first, while this control and its window still stand.
    FreeChildren();
    DestroyHandle();
    TControl::BeforeDestruction();
}

void TWinControl::FreeChildren() {
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        FormForgets(child);
        FControls.pop_back();
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), child), FTabList.end());
        if (FHoverControl == child)
            FHoverControl = nullptr;
        child->FParent = nullptr;
        child->Free();
    }
}

HWND TWinControl::Handle() {
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle() {
    if (FHandle || ComponentState().Contains(csDestroying))
        return;
    // Making the parent's window makes this one too.
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->CreateHandle();
        if (FHandle)
            return;
    }
    CreateWnd();
    for (TControl* child : FControls)
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = ToWide(FText);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Parent())
        Params.Style |= WS_CHILD;
    if (Visible() && Parent())
        Params.Style |= WS_VISIBLE;
    if (FTabStop)
        Params.Style |= WS_TABSTOP;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    AddFrameStyles(Params);
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WinClassName = ToWide(ClassName());
    Params.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TWinControl::CreateWnd() {
    InitCommonControlsOnce();
    TCreateParams params;
    if (Parent())
        params.WndParent = Parent()->Handle();
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = reinterpret_cast<void*>(RegisterControlClass(params));
    CreateWindowHandle(params);
    if (!FHandle)
        throw EInvalidOperation("Error creating window for " + ClassName());
    SendMessageW(FHandle, WM_SETFONT, WPARAM(Font()->Handle()), FALSE);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    SetCreationControl(this);
    CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(),
                    Params.Style, Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent,
                    nullptr, GetModuleHandleW(nullptr), this);
    SetCreationControl(nullptr);
}

void TWinControl::DestroyHandle() {
    if (!FHandle)
        return;
    for (TControl* child : FControls)
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    // What the user typed into the window outlives it.
    FText = GetText();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    if (FHandle)
        DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle)
        return;
    DestroyHandle();
    CreateHandle();
}

bool TWinControl::IsSystemClass() const {
    return FDefWndProc && FDefWndProc != reinterpret_cast<void*>(&DefWindowProcW);
}

std::string TWinControl::GetText() const {
    if (!FHandle)
        return TControl::GetText();
    int length = GetWindowTextLengthW(FHandle);
    std::wstring text(size_t(length) + 1, L'\0');
    length = GetWindowTextW(FHandle, text.data(), length + 1);
    return FromWide(text.data(), length);
}

void TWinControl::SetTextValue(const std::string& value) {
    TControl::SetTextValue(value);
    if (FHandle)
        SetWindowTextW(FHandle, ToWide(value).c_str());
}

void TWinControl::InsertControl(TControl* control) {
    if (control->FParent == this)
        return;
    FControls.push_back(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        FTabList.push_back(windowed);
    control->FParent = this;
    control->TakeEveryParentProperty();
    control->UpdateAnchorRules();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (FHandle)
            windowed->CreateHandle();
    } else {
        control->Invalidate();
    }
    Realign();
}

void TWinControl::FormForgets(TControl* control) {
    // The form drops its active and focused control when it or a parent of it leaves, also when
    // the form does not own it (a control made by another control), so that nothing points at
    // a freed control afterwards. Asked while the control still hangs under this one.
    if (TCustomForm* form = GetParentForm(this); form && form != control)
        form->ControlRemoved(control);
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        windowed->DestroyHandle();
    else
        control->Invalidate();
    // After the window is gone, whose focus notices come first.
    FormForgets(control);
    FControls.erase(it);
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
    control->FParent = nullptr;
    if (FHoverControl == control)
        FHoverControl = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control && control != this)
        control = control->Parent();
    return control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& p, bool allowDisabled,
                                    bool allowWinControls) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!c->Enabled() && !allowDisabled))
            continue;
        if (!allowWinControls && dynamic_cast<TWinControl*>(c))
            continue;
        if (c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

TRect TWinControl::ClientRect() const {
    // A minimised window keeps its restored bounds here, and its client area is the one they
    // give; the system's would be that of the icon.
    if (FHandle && (FParent || !IsIconic(FHandle))) {
        RECT r{};
        GetClientRect(FHandle, &r);
        return FromRECT(r);
    }
    // Before the window exists, the frame its styles will give it is taken off.
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style & ~WS_VISIBLE, FALSE, params.ExStyle);
    TRect client = Rect(0, 0, std::max(0, Width() - int(frame.right - frame.left)),
                        std::max(0, Height() - int(frame.bottom - frame.top)));
    const_cast<TWinControl*>(this)->NCCalcSize(client);
    return Rect(0, 0, client.Width(), client.Height());
}

TPoint TWinControl::ClientOrigin() const {
    if (!FHandle)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return FromPOINT(p);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged(const TRect& OldBounds, bool Resized) {
    // A window manager brings a minimised window back at the size and place it had when it was
    // minimised, whatever the system was told meanwhile: bounds set now wait for the restore.
    if (FHandle && !FParent && IsIconic(FHandle))
        FBoundsAfterRestore = true;
    else if (FHandle)
        SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), WindowPosFlags(OldBounds));
    if (Resized) {
        Realign();
        Resize();
    }
}

void TWinControl::RestoredMessage(TMessage& Message) {
    DefaultHandler(Message);
    // Sized from within the restoring, the window would be placed again where the restoring
    // had in mind; the bounds are applied once it is over.
    if (FBoundsAfterRestore && Message.WParam != SIZE_MINIMIZED)
        PostMessageW(FHandle, CM_RESTOREDBOUNDS, 0, 0);
}

void TWinControl::ApplyRestoredBounds() {
    if (!FBoundsAfterRestore || IsIconic(FHandle))
        return;
    FBoundsAfterRestore = false;
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

unsigned TWinControl::WindowPosFlags(const TRect&) const {
    return SWP_NOZORDER | SWP_NOACTIVATE;
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!FHandle || IsIconic(FHandle) || FBoundsAfterRestore)
        return;
    RECT r{};
    GetWindowRect(FHandle, &r);
    if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    TRect now = FromRECT(r);
    if (now == BoundsRect())
        return;
    bool resized = now.Width() != Width() || now.Height() != Height();
    FLeft = now.Left;
    FTop = now.Top;
    FWidth = now.Width();
    FHeight = now.Height();
    if (!Parent() || !Parent()->Aligning())
        UpdateAnchorRules();
    if (resized) {
        Realign();
        Resize();
    }
}

void TWinControl::SetTabStop(bool value) {
    if (value == FTabStop)
        return;
    FTabStop = value;
    if (FHandle) {
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        SetWindowLongW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && !form->Showing()) {
        form->SetActiveControl(this);
        return;
    }
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::SetBorderWidth(int value) {
    if (value == FBorderWidth)
        return;
    FBorderWidth = value;
    Realign();
    Invalidate();
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending)
        Realign();
}

void TWinControl::Realign() {
    if (FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    if (FAligning || ComponentState().Contains(csDestroying))
        return;
    FAlignPending = false;
    FAligning = true;
    try {
        TRect r = ClientRect();
        AdjustClientRect(r);
        AlignControls(nullptr, r);
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

void TWinControl::AdjustClientRect(TRect& Rect) const {
    Rect = Rect.Inflate(-FBorderWidth, -FBorderWidth);
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    // Each kind in turn takes its strip off the remaining area, the controls of one kind in the
    // order of their position (top-aligned from the top down, and so on).
    static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            TRect r;
            switch (align) {
            case alTop:
                r = Bounds(Rect.Left, Rect.Top, Rect.Width(), h);
                break;
            case alBottom:
                r = Bounds(Rect.Left, Rect.Bottom - h, Rect.Width(), h);
                break;
            case alLeft:
                r = Bounds(Rect.Left, Rect.Top, w, Rect.Height());
                break;
            case alRight:
                r = Bounds(Rect.Right - w, Rect.Top, w, Rect.Height());
                break;
            default:
                r = Rect;
                break;
            }
            c->SetBounds(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
            // The control's own constraints may have kept it from taking the whole strip.
            switch (align) {
            case alTop:
                Rect.Top += c->Height();
                break;
            case alBottom:
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                Rect.Left += c->Width();
                break;
            case alRight:
                Rect.Right -= c->Width();
                break;
            default:
                break;
            }
        }
    }
    TRect client = ClientRect();
    AdjustClientRect(client);
    for (TControl* c : FControls)
        if (c->Align() == alNone && c->Anchors() != TAnchors{akLeft, akTop}) {
            TRect r = c->AnchoredBounds(client);
            c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        }
}

void TWinControl::NotifyControls(unsigned Msg) {
    std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        c->Perform(Msg);
}

void TWinControl::Invalidate() {
    if (FHandle)
        InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (FHandle)
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TWinControl::SendToBack() {
    TControl::SendToBack();
    if (FHandle)
        SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::FontChanged() {
    if (FHandle)
        SendMessageW(FHandle, WM_SETFONT, WPARAM(Font()->Handle()), TRUE);
    NotifyControls(CM_PARENTFONTCHANGED);
    Invalidate();
}

void TWinControl::ColorChanged() {
    FBrush.reset();
    NotifyControls(CM_PARENTCOLORCHANGED);
    Invalidate();
}

void TWinControl::EnabledChanged() {
    if (FHandle)
        EnableWindow(FHandle, Enabled());
    // Disabled, the control lost the keys and its form kept it as its active control: enabled
    // again, it takes them back while its form is active and no other control has them. The
    // form itself holding them counts as none: a box closed meanwhile gives them to the form.
    if (Enabled() && FHandle) {
        TCustomForm* form = GetParentForm(this);
        const HWND focus = GetFocus();
        if (form && form->ActiveControl() == this && form->WindowHandle() == GetActiveWindow() &&
            (!focus || focus == form->WindowHandle()) && CanFocus())
            ::SetFocus(FHandle);
    }
    Invalidate();
}

void TWinControl::VisibleChanged() {
    if (FHandle)
        ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::CNCtlColor(TMessage& Message) {
    HDC dc = HDC(Message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    if (!FBrush) {
        FBrush = std::make_unique<TBrush>();
        FBrush->SetColor(Color());
    }
    Message.Result = intptr_t(FBrush->Handle());
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
    Fire(OnKeyDown, this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    Fire(OnKeyPress, this, Key);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
    Fire(OnKeyUp, this, Key, Shift);
}

void TWinControl::DoEnter() {
    Fire(OnEnter, this);
}

void TWinControl::DoExit() {
    Fire(OnExit, this);
}
