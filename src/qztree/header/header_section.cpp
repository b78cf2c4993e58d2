// One header section: its properties and what each change asks of the header.
#include "qztree/header/header_section.h"

#include "qztree/header/header.h"
#include "rtl/assign_changed.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"
#include "vcl/base/win_api.h"
#include "vcl/core/menus.h"

#include <algorithm>

TQZHeaderSection::TQZHeaderSection(TCustomQZHeader* AOwner)
    : FOwner(AOwner), FLookupHist(std::make_unique<TStringList>()) {
    if (AOwner)
        FWidth = AOwner->DefaultWidth();
}

TQZHeaderSection::~TQZHeaderSection() {
    // Children lose their parent before the section goes.
    if (FOwner && FOwner->Sections())
        for (int i = 0; i < FOwner->Sections()->Count(); ++i) {
            auto* s = FOwner->Sections()->ItemByPos(i);
            if (s->FParentSection == this)
                s->FParentSection = nullptr;
        }
}

int TQZHeaderSection::Position() const {
    return FOwner ? FOwner->Sections()->List().IndexOf(this) : -1;
}

int TQZHeaderSection::Left() const {
    int left = 0;
    const TQZList& list = FOwner->Sections()->List();
    for (int i = 0; i < list.Count(); ++i) {
        auto* s = static_cast<TQZHeaderSection*>(list.FastGet(i));
        if (s == this)
            break;
        if (s->Visible())
            left += s->FWidth;
    }
    return left;
}

int TQZHeaderSection::Right() const {
    return Visible() ? Left() + FWidth : Left();
}

bool TQZHeaderSection::Locked() const {
    return FOwner && FOwner->LockedSection() == this;
}

bool TQZHeaderSection::Visible() const {
    if (!FParentSection)
        return FVisible;
    return FVisible && FParentSection->Visible() && FParentSection->FExpanded;
}

void TQZHeaderSection::Redraw() {
    if (!Visible() || !FOwner->HandleAllocated())
        return;
    FOwner->BeginUpdate();
    int left = Left() - FOwner->ScreenOffset(this);
    RECT r{left, 0, left + FWidth, FOwner->Height() + 1};
    InvalidateRect(FOwner->WindowHandle(), &r, FALSE);
    FOwner->EndUpdate();
}

void TQZHeaderSection::AutoSizeChanged() {
    if (FAutoSize)
        FOwner->TriggerSectionAutoSizeEvent(this);
}

void TQZHeaderSection::NotifyChange(TSectionChangeMode Mode) {
    FOwner->DoNotifySectionChange(this, Mode);
}

void TQZHeaderSection::SetText(const std::string& Value) {
    if (!AssignChanged(FText, Value))
        return;
    AutoSizeChanged();
    FOwner->AdjustHeaderHeight();
    if (FStyle == QZhsText)
        Redraw();
    NotifyChange(scmCaption);
}

void TQZHeaderSection::SetStyle(TQZSectionStyle Value) {
    if (!AssignChanged(FStyle, Value))
        return;
    NotifyChange(scmStyle);
    Redraw();
}

void TQZHeaderSection::SetAlignment(TQZSAlignment Value) {
    if (!AssignChanged(FAlignment, Value))
        return;
    NotifyChange(scmAlign);
    Redraw();
}

void TQZHeaderSection::SetFieldName(const std::string& Value) {
    if (!AssignChanged(FFieldName, Value))
        return;
    NotifyChange(scmFieldName);
}

void TQZHeaderSection::SetFieldType(TQZFieldType Value) {
    if (!AssignChanged(FFieldType, Value))
        return;
    NotifyChange(scmFieldType);
}

void TQZHeaderSection::SetEditable(bool Value) {
    if (!AssignChanged(FEditable, Value))
        return;
    NotifyChange(scmEditable);
}

void TQZHeaderSection::SetPassword(bool Value) {
    if (!AssignChanged(FProtected, Value))
        return;
    NotifyChange(scmPassword);
}

void TQZHeaderSection::SetImageIndex(int Value) {
    if (!AssignChanged(FImageIndex, Value))
        return;
    AutoSizeChanged();
    Redraw();
}

void TQZHeaderSection::SetSortMode(TQZSSortMode Value) {
    if (FSortMode == Value)
        return;
    if (!FOwner->MultiSort())
        for (int i = 0; i < FOwner->Sections()->Count(); ++i)
            FOwner->Sections()->ItemByPos(i)->FSortMode = hsmNone;
    FSortMode = Value;
    AutoSizeChanged();
    if (FOwner->HandleAllocated() && FShowSortMark)
        FOwner->Invalidate();
}

void TQZHeaderSection::SetMaxWidth(int Value) {
    if (!AssignChanged(FMaxWidth, Value))
        return;
    if (FWidth > Value)
        SetWidth(Value);
}

void TQZHeaderSection::SetMinWidth(int Value) {
    if (!AssignChanged(FMinWidth, Value))
        return;
    if (FWidth < Value)
        SetWidth(Value);
}

void TQZHeaderSection::SetWidth(int Value) {
    if (FWidth == Value || Value > FMaxWidth || Value < FMinWidth)
        return;
    if (FOwner->StickySections() && Visible() && !FOwner->InStick() && !FOwner->IsLoading())
        return ApplyStickyWidth(Value);
    FWidth = Value;
    if (Visible() && !FOwner->InStick()) {
        FOwner->AdjustHeaderHeight();
        if (FOwner->HandleAllocated())
            FOwner->Invalidate();
    }
}

namespace {

// A sticky width scaled to the room left; never below 0.
int Rescaled(int width, int oldRest, int newRest) {
    return std::max(0, int(Round(double(width) / oldRest * newRest)));
}

int VisibleTotal(const TQZHeaderSections& sections) {
    int total = 0;
    for (int i = 0; i < sections.Count(); ++i)
        if (sections.ItemByPos(i)->Visible())
            total += sections.ItemByPos(i)->Width();
    return total;
}

} // namespace

void TQZHeaderSection::ApplyStickyWidth(int Value) {
    TQZHeaderSections& sections = *FOwner->Sections();
    int pos = Position();
    // The last section keeps its width: the others already fill the header.
    if (pos != sections.Count() - 1) {
        int headerWidth = FOwner->Width();
        int oldRest = headerWidth - (Left() + FWidth);
        if (oldRest == 0)
            oldRest = 1;
        int newRest = headerWidth - (Left() + Value);
        TQZHeaderSection* lastRescaled = nullptr;
        for (int i = pos + 1; i < sections.Count(); ++i) {
            TQZHeaderSection* s = sections.ItemByPos(i);
            if (s->FResizable && s->Visible()) {
                s->FWidth = Rescaled(s->FWidth, oldRest, newRest);
                lastRescaled = s;
            }
        }
        FWidth = Value;
        int total = VisibleTotal(sections);
        if (lastRescaled && headerWidth > total)
            lastRescaled->FWidth += headerWidth - total;
        FOwner->AdjustStickySize(this);
    }
    FOwner->MarkStickySections();
    if (!FOwner->InStick())
        FOwner->InvalidateRight(FIndex);
}

void TQZHeaderSection::SetVisible(bool Value) {
    if (FVisible == Value)
        return;
    FOwner->BeginUpdate();
    bool parentShown = !FParentSection || FParentSection->Visible();
    if (FOwner->StickySections() && parentShown && !FOwner->InStick() && !FOwner->IsLoading()) {
        ApplyStickyVisible(Value);
    } else {
        FVisible = Value;
        FOwner->AdjustHeaderHeight();
        if (!FOwner->InStick() && parentShown)
            FOwner->InvalidateRight(FIndex);
    }
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
    FOwner->DoVisChanged(this);
    FOwner->EndUpdate();
}

void TQZHeaderSection::ApplyStickyVisible(bool Value) {
    FVisible = Value;
    TQZHeaderSections& sections = *FOwner->Sections();
    int headerWidth = FOwner->Width();
    int left = Left();
    int oldRest = headerWidth - (left + (Value ? 0 : FWidth));
    int newRest = headerWidth - (left + (Value ? FWidth : 0));
    if (oldRest == 0)
        oldRest = 1;
    int pos = Position();
    bool last = pos == sections.Count() - 1;
    int from = last ? 0 : pos + 1, to = last ? pos : sections.Count();
    for (int i = from; i < to; ++i) {
        TQZHeaderSection* s = sections.ItemByPos(i);
        if (s->FResizable)
            s->FWidth = Rescaled(s->FWidth, oldRest, newRest);
    }
    FOwner->AdjustStickySize(this);
    FOwner->MarkStickySections();
}

void TQZHeaderSection::SetResizable(bool Value) {
    FResizable = Value;
    if (FOwner->StickySections()) {
        FOwner->FStickySections = false;
        FOwner->SetStickySections(true);
    }
}

void TQZHeaderSection::SetLookupEnabled(bool Value) {
    if (!AssignChanged(FLookupEnabled, Value))
        return;
    if (Value) {
        FFilterEnabled = false;
        FOwner->EnsureSignHeight();
    }
    AutoSizeChanged();
    Redraw();
}

void TQZHeaderSection::SetFilterEnabled(bool Value) {
    if (!AssignChanged(FFilterEnabled, Value))
        return;
    if (Value) {
        FLookupEnabled = false;
        FOwner->EnsureSignHeight();
    }
    AutoSizeChanged();
    Redraw();
}

void TQZHeaderSection::SetFilterIsActive(bool Value) {
    if (!AssignChanged(FFilterIsActive, Value))
        return;
    if (FFilterEnabled)
        Redraw();
}

void TQZHeaderSection::SetShowSortMark(bool Value) {
    if (!AssignChanged(FShowSortMark, Value))
        return;
    if (FSortMode != hsmNone)
        Redraw();
}

void TQZHeaderSection::SetParentColor(bool Value) {
    if (!AssignChanged(FParentColor, Value))
        return;
    Redraw();
}

void TQZHeaderSection::SetTextLayout(TQZTextLayout Value) {
    if (!AssignChanged(FTextLayout, Value))
        return;
    Redraw();
}

void TQZHeaderSection::SetColor(TColor Value) {
    if (!AssignChanged(FColor, Value))
        return;
    FParentColor = false;
    Redraw();
}

void TQZHeaderSection::SetFontColor(TColor Value) {
    if (!AssignChanged(FFontColor, Value))
        return;
    FParentColor = false;
    Redraw();
}

void TQZHeaderSection::SetUseMainStyle(bool Value) {
    if (!AssignChanged(FUseMainStyle, Value))
        return;
    if (FOwner->Parent() && FOwner->Parent()->HandleAllocated())
        FOwner->Parent()->Invalidate();
}

void TQZHeaderSection::SetAutoSize(bool Value) {
    if (!AssignChanged(FAutoSize, Value))
        return;
    AutoSizeChanged();
}

void TQZHeaderSection::SetExpandable(bool Value) {
    if (!AssignChanged(FExpandable, Value))
        return;
    bool cleared = false;
    if (!Value)
        for (int i = 0; i < FOwner->Sections()->Count(); ++i) {
            TQZHeaderSection* s = FOwner->Sections()->ItemByPos(i);
            if (s->FParentSection == this) {
                s->FParentSection = nullptr;
                cleared = true;
            }
        }
    AutoSizeChanged();
    if (cleared && !FOwner->ComponentState().Contains(csDestroying) && FOwner->HandleAllocated())
        FOwner->Invalidate();
}

void TQZHeaderSection::SetExpanded(bool Value) {
    if (FExpanded == Value || !FExpandable)
        return;
    FExpanded = Value;
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
}

bool WouldMakeCycle(const TQZHeaderSection* Section, const TQZHeaderSection* NewParent) {
    for (const TQZHeaderSection* s = NewParent; s; s = s->ParentSection())
        if (s == Section)
            return true;
    return false;
}

void TQZHeaderSection::SetParentSection(TQZHeaderSection* Value) {
    if (FParentSection == Value || WouldMakeCycle(this, Value))
        return;
    FParentSection = Value;
    FOwner->DoVisChanged(this);
    FOwner->AdjustHeaderHeight();
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
}

void TQZHeaderSection::SetPopupMenu(TPopupMenu* Value) {
    if (!AssignChanged(FPopupMenu, Value))
        return;
    FPopupName = Value ? Value->Name() : std::string();
}

void TQZHeaderSection::SetLookupHistory(const TStrings* Value) {
    if (Value)
        FLookupHist->Assign(*Value);
}

void TQZHeaderSection::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TQZHeaderSection*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    CopyFields(*s);
    TQZHeaderSection* parent =
        s->FParentSection ? FOwner->Sections()->FindSection(s->FParentSection->FIndex) : nullptr;
    FParentSection = parent && !WouldMakeCycle(this, parent) ? parent : nullptr;
}

void TQZHeaderSection::CopyFields(const TQZHeaderSection& From) {
    const TQZHeaderSection* s = &From;
    FFieldType = s->FFieldType;
    Hint = s->Hint;
    FVisible = s->FVisible;
    FStyle = s->FStyle;
    FText = s->FText;
    FWidth = s->FWidth;
    Tag = s->Tag;
    FMinWidth = s->FMinWidth;
    FMaxWidth = s->FMaxWidth;
    FSortMode = s->FSortMode;
    FAllowClick = s->FAllowClick;
    FAlignment = s->FAlignment;
    FExpandable = s->FExpandable;
    FExpanded = s->FExpanded;
    FPopupMenu = s->FPopupMenu;
    FPopupName = s->FPopupName;
    FLookupEnabled = s->FLookupEnabled;
    FUseMainStyle = s->FUseMainStyle;
    FTextLayout = s->FTextLayout;
    FFilterEnabled = s->FFilterEnabled;
    FParentColor = s->FParentColor;
    FFontColor = s->FFontColor;
    FColor = s->FColor;
    FAutoSize = s->FAutoSize;
    PictureAlign = s->PictureAlign;
    FResizable = s->FResizable;
    ClickSelect = s->ClickSelect;
    FProtected = s->FProtected;
    FImageIndex = s->FImageIndex;
    FEditable = s->FEditable;
    FShowSortMark = s->FShowSortMark;
    int oldIndex = FIndex;
    FIndex = s->FIndex;
    if (FListed)
        FOwner->Sections()->Renumbered(this, oldIndex, FIntTag);
}
