#include "viewer/leak_list_slots.h"

#include "tools/sorted_lists.h"

TLeakListSlots::TLeakListSlots(TLeakRows& Rows, const TQZTreeItem* Parent, std::string ParentPath)
    : FRows(Rows), FParent(Parent), FParentPath(std::move(ParentPath)) {}

const std::vector<size_t>& TLeakListSlots::Of(const TQZSortedNamedObjects& List) {
    const size_t count = size_t(List.Count());
    FTexts.resize(count, nullptr);
    FSlots.resize(count, TLeakRows::NoSlot);
    for (size_t i = 0; i < count; ++i) {
        const TSharedText& name = List.Items(int(i))->RealName;
        // The same text as at this place of the last list: the same row. Places new to this
        // list hold no text yet, as does an empty name, which is looked up every time.
        if (FTexts[i] && FTexts[i] == name.Identity())
            continue;
        FTexts[i] = name.Identity();
        FSlots[i] = FRows.Find(FParent, FParentPath, name);
    }
    return FSlots;
}
