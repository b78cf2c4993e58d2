#include "vcl/core/control.h"

#include "rtl/property_change.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"
#include "vcl/core/win_control.h"
#include "vcl/graphics/graphics.h"

#include <algorithm>

namespace {
TControl* CaptureControl = nullptr;
}

TControl* GetCaptureControl() {
    return CaptureControl;
}
void SetCaptureControl(TControl* control) {
    CaptureControl = control;
}

TCustomForm* GetParentForm(const TControl* control) {
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TSizeConstraints::Apply(int& width, int& height) const {
    if (MaxWidth > 0 && width > MaxWidth)
        width = MaxWidth;
    if (MinWidth > 0 && width < MinWidth)
        width = MinWidth;
    if (MaxHeight > 0 && height > MaxHeight)
        height = MaxHeight;
    if (MinHeight > 0 && height < MinHeight)
        height = MinHeight;
}

const TClassInfo& TControl::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TControl", &TComponent::StaticClassInfo())
            .Integer("Left", &TControl::Left, &TControl::SetLeft)
            .Integer("Top", &TControl::Top, &TControl::SetTop)
            .Integer("Width", &TControl::Width, &TControl::SetWidth)
            .Integer("Height", &TControl::Height, &TControl::SetHeight)
            .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
            .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .String("Hint", &TControl::Hint, &TControl::SetHint)
            .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    return *info;
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FFont->OnChange = [this](TObject*) { FontChangeNotice(); };
}

TControl::~TControl() {
    if (CaptureControl == this)
        CaptureControl = nullptr;
    // Reached without Free too (a control on the stack, or one whose constructor threw): the
    // drag manager, the hint and the parent must not keep it.
    TDragManager::ControlDestroying(this);
    ControlDestroying(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::Destroying() {
    TComponent::Destroying();
    // A drag from or over this control ends now, while everything it touches is still whole.
    TDragManager::ControlDestroying(this);
}

void TControl::BeforeDestruction() {
    TComponent::BeforeDestruction();
    if (CaptureControl == this)
        SetMouseCapture(false);
    ControlDestroying(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    TakeEveryParentProperty();
    RequestAlign();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TControl::SetParent(TWinControl* value) {
    if (value == FParent)
        return;
    if (value == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (value)
        value->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FConstraints.Apply(AWidth, AHeight);
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    TRect old = BoundsRect();
    bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (!FParent || !FParent->Aligning())
        UpdateAnchorRules();
    BoundsChanged(old, resized);
    RequestAlign();
}

void TControl::BoundsChanged(const TRect& OldBounds, bool Resized) {
    if (FParent && FParent->HandleAllocated() && FVisible) {
        RECT before = {OldBounds.Left, OldBounds.Top, OldBounds.Right, OldBounds.Bottom};
        RECT after = {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
        InvalidateRect(FParent->WindowHandle(), &before, TRUE);
        InvalidateRect(FParent->WindowHandle(), &after, TRUE);
    }
    if (Resized)
        Resize();
}

void TControl::Resize() {
    Fire(OnResize, this);
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(int width, int height) {
    TRect client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.Width() + width, FHeight - client.Height() + height);
}

TPoint TControl::ClientOrigin() const {
    if (!FParent)
        return {FLeft, FTop};
    TPoint origin = FParent->ClientOrigin();
    return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& p) const {
    TPoint origin = ClientOrigin();
    return {p.X + origin.X, p.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& p) const {
    TPoint origin = ClientOrigin();
    return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign)
        return;
    FAlign = value;
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (value == FAnchors)
        return;
    FAnchors = value;
    UpdateAnchorRules();
}

void TControl::SetConstraints(const TSizeConstraints& value) {
    FConstraints = value;
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::UpdateAnchorRules() {
    FAnchorRules.Bounds = BoundsRect();
    if (FParent) {
        TRect client = FParent->ClientRect();
        FParent->AdjustClientRect(client);
        FAnchorRules.ParentWidth = client.Width();
        FAnchorRules.ParentHeight = client.Height();
    }
}

TRect TControl::AnchoredBounds(const TRect& parentClient) const {
    // Each edge keeps its distance to the parent's edge it is anchored to; an axis anchored to
    // neither edge keeps its place relative to the centre.
    auto axis = [](int pos, int size, int delta, bool nearEdge, bool farEdge, int& outPos,
                   int& outSize) {
        outPos = pos;
        outSize = size;
        if (farEdge && nearEdge)
            outSize = size + delta;
        else if (farEdge)
            outPos = pos + delta;
        else if (!nearEdge)
            outPos = pos + delta / 2;
    };
    const TRect& b = FAnchorRules.Bounds;
    int left, width, top, height;
    axis(b.Left, b.Width(), parentClient.Width() - FAnchorRules.ParentWidth,
         FAnchors.Contains(akLeft), FAnchors.Contains(akRight), left, width);
    axis(b.Top, b.Height(), parentClient.Height() - FAnchorRules.ParentHeight,
         FAnchors.Contains(akTop), FAnchors.Contains(akBottom), top, height);
    return Bounds(left, top, width, height);
}

void TControl::RequestAlign() {
    if (FParent)
        FParent->Realign();
}

bool TControl::Showing() const {
    return FVisible && (!FParent || FParent->Showing());
}

void TControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    FVisible = value;
    try {
        Perform(CM_VISIBLECHANGED, value);
    } catch (...) {
        // A window that could not be shown leaves the control as it was, so it can be shown
        // once windows can be made again.
        FVisible = !value;
        throw;
    }
    RequestAlign();
}

void TControl::VisibleChanged() {
    if (FParent && FParent->HandleAllocated()) {
        RECT r = {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
        InvalidateRect(FParent->WindowHandle(), &r, TRUE);
    }
}

void TControl::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::EnabledChanged() {
    Invalidate();
}

// A colour or hint setting of the control's own ends following the parent, also when it equals
// the parent's.
void TControl::SetColor(TColor value) {
    FParentColor = false;
    if (ChangeValue(FColor, value))
        Perform(CM_COLORCHANGED);
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::SetFont(const TFont* value) {
    FFont->Assign(value);
}

void TControl::FontChangeNotice() {
    if (!FTakingParentFont)
        FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::SetText(const std::string& value) {
    if (value == GetText())
        return;
    SetTextValue(value);
    Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool value) {
    FParentShowHint = false;
    if (ChangeValue(FShowHint, value))
        Perform(CM_SHOWHINTCHANGED);
}

bool& TControl::FollowsParent(TParentProperty Property) {
    switch (Property) {
    case ppColor:
        return FParentColor;
    case ppFont:
        return FParentFont;
    default:
        return FParentShowHint;
    }
}

void TControl::SetFollowsParent(TParentProperty Property, bool value) {
    if (ChangeValue(FollowsParent(Property), value) && value)
        TakeFromParent(Property);
}

void TControl::ParentPropertyChanged(TParentProperty Property) {
    if (FollowsParent(Property))
        TakeFromParent(Property);
}

void TControl::TakeEveryParentProperty() {
    for (TParentProperty p : {ppColor, ppFont, ppShowHint})
        ParentPropertyChanged(p);
}

// Takes the parent's value as the control's own change would, but keeps following the parent.
void TControl::TakeFromParent(TParentProperty Property) {
    if (!FParent)
        return;
    switch (Property) {
    case ppColor:
        if (ChangeValue(FColor, FParent->Color()))
            Perform(CM_COLORCHANGED);
        break;
    case ppFont: {
        TFlagScope taking(FTakingParentFont);
        FFont->Assign(FParent->Font());
        break;
    }
    case ppShowHint:
        if (ChangeValue(FShowHint, FParent->ShowHint()))
            Perform(CM_SHOWHINTCHANGED);
        break;
    }
}

void TControl::SetCursor(TCursor value) {
    if (value == FCursor)
        return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    ReferTo(FPopupMenu, value);
}

void TControl::Invalidate() {
    if (FParent && FParent->HandleAllocated() && Showing()) {
        RECT r = {FLeft, FTop, FLeft + FWidth, FTop + FHeight};
        InvalidateRect(FParent->WindowHandle(), &r, !FControlStyle.Contains(csOpaque));
    }
}

void TControl::Update() {
    if (FParent)
        FParent->Update();
}

void TControl::Repaint() {
    // A control off the screen has nothing to paint; what else waits in its parent keeps its turn.
    if (!Showing())
        return;
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!FParent)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!FParent)
        return;
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

bool TControl::MouseCapture() const {
    return CaptureControl == this;
}

void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture())
        return;
    if (value) {
        CaptureControl = this;
        const TControl* windowed = this;
        while (windowed && !dynamic_cast<const TWinControl*>(windowed))
            windowed = windowed->Parent();
        if (windowed) {
            HWND window =
                const_cast<TWinControl*>(static_cast<const TWinControl*>(windowed))->Handle();
            SetCapture(window);
        }
    } else {
        CaptureControl = nullptr;
        ReleaseCapture();
    }
}
