#include "vcl/controls/splitter.h"

#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/core/win_control.h"
#include "vcl/graphics/gdi_objects.h"

#include <algorithm>

const TClassInfo& TSplitter::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TSplitter", &TGraphicControl::StaticClassInfo())
            .Integer("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
    return *info;
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle({csCaptureMouse});
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

void TSplitter::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TGraphicControl::BoundsChanged(OldBounds, Resized);
    // Alignment shows in the bounds the parent gives; the cursor follows the direction.
    SetCursor(Horizontal() ? crHSplit : crVSplit);
}

void TSplitter::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

TControl* TSplitter::FindSizedControl() const {
    if (!Parent())
        return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        bool touches = false;
        switch (Align()) {
        case alLeft:
            touches = c->Left() + c->Width() == Left();
            break;
        case alRight:
            touches = c->Left() == Left() + Width();
            break;
        case alTop:
            touches = c->Top() + c->Height() == Top();
            break;
        case alBottom:
            touches = c->Top() == Top() + Height();
            break;
        default:
            break;
        }
        if (touches)
            return c;
    }
    return nullptr;
}

int TSplitter::SizeOf(const TControl* control) const {
    return Horizontal() ? control->Width() : control->Height();
}

int TSplitter::MaxSize() const {
    // What the controls aligned across this direction leave over stays at least MinSize.
    TRect area = Parent()->ClientRect();
    Parent()->AdjustClientRect(area);
    int room = Horizontal() ? area.Width() : area.Height();
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        bool across = Horizontal() ? (c->Align() == alLeft || c->Align() == alRight)
                                   : (c->Align() == alTop || c->Align() == alBottom);
        if (c->Visible() && across)
            room -= SizeOf(c);
    }
    return SizeOf(FControl) + room - FMinSize;
}

int TSplitter::SizeAt(int X, int Y) const {
    // In the parent's pixels: with rsUpdate the splitter itself moves while dragged.
    X += Left();
    Y += Top();
    int delta = Horizontal() ? X - FDownPos.X : Y - FDownPos.Y;
    if (Align() == alRight || Align() == alBottom)
        delta = -delta;
    int size = FOldSize + delta;
    return std::max(std::min(size, FMaxSize), std::min(FMinSize, FOldSize));
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || FControl)
        return;
    FControl = FindSizedControl();
    if (!FControl)
        return;
    FDownPos = Point(X + Left(), Y + Top());
    FOldSize = FNewSize = SizeOf(FControl);
    FMaxSize = MaxSize();
    if (FResizeStyle == rsLine || FResizeStyle == rsPattern) {
        FLineSize = FNewSize;
        ToggleLine();
    }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FControl)
        return;
    int size = SizeAt(X, Y);
    if (size == FNewSize)
        return;
    FNewSize = size;
    if (FResizeStyle == rsUpdate) {
        ApplySize(size);
    } else if (FLineShown) {
        ToggleLine();
        FLineSize = size;
        ToggleLine();
    }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FControl)
        EndDrag(true);
}

void TSplitter::CancelMode() {
    if (FControl)
        EndDrag(false);
}

void TSplitter::EndDrag(bool apply) {
    if (FLineShown)
        ToggleLine();
    // A cancelled drag puts back a control that followed the mouse.
    if (apply || FResizeStyle == rsUpdate)
        ApplySize(apply ? FNewSize : FOldSize);
    FControl = nullptr;
    if (apply && FNewSize != FOldSize)
        Fire(OnMoved, this);
}

void TSplitter::ApplySize(int size) {
    if (Horizontal())
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
}

// Inverts the line that shows where the splitter would go: drawn twice, it is gone.
void TSplitter::ToggleLine() {
    auto* parent = Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    int shift = FLineSize - FOldSize;
    if (Align() == alRight || Align() == alBottom)
        shift = -shift;
    TRect r = BoundsRect();
    r = Horizontal() ? Rect(r.Left + shift, r.Top, r.Right + shift, r.Bottom)
                     : Rect(r.Left, r.Top + shift, r.Right, r.Bottom + shift);
    // The line crosses the controls on either side of the splitter.
    TWindowDC dc = TWindowDC::OverChildren(parent->WindowHandle());
    if (FResizeStyle == rsPattern) {
        static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        TGdiObject<HBITMAP> bitmap(CreateBitmap(8, 8, 1, 1, pattern));
        TGdiObject<HBRUSH> brush(CreatePatternBrush(bitmap.Handle()));
        TSelectObject selected(dc.DC(), brush.Handle());
        PatBlt(dc.DC(), r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
    } else {
        PatBlt(dc.DC(), r.Left, r.Top, r.Width(), r.Height(), DSTINVERT);
    }
    FLineShown = !FLineShown;
}
