#pragma once
#include "vcl/core/win_control.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

// A slider over the Win32 track bar with a selected range. OnChange fires on every real change
// of Position: by the user, by the program, and also when a new Min or Max clamps it, which the
// time line relies on to follow the snapshot count.
class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int SelStart() const { return FSelStart; }
    void SetSelStart(int value);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int value);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);

    TNotifyEvent OnChange;

    // Where the control draws a value along its channel, and the band it draws over the
    // channel between the selection's ends; an empty band without a selection of some length.
    int ValueToPixel(int value) const;
    TRect SelectionBand() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNScroll(TMessage& Message) override;
    void CNNotify(TMessage& Message) override;
    virtual void Changed() { Fire(OnChange, this); }

private:
    void SetRange(int min, int max);
    void PlaceThumb();
    void PushSelection();
    TRect ChannelRect() const;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 10;
    int FSelStart = 0;
    int FSelEnd = 0;
    int FFrequency = 1;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    int FLineSize = 1;
    int FPageSize = 2;
};
