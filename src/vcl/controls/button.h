#pragma once
#include "vcl/core/win_control.h"

// A push button over the Win32 button class. Clicking it runs OnClick and, when ModalResult is
// set, gives its form that result. Enter clicks the focused button, else the Default button;
// Escape clicks the Cancel button; Alt with the caption's '&' letter clicks the button.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }

    void Click() override;

protected:
    void DialogKey(TMessage& Message) override;
    void DialogChar(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void CNCommand(TMessage& Message) override;

private:
    bool TakesEnter() const;
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};
