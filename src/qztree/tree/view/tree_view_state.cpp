#include "qztree/tree/view/tree_view_state.h"

void TQZTreeViewState::ForgetItem(const TQZTreeItem* Item) {
    for (TQZTreeItem** slot : {&FSelected, &FFocused, &FPassedItem, &FTrackItem, &FClickItem,
                               &FDropTrg, &FHintItemEx, &FMFSStartItem, &FMFSEndItem})
        if (*slot == Item)
            *slot = nullptr;
    const int row = FVisible.IndexOf(Item);
    if (row >= 0)
        FVisible.IntDelete(row);
    const int toggled = FMFSList.IndexOf(Item);
    if (toggled >= 0)
        FMFSList.IntDelete(toggled);
}
