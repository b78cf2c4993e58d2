#include "vcl/core/forms.h"

#include "rtl/modality/disabled_windows.h"
#include "rtl/modality/modal_window.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/dropped_files.h"
#include "vcl/core/screen.h"

#include <algorithm>
#include <memory>

const TClassInfo& TCustomForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TCustomForm", &TWinControl::StaticClassInfo());
    return *info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TForm", &TCustomForm::StaticClassInfo())
            .String("Caption", &TForm::Caption, &TForm::SetCaption)
            .Method("Close", &TForm::Close);
    return *info;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    BeginLoading();
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    EndLoading();
    DoCreate();
}

void TCustomForm::Guarded(const std::function<void()>& handler) {
    // A form's own events never stop the layer's work: what they raise is shown.
    try {
        handler();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TCustomForm::DoCreate() {
    Guarded([this] { Fire(OnCreate, this); });
}

void TCustomForm::DoShow() {
    Guarded([this] { Fire(OnShow, this); });
}

void TCustomForm::DoHide() {
    Guarded([this] { Fire(OnHide, this); });
}

void TCustomForm::DoClose(TCloseAction& Action) {
    Fire(OnClose, this, Action);
}

void TCustomForm::DoDestroy() {
    Guarded([this] { Fire(OnDestroy, this); });
}

bool TCustomForm::IsShortCut(TWMKey& Message) {
    bool handled = false;
    Fire(OnShortCut, Message, handled);
    return handled;
}

void TCustomForm::DialogKey(TMessage& Message) {
    const uint16_t key = uint16_t(Message.WParam);
    const bool alt = HeldWithAlt(Message.LParam);
    if (!alt && key == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
    }
    if (!alt && key >= VK_LEFT && key <= VK_DOWN) {
        if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, key == VK_RIGHT || key == VK_DOWN,
                                                 false);
            Message.Result = 1;
        }
        return;
    }
    TWinControl::DialogKey(Message);
}

bool TCustomForm::CanResize(int& NewWidth, int& NewHeight) {
    bool resize = true;
    Fire(OnCanResize, this, NewWidth, NewHeight, resize);
    return resize;
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if ((AWidth != Width() || AHeight != Height()) && !CanResize(AWidth, AHeight)) {
        AWidth = Width();
        AHeight = Height();
    }
    TFlagScope setting(FSettingBounds);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

unsigned TCustomForm::WindowPosFlags(const TRect& OldBounds) const {
    // A height the form's own constraints pin needs none of the system's sizing limits, and
    // asking for them is a costly round of messages in a window that grows and shrinks often.
    const TSizeConstraints& c = Constraints();
    const bool heightPinned =
        c.MinHeight > 0 && c.MinHeight == c.MaxHeight && c.MinHeight == Height();
    if (heightPinned && OldBounds.Width() == Width())
        return TWinControl::WindowPosFlags(OldBounds) | SWP_NOSENDCHANGING | SWP_DEFERERASE;
    return TWinControl::WindowPosFlags(OldBounds);
}

void TCustomForm::SizingMessage(TMessage& Message) {
    // The user sizes the window; sizes set in code were asked in SetBounds already.
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    TModalWindow::PlaceChanging(WindowHandle(), pos);
    if (!FSettingBounds && !(pos->flags & SWP_NOSIZE) &&
        (pos->cx != Width() || pos->cy != Height())) {
        int width = pos->cx, height = pos->cy;
        if (CanResize(width, height)) {
            pos->cx = width;
            pos->cy = height;
        } else {
            pos->flags |= SWP_NOSIZE;
        }
    }
    DefaultHandler(Message);
}

void TCustomForm::SysCommandMessage(TMessage& Message) {
    // Alt with a key no control of this form took opens the main form's menu, as if pressed there.
    const unsigned command = unsigned(Message.WParam & 0xFFF0);
    const auto key = Message.LParam;
    if (command == SC_KEYMENU && key != ' ' && key != '-' && key != 0 && !GetCapture() &&
        Application->MainForm() != this &&
        Application->SendAppMessage(CM_APPSYSCOMMAND, 0, intptr_t(&Message)) != 0)
        return;
    DefaultHandler(Message);
}

void TCustomForm::Activate() {
    Fire(OnActivate, this);
}

void TCustomForm::Deactivate() {
    Fire(OnDeactivate, this);
}

void TCustomForm::BeforeDestruction() {
    DoDestroy();
    Screen->RemoveForm(this);
    Application->FormDestroying(this);
    TWinControl::BeforeDestruction();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove)
        ControlRemoved(dynamic_cast<TControl*>(AComponent));
}

void TCustomForm::ControlRemoved(TControl* control) {
    if (!control)
        return;
    if (FActiveControl == control ||
        (FActiveControl && control != this && dynamic_cast<TWinControl*>(control) &&
         static_cast<TWinControl*>(control)->ContainsControl(FActiveControl)))
        FActiveControl = nullptr;
    if (FFocusedControl == control ||
        (FFocusedControl && control != this && dynamic_cast<TWinControl*>(control) &&
         static_cast<TWinControl*>(control)->ContainsControl(FFocusedControl)))
        FFocusedControl = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_VISIBLE);
    Params.ExStyle &= ~WS_EX_TOPMOST;
    switch (FBorderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        Params.Style |= WS_SYSMENU;
        bool boxes = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
        if (boxes && FBorderIcons.Contains(biMinimize))
            Params.Style |= WS_MINIMIZEBOX;
        if (boxes && FBorderIcons.Contains(biMaximize))
            Params.Style |= WS_MAXIMIZEBOX;
    }
    if (FFormStyle == fsStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
    if (FPosition == poDefault || FPosition == poDefaultPosOnly)
        Params.X = Params.Y = CW_USEDEFAULT;
    if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
        Params.Width = Params.Height = CW_USEDEFAULT;
    Params.WndParent = FModalOwner;
    if (FModalOwner)
        Params.ExStyle |= WS_EX_APPWINDOW;
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateBoundsFromWindow();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == FBorderIcons)
        return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
    if (value == FFormStyle)
        return;
    FFormStyle = value;
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                     0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    HWND window = WindowHandle();
    if (!window || !IsWindowVisible(window))
        return FWindowState;
    return IsIconic(window) ? wsMinimized : IsZoomed(window) ? wsMaximized : wsNormal;
}

void TCustomForm::SetWindowState(TWindowState value) {
    FWindowState = value;
    // A window on its way to the screen (OnShow) shows in this state once, when it appears.
    if (HandleAllocated() && Visible() && IsWindowVisible(WindowHandle()))
        ShowWindow(WindowHandle(), value == wsMaximized   ? SW_MAXIMIZE
                                   : value == wsMinimized ? SW_MINIMIZE
                                                          : SW_RESTORE);
}

void TCustomForm::PlaceOnFirstShow() {
    if (FPlaced)
        return;
    FPlaced = true;
    TCustomForm* over = nullptr;
    if (FPosition == poMainFormCenter)
        over = Application->MainForm();
    else if (FPosition == poOwnerFormCenter)
        over = dynamic_cast<TCustomForm*>(Owner());
    if (over == this)
        over = nullptr;
    if (over)
        SetBounds(over->Left() + (over->Width() - Width()) / 2,
                  over->Top() + (over->Height() - Height()) / 2, Width(), Height());
    else if (FPosition == poScreenCenter || FPosition == poDesktopCenter ||
             FPosition == poMainFormCenter || FPosition == poOwnerFormCenter)
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
                  Height());
}

void TCustomForm::VisibleChanged() {
    if (ComponentState().Contains(csDestroying))
        return;
    if (Visible()) {
        PlaceOnFirstShow();
        DoShow();
        if (Visible())
            ShowWindowNow();
    } else {
        DoHide();
        if (HandleAllocated())
            ShowWindow(WindowHandle(), SW_HIDE);
    }
}

void TCustomForm::ShowWindowNow() {
    HWND window = Handle();
    int command = FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                  : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL;
    ShowWindow(window, command);
}

void TCustomForm::SetActiveControl(TWinControl* value) {
    if (value && !ContainsControl(value))
        throw EInvalidOperation("Invalid active control");
    FActiveControl = value;
    if (value && Showing() && HandleAllocated() && value->CanFocus() &&
        GetActiveWindow() == WindowHandle())
        value->SetFocus();
}

void TCustomForm::FocusControlChanged(TWinControl* control) {
    if (control == FFocusedControl)
        return;
    TWinControl* previous = FFocusedControl;
    FFocusedControl = control;
    FActiveControl = control;
    for (TWinControl* c = previous; c && c != this && !c->ContainsControl(control); c = c->Parent())
        c->Perform(CM_EXIT);
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this && !(previous && c->ContainsControl(previous));
         c = c->Parent())
        entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it)
        (*it)->Perform(CM_ENTER);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    Fire(OnCloseQuery, this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

bool TCustomForm::CloseModal() {
    if (!CloseQuery())
        return false;
    TCloseAction action = caHide;
    DoClose(action);
    return action != caNone;
}

namespace {
// The other windows of the program, disabled while a modal form runs.
std::vector<void*> OtherFormWindows(const TCustomForm* modal) {
    std::vector<void*> windows;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) != modal && Screen->Forms(i)->WindowHandle())
            windows.push_back(Screen->Forms(i)->WindowHandle());
    return windows;
}
} // namespace

// While a modal form runs it is owned by the window it was opened from: a window manager keeps
// it above that window however that is clicked. The system keeps an owned window off the task
// bar, and a window manager gives no focus to a new window kept off it unless it is a dialog:
// the form asks to be on the task bar, so that it becomes the active window as it shows.
class TCustomForm::TModalOwner {
public:
    TModalOwner(TCustomForm* form, HWND opener) : FForm(form) {
        HWND root = opener ? GetAncestor(opener, GA_ROOT) : nullptr;
        if (root && root != form->WindowHandle())
            FForm->SetModalOwner(root);
    }
    ~TModalOwner() { FForm->SetModalOwner(nullptr); }
    TModalOwner(const TModalOwner&) = delete;
    TModalOwner& operator=(const TModalOwner&) = delete;

private:
    TCustomForm* FForm;
};

void TCustomForm::SetModalOwner(HWND owner) {
    FModalOwner = owner;
    // A window not made yet takes its owner when it is made (CreateParams).
    if (!HandleAllocated())
        return;
    HWND window = WindowHandle();
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, LONG_PTR(owner));
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      owner ? exStyle | WS_EX_APPWINDOW : exStyle & ~LONG_PTR(WS_EX_APPWINDOW));
}

void TCustomForm::DestroyWindowHandle() {
    // The system would take a window this one owns along with it: a modal form keeps its own.
    if (HWND window = WindowHandle())
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->FModalOwner == window)
                Screen->Forms(i)->SetModalOwner(nullptr);
    TWinControl::DestroyWindowHandle();
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture())
        ReleaseCapture();
    HWND previous = GetActiveWindow();
    FModal = true;
    FModalResult = mrNone;
    bool keysAskedFor = false;
    {
        TModalOwner owner(this, previous);
        // Made before the form shows and gone after it hid: the modal window this one was opened
        // over is raised only once this form no longer stands above it.
        TModalWindow modal;
        auto disabled = std::make_unique<TDisabledWindows>(OtherFormWindows(this));
        try {
            Show();
            modal.SetWindow(WindowHandle());
            while (FModalResult == mrNone) {
                Application->HandleMessage();
                if (Application->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone && !CloseModal())
                    FModalResult = mrNone;
            }
        } catch (...) {
            FModal = false;
            Hide();
            throw;
        }
        // The window it was opened from is enabled and active before this form hides: hiding the
        // active window would have the system activate the next one that can be, another
        // program's while the program's own are disabled. The keys are asked for before it
        // goes from the display.
        disabled.reset();
        if (previous && IsWindow(previous))
            SetActiveWindow(previous);
        keysAskedFor = modal.HandTheKeysOn();
        Hide();
    }
    FModal = false;
    TModalWindow::ActiveWindowTakesOver(keysAskedFor);
    return FModalResult;
}

void TCustomForm::Release() {
    if (HandleAllocated())
        PostMessageW(WindowHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CLOSE:
        return Close();
    case WM_GETMINMAXINFO:
        return MinMaxInfo(Message);
    case WM_ACTIVATE:
        return ActivateMessage(Message);
    case WM_WINDOWPOSCHANGING:
        return SizingMessage(Message);
    case WM_MOUSEACTIVATE:
        if (TModalWindow::DeclinesOffer(WindowHandle(), Message.Msg, Message.WParam,
                                        Message.LParam)) {
            Message.Result = MA_NOACTIVATE;
            return;
        }
        return TWinControl::WndProc(Message);
    case WM_SYSCOMMAND:
        return SysCommandMessage(Message);
    case CM_ACTIVATE:
        return Activate();
    case CM_DEACTIVATE:
        return Deactivate();
    case WM_SYSCOLORCHANGE:
        DefaultHandler(Message);
        // Only top-level windows hear of it; every control of the form is told.
        Perform(CM_SYSCOLORCHANGE);
        return;
    case WM_DROPFILES:
        return DropFiles(TakeDroppedFiles(HDROP(Message.WParam)));
    case CM_RELEASE:
        return Free();
    default:
        return TWinControl::WndProc(Message);
    }
}

void TCustomForm::MinMaxInfo(TMessage& Message) {
    DefaultHandler(Message);
    // Constraints set while minimised come with the bounds after the restore: applied by the
    // system to the restoring, they would change the size on its side only.
    if (BoundsAfterRestore())
        return;
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    const TSizeConstraints& c = Constraints();
    if (c.MinWidth > 0)
        info->ptMinTrackSize.x = c.MinWidth;
    if (c.MinHeight > 0)
        info->ptMinTrackSize.y = c.MinHeight;
    if (c.MaxWidth > 0)
        info->ptMaxTrackSize.x = info->ptMaxSize.x = c.MaxWidth;
    if (c.MaxHeight > 0)
        info->ptMaxTrackSize.y = info->ptMaxSize.y = c.MaxHeight;
}

void TCustomForm::ActivateMessage(TMessage& Message) {
    DefaultHandler(Message);
    if (LOWORD(Message.WParam) == WA_INACTIVE)
        return (void)Perform(CM_DEACTIVATE);
    Screen->SetActiveForm(this);
    // A form activated while minimised keeps the focus on itself: restoring it activates it
    // again, and the keys go to its control then.
    if (HIWORD(Message.WParam) == 0)
        FocusActiveControl();
    Perform(CM_ACTIVATE);
}

void TCustomForm::FocusActiveControl() {
    // The first time, the keys start at the first control Tab stops on, and so they do when
    // the active control went out of sight meanwhile (its page or itself hidden). A control
    // disabled for a while stays active: it takes the keys back when it is enabled.
    if (!FActiveControl || !FActiveControl->Showing())
        FActiveControl = FindNextControl(nullptr, true, true, false);
    if (FActiveControl && FActiveControl->CanFocus())
        ::SetFocus(FActiveControl->Handle());
}
