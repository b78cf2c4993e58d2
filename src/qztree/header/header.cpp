// The header control: construction, properties, the update lock, events and geometry.
#include "qztree/header/header.h"

#include "qztree/base/tools.h"
#include "rtl/assign_changed.h"
#include "rtl/published.h"
#include "rtl/strings.h"
#include "vcl/base/win_api.h"
#include "vcl/controls/combo_box.h"
#include "vcl/core/forms.h"
#include "vcl/core/menus.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <cstdlib>

const TClassInfo& TCustomQZHeader::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TCustomQZHeader",
                                           &TQZXPThemedControl::StaticClassInfo());
    return *info;
}

const TClassInfo& TQZHeader::StaticClassInfo() {
    using H = TQZHeader;
    static const TLasting<TClassInfo> info =
        TClassInfo("TQZHeader", &TCustomQZHeader::StaticClassInfo())
            .Integer("ActiveFilterColor", &H::ActiveFilterColor, &H::SetActiveFilterColor)
            .Boolean("AllowDrag", &H::AllowDrag, &H::SetAllowDrag)
            .Integer("FilterColor", &H::FilterColor, &H::SetFilterColor)
            .Boolean("MoveOnDrag", &H::MoveOnDrag, &H::SetMoveOnDrag)
            .Boolean("ResizeOnDrag", &H::ResizeOnDrag, &H::SetResizeOnDrag);
    return *info;
}

TCustomQZHeader::TCustomQZHeader(TComponent* AOwner) : TQZXPThemedControl(AOwner) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents,      csOpaque,   csDoubleClicks,
                                  csReplicatable, csDisplayDragImage, csReflector};
    FSections.reset(CreateSections());
    SetTabStop(false);
    SetHeight(std::abs(Font()->Height()) + 6 + 2 * GetSystemMetrics(SM_CYBORDER));
    SetDragCursor(Cursor());
    FImageChangeLink = ::Bind(this, &TCustomQZHeader::ImageListChanged);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetAlign(alTop);
    SetDoubleBuffered(true);
}

TCustomQZHeader::~TCustomQZHeader() {
    // Sections look at their siblings while they go: the collection must still be there.
    FSections->Clear();
    FSections.reset();
    if (FImages)
        FImages->UnRegisterChanges(&FImageChangeLink);
}

void TCustomQZHeader::BeforeDestruction() {
    // The lookup editor lives on the parent: it goes with the header, also mid-edit.
    if (FLookup) {
        TComboBox* lookup = FLookup;
        FLookup = nullptr;
        lookup->Free();
    }
    // A drag or resize under way ends here, quietly: nothing is moved or resized any more.
    FDoingLookup = false;
    FreeDragImage();
    if ((FResizing || FDropSrc) && HandleAllocated() && GetCapture() == WindowHandle())
        ReleaseCapture();
    if (FHeaderLineVis)
        ToggleResizeLine();
    ReleaseLineDC();
    FResizing = false;
    FResizeSection = nullptr;
    FDropSrc = nullptr;
    FDropTrg = nullptr;
    GiveBackSplitCursor();
    TQZXPThemedControl::BeforeDestruction();
}

TQZHeaderSections* TCustomQZHeader::CreateSections() {
    return new TQZHeaderSections(this);
}

void TCustomQZHeader::SetSections(const TQZHeaderSections* Value) {
    FSections->Assign(Value);
}

void TCustomQZHeader::EndUpdate() {
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount != 0)
        return;
    if (DeletionHappened) {
        DeletionHappened = false;
        DoSectionDelete(nullptr);
    }
    if (AdditionHappened) {
        AdditionHappened = false;
        DoSectionCreate(nullptr);
    }
    Update();
}

void TCustomQZHeader::Update() {
    if (FUpdateCount == 0 && FRedrawLock == 0)
        TQZXPThemedControl::Update();
}

void TCustomQZHeader::EndRedrawLock() {
    if (FRedrawLock > 0 && --FRedrawLock == 0 && HandleAllocated())
        Invalidate();
}

bool TCustomQZHeader::IsLoading() const {
    if (ComponentState().Contains(csLoading) || LoadingCount >= 1)
        return true;
    return Owner() && Owner()->ComponentState().Contains(csLoading);
}

void TCustomQZHeader::SetLeftPos(int Value) {
    if (!AssignChanged(FHPos, Value))
        return;
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZHeader::SetLockedSection(TQZHeaderSection* Value) {
    if (!AssignChanged(FLockedSection, Value))
        return;
    if (Value)
        FSections->MoveSection(Value, 0);
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZHeader::SetWrapCaptions(bool Value) {
    if (!AssignChanged(FWrapCaptions, Value))
        return;
    AdjustHeaderHeight();
}

void TCustomQZHeader::SetInvertSortArrows(bool Value) {
    if (!AssignChanged(FInvertSortArrows, Value))
        return;
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZHeader::SetFlat(bool Value) {
    if (!AssignChanged(FFlat, Value))
        return;
    if (HandleAllocated())
        AdjustHeaderHeight();
}

void TCustomQZHeader::SetFilterColor(TColor Value) {
    if (!AssignChanged(FFilterColor, Value))
        return;
    RedrawFilterSigns(false);
}

void TCustomQZHeader::SetActiveFilterColor(TColor Value) {
    if (!AssignChanged(FActiveFilterColor, Value))
        return;
    RedrawFilterSigns(true);
}

void TCustomQZHeader::RedrawFilterSigns(bool Active) {
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s->Visible() && s->FilterEnabled() && s->FilterIsActive() == Active)
            s->Redraw();
    }
}

void TCustomQZHeader::SetLockHeight(bool Value) {
    if (!AssignChanged(FLockHeight, Value))
        return;
    bool parentLoading = Parent() && Parent()->ComponentState().Contains(csLoading);
    if (!Value && !parentLoading)
        AdjustHeaderHeight();
}

void TCustomQZHeader::SetRightAlignedText(bool Value) {
    if (!AssignChanged(FRightAlignedText, Value))
        return;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomQZHeader::SetRightAlignedOrder(bool Value) {
    if (!AssignChanged(FRightAlignedOrder, Value))
        return;
    if (IsLoading())
        return;
    FSections->ReverseOrder();
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZHeader::SetImages(TImageList* Value) {
    if (FImages == Value)
        return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (FImages) {
        FImages->RegisterChanges(&FImageChangeLink);
        FImages->FreeNotification(this);
    }
    if (!FLockHeight)
        AdjustHeaderHeight();
    if (!FPainting)
        Invalidate();
}

void TCustomQZHeader::ImageListChanged(TObject* Sender) {
    if (FPainting)
        return;
    if (!FLockHeight)
        AdjustHeaderHeight();
    Invalidate();
}

void TCustomQZHeader::SetTracking(bool Value) {
    if (!AssignChanged(FTracking, Value))
        return;
    if (!Value && !IsThemeApplied()) {
        FTrackSection = nullptr;
        Invalidate();
    }
}

void TCustomQZHeader::CreateParams(TCreateParams& Params) {
    TQZXPThemedControl::CreateParams(Params);
    if (FRightAlignedText)
        Params.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
}

void TCustomQZHeader::CreateWnd() {
    TQZXPThemedControl::CreateWnd();
    AdjustHeaderHeight();
}

void TCustomQZHeader::Loaded() {
    TQZXPThemedControl::Loaded();
    TCustomForm* form = GetOwnerForm(this);
    if (!form)
        return;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s->PopupName().empty())
            continue;
        if (auto* menu = dynamic_cast<TPopupMenu*>(form->FindComponent(s->PopupName())))
            s->FPopupMenu = menu;
    }
    if (FStickySections) {
        FStickySections = false;
        SetStickySections(true);
    }
    if (FRightAlignedOrder) {
        FRightAlignedOrder = false;
        SetRightAlignedOrder(true);
    }
    AdjustHeaderHeight();
}

void TCustomQZHeader::Notification(TComponent* AComponent, TOperation Operation) {
    TQZXPThemedControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    for (int i = 0; FSections && i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s->FPopupMenu == AComponent) {
            s->FPopupMenu = nullptr;
            s->FPopupName.clear();
        }
    }
}

void TCustomQZHeader::FontChanged() {
    TQZXPThemedControl::FontChanged();
    if (!FLockHeight)
        AdjustHeaderHeight();
    Canvas()->SetFont(Font());
    if (HandleAllocated())
        Invalidate();
}

void TCustomQZHeader::EnsureSignHeight() {
    bool signs = false;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        signs = signs || s->LookupEnabled() || s->FilterEnabled();
    }
    if (signs && Height() >= 1 && Height() <= 16)
        SetHeight(17);
}

void TCustomQZHeader::Resize() {
    EnsureSignHeight();
    if (FStickySections && !IsLoading())
        StickyResize();
    // Every size change comes back to the height rule: a height set from outside does not stay.
    AdjustHeaderHeight();
    TQZXPThemedControl::Resize();
}

// ---- events ----

int TCustomQZHeader::DoGetPicture(TQZHeaderSection* Section) {
    int index = -1;
    Fire(OnPictureNeeded, this, Section, index);
    return index;
}
void TCustomQZHeader::DoVisChanged(TQZHeaderSection* Section) {
    Fire(OnSectionShowHide, this, Section);
}
void TCustomQZHeader::DoSectionDelete(TQZHeaderSection* Section) {
    Fire(OnSectionDelete, this, Section);
}
void TCustomQZHeader::DoSectionMove(TQZHeaderSection* Section, int OldPos, int NewPos) {
    Fire(OnSectionMove, this, Section, OldPos, NewPos);
}
void TCustomQZHeader::DoSectionResizing(TQZHeaderSection* Section, TQZHResizingStates State,
                                        int Width) {
    Fire(OnSectionResizing, this, Section, State, Width);
}
void TCustomQZHeader::DoSectionResize(TQZHeaderSection* Section) {
    Fire(OnSectionResize, this, Section);
}
void TCustomQZHeader::DoSectionClick(TQZHeaderSection* Section) {
    Fire(OnSectionClick, this, Section);
}
void TCustomQZHeader::DoSectionDraw(TCanvas* ACanvas, TQZHeaderSection* Section, const TRect& R,
                                    bool Pressed) {
    Fire(OnSectionDraw, this, ACanvas, Section, R, Pressed);
}
void TCustomQZHeader::DoNotifySectionChange(TQZHeaderSection* Section, TSectionChangeMode Change) {
    Fire(OnSectionChange, this, Section, Change);
}
void TCustomQZHeader::DoSectionExpandEvent(TQZHeaderSection* Section) {
    Fire(OnSectionExpand, this, Section);
}
void TCustomQZHeader::DoSectionCollapseEvent(TQZHeaderSection* Section) {
    Fire(OnSectionCollapse, this, Section);
}
void TCustomQZHeader::DoSectionCreate(TQZHeaderSection* Section) {
    Fire(OnSectionCreate, this, Section);
}
void TCustomQZHeader::DoSectionLookupEvent(TQZHeaderSection* Section, std::string& Text) {
    Fire(OnHeaderLookup, this, Section, Text);
}
void TCustomQZHeader::DoSectionLookupDoneEvent(TQZHeaderSection* Section, const std::string& Text,
                                               bool Accepted) {
    Fire(OnHeaderLookupDone, this, Section, Text, Accepted);
}
void TCustomQZHeader::TriggerSectionAutoSizeEvent(TQZHeaderSection* Section) {
    Fire(OnSectionAutoSize, this, Section);
}
void TCustomQZHeader::TriggerFilterCallEvent(TQZHeaderSection* Section) {
    Fire(OnFilterCall, this, Section);
}
TPoint TCustomQZHeader::TriggerMeasureSectionEvent(TQZHeaderSection* Section) {
    TPoint size{0, 0};
    Fire(OnMeasureSection, this, Section, size);
    return size;
}

// ---- references to sections ----

void TCustomQZHeader::SectionGoing(TQZHeaderSection* Section) {
    if (FLookupSection == Section && FDoingLookup)
        CloseLookup(false);
    if (FResizeSection == Section && FResizing)
        EndResize();
    if (FDropSrc == Section)
        CancelDrag();
    auto forget = [Section](TQZHeaderSection*& ref) {
        if (ref == Section)
            ref = nullptr;
    };
    forget(FLockedSection);
    forget(FPressedItem);
    forget(FTrackSection);
    forget(FHintSection);
    forget(FDropSrc);
    forget(FDropTrg);
    forget(FResizeSection);
    forget(FLookupSection);
}

void TCustomQZHeader::SectionsCleared() {
    for (int i = 0; i < FSections->Count(); ++i)
        SectionGoing(FSections->ItemByPos(i));
}

// ---- geometry ----

int TCustomQZHeader::ScreenOffset(const TQZHeaderSection* Section) const {
    return Section == FLockedSection ? 0 : FHPos;
}

int TCustomQZHeader::SignsRight(const TQZHeaderSection* Section) const {
    return Section->Left() - ScreenOffset(Section) + Section->Width() - 4;
}

TRect TCustomQZHeader::GetSectionRect(int Index) const {
    TQZHeaderSection* s = FSections->FindSection(Index);
    if (!s)
        return TRect{};
    TRect r = Rect(s->Left(), 0, s->Left() + s->Width(), ClientHeight());
    return s == FLockedSection ? r.Offset(FHPos, 0) : r;
}

int TCustomQZHeader::SectionsWidth() const {
    // The right edge of the last shown section that is not locked, summed in one pass: asking
    // that section for its edge walks the ancestors of every section before it.
    const std::vector<bool> shown = FSections->VisibleFlags();
    int left = 0, right = 0;
    for (int i = 0; i < FSections->Count(); ++i) {
        if (!shown[size_t(i)])
            continue;
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s != FLockedSection || FSections->Count() == 1)
            right = left + s->Width();
        left += s->Width();
    }
    return right;
}

void TCustomQZHeader::InvalidateRight(int Index) {
    if (Index < 0 || Index >= FSections->Count())
        throw EQZHeaderError("Index out of bounds");
    if (!HandleAllocated() || RedrawLocked())
        return;
    TQZHeaderSection* s = FSections->FindSection(Index);
    int left = s ? s->Left() - ScreenOffset(s) : 0;
    // Sections added beyond the right edge change nothing on screen.
    if (left >= ClientWidth())
        return;
    RECT r{left, 0, ClientWidth(), ClientHeight()};
    InvalidateRect(WindowHandle(), &r, FALSE);
}

int TCustomQZHeader::MeasureSectionWidth(TQZHeaderSection* Section, int* TextWidth,
                                         int* TextHeight) {
    if (TextWidth)
        *TextWidth = 0;
    if (TextHeight)
        *TextHeight = 0;
    int w = 10;
    if (Section->Expandable() || Section->LookupEnabled() || Section->FilterEnabled())
        w += 8;
    w += 12 + 5;
    if (Section->Style() == QZhsOwnerDraw) {
        TPoint size = TriggerMeasureSectionEvent(Section);
        w += size.X;
        if (TextHeight)
            *TextHeight = size.Y;
        return std::max(w, Section->MinWidth());
    }
    if (FImages) {
        int image = Section->ImageIndex() == -1 ? DoGetPicture(Section) : Section->ImageIndex();
        if (image >= 0 && image < FImages->Count())
            w += FImages->Width();
    }
    if (Section->Style() != QZhsPictureOnly) {
        int tw = 0, th = std::abs(Font()->Height());
        if (!Section->Text().empty()) {
            TRect r = Rect(0, 0, std::max(1, Section->Width()), 0);
            Canvas()->Font()->Assign(Font());
            unsigned flags =
                DT_CALCRECT | DT_NOPREFIX | (FWrapCaptions ? DT_WORDBREAK : DT_SINGLELINE);
            Canvas()->DrawText(Section->Text(), r, flags);
            tw = r.Width();
            th = r.Height();
        }
        w += tw;
        if (TextWidth)
            *TextWidth = tw;
        if (TextHeight)
            *TextHeight = th;
    }
    return std::max(w, Section->MinWidth());
}

int TCustomQZHeader::CalcHeaderHeight() {
    const std::vector<bool> shown = FSections->VisibleFlags();
    int textHeight = 0;
    bool lineMeasured = false;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (!shown[size_t(i)] || s->Style() != QZhsText)
            continue;
        // Captions on one line are all as high as the font's line: one is measured. With
        // images each section is measured, as it asks for its picture.
        if (!FWrapCaptions && !FImages && !s->Text().empty()) {
            if (lineMeasured)
                continue;
            lineMeasured = true;
        }
        int th = 0;
        MeasureSectionWidth(s, nullptr, &th);
        textHeight = std::max(textHeight, th);
    }
    int height = std::max(17, textHeight + 4);
    if (FImages)
        height = std::max(height, FImages->Height() + 4);
    return FFlat ? height : height + 2;
}

void TCustomQZHeader::AdjustHeaderHeight() {
    if (FLockHeight || !HandleAllocated())
        return;
    SetHeight(CalcHeaderHeight());
}

TQZHeaderSection* TCustomQZHeader::GetSectionAt(int X, int Y) const {
    if (Y < 0 || Y > Height())
        return nullptr;
    if (FLockedSection && FLockedSection->Visible() && X >= 0 && X < FLockedSection->Width())
        return FLockedSection;
    int x = X + FHPos;
    int sum = 0;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (!s->Visible())
            continue;
        sum += s->Width();
        if (sum > x)
            return s;
    }
    return nullptr;
}

bool TCustomQZHeader::InResizeArea(int X, TQZHeaderSection*& HitSection) const {
    constexpr int Grip = 5;
    HitSection = GetSectionAt(X, 0);
    if (HitSection) {
        if (HitSection->Width() < 15)
            return false;
        int left = HitSection->Left() - ScreenOffset(HitSection);
        if (X >= left + Grip)
            return X >= left + HitSection->Width() - Grip;
        // The left grip of a section resizes its left neighbour.
        HitSection = FSections->GetPrevVisibleSection(HitSection);
        return HitSection != nullptr;
    }
    TQZHeaderSection* last = FSections->LastVisibleSection();
    if (last && X < last->Right() - ScreenOffset(last) + Grip) {
        HitSection = last;
        return true;
    }
    HitSection = nullptr;
    return false;
}

TQZHeaderSection* TCustomQZHeader::GetSectionAtEx(int X, int Y, TQZSectionPart& SectionPart) const {
    TQZHeaderSection* hit = nullptr;
    if (InResizeArea(X, hit)) {
        SectionPart = espResizeArea;
        return hit;
    }
    SectionPart = espText;
    TQZHeaderSection* s = GetSectionAt(X, Y);
    if (!s || s->Width() <= 14)
        return s;
    int r = SignsRight(s);
    bool inSignColumn = r - 7 <= X && X <= r;
    if (s->Expandable() && inSignColumn && 2 <= Y && Y <= 9)
        SectionPart = espExpandSign;
    else if (s->LookupEnabled() && inSignColumn && 12 <= Y && Y <= 16)
        SectionPart = espLookupSign;
    else if (s->FilterEnabled() && inSignColumn && 12 <= Y && Y <= 16)
        SectionPart = espFilterSign;
    return s;
}

// ---- sticky sections ----

int TCustomQZHeader::GetResizableWidth() const {
    return ResizableWidth(FSections->VisibleFlags());
}

int TCustomQZHeader::ResizableWidth(const std::vector<bool>& Shown) const {
    int width = Width();
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (Shown[size_t(i)] && !s->Resizable())
            width -= s->Width();
    }
    return width;
}

void TCustomQZHeader::MarkStickySections() {
    std::vector<bool> shown = FSections->VisibleFlags();
    int resizable = ResizableWidth(shown);
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (shown[size_t(i)] && s->Resizable())
            s->FStickySize = resizable == 0 ? 0.0f : float(s->Width()) / float(resizable);
    }
}

void TCustomQZHeader::SetStickySections(bool Value) {
    if (!AssignChanged(FStickySections, Value))
        return;
    if (!Value || IsLoading())
        return;
    int resizable = GetResizableWidth();
    if (resizable == 0)
        resizable = 1;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        s->FStickySize =
            s->Visible() && s->Resizable() ? float(s->Width()) / float(resizable) : 0.0f;
    }
}

void TCustomQZHeader::StickyResize() {
    FInStick = true;
    int client = ClientWidth();
    if (client > FOldWidth)
        for (int i = FSections->Count() - 1; i >= 0; --i) {
            TQZHeaderSection* s = FSections->ItemByPos(i);
            if (s->Visible() && !s->Resizable() && s->ASaveSize != -1) {
                s->FWidth = std::min(s->ASaveSize, client);
                if (s->FWidth >= s->ASaveSize)
                    s->ASaveSize = -1;
            }
        }
    int resizable = GetResizableWidth();
    if (resizable == 0)
        resizable = 1;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s->Visible() && s->Resizable())
            s->FWidth = std::max(0, int(Round(resizable * double(s->FStickySize))));
    }
    AdjustStickySize(nullptr);
    FOldWidth = client;
    FInStick = false;
}

void TCustomQZHeader::AdjustStickySize(TQZHeaderSection* Caller) {
    int client = ClientWidth();
    auto total = [this] {
        int sum = 0;
        for (int i = 0; i < FSections->Count(); ++i)
            if (FSections->ItemByPos(i)->Visible())
                sum += FSections->ItemByPos(i)->Width();
        return sum;
    };
    // Shrinks the rightmost sections that pass the test until the total fits.
    auto shrink = [&](auto accepts, bool remember) {
        for (int i = FSections->Count() - 1; i >= 0 && client >= 1 && total() >= client; --i) {
            TQZHeaderSection* s = FSections->ItemByPos(i);
            if (!s->Visible() || !accepts(s) || s->FWidth < 1)
                continue;
            if (remember && s->ASaveSize == -1)
                s->ASaveSize = s->FWidth;
            int over = total() - client;
            s->FWidth = s->FWidth <= over - 1 ? 0 : s->FWidth - (over + 1);
        }
    };
    shrink([Caller](TQZHeaderSection* s) { return s->Resizable() && s != Caller; }, false);
    shrink([Caller](TQZHeaderSection* s) { return !s->Resizable() || s == Caller; }, true);
    for (int i = FSections->Count() - 1; i >= 0 && total() < client - 1; --i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (!s->Visible() || s->ASaveSize == -1 || s->FWidth >= s->ASaveSize)
            continue;
        s->FWidth = std::min(s->ASaveSize, s->FWidth + (client - total() - 1));
        if (s->FWidth >= s->ASaveSize)
            s->ASaveSize = -1;
    }
    for (int i = FSections->Count() - 1; i >= 0; --i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (s->Visible() && s->Resizable() && s != Caller) {
            s->FWidth = std::max(0, s->FWidth + client - total() - 1);
            break;
        }
    }
}
