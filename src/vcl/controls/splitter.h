#pragma once
#include "vcl/core/graphic_control.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// A bar between aligned controls that the user drags to size the control it is aligned after
// (the control on its left for alLeft, above it for alTop, and so on). Neither that control nor
// what remains of the parent gets smaller than MinSize. With rsUpdate the control follows the
// mouse; rsLine and rsPattern show a line while dragging and size on release; rsNone only sizes
// on release. OnMoved fires after each drag that changed the size.
class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int MinSize() const { return FMinSize; }
    void SetMinSize(int value) { FMinSize = value > 0 ? value : 1; }
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }

    TNotifyEvent OnMoved;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    void CancelMode() override;
    void Paint() override;

private:
    bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
    // The control this splitter sizes: aligned to the same side and touching it.
    TControl* FindSizedControl() const;
    int SizeOf(const TControl* control) const;
    int MaxSize() const;
    int SizeAt(int X, int Y) const;
    void ApplySize(int size);
    void ToggleLine();
    void EndDrag(bool apply);

    int FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FOldSize = 0;
    int FNewSize = 0;
    int FMaxSize = 0;
    bool FLineShown = false;
    int FLineSize = 0;
};
