#include "qztree/base/themes.h"
#include "qztree/header/header_section.h"
#include "qztree/scroll_bar/scroll_bar_styles.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>

// What the tree's options do when they change.

void TCustomQZTree::ApplyEffects(TQZTreeEffects Effects) {
    if (Effects.Empty() || IsDestroying())
        return;
    if (Effects.Contains(teWindow)) {
        if (HandleAllocated())
            RecreateWnd();
        return;
    }
    {
        TQZTreeLock lock(this);
        if (Effects.Contains(teHeight) && FAutoLineHeight) {
            const int height = DefineLineHeight();
            if (height != FLineHeight) {
                FLineHeight = height;
                FView->FClearVis = FView->FClearAll = true;
                FUpdated = true;
            }
        }
        if (Effects.Contains(teRange) && !RangeFollowsHeader())
            FView->FHRange = -1;
        if (Effects.Contains(teVisRows))
            FView->FClearVis = true;
        if (Effects.Contains(teRows)) {
            FView->FRangeUpdate = true;
            FUpdated = true;
        }
        if (Effects.Contains(teAll) || Effects.Contains(teVisRows)) {
            FView->FClearAll = true;
            FUpdated = true;
        }
    }
    if (Effects.Contains(teLayout))
        AlignPieces();
    if (Effects.Contains(teBuffer))
        RedoViewBuffer();
    if (Effects.Contains(teFrame))
        UpdateFrame();
    if (Effects.Contains(teInvalidate) && HandleAllocated()) {
        Invalidate();
        if (FTreeView)
            FTreeView->Invalidate();
    }
}

bool TCustomQZTree::RangeFollowsHeader() const {
    if (!FShowHeader)
        return false;
    for (int i = 0; i < FAllList.Count(); ++i)
        if (static_cast<const TQZTreeItem*>(FAllList.FastGet(i))->FullTextOut())
            return false;
    return true;
}

void TCustomQZTree::RedoViewBuffer() {
    if (FTreeView) {
        FTreeView->RedoTmpBmp();
        FTreeView->Invalidate();
    }
}

void TCustomQZTree::SetMainTreeColumn(int Value) {
    // Out of range, including below 0, is the first column.
    if (Value < 0 || Value >= std::max(HeaderSectionCount(), 1))
        Value = 0;
    SetOption(FMainTreeCol, Value, {teRows});
}

void TCustomQZTree::SetSelectColumn(int Value) {
    if (Value < -1 || Value == FSelectColumn)
        return;
    if (Value >= HeaderSectionCount() && !IsLoading() && !ComponentState().Contains(csLoading))
        return;
    FSelectColumn = Value;
    if (FRowSelect)
        return;
    if (FMultiSelect)
        ApplyEffects({teAll});
    else
        RedrawFocused();
}

void TCustomQZTree::RedrawFocused() {
    if (TQZTreeItem* focused = GetFocused())
        focused->RedrawItem(true);
}

void TCustomQZTree::SetSortSection(int Value) {
    // A negative section sorts by no column.
    FSortSections.clear();
    SetOption(FSortSection, std::max(Value, -1), {});
}

void TCustomQZTree::SetDblClickMode(TQZDblClickMode Value) {
    FDblClickMode = Value;
}

void TCustomQZTree::SetExpandOnDblClick(bool Value) {
    if (Value)
        FDblClickMode = dcmExpand;
    else if (FDblClickMode == dcmExpand)
        FDblClickMode = dcmNone;
}

void TCustomQZTree::SetAutoLineHeight(bool Value) {
    if (Value == FAutoLineHeight)
        return;
    FAutoLineHeight = Value;
    TQZTreeLock lock(this);
    if (Value)
        FLineHeight = DefineLineHeight();
    FView->FClearVis = FView->FClearAll = true;
    FUpdated = true;
}

void TCustomQZTree::SetDoubleBufferedView(bool Value) {
    FDoubleBufferedView = Value;
    if (FTreeView)
        FTreeView->SetDoubleBuffered(Value);
}

void TCustomQZTree::SetRowHotTrack(bool Value) {
    if (Value == FRowHotTrack)
        return;
    FRowHotTrack = Value;
    if (FTracking && FView->FTrackItem)
        FView->FTrackItem->RedrawItem(true);
}

void TCustomQZTree::SetDrawFocusRect(bool Value) {
    if (Value == FDrawFocusRect)
        return;
    FDrawFocusRect = Value;
    RedrawFocused();
}

void TCustomQZTree::SetForcedScrollBars(TQZScrollBarSides Value) {
    if (Value == FForcedScrollBars)
        return;
    FForcedScrollBars = Value;
    if (HandleAllocated() && !FUseCustomScrollBars)
        RecreateWnd();
    TQZTreeLock lock(this);
    FUpdated = true;
}

void TCustomQZTree::SetRightAlignedTree(bool Value) {
    if (Value == FRightAlignedTree)
        return;
    FRightAlignedTree = Value;
    ApplyRightAlignedTree();
}

void TCustomQZTree::ApplyRightAlignedTree() {
    HeaderRightAlignedOrder(FRightAlignedTree);
    if (!FShowHeader) {
        if (FView->FHRange == -1)
            FView->DefineHRange();
        SetLeftPosition(FRightAlignedTree ? FView->FHRange : 0);
    }
    if (FTreeView)
        FTreeView->Invalidate();
}

void TCustomQZTree::SetDragTrgDrawMode(TDragTargetDraw Value) {
    if (Value == FDragTrgDrawMode)
        return;
    FDragTrgDrawMode = Value;
    if (FTreeView)
        FTreeView->RedrawDropTarget();
}

void TCustomQZTree::SetDragRectColor(TColor& Field, TColor Value) {
    if (Field == Value)
        return;
    Field = Value;
    const TDragTargetDraw mode = FDragTrgDrawMode;
    const bool shown = mode == ColorFrame || mode == ColorRect || mode == dtdUpColorLine ||
                       mode == dtdDownColorLine;
    if (shown && FTreeView)
        FTreeView->RedrawDropTarget();
}

void TCustomQZTree::SetImageList(TImageList*& Field, TImageList* Value) {
    if (Field == Value)
        return;
    if (Field) {
        Field->UnRegisterChanges(&FImageChangeLink);
        Field->RemoveFreeNotification(this);
    }
    Field = Value;
    if (Value) {
        Value->RegisterChanges(&FImageChangeLink);
        Value->FreeNotification(this);
    }
    if (!IsDestroying())
        ImageListChange(Value);
}

void TCustomQZTree::ImageListChange(TObject* Sender) {
    if (IsDestroying())
        return;
    TQZTreeLock lock(this);
    ApplyEffects({teHeight});
    const TQZHeaderSection* main = SectionOf(FMainTreeCol);
    if (RangeFollowsHeader() && main && main->AutoSize()) {
        AutoSizeColumn(FMainTreeCol);
    } else {
        // Wider or narrower pictures move the right end a right-aligned tree is kept at.
        ApplyEffects({teRange});
        ApplyRightAlignedTree();
    }
    ApplyEffects({teRows});
}

void TCustomQZTree::SetBackground(const TBitmap* Value) {
    FBackground->Assign(Value);
}

void TCustomQZTree::BackgroundChange(TObject* Sender) {
    if (FBackground->Empty())
        FBackgroundType = bgtColorFill;
    RedoViewBuffer();
}

TBitmap* TCustomQZTree::Glyph(std::unique_ptr<TBitmap>& Field) const {
    if (!Field) {
        Field = std::make_unique<TBitmap>();
        auto* self = const_cast<TCustomQZTree*>(this);
        Field->OnChange = [self](TObject* Sender) { self->GlyphChange(Sender); };
    }
    return Field.get();
}

void TCustomQZTree::SetPicture(std::unique_ptr<TBitmap>& Field, const TBitmap* Value) {
    Glyph(Field)->Assign(Value);
}

void TCustomQZTree::SetPlusPicture(const TBitmap* Value) {
    SetPicture(FPlusPicture, Value);
}

void TCustomQZTree::SetMinusPicture(const TBitmap* Value) {
    SetPicture(FMinusPicture, Value);
}

void TCustomQZTree::SetLeafPicture(const TBitmap* Value) {
    SetPicture(FLeafPicture, Value);
}

void TCustomQZTree::SetCheckBoxGlyph(const TBitmap* Value) {
    SetPicture(FCheckBoxGlyph, Value);
}

void TCustomQZTree::SetRadioButtonGlyph(const TBitmap* Value) {
    SetPicture(FRadioButtonGlyph, Value);
}

void TCustomQZTree::GlyphChange(TObject* Sender) {
    const bool checkGlyph = Sender == FCheckBoxGlyph.get() || Sender == FRadioButtonGlyph.get();
    if (checkGlyph ? !FCustomCheckboxes || (FTreeView && FTreeView->Painting()) : !FCustomPlusMinus)
        return;
    TQZTreeLock lock(this);
    FView->FVisUpdated = true;
    ApplyEffects({teHeight, teRows});
}

void TCustomQZTree::SetHeaderUseTreeFont(bool Value) {
    if (Value == FHeaderUseTreeFont)
        return;
    FHeaderUseTreeFont = Value;
    ApplyHeaderFont();
}

void TCustomQZTree::SetHeaderFont(const TFont* Value) {
    FHeaderFont->Assign(Value); // its change notice passes it on
}

void TCustomQZTree::HeaderFontChanged(TObject*) {
    if (!FHeaderUseTreeFont)
        ApplyHeaderFont();
}

void TCustomQZTree::SetHint(const std::string& Value) {
    TQZXPThemedControl::SetHint(Value);
    FRealHint = Value;
    if (FTreeView)
        FTreeView->SetHint(Value);
}

void TCustomQZTree::SetCursor(TCursor Value) {
    TQZXPThemedControl::SetCursor(Value);
    if (FTreeView)
        FTreeView->SetCursor(Value);
}

void TCustomQZTree::SetDragCursor(TCursor Value) {
    TQZXPThemedControl::SetDragCursor(Value);
    if (FTreeView)
        FTreeView->SetDragCursor(Value);
}

int TCustomQZTree::EffectiveCheckBoxSize() const {
    // With a theme the box is as large as the theme draws it.
    if (!IsThemeApplied() || !FTreeView || !FTreeView->HandleAllocated() ||
        !ThemeApi.OpenThemeData || !ThemeApi.GetThemePartSize || !ThemeApi.CloseThemeData)
        return FCheckBoxSize;
    HTHEME theme = ThemeApi.OpenThemeData(FTreeView->WindowHandle(), L"BUTTON");
    if (!theme)
        return FCheckBoxSize;
    constexpr int BP_CHECKBOX = 3;
    SIZE size{};
    const bool measured = SUCCEEDED(
        ThemeApi.GetThemePartSize(theme, nullptr, BP_CHECKBOX, 1, nullptr, THEME_SIZE_TRUE, &size));
    ThemeApi.CloseThemeData(theme);
    return measured && size.cy > 0 ? int(size.cy) : FCheckBoxSize;
}

void TCustomQZTree::SetVirtualityLevel(TVirtualityLevel Value) {
    if (Value == FVirtualityLevel)
        return;
    TQZTreeLock lock(this);
    FVirtualityLevel = Value;
    if (FTreeView) {
        if (Value == vlNone)
            FTreeView->VirtStyle.reset();
        else if (!FTreeView->VirtStyle)
            FTreeView->VirtStyle = std::make_unique<TQZCellStyle>(nullptr);
    }
    for (int i = 0; i < FAllList.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        if (Value == vlNone)
            item->NewStaticData();
        else
            item->DisposeStaticData();
    }
    FView->MarkVisibility();
    FUpdated = true;
}

void TCustomQZTree::SetHorzScrollBarStyles(const TQZScrollBarStyles* Value) {
    FHorzScrollBarStyle->Assign(Value);
}

void TCustomQZTree::SetVertScrollBarStyles(const TQZScrollBarStyles* Value) {
    FVertScrollBarStyle->Assign(Value);
}
