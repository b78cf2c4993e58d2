#pragma once
#include <vector>

class TQZList;
class TQZTreeItem;

// The selected items in the order they were selected. An item knows its slot, so removing it
// leaves a hole instead of shifting the rest; holes are closed before the next read by place.
class TQZSelectedList {
public:
    int Count() const { return FCount; }
    TQZTreeItem* Get(int Index) const;
    TQZTreeItem* First() const { return FCount > 0 ? Get(0) : nullptr; }
    bool Contains(const TQZTreeItem* Item) const;
    int IndexOf(const TQZTreeItem* Item) const;

    void Add(TQZTreeItem* Item);
    void Remove(TQZTreeItem* Item);
    void Clear();
    // The entries in selection order, as the tree's bulk operations take them.
    void CopyTo(TQZList& Dest) const;

private:
    void Compact() const;

    mutable std::vector<TQZTreeItem*> FSlots;
    int FCount = 0;
};
