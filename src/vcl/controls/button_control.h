#pragma once
#include "vcl/core/win_control.h"

// What the check box and the radio button share: a Win32 button that shows a check mark the
// control itself keeps (the system's automatic styles are not used, so a change made in code
// and one made by the user take the same road), with its caption right or left of the mark.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    // taRightJustify puts the caption right of the mark, taLeftJustify left of it.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message) override;
    // Alt with the caption's '&' letter focuses the button and acts as a click on it.
    void DialogChar(TMessage& Message) override;
    // The mark the window shows: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    void SetMark(unsigned mark);
    // The user clicked the button (or pressed Space on it).
    virtual void Toggle() = 0;
    // The Win32 style of the button's kind.
    virtual unsigned ButtonStyle() const = 0;

private:
    void PushMark();
    TAlignment FAlignment = taRightJustify;
    unsigned FMark = 0;
};
