#include "qvr/named_list_builder.h"

#include "tools/sorted_lists.h"

#include <algorithm>
#include <vector>

TNamedListBuilder::TNamedListBuilder(TQZSortedNamedObjects& list, TSnapshotTexts& texts,
                                     size_t& sizeHint)
    : FList(list), FTexts(texts), FSizeHint(sizeHint), FGathering(list.Count() == 0) {
    if (FGathering)
        FIndex.Reserve(sizeHint);
}

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
    // The labels side by side, so that sorting does not go to each key's node again and again.
    std::vector<std::pair<int64_t, TEntry*>> sorted;
    sorted.reserve(FEntries.size());
    for (TEntry& entry : FEntries)
        sorted.emplace_back(entry.Key.Label(), &entry);
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    FList.SetCapacity(FList.Count() + int(sorted.size()));
    for (auto [label, entry] : sorted) {
        // The key is the upper-cased name the list is keyed by.
        FList.InsertObject(FList.Count(), entry->Name, entry->Key.Upper(), entry->Object);
        entry->Object = nullptr; // the list has it now
    }
    FEntries.clear();
    if (FGathering)
        FSizeHint = FIndex.Count();
    FIndex.Clear();
}
