#include "qztree/header/header_section.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>

// What a cell needs in width and height, measured the way painting lays it out: the cell's
// style, owner drawing, controls, pictures and fonts, so that auto-sized columns and rows of
// their own height fit what is drawn.

namespace {
// The font a cell's text is drawn in: the look of the cell's style, or the row's.
void CellFont(TFont& Font, const TFont& Base, TQZTreeItem* Item, TQZCellStyle* Style) {
    if (Style && !Style->OwnerProps())
        Style->StateStyle()->GetCellStateStyle(Item)->ApplyFont(Font, Base);
    else
        Item->LookStyles()->GetStateStyle(Item)->ApplyFont(Font, Base);
}
} // namespace

TQZCellStyle* TCustomQZTree::CellStyle(TQZTreeItem* Item, int SectionIndex) {
    if (!Item->UseStyles())
        return nullptr;
    if (FVirtualityLevel != vlNone) {
        TQZCellStyle* shared = FTreeView ? FTreeView->VirtStyle.get() : nullptr;
        if (shared)
            TriggerVirtualStyleNeeded(Item, SectionIndex, shared);
        return shared;
    }
    if (SectionIndex < 0 || SectionIndex == FMainTreeCol)
        return Item->MainStyle();
    TQZCellStyle* style =
        Item->Styles(SectionIndex > FMainTreeCol ? SectionIndex - 1 : SectionIndex);
    return style ? style : Item->MainStyle();
}

bool TCustomQZTree::OwnerDrawnCell(int SectionIndex, const std::string& Text,
                                   const TQZCellStyle* Style) const {
    if (Style && Style->Style == QZhsOwnerDraw)
        return true;
    if (!FOwnerDrawByColumn)
        return Text == FOwnerDrawMask;
    const TQZHeaderSection* section = FShowHeader ? SectionOf(SectionIndex) : nullptr;
    return section && section->Style() == QZhsOwnerDraw;
}

int TCustomQZTree::MeasureColumnWidth(int SectionIndex, bool VisibleOnly) {
    if (SectionIndex >= HeaderSectionCount())
        return 0;
    int widest = 0;
    for (int j = 0; j < FAllList.Count();) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(j));
        if (VisibleOnly && FFilteredVisibility && item->Hidden()) {
            j += item->ChildrenCount() + 1;
            continue;
        }
        widest = std::max(widest, MeasureCell(item, SectionIndex).cx);
        j += VisibleOnly && item->Count() > 0 && !item->Expanded() ? item->ChildrenCount() + 1 : 1;
    }
    return widest;
}

TSize TCustomQZTree::MeasureText(TQZTreeItem* Item, const std::string& Text, const TFont& Font,
                                 int WrapWidth) {
    TCanvas* canvas = FTreeView ? FTreeView->Canvas() : nullptr;
    if (!canvas)
        return TSize{int(Text.size()) * 7, FLineHeight};
    TRect r = Rect(0, 0, std::max(WrapWidth, 1), 0);
    TFont saved;
    saved.Assign(canvas->Font());
    canvas->SetFont(&Font);
    unsigned flags = DT_CALCRECT | DT_NOPREFIX;
    flags |= Item->Multiline() ? 0u : unsigned(DT_SINGLELINE);
    if (Item->WordBreak())
        flags |= DT_WORDBREAK;
    if (FRightAlignedText)
        flags |= DT_RTLREADING;
    canvas->DrawText(Text, r, flags);
    canvas->SetFont(&saved);
    return TSize{r.Width(), r.Height()};
}

TSize TCustomQZTree::MeasureColumnCell(TQZTreeItem* Item, int SectionIndex) {
    const int margin = FItemIndent / 5 * 3;
    const std::string text = CellText(Item, SectionIndex);
    TQZCellStyle* style = CellStyle(Item, SectionIndex);
    if (OwnerDrawnCell(SectionIndex, text, style)) {
        TPoint size{0, FLineHeight};
        TriggerMeasureItemPartEvent(Item, SectionIndex, size);
        return TSize{size.X + margin, size.Y};
    }
    const TQZHeaderSection* section = SectionOf(SectionIndex);
    const int sectionWidth = section ? section->Width() : 0;
    if (style && !style->OwnerProps() && style->Control() && style->Control()->Visible())
        return TSize{sectionWidth, FLineHeight};
    if (style && style->Style == QZhsPictureOnly)
        return style->Picture && !style->Picture->Empty()
                   ? TSize{style->Picture->Width(), style->Picture->Height()}
                   : TSize{0, FLineHeight};
    TFont font;
    CellFont(font, *Font(), Item, style);
    const bool password = section && section->Password();
    const TSize size =
        MeasureText(Item, password ? std::string("******") : text, font, sectionWidth - margin);
    return TSize{margin + size.cx + 4, std::max(FLineHeight, size.cy + 3)};
}

TSize TCustomQZTree::MeasureCell(TQZTreeItem* Item, int SectionIndex) {
    const bool mainColumn = SectionIndex < 0 || SectionIndex == FMainTreeCol;
    if (!mainColumn)
        return MeasureColumnCell(Item, SectionIndex);
    const int margin = FItemIndent / 5 * 3;
    const bool rootMarks = (FShowRoot && FShowLines) || (FShowButtons && FShowRootButtons);
    int x = (rootMarks ? FItemIndent : FItemIndent / 5) + FItemIndent * Item->Level();
    const bool checkBox = FShowCheckboxes && Item->ShowCheckBox();
    if (checkBox)
        x += FCustomCheckboxes ? CheckBoxGlyph()->Width() / 6 : FCheckBoxSize;
    if (FShowImages) {
        TImageList* list2 = FImages2 ? FImages2 : FImages;
        const int index2 = DoGetPicture2(Item);
        const bool second =
            list2 && ((index2 >= 0 && index2 < list2->Count()) || FShowEmptyImages2);
        if (second)
            x += list2->Width() + FImageTextDelta + (checkBox ? FItemIndent / 3 : 0);
        const int index = DoGetPicture(Item);
        if (FImages && ((index >= 0 && index < FImages->Count()) || FShowEmptyImages))
            x += FImages->Width() + FImageTextDelta + (second || checkBox ? FItemIndent / 3 : 0);
    }
    int height = FLineHeight;
    TQZCellStyle* style = Item->UseStyles() ? Item->MainStyle() : nullptr;
    const int section = SectionIndex < 0 ? FMainTreeCol : SectionIndex;
    x += margin;
    if (OwnerDrawnCell(section, Item->Text(), style)) {
        TPoint size{0, FLineHeight};
        TriggerMeasureItemPartEvent(Item, section, size);
        x += size.X;
        height = size.Y;
    } else if (style && !style->OwnerProps() && dynamic_cast<TQZCellCheckBox*>(style->Control())) {
        x += EffectiveCheckBoxSize() + 3;
    } else {
        TFont font;
        Item->LookStyles()->GetStateStyle(Item)->ApplyFont(font, *Font());
        const int clientWidth = FTreeView ? FTreeView->ClientWidth() : 0;
        const TSize text = MeasureText(Item, Item->Text(), font,
                                       std::max(FView->FHRange, clientWidth + FView->FHPos) - x);
        x += text.cx;
        height = std::max(FLineHeight, text.cy + 1);
    }
    if (FShowHeader)
        x += FVerticalLines ? 4 : 2;
    return TSize{x, height};
}
