#pragma once
#include "vcl/base/component.h"
#include "vcl/base/geometry.h"
#include "vcl/core/window_timer.h"
#include "vcl/graphics/colors.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

class TCustomForm;
class TControl;
class THintWindow;

using TExceptionEvent = std::function<void(TObject* Sender, std::exception_ptr E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

// The program: its forms (the first made is the main form), its message loop, the default
// exception box and the hints.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void Initialize();
    // Makes a form owned by the application. The reference is set before the form's OnCreate
    // runs, so handlers that run then already find the form in its global.
    template <class T> void CreateForm(T*& Reference) {
        T* form = new T(this);
        Reference = form;
        FormCreated(form);
        form->AfterConstruction();
    }
    TCustomForm* MainForm() const { return FMainForm; }

    // Shows the main form and handles messages until the program is told to end; then frees the
    // forms.
    void Run();
    // Frees every form the application owns.
    void FreeForms();
    // Frees everything the application owns, as the program ends.
    void FreeComponents();
    // Handles every message waiting; a quit message met here is posted again for the loop that
    // owns it, and Terminated turns true.
    void ProcessMessages();
    // Handles one message, or waits for one when there is none (idle first).
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Lets a program that stopped run its loop again (the next Run, a test after a quit).
    void ClearTerminated() { FTerminated = false; }

    // The application's own notices: CM_APPKEYDOWN (a key no form took: the main form's
    // shortcuts) and CM_APPSYSCOMMAND (Alt with a key on another form: the main form's menu).
    intptr_t SendAppMessage(unsigned Msg, uintptr_t WParam, intptr_t LParam);

    // Shows what was thrown (OnException when assigned, else a message box); call from a catch.
    void HandleException(TObject* Sender);
    int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

    std::string Title() const;
    void SetTitle(const std::string& value);

    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    void CancelHint();
    void HintMouseMove(TControl* control, const TPoint& screenPos);
    // Shows the hint of a control (or of the nearest parent that has one) at once.
    void ActivateHint(TControl* control, const TPoint& screenPos);
    // The hint text of what the mouse is over, for a status line to show.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    void HintMouseLeave(TControl* control);
    THintWindow* HintWindow() const { return FHintWindow; }

    TExceptionEvent OnException;
    TIdleEvent OnIdle;

    // Book-keeping of forms and controls that go.
    void FormDestroying(TCustomForm* form);
    void ControlGoing(TControl* control);

private:
    void FormCreated(TCustomForm* form);
    bool ProcessMessage();
    void Idle();
    void ShowHintNow();
    // The nearest control from this one up that has a hint to show at a screen point.
    static TControl* HintOwner(TControl* control, const TPoint& screenPos);

    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowHint = true;
    TControl* FHintControl = nullptr;
    TPoint FHintCursor;
    std::string FHint;
    THintWindow* FHintWindow = nullptr;
    TWindowTimer FHintTimer;
    TWindowTimer FHintHideTimer;
};

extern TApplication* const Application;

// A control is being freed: the application and the drag manager forget it.
void ControlDestroying(TControl* control);
