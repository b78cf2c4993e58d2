#pragma once
#include "qvr/snapshot_texts.h"
#include "rtl/flat_map.h"

#include <deque>

class TObject;
class TQZSortedNamedObjects;

// Fills a name-sorted list with names that come in any order. Into an empty list, the entries
// are gathered by key and stored at once in key order when the builder finishes, which spares
// a search and a shift per name; into a list that holds names already, each new name goes
// straight to its sorted place. Names that the list takes for one share one entry, which keeps
// the spelling it first came with.
class TNamedListBuilder {
public:
    // sizeHint: how many names the list got the last time; updated when the builder finishes.
    TNamedListBuilder(TQZSortedNamedObjects& list, TSnapshotTexts& texts, size_t& sizeHint);
    // Frees what was gathered and not stored when the list owns its objects.
    ~TNamedListBuilder();
    TNamedListBuilder(const TNamedListBuilder&) = delete;
    TNamedListBuilder& operator=(const TNamedListBuilder&) = delete;

    // The object slot of name, empty the first time a name comes. It stays valid until Finish.
    TObject*& Slot(const TSharedText& name);
    // Stores the gathered entries in the list.
    void Finish();

private:
    struct TEntry {
        TSnapshotTexts::TKey Key;
        TSharedText Name;
        TObject* Object = nullptr;
    };

    TQZSortedNamedObjects& FList;
    TSnapshotTexts& FTexts;
    size_t& FSizeHint;
    bool FGathering;
    std::deque<TEntry> FEntries;          // in the order they came; a slot stays where it is
    TFlatMap<const void*, size_t> FIndex; // the key's identity -> its entry
};
