#pragma once
#include "qvr/bll_leak_object_info.h"

#include <memory>
#include <unordered_map>

class TDebugInfo;
class TObjectList;
class TQZSortedNamedObjects;
class TSnapshotTexts;

// Files business-logic leak records into a snapshot's groups: under the class name, then under
// the stack text, both found without regard to letter case and created at their sorted place
// when new; records of one stack keep the order in which they came. A section names the same
// few classes and stacks hundreds of times, so the groups found are remembered by the shared
// texts that named them while the grouper lives; nothing else may change the snapshot's groups
// meanwhile.
class TBLLLeakGrouper {
public:
    TBLLLeakGrouper(TDebugInfo& di, TSnapshotTexts& texts);
    ~TBLLLeakGrouper();

    void Add(std::unique_ptr<TBLLLeakObjectInfo> record);

private:
    struct TClassGroup {
        TQZSortedNamedObjects* Stacks;
        std::unordered_map<const void*, TObjectList*> Records; // by the stack text's identity
    };
    TClassGroup& ClassGroup(const TSharedText& cname);

    TDebugInfo& FDebugInfo;
    TSnapshotTexts& FTexts;
    // By the class name's identity; the records hold the texts, so no identity is reused.
    std::unordered_map<const void*, TClassGroup> FClasses;
};
