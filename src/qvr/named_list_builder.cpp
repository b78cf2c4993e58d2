#include "qvr/named_list_builder.h"

#include "tools/sorted_lists.h"

#include <algorithm>
#include <vector>

TNamedListBuilder::TNamedListBuilder(TQZSortedNamedObjects& list, TSnapshotTexts& texts)
    : FList(list), FTexts(texts), FGathering(list.Count() == 0) {}

TNamedListBuilder::~TNamedListBuilder() {
    if (FList.FlagDestroyObject)
        for (TEntry& entry : FEntries)
            delete entry.Object;
}

TObject*& TNamedListBuilder::Slot(const TSharedText& name) {
    if (FGathering) {
        const TSnapshotTexts::TKey key = FTexts.Key(name);
        if (const size_t* index = FIndex.Lookup(key.Identity()))
            return FEntries[*index].Object;
        FIndex[key.Identity()] = FEntries.size();
        FEntries.push_back({key, name, nullptr});
        return FEntries.back().Object;
    }
    int index = 0;
    if (!FTexts.FindName(FList, name, index))
        FTexts.InsertName(FList, index, name, nullptr);
    return FList.Items(index)->Data;
}

void TNamedListBuilder::Finish() {
    std::vector<TEntry*> sorted;
    sorted.reserve(FEntries.size());
    for (TEntry& entry : FEntries)
        sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(),
              [](const TEntry* a, const TEntry* b) { return a->Key < b->Key; });
    FList.SetCapacity(FList.Count() + int(sorted.size()));
    for (TEntry* entry : sorted) {
        FTexts.InsertName(FList, FList.Count(), entry->Name, entry->Object);
        entry->Object = nullptr; // the list has it now
    }
    FEntries.clear();
    FIndex.Clear();
}
