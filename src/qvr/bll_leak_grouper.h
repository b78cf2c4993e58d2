#pragma once
#include "qvr/bll_leak_object_info.h"

#include <memory>
#include <string>
#include <unordered_map>

class TDebugInfo;
class TObjectList;
class TQZSortedNamedObjects;

// Files business-logic leak records into a snapshot's groups: under the class name, then under
// the stack text, both found without regard to letter case and created at their sorted place
// when new; records of one stack keep the order in which they came. A section names the same
// few classes and stacks hundreds of times, so the groups found are remembered by their exact
// texts while the grouper lives; nothing else may change the snapshot's groups meanwhile.
class TBLLLeakGrouper {
public:
    explicit TBLLLeakGrouper(TDebugInfo& di);
    ~TBLLLeakGrouper();

    void Add(std::unique_ptr<TBLLLeakObjectInfo> record);

private:
    struct TClassGroup {
        TQZSortedNamedObjects* Stacks;
        std::unordered_map<std::string, TObjectList*> Records;
    };
    TClassGroup& ClassGroup(const std::string& cname);

    TDebugInfo& FDebugInfo;
    std::unordered_map<std::string, TClassGroup> FClasses;
};
