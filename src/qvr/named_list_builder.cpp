#include "qvr/named_list_builder.h"

#include "tools/sorted_lists.h"

TNamedListBuilder::TNamedListBuilder(TQZSortedNamedObjects& list, TSnapshotTexts& texts)
    : FList(list), FTexts(texts), FGathering(list.Count() == 0) {}

TNamedListBuilder::~TNamedListBuilder() {
    if (FList.FlagDestroyObject)
        for (auto& entry : FEntries)
            delete entry.second.Object;
}

TObject*& TNamedListBuilder::Slot(const TSharedText& name) {
    if (FGathering) {
        auto [entry, added] = FEntries.try_emplace(FTexts.Key(name));
        if (added)
            entry->second.Name = name;
        return entry->second.Object;
    }
    int index = 0;
    if (!FTexts.FindName(FList, name, index))
        FTexts.InsertName(FList, index, name, nullptr);
    return FList.Items(index)->Data;
}

void TNamedListBuilder::Finish() {
    FList.SetCapacity(FList.Count() + int(FEntries.size()));
    while (!FEntries.empty()) {
        auto first = FEntries.begin();
        FTexts.InsertName(FList, FList.Count(), first->second.Name, first->second.Object);
        FEntries.erase(first);
    }
}
