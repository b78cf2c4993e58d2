#pragma once
#include "vcl/core/win_control.h"

#include <functional>

enum TUpDownDirection { updNone, updUp, updDown };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

using TUDChangingEventEx = std::function<void(TObject* Sender, bool& AllowChange, short NewValue,
                                              TUpDownDirection Direction)>;
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

// A pair of arrow buttons over the Win32 up-down control. Before each step OnChangingEx may
// refuse it (AllowChange := false), so a program can drive something else by the arrows.
class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Position() const;
    void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation value);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);

    TUDChangingEventEx OnChangingEx;
    // Each step of the arrows: OnClick (the control's own) and then this one with the arrow.
    TUDClickEvent OnButtonClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNNotify(TMessage& Message) override;
    void CNScroll(TMessage& Message) override;
    virtual bool CanChange(short NewValue, TUpDownDirection Direction);

private:
    void PushRange();
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;
    int FIncrement = 1;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
};
