#pragma once
#include "rtl/events.h"
#include "vcl/base/component.h"
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"
#include "vcl/base/messages.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/colors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TWinControl;
class TFont;
class TPopupMenu;
class TDragObject;
class TImageList;

class EInvalidOperation : public Exception {
    using Exception::Exception;
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// Limits of a control's size; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    void Apply(int& width, int& height) const;
};

// A visual component: position and size in its parent, alignment, look, hints and the mouse.
// Messages reach it through WndProc, whose switch decodes them into the typed handlers below.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* value);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int width, int height);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& p) const;
    TPoint ScreenToClient(const TPoint& p) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints& Constraints() { return FConstraints; }
    const TSizeConstraints& Constraints() const { return FConstraints; }
    void SetConstraints(const TSizeConstraints& value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the top-level window shown.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value) { SetFollowsParent(ppColor, value); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value) { SetFollowsParent(ppFont, value); }

    std::string Text() const { return GetText(); }
    void SetText(const std::string& value);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Hint() const { return FHint; }
    // Whether there is a hint to show for a client point: the control's own, or one that its
    // HintShow supplies for what lies there.
    virtual bool HasHint(const TPoint& ClientPos) const { return !FHint.empty(); }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { SetFollowsParent(ppShowHint, value); }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode value) { FDragMode = value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    // Starts dragging this control: at once, or after the mouse moved Threshold pixels with the
    // button down (-1: the system's drag distance).
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    virtual TImageList* GetDragImages() { return nullptr; }

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    virtual void BringToFront();
    virtual void SendToBack();

    // Sends one of the layer's or the system's messages straight to this control.
    intptr_t Perform(unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
    virtual void WndProc(TMessage& Message);
    // What happens to a message no handler took: the window's own procedure for windowed
    // controls, nothing for the others.
    virtual void DefaultHandler(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

    // Dispatch of mouse buttons, public so that a parent can pass a message on to its child.
    virtual void Click();
    virtual void DblClick();

protected:
    virtual std::string GetText() const { return FText; }
    virtual void SetTextValue(const std::string& value) { FText = value; }

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();

    // Handlers of the layer's notices.
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void EnabledChanged();
    virtual void TextChanged() { Invalidate(); }
    virtual void VisibleChanged();
    // The parent's Color, Font or ShowHint changed: a control that follows it takes the value.
    enum TParentProperty { ppColor, ppFont, ppShowHint };
    void ParentPropertyChanged(TParentProperty Property);
    // CM_HINTSHOW: false refuses the hint.
    virtual bool HintShow(THintInfo& HintInfo) { return true; }
    virtual void CancelMode() {}
    // Graphic controls draw themselves here, into their parent's context moved to their origin.
    virtual void PaintControl(HDC DC) {}

    // Dragging: the source's start and end, the target's answer and drop.
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    // CM_DRAG: the drag manager asks the target; Message.Result carries the acceptance.
    virtual void DragMessage(TDragMessage DragMessage, TDragRec& DragRec, TMessage& Message);

    // The control moved or changed size; Resized tells whether the size changed.
    virtual void BoundsChanged(const TRect& OldBounds, bool Resized);
    // Asks the parent to lay out its children again.
    void RequestAlign();
    void UpdateAnchorRules();

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Destroying() override;
    void BeforeDestruction() override;

    // The mouse-button messages, decoded; public handlers above are what heirs override.
    void MouseButtonDown(TMouseButton Button, const TMessage& Message, bool Double);
    void MouseButtonUp(TMouseButton Button, const TMessage& Message);
    void MouseWheelMessage(TMessage& Message);

    friend class TWinControl;
    friend class TDragManager;

    TControlStyle FControlStyle;
    TControlState FControlState;

private:
    struct TAnchorRules {
        TRect Bounds;
        int ParentWidth = 0;
        int ParentHeight = 0;
    };
    void FontChangeNotice();
    bool& FollowsParent(TParentProperty Property);
    void SetFollowsParent(TParentProperty Property, bool value);
    void TakeFromParent(TParentProperty Property);
    void TakeEveryParentProperty();
    TRect AnchoredBounds(const TRect& parentClient) const;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TAnchorRules FAnchorRules;
    TSizeConstraints FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    std::string FText;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;
};

// The control that holds the mouse capture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The form (top-level window) a control is on, or null.
class TCustomForm;
TCustomForm* GetParentForm(const TControl* control);
