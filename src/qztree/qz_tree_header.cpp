#include "qztree/custom_qz_tree.h"
#include "qztree/scroll_bar.h"
#include "qztree/tree_view.h"
#include "rtl/string_list.h"

// The tree's header: columns, their texts and widths.

void TCustomQZTree::CreateHeader() {}

void TCustomQZTree::AttachHeader() {}

void TCustomQZTree::HeaderBeginUpdate() {}

void TCustomQZTree::HeaderEndUpdate() {}

int TCustomQZTree::HeaderSectionCount() const {
    return 0;
}

bool TCustomQZTree::SectionBounds(int SectionIndex, int& Left, int& Right) const {
    return false;
}

std::vector<TQZColumnSpan> TCustomQZTree::VisibleColumns() const {
    return {};
}

int TCustomQZTree::SectionsWidth() const {
    return 0;
}

TQZSectionStyle TCustomQZTree::MainColumnStyle() const {
    return QZhsText;
}

int TCustomQZTree::HeaderHeight() const {
    return 0;
}

void TCustomQZTree::SetHeaderHeight(int Value) {}

int TCustomQZTree::LayoutHeaderHeight() {
    return 0;
}

void TCustomQZTree::PlaceHeader(const TRect& Bounds) {}

TStrings* TCustomQZTree::HeadersTexts() {
    return FHeadersTexts.get();
}

void TCustomQZTree::SetHeadersTexts(const TStrings* Value) {}

void TCustomQZTree::HeadersTextsLineSet(int Index, const std::string& Text) {}

void TCustomQZTree::SetShowHeader(bool Value) {}

void TCustomQZTree::HeaderLeftPosChanged() {}

void TCustomQZTree::HeaderRightAlignedOrder(bool Value) {}

void TCustomQZTree::ApplyHeaderFont() {}

void TCustomQZTree::SetHeaderHotTrack(bool Value) {
    FHeaderHotTrack = Value;
}

std::vector<TQZXPThemedControl*> TCustomQZTree::ThemedPieces() const {
    std::vector<TQZXPThemedControl*> pieces;
    for (TQZXPThemedControl* piece : {static_cast<TQZXPThemedControl*>(FHScrollBar),
                                      static_cast<TQZXPThemedControl*>(FVScrollBar)})
        if (piece)
            pieces.push_back(piece);
    return pieces;
}

void TCustomQZTree::AutoSizeColumn(int SectionIndex) {
    if (IsUpdating()) {
        FColSizeUpdate = true;
        FUpdated = true;
    }
}

void TCustomQZTree::AutoSizeAllColumns() {
    if (IsUpdating()) {
        FColSizeUpdate = true;
        FUpdated = true;
    }
}
