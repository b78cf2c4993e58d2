#pragma once
#include "viewer/leak_rows.h"

#include <string>
#include <vector>

class TQZSortedNamedObjects;
class TQZTreeItem;

// The rows of the entries of named lists under one parent row, for one snapshot's list after
// another. The lists of neighbouring snapshots mostly hold the very same texts in the same
// order, so an entry whose text is the one at its place in the last list takes that slot again
// without a look-up. Lives within one pass over snapshots that stay in the store meanwhile.
class TLeakListSlots {
public:
    TLeakListSlots(TLeakRows& Rows, const TQZTreeItem* Parent, std::string ParentPath);
    // The slot of the row of each entry of List, TLeakRows::NoSlot for names without a row.
    const std::vector<size_t>& Of(const TQZSortedNamedObjects& List);

private:
    TLeakRows& FRows;
    const TQZTreeItem* FParent;
    std::string FParentPath;
    std::vector<const void*> FTexts;
    std::vector<size_t> FSlots;
};
