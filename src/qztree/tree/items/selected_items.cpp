#include "qztree/tree/items/selected_items.h"

#include "qztree/base/list.h"
#include "qztree/tree/items/tree_item.h"

void TQZSelectedList::Compact() const {
    if (int(FSlots.size()) == FCount)
        return;
    size_t kept = 0;
    for (TQZTreeItem* item : FSlots)
        if (item) {
            item->FSelSlot = int(kept);
            FSlots[kept++] = item;
        }
    FSlots.resize(kept);
}

TQZTreeItem* TQZSelectedList::Get(int Index) const {
    if (Index < 0 || Index >= FCount)
        return nullptr;
    Compact();
    return FSlots[size_t(Index)];
}

bool TQZSelectedList::Contains(const TQZTreeItem* Item) const {
    return Item && Item->FSelSlot >= 0 && Item->FSelSlot < int(FSlots.size()) &&
           FSlots[size_t(Item->FSelSlot)] == Item;
}

int TQZSelectedList::IndexOf(const TQZTreeItem* Item) const {
    if (!Contains(Item))
        return -1;
    Compact();
    return Item->FSelSlot;
}

void TQZSelectedList::Add(TQZTreeItem* Item) {
    if (!Item || Contains(Item))
        return;
    Item->FSelSlot = int(FSlots.size());
    FSlots.push_back(Item);
    ++FCount;
}

void TQZSelectedList::Remove(TQZTreeItem* Item) {
    if (!Contains(Item))
        return;
    FSlots[size_t(Item->FSelSlot)] = nullptr;
    Item->FSelSlot = -1;
    --FCount;
    if (FCount == 0)
        FSlots.clear();
    else if (FSlots.back() == nullptr)
        FSlots.pop_back();
}

void TQZSelectedList::Clear() {
    for (TQZTreeItem* item : FSlots)
        if (item)
            item->FSelSlot = -1;
    FSlots.clear();
    FCount = 0;
}

void TQZSelectedList::CopyTo(TQZList& Dest) const {
    Dest.Clear();
    Compact();
    Dest.SetCapacity(FCount);
    for (TQZTreeItem* item : FSlots)
        Dest.Add(item);
}
