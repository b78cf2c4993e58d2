#include "vcl/core/application.h"

#include "rtl/exceptions.h"
#include "rtl/lasting.h"
#include "rtl/modality/message_box.h"
#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/forms.h"
#include "vcl/core/hint_window.h"
#include "vcl/core/screen.h"
#include "vcl/core/window_class.h"

namespace {
// Neither goes at the program's end: the forms that go then, the application's and those the
// program's own static objects hold, leave their lists, in whatever order the link gives.
TLasting<TScreen> TheScreen;
TLasting<TApplication> TheApplication;

// The application frees what it still owns as the program ends.
struct TApplicationEnd {
    ~TApplicationEnd() { TheApplication->FreeComponents(); }
} ApplicationEnd;
} // namespace

TScreen* const Screen = &*TheScreen;
TApplication* const Application = &*TheApplication;

void ControlDestroying(TControl* control) {
    Application->ControlGoing(control);
}

const TClassInfo& TApplication::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TApplication", &TComponent::StaticClassInfo())
            .String("Title", &TApplication::Title, &TApplication::SetTitle);
    return *info;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    FreeComponents();
}

void TApplication::FreeComponents() {
    FHintTimer.Stop();
    FHintHideTimer.Stop();
    Destroying();
    DestroyComponents();
}

void TApplication::Initialize() {
    InitCommonControlsOnce();
}

void TApplication::FormCreated(TCustomForm* form) {
    if (!FMainForm)
        FMainForm = form;
}

void TApplication::FormDestroying(TCustomForm* form) {
    if (FMainForm == form)
        FMainForm = nullptr;
}

void TApplication::ControlGoing(TControl* control) {
    if (FHintControl == control)
        CancelHint();
    if (control == FHintWindow)
        FHintWindow = nullptr;
}

void TApplication::Run() {
    if (FMainForm)
        FMainForm->Show();
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
    // The forms go now, while everything they use is still there: the program's end destroys
    // the libraries' objects in an order nobody chooses, possibly before the application.
    FreeForms();
}

void TApplication::FreeForms() {
    CancelHint();
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount())
            continue; // a form took others with it
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i)))
            form->Free();
    }
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && TDragManager::Source()) {
        TDragManager::Finish(false);
        return true;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        CancelHint();
        // Shortcuts, dialog keys and mnemonics are taken before the window sees the key.
        if (PreTranslateKeyMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            FTerminated = true;
            PostQuitMessage(int(msg.wParam));
            return;
        }
        ProcessMessage();
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) {
        Idle();
        if (!FTerminated)
            WaitMessage();
    }
}

void TApplication::Idle() {
    bool done = true;
    try {
        Fire(OnIdle, this, done);
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

intptr_t TApplication::SendAppMessage(unsigned Msg, uintptr_t WParam, intptr_t LParam) {
    TCustomForm* main = FMainForm;
    if (!main || !main->HandleAllocated() || !IsWindowEnabled(main->WindowHandle()))
        return 0;
    switch (Msg) {
    case CM_APPKEYDOWN: {
        TWMKey key{WM_KEYDOWN, uint16_t(WParam), LParam};
        return main->IsShortCut(key) ? 1 : 0;
    }
    case CM_APPSYSCOMMAND: {
        const auto* command = reinterpret_cast<const TMessage*>(LParam);
        SendMessageW(main->WindowHandle(), WM_SYSCOMMAND, command->WParam, command->LParam);
        return 1;
    }
    default:
        return 0;
    }
}

void TApplication::HandleException(TObject* Sender) {
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    if (OnException) {
        OnException(Sender, error);
        return;
    }
    ShowMessageBox(ExceptionMessage(error), Title(), MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
    return ShowMessageBox(Text, Caption, Flags);
}

std::string TApplication::Title() const {
    return MessageBoxTitle();
}

void TApplication::SetTitle(const std::string& value) {
    SetMessageBoxTitle(value);
}

void TApplication::SetShowHint(bool value) {
    FShowHint = value;
    if (!value)
        CancelHint();
}

void TApplication::CancelHint() {
    FHintTimer.Stop();
    FHintHideTimer.Stop();
    FHintControl = nullptr;
    if (FHintWindow)
        FHintWindow->ReleaseHandle();
}

TControl* TApplication::HintOwner(TControl* control, const TPoint& screenPos) {
    while (control &&
           (!control->ShowHint() || !control->HasHint(control->ScreenToClient(screenPos))))
        control = control->Parent();
    return control;
}

void TApplication::HintMouseMove(TControl* control, const TPoint& screenPos) {
    if (!FShowHint)
        return;
    // The hint belongs to the nearest control that has one to show.
    control = HintOwner(control, screenPos);
    FHintCursor = screenPos;
    if (control == FHintControl)
        return;
    CancelHint();
    FHintControl = control;
    if (control)
        FHintTimer.Start(unsigned(HintPause), [this] { ShowHintNow(); });
}

void TApplication::ActivateHint(TControl* control, const TPoint& screenPos) {
    if (!FShowHint)
        return;
    CancelHint();
    FHintControl = HintOwner(control, screenPos);
    FHintCursor = screenPos;
    ShowHintNow();
}

void TApplication::HintMouseLeave(TControl* control) {
    if (FHintControl && (FHintControl == control ||
                         (dynamic_cast<TWinControl*>(control) &&
                          static_cast<TWinControl*>(control)->ContainsControl(FHintControl))))
        CancelHint();
}

void TApplication::ShowHintNow() {
    FHintTimer.Stop();
    TControl* control = FHintControl;
    if (!control)
        return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(FHintCursor);
    info.CursorRect = control->ClientRect();
    info.HintPos = Point(FHintCursor.X, FHintCursor.Y + 20);
    info.HintMaxWidth = Screen->Width();
    info.HintStr = control->Hint();
    info.HideTimeout = HintHidePause;
    if (control->Perform(CM_HINTSHOW, 0, intptr_t(&info)) != 0 || info.HintStr.empty())
        return;
    if (!FHintWindow)
        FHintWindow = CreateComponent<THintWindow>(this);
    FHintWindow->SetColor(HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, nullptr);
    FHintWindow->ActivateHint(r.Offset(info.HintPos.X, info.HintPos.Y), info.HintStr);
    if (info.HideTimeout > 0)
        FHintHideTimer.Start(unsigned(info.HideTimeout), [this] {
            FHintHideTimer.Stop();
            if (FHintWindow)
                FHintWindow->ReleaseHandle();
        });
}
