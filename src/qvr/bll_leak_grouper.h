#pragma once
#include "qvr/bll_leak_object_info.h"
#include "qvr/named_list_builder.h"
#include "rtl/flat_map.h"

#include <memory>

class TDebugInfo;
class TObjectList;
class TQZSortedNamedObjects;

// Files business-logic leak records into a snapshot's groups: under the class name, then under
// the stack text, both found without regard to letter case and created at their sorted place
// when new; records of one stack keep the order in which they came. A section names the same
// few classes and stacks hundreds of times, so the groups found are remembered by the shared
// texts that named them while the grouper lives. New classes are stored in the snapshot when
// the grouper finishes; nothing else may change the snapshot's groups meanwhile.
class TBLLLeakGrouper {
public:
    TBLLLeakGrouper(TDebugInfo& di, TSnapshotTexts& texts);
    ~TBLLLeakGrouper();

    void Add(std::unique_ptr<TBLLLeakObjectInfo> record);
    void Finish() { FClassLists.Finish(); }

private:
    TQZSortedNamedObjects& StackLists(const TSharedText& cname);
    TObjectList& Records(const TSharedText& cname, const TSharedText& stack);

    using TIdentities = std::pair<const void*, const void*>;
    struct TIdentitiesHash {
        size_t operator()(const TIdentities& p) const {
            return std::hash<const void*>()(p.first) * 31 + std::hash<const void*>()(p.second);
        }
    };

    TSnapshotTexts& FTexts;
    TNamedListBuilder FClassLists;
    // By the identities of the texts; the records hold the texts, so no identity is reused.
    TFlatMap<const void*, TQZSortedNamedObjects*> FClasses;
    TFlatMap<TIdentities, TObjectList*, TIdentitiesHash> FRecords;
};
