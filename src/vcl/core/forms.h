#pragma once
#include "vcl/core/win_control.h"

#include <functional>
#include <string>
#include <vector>

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TWMKey& Msg, bool& Handled)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// A top-level window. A form is built in code by its constructor, inside a loading bracket
// that ends (Loaded on the form and every component it made, then OnCreate) once the most
// derived constructor is done; make forms with Application->CreateForm or CreateComponent.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AfterConstruction() override;

    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TFormBorderStyle BorderStyle() const override { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value) override;
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }

    // Closing asks OnCloseQuery, then OnClose decides: a hidden form by default; closing the
    // main form ends the program; a modal form only sets its result to mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Shows the form and runs messages, with the other forms disabled, until ModalResult is set;
    // meanwhile it is owned by the window active when it started and kept above the program's
    // other windows.
    virtual TModalResult ShowModal();
    // Frees the form once the messages already waiting have been handled.
    void Release();

    // The focused control of this form changed (told by the control getting the focus).
    void FocusControlChanged(TWinControl* control);
    // A control is leaving the form; references to it are dropped.
    void ControlRemoved(TControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Every key pressed on the form, before any control sees it; Handled takes it.
    TShortCutEvent OnShortCut;
    // Every change of size by the user or in code; Resize false keeps the old size.
    TCanResizeEvent OnCanResize;

    // A key for the form's shortcuts (OnShortCut); true when taken.
    virtual bool IsShortCut(TWMKey& Message);

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void VisibleChanged() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void DoDestroy();
    virtual void Activate();
    virtual void Deactivate();
    // Tab and Shift+Tab walk the tab order, arrows move among the focused control's siblings;
    // other keys go to the controls (a Default or Cancel button takes Enter or Escape).
    void DialogKey(TMessage& Message) override;
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    unsigned WindowPosFlags(const TRect& OldBounds) const override;
    // Files dropped from the shell on a form whose window accepts them (WS_EX_ACCEPTFILES),
    // with full names in the order the shell gives them.
    virtual void DropFiles(const std::vector<std::string>& FileNames) {}

private:
    class TModalOwner;
    void SetModalOwner(HWND owner);
    void ShowWindowNow();
    void PlaceOnFirstShow();
    void MinMaxInfo(TMessage& Message);
    void ActivateMessage(TMessage& Message);
    // The active control takes the keys, the first control Tab stops on when there is none.
    void FocusActiveControl();
    void SizingMessage(TMessage& Message);
    void SysCommandMessage(TMessage& Message);
    bool CloseModal();
    void Guarded(const std::function<void()>& handler);

    TPosition FPosition = poDesigned;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    bool FPlaced = false;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    HWND FModalOwner = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FSettingBounds = false;
};

// The form of the program's windows; it publishes what the windows set.
class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
