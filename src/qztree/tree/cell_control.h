#pragma once
#include "rtl/events.h"
#include "rtl/object.h"
#include "vcl/base/component.h"
#include "vcl/base/geometry.h"
#include "vcl/controls/check_box.h"
#include "vcl/core/control.h"

#include <memory>
#include <string>

class TCustomQZTree;
class TQZCellStyle;
class TCanvas;
class TFont;
class TPopupMenu;

// A small control that a cell style carries and the tree paints into its cell and feeds with
// the mouse. It keeps the link to its style, which it drops when it goes. A component without an
// owner, so that its popup menu can name it as the component it popped up for.
class TQZCellControl : public TComponent {
    friend class TQZCellStyle;

public:
    TQZCellControl();
    ~TQZCellControl() override;

    TQZCellStyle* Owner() const { return FOwner; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Change(FVisible, Value); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { Change(FEnabled, Value); }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value) { Change(FCaption, Value); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    TFont* Font() const { return FFont.get(); }
    // Pops up when the right button is released over the cell; forgotten when the menu goes.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    // Asks the style to repaint its item.
    void Update();

    // The view passes clicks and mouse messages in cell coordinates.
    virtual void TriggerClickEvent();
    virtual void TriggerDblClickEvent();
    virtual void TriggerMouseDownEvent(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void TriggerMouseUpEvent(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void TriggerMouseMoveEvent(TShiftState Shift, int X, int Y);
    // True asks the view to pass the click on to the row as well.
    virtual bool PassClicks() const { return false; }
    // Draws the control into R, the cell less the border width.
    virtual void Paint(TCanvas& Canvas, const TRect& R) {}

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Stores a new value and repaints the cell; nothing when the value stands.
    template <class T> void Change(T& Field, const T& Value) {
        if (Field == Value)
            return;
        Field = Value;
        Update();
    }

private:
    TPopupMenu* FPopupMenu = nullptr;
    TQZCellStyle* FOwner = nullptr;
    std::string FCaption;
    bool FVisible = true;
    bool FEnabled = true;
    int FBorderWidth = 0;
    std::unique_ptr<TFont> FFont;
};

// A check box in a cell, with its caption beside it.
class TQZCellCheckBox : public TQZCellControl {
public:
    TQZCellCheckBox();

    TCheckBoxState State() const { return FState; }
    // Grayed is refused unless AllowGrayed.
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { Change(FAlignment, Value); }

    // A click on an enabled box moves it to its next state, then fires OnClick.
    void TriggerClickEvent() override;
    void Paint(TCanvas& Canvas, const TRect& R) override;

private:
    TCustomQZTree* Tree() const;
    // The caption takes the selected row's font colour.
    bool ShowsSelected() const;
    void DrawBox(HDC DC, const TRect& Box) const;

    TAlignment FAlignment = taRightJustify;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};
