#include "qztree/header/header.h"
#include "qztree/header/header_sections.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/string_list.h"
#include "rtl/value_scope.h"

#include <algorithm>

// The tree's header: its columns, their texts and widths, and what the tree does when they change.

void TCustomQZTree::CreateHeader() {
    FHeader = new TQZHeader(this);
}

void TCustomQZTree::AttachHeader() {
    if (!FHeader)
        return;
    TQZHeader& h = *FHeader;
    h.SetTabStop(false);
    h.SetVisible(false);
    h.SetTracking(false);
    h.SetAllowDrag(false);
    h.SetMultiSort(true);
    h.SetFont(Font());
    h.OnSectionResize = [this](TObject*, TQZHeaderSection* s) { OnHeaderSectionResize(s); };
    h.OnSectionShowHide = [this](TObject*, TQZHeaderSection* s) { OnHeaderSectionVisChange(s); };
    h.OnSectionChange = [this](TObject*, TQZHeaderSection* s, TSectionChangeMode c) {
        OnHeaderSectionChange(s, c);
    };
    h.OnSectionDelete = [this](TObject*, TQZHeaderSection* s) { OnHeaderSectionDelete(s); };
    h.OnSectionMove = [this](TObject*, TQZHeaderSection* s, int o, int n) {
        OnHeaderSectionMove(s, o, n);
    };
    h.OnSectionCreate = [this](TObject*, TQZHeaderSection* s) { OnHeaderSectionCreate(s); };
    h.OnSectionAutoSize = [this](TObject*, TQZHeaderSection* s) {
        HeaderSectionAutoSizeHandler(s);
    };
    h.OnSectionClick = [this](TObject*, TQZHeaderSection* s) {
        HeaderSectionClicked(s->Index(), GetKeyState(VK_CONTROL) < 0);
    };
    h.OnResize = [this](TObject*) { HeaderResizeHandler(); };
    h.SetParent(this);
}

void TCustomQZTree::HeaderBeginUpdate() {
    if (FHeader)
        FHeader->BeginUpdate();
}

void TCustomQZTree::HeaderEndUpdate() {
    if (FHeader)
        FHeader->EndUpdate();
}

TQZHeaderSection* TCustomQZTree::SectionOf(int SectionIndex) const {
    return FHeader && SectionIndex >= 0 ? FHeader->Sections()->Item(SectionIndex) : nullptr;
}

int TCustomQZTree::HeaderSectionCount() const {
    return FHeader ? FHeader->Sections()->Count() : 0;
}

bool TCustomQZTree::SectionBounds(int SectionIndex, int& Left, int& Right) const {
    TQZHeaderSection* section = SectionOf(SectionIndex);
    if (!section)
        return false;
    Left = section->Left();
    Right = section->Right();
    return true;
}

std::vector<TQZColumnSpan> TCustomQZTree::VisibleColumns() const {
    std::vector<TQZColumnSpan> columns;
    if (!FHeader)
        return columns;
    TQZHeaderSections& sections = *FHeader->Sections();
    TQZHeaderSection* locked = nullptr;
    auto span = [](TQZHeaderSection* s, bool Locked) {
        TQZColumnSpan column;
        column.Section = s->Index();
        column.Left = Locked ? 0 : s->Left();
        column.Right = Locked ? s->Width() : s->Right();
        column.Locked = Locked;
        column.Password = s->Password();
        column.Alignment = int(s->Alignment());
        column.Style = s->Style();
        return column;
    };
    for (int i = 0; i < sections.Count(); ++i) {
        TQZHeaderSection* s = sections.ItemByPos(i);
        if (!s->Visible())
            continue;
        if (s->Locked())
            locked = s;
        else
            columns.push_back(span(s, false));
    }
    // The locked column does not scroll and is painted over the others.
    if (locked)
        columns.push_back(span(locked, true));
    return columns;
}

int TCustomQZTree::SectionsWidth() const {
    return FHeader ? FHeader->SectionsWidth() : 0;
}

TQZSectionStyle TCustomQZTree::MainColumnStyle() const {
    TQZHeaderSection* section = FShowHeader ? SectionOf(FMainTreeCol) : nullptr;
    return section ? section->Style() : QZhsText;
}

TQZFieldType TCustomQZTree::SectionFieldType(int SectionIndex) const {
    TQZHeaderSection* section = SectionOf(SectionIndex);
    return section ? section->FieldType() : sftText;
}

TQZSSortMode TCustomQZTree::SectionSortMark(int SectionIndex) const {
    TQZHeaderSection* section = SectionOf(SectionIndex);
    return section ? section->SortMode() : hsmNone;
}

void TCustomQZTree::SetSectionSortMark(int SectionIndex, TQZSSortMode Mark) {
    if (TQZHeaderSection* section = SectionOf(SectionIndex))
        section->SetSortMode(Mark);
}

void TCustomQZTree::SetHeaderMultiSort(bool Value) {
    if (FHeader)
        FHeader->SetMultiSort(Value);
}

int TCustomQZTree::HeaderHeight() const {
    return FHeader ? FHeader->Height() : 0;
}

void TCustomQZTree::SetHeaderHeight(int Value) {
    if (!FHeader)
        return;
    if (IsLoading() || ComponentState().Contains(csLoading)) {
        FHeaderHeight = Value;
        return;
    }
    if (Value == FHeader->Height())
        return;
    FHeader->SetHeight(Value);
    AlignPieces();
    if (FBackgroundType != bgtColorFill && FBackgroundType != bgtCenterBitmap)
        RedoViewBuffer();
    ApplyEffects({teVisRows, teAll});
}

int TCustomQZTree::LayoutHeaderHeight() {
    if (!FHeader)
        return 0;
    FHeader->AdjustHeaderHeight();
    return FHeader->Height();
}

void TCustomQZTree::PlaceHeader(const TRect& Bounds) {
    if (!FHeader)
        return;
    if (!FShowHeader) {
        FHeader->SetVisible(false);
        FHeader->SetBounds(0, 0, 0, 0);
        return;
    }
    TRect r = Bounds;
    if (FHeader->StickySections())
        ++r.Right;
    FHeader->SetBoundsRect(r);
    FHeader->SetVisible(true);
}

TQZHeaderSections* TCustomQZTree::HeaderSections() const {
    return FHeader ? FHeader->Sections() : nullptr;
}

void TCustomQZTree::SetHeaderSections(const TQZHeaderSections* Value) {
    if (!FHeader || !Value)
        return;
    TQZTreeLock lock(this);
    FHeader->Sections()->Assign(Value);
    ApplyEffects({teRows});
}

TStrings* TCustomQZTree::HeadersTexts() {
    auto& list = *FHeadersTexts;
    // Filled from the header each time it is read; what is then written to it reaches the header.
    TValueScope<bool> filling(FFillingHeadersTexts, true);
    list.Clear();
    const int count = HeaderSectionCount();
    for (int i = 0; i < count; ++i)
        list.Add(SectionOf(i) ? SectionOf(i)->Text() : std::string());
    return &list;
}

void TCustomQZTree::SetHeadersTexts(const TStrings* Value) {
    // An empty list changes nothing; otherwise line 0 always counts, then up to the last line
    // with text.
    if (!FHeader || !Value || Value->Count() == 0)
        return;
    int last = 0;
    for (int i = Value->Count() - 1; i > 0; --i)
        if (!Value->Get(i).empty()) {
            last = i;
            break;
        }
    TQZTreeLock lock(this);
    for (int i = 0; i <= last; ++i) {
        while (HeaderSectionCount() < i + 1)
            FHeader->Sections()->AddSection();
        SectionOf(i)->SetText(Value->Get(i));
    }
}

void TCustomQZTree::HeadersTextsLineSet(int Index, const std::string& Text) {
    if (Index >= 0 && Index < HeaderSectionCount())
        SectionOf(Index)->SetText(Text);
}

void TCustomQZTree::SetShowHeader(bool Value) {
    if (!FHeader || Value == FShowHeader)
        return;
    const bool reading =
        ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || IsLoading();
    if (Value && HeaderSectionCount() == 0 && !reading)
        return;
    FShowHeader = Value;
    if (!(Value && RangeFollowsHeader()))
        FView->FHRange = -1;
    {
        TQZTreeLock lock(this);
        FView->MarkVisibility();
        FUpdated = true;
    }
    if (FBackgroundType != bgtColorFill && FBackgroundType != bgtCenterBitmap)
        RedoViewBuffer();
    AlignPieces();
}

void TCustomQZTree::HeaderLeftPosChanged() {
    if (FHeader)
        FHeader->SetLeftPos(FView->FHPos);
}

void TCustomQZTree::HeaderRightAlignedOrder(bool Value) {
    if (FHeader)
        FHeader->SetRightAlignedOrder(Value);
}

void TCustomQZTree::ApplyHeaderFont() {
    if (FHeader)
        FHeader->SetFont(FHeaderUseTreeFont ? Font() : FHeaderFont.get());
}

void TCustomQZTree::SetHeaderHotTrack(bool Value) {
    FHeaderHotTrack = Value;
    if (FHeader)
        FHeader->SetTracking(Value);
}

std::vector<TQZXPThemedControl*> TCustomQZTree::ThemedPieces() const {
    std::vector<TQZXPThemedControl*> pieces;
    for (TQZXPThemedControl* piece :
         {static_cast<TQZXPThemedControl*>(FHeader), static_cast<TQZXPThemedControl*>(FHScrollBar),
          static_cast<TQZXPThemedControl*>(FVScrollBar)})
        if (piece)
            pieces.push_back(piece);
    return pieces;
}

// ---- Column widths

void TCustomQZTree::AutoSizeColumn(int SectionIndex) {
    if (IsUpdating()) {
        FColSizeUpdate = true;
        FUpdated = true;
        return;
    }
    TQZHeaderSection* section = SectionOf(SectionIndex);
    if (!section || !section->AutoSize())
        return;
    section->SetWidth(
        std::max(FHeader->MeasureSectionWidth(section), MeasureColumnWidth(SectionIndex, true)));
    OnHeaderSectionResize(section);
}

void TCustomQZTree::AutoSizeAllColumns() {
    if (FAutoSizingColumns)
        return;
    if (IsUpdating()) {
        FUpdated = true;
        FColSizeUpdate = true;
        return;
    }
    TValueScope<bool> sizing(FAutoSizingColumns, true);
    for (int i = 0; i < HeaderSectionCount(); ++i)
        AutoSizeColumn(i);
}

void TCustomQZTree::HeaderSectionAutoSizeHandler(TQZHeaderSection* Section) {
    if (!Section)
        return;
    if (Section->AutoSize())
        return AutoSizeColumn(Section->Index());
    if (!FAutoResizeColumns)
        return Fire(OnHeaderSectionAutoSize, this, Section->Index());
    Section->SetWidth(std::max(FHeader->MeasureSectionWidth(Section),
                               MeasureColumnWidth(Section->Index(), true)));
    OnHeaderSectionResize(Section);
}

// ---- The header's notices

void TCustomQZTree::OnHeaderSectionResize(TQZHeaderSection* Section) {
    {
        TQZTreeLock lock(this);
        FUpdated = true;
        FView->FRangeUpdate = true;
        FView->FClearVis = true;
        if (FVerticalLines)
            FView->FClearAll = true;
    }
    if (Section)
        DoOnColumnResize(Section->Index());
}

void TCustomQZTree::OnHeaderSectionVisChange(TQZHeaderSection* Section) {
    {
        TQZTreeLock lock(this);
        FUpdated = true;
        FView->FClearAll = true;
        FView->FHRange = -1;
    }
    if (FTreeView && SectionsWidth() < FTreeView->Width()) {
        if (FHeader->HandleAllocated())
            FHeader->Invalidate();
        SetLeftPosition(0);
    }
}

void TCustomQZTree::OnHeaderSectionChange(TQZHeaderSection* Section, TSectionChangeMode Change) {
    if (!Section || !Section->Visible())
        return;
    if (Change == scmCaption || (Change == scmFieldType && FOwnerDrawByColumn)) {
        TQZTreeLock lock(this);
        FUpdated = true;
        FView->FClearAll = true;
    } else if (Change == scmPassword && FTreeView && FTreeView->HandleAllocated()) {
        FTreeView->Invalidate();
    }
}

void TCustomQZTree::OnHeaderSectionDelete(TQZHeaderSection* Section) {
    if (HeaderSectionCount() <= 1)
        SetShowHeader(false);
    {
        TQZTreeLock lock(this);
        if (FShowHeader && RangeFollowsHeader())
            FView->FClearVis = true;
        else
            FView->FHRange = -1;
        FUpdated = true;
    }
    AlignPieces();
    if (FSortSection >= HeaderSectionCount() - 1)
        SetSortSection(-1);
    if (Section) {
        RemoveSortSection(Section->Index(), false);
        if (FSortMode == smClick || FSortMode == smAddClick)
            FSortRequired = true;
    }
}

void TCustomQZTree::OnHeaderSectionMove(TQZHeaderSection* Section, int OldPos, int NewPos) {
    {
        TQZTreeLock lock(this);
        FUpdated = true;
        FView->FClearAll = true;
    }
    if (Section)
        TriggerHeaderColumnMoveEvent(Section->Index(), OldPos, NewPos);
}

void TCustomQZTree::OnHeaderSectionCreate(TQZHeaderSection* Section) {
    {
        TQZTreeLock lock(this);
        FUpdated = true;
    }
    AlignPieces();
}

void TCustomQZTree::DoHeaderResize() {
    if ((FTreeView && FTreeView->Painting()) || FIgnoreResizes || !FHeader)
        return;
    {
        TQZTreeLock lock(this);
        FUpdated = true;
        FView->FRangeUpdate = true;
        FView->FClearVis = true;
        if (FHeader->Height() != SavedHH) {
            FView->FClearAll = true;
            FView->FVisUpdated = true;
        }
    }
    if (FShowHeader && FHeader->Height() != SavedHH)
        AlignPieces();
    FHeader->SetLeftPos(FView->FHPos);
}
