#pragma once
#include "vcl/base/win_types.h"
#include "vcl/core/control.h"
#include "vcl/graphics/graphics.h"

#include <string>
#include <vector>

// What a windowed control asks of CreateWindowEx. WinClassName is the window class this layer
// registers for the control; SystemClassName names the Win32 class it is built on (its
// procedure then gets every message the control does not handle), empty for the layer's own.
struct TCreateParams {
    std::wstring Caption;
    unsigned Style = 0;
    unsigned ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    std::wstring WinClassName;
    std::wstring SystemClassName;
    unsigned ClassStyle = 0;
};

// A control with a window of its own, made only when first needed (Handle), and the parent of
// other controls, which it lays out by their Align and Anchors.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    HWND Handle();
    HWND WindowHandle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();
    // The control whose window this is, or null for a window of no control of this process.
    static TWinControl* FindControl(HWND window);

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(size_t(index)); }
    virtual void InsertControl(TControl* control);
    virtual void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The visible child at a client point: enabled ones only unless allowDisabled, graphic ones
    // only unless allowWinControls.
    TControl* ControlAtPos(const TPoint& p, bool allowDisabled,
                           bool allowWinControls = false) const;

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Whether Tab stops here now: TabStop, unless the control has nothing to show the focus on.
    virtual bool StopsOnTab() const { return FTabStop; }
    // The place among the parent's windowed children that Tab follows; set moves the control
    // there (clamped), the others keep their order.
    int TabOrder() const;
    void SetTabOrder(int value);
    // Every windowed control inside, in tab order: each child, then what it holds.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // The control after (or before) Current in this control's tab order list, round the end,
    // that can take the focus, where Tab stops when asked, a direct child when asked; or null.
    TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    // Focuses that control; arrows (CheckTabStop false) stay among this control's children.
    void SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop);
    void SelectFirst();
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

    // The frame round the client area: a border (sunken with Ctl3D, a line without) and bevels
    // of BevelKind on BevelEdges. A form has its own border styles and overrides these.
    virtual TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind value);
    // The bevels' cuts and width serve the frame and, for a panel, its client-area bevels.
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // Width of the frame's bevels on one side (0 without BevelKind or on a side not in BevelEdges).
    int BevelEdgeSize(TBevelEdge Edge) const;
    // The bevels as the system's edge drawing takes them: BDR_ edges of the cuts, BF_ sides.
    unsigned BevelCutEdges() const;
    unsigned BevelSideFlags() const;
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    bool Aligning() const { return FAligning; }
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& Rect) const;

    void Invalidate() override;
    void Update() override;
    void BringToFront() override;
    void SendToBack() override;
    // Paints the control and its graphic children into any device context.
    void PaintTo(HDC dc, int x, int y);

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    void CreateHandle();
    void DestroyHandle();

    std::string GetText() const override;
    void SetTextValue(const std::string& value) override;

    virtual void AlignControls(TControl* AControl, TRect& Rect);
    void NotifyControls(unsigned Msg);

    // Keys ahead of the window (CM_DIALOGKEY, CM_DIALOGCHAR): a windowed control passes them to
    // its children until one takes it (Result non-zero); forms handle Tab and arrows first.
    virtual void DialogKey(TMessage& Message);
    virtual void DialogChar(TMessage& Message);
    // CM_WANTSPECIALKEY: true keeps Tab, an arrow, Enter or Escape for the control itself, as a
    // window does through WM_GETDLGCODE.
    virtual bool WantSpecialKey(uint16_t Key) { return false; }
    // Passes a notice to every child until one answers it.
    void Broadcast(TMessage& Message);

    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void DoEnter();
    virtual void DoExit();

    // The non-client area: the system takes off its border and scroll bars, NCCalcSize the
    // frame's bevels (heirs that draw a frame of their own take off theirs); NCPaint draws on
    // the whole window (client area clipped away) after the system drew its part.
    virtual void NCCalcSize(TRect& ClientArea);
    virtual void NCPaint(HDC WindowDC, const TRect& WindowRect);
    // The frame changed: the system recomputes the non-client area and the window repaints.
    void FrameChanged();
    void AddFrameStyles(TCreateParams& Params) const;

    // Painting: the window itself (heirs draw here), then its graphic children.
    virtual void PaintWindow(HDC DC) {}
    void PaintControls(HDC DC);
    void PaintHandler(HDC DC);
    virtual void EraseBackground(HDC DC);
    // True for controls built on a Win32 class, which paint themselves.
    bool IsSystemClass() const;
    // Takes the bounds the window has now (after the system moved or sized it).
    void UpdateBoundsFromWindow();
    void RestoredMessage(TMessage& Message);
    void ApplyRestoredBounds();

    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    // What the window is moved or sized with when its bounds change in code.
    virtual unsigned WindowPosFlags(const TRect& OldBounds) const;
    // True while bounds set when the window was minimised wait for it to be restored.
    bool BoundsAfterRestore() const { return FBoundsAfterRestore; }
    void FontChanged() override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void BeforeDestruction() override;

    // Notices from a Win32 child class, reflected here by the parent.
    virtual void CNCommand(TMessage& Message) { DefaultHandler(Message); }
    virtual void CNNotify(TMessage& Message) { DefaultHandler(Message); }
    virtual void CNScroll(TMessage& Message) { DefaultHandler(Message); }
    virtual void CNCtlColor(TMessage& Message);

private:
    // Tells the form that control, under this one, is leaving it.
    void FormForgets(TControl* control);
    // Frees the child controls, the last placed first, each told it has no parent any more.
    void FreeChildren();
    friend class TControl;
    friend struct TWindowBinding;
    friend class TDragManager;
    void Bind(HWND window);
    void Unbind();
    void PaintMessage(TMessage& Message);
    void NCCalcSizeMessage(TMessage& Message);
    void NCPaintMessage(TMessage& Message);
    template <class T> void SetFrameProperty(T& field, const T& value);
    void KeyMessage(TMessage& Message);
    void KeyAheadMessage(TMessage& Message);
    void CharAheadMessage(TMessage& Message);
    bool IsMenuKey(TMessage& Message);
    void CharMessage(TMessage& Message);
    void FocusMessage(TMessage& Message);
    bool RouteMouseToChild(TMessage& Message);
    void TrackMouse(TMessage& Message);
    void MouseLeftWindow();
    bool SetCursorMessage(TMessage& Message);
    bool ReflectMessage(TMessage& Message);
    void ContextMenuMessage(TMessage& Message);
    void FocusOnClick();

    HWND FHandle = nullptr;
    void* FDefWndProc = nullptr;
    bool FWindowGoing = false; // destroyed by the destructor: no handler may run any more
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FCtl3D = true;
    TBevelKind FBevelKind = bkNone;
    TBevelCut FBevelInner = bvRaised;
    TBevelCut FBevelOuter = bvLowered;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    int FBevelWidth = 1;
    bool FDoubleBuffered = false;
    int FAlignLevel = 0;
    bool FAligning = false;
    bool FAlignPending = false;
    bool FBoundsAfterRestore = false;
    bool FMouseInside = false;
    TControl* FHoverControl = nullptr;
    std::unique_ptr<TBrush> FBrush;
};
