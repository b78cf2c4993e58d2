#include "qvr/bll_leak_grouper.h"

#include "qvr/collation_cache.h"
#include "qvr/debug_info.h"

namespace {

// The object stored under name, or the one make creates, stored at its sorted place.
template <class Make>
TObject* FindOrInsert(TQZSortedNamedObjects& list, const std::string& name, Make make) {
    int index = 0;
    if (list.FindObject(name, index))
        return list.GetObjects(index);
    auto created = make();
    list.InsertObject(index, name, created.get());
    return created.release();
}

} // namespace

TBLLLeakGrouper::TBLLLeakGrouper(TDebugInfo& di) : FDebugInfo(di) {}

TBLLLeakGrouper::~TBLLLeakGrouper() = default;

TBLLLeakGrouper::TClassGroup& TBLLLeakGrouper::ClassGroup(const std::string& cname) {
    auto found = FClasses.find(cname);
    if (found != FClasses.end())
        return found->second;
    auto* stacks = static_cast<TQZSortedNamedObjects*>(FindOrInsert(FDebugInfo.BLLLeaks, cname, [] {
        auto list = std::make_unique<TQZSortedNamedObjects>();
        list->FlagDestroyObject = true;
        SnapshotCollation().UseFor(*list);
        return list;
    }));
    return FClasses.emplace(cname, TClassGroup{stacks, {}}).first->second;
}

void TBLLLeakGrouper::Add(std::unique_ptr<TBLLLeakObjectInfo> record) {
    TClassGroup& group = ClassGroup(record->CName);
    TObjectList*& records = group.Records[record->Stack];
    if (!records)
        records = static_cast<TObjectList*>(FindOrInsert(
            *group.Stacks, record->Stack, [] { return std::make_unique<TObjectList>(); }));
    records->Add(record.get());
    record.release();
}
