// What lies under a point of the tree's client area: the view answers in its own coordinates,
// which start below the header and may start right of a bar on the left.
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/view/tree_view.h"

TQZTreeItem* TCustomQZTree::GetItemAt(int X, int Y, TSTItemPart& ItemPart, int& HitColumn) const {
    ItemPart = ipOutside;
    HitColumn = -1;
    if (!FTreeView)
        return nullptr;
    return FTreeView->GetItemAt(X - FTreeView->Left(), Y - FTreeView->Top(), ItemPart, HitColumn);
}

TQZTreeItem* TCustomQZTree::GetItemAtY(int Y) const {
    return FTreeView ? FTreeView->GetItemAt(0, Y - FTreeView->Top()) : nullptr;
}

TRect TCustomQZTree::GetItemRect(int ItemIndex) const {
    if (!FTreeView || FDestroying || ItemIndex < 0 || ItemIndex >= FView->FVisible.Count())
        return TRect{};
    return FTreeView->GetItemRect(ItemIndex).Offset(FTreeView->Left(), FTreeView->Top());
}
