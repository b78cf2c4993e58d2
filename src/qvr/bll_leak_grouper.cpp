#include "qvr/bll_leak_grouper.h"

#include "qvr/collation_cache.h"
#include "qvr/debug_info.h"
#include "qvr/snapshot_texts.h"

namespace {

// The object stored under name, or the one make creates, stored at its sorted place.
template <class Make>
TObject* FindOrInsert(TSnapshotTexts& texts, TQZSortedNamedObjects& list, const TSharedText& name,
                      Make make) {
    int index = 0;
    if (texts.FindName(list, name, index))
        return list.GetObjects(index);
    auto created = make();
    texts.InsertName(list, index, name, created.get());
    return created.release();
}

} // namespace

TBLLLeakGrouper::TBLLLeakGrouper(TDebugInfo& di, TSnapshotTexts& texts)
    : FDebugInfo(di), FTexts(texts) {}

TBLLLeakGrouper::~TBLLLeakGrouper() = default;

TBLLLeakGrouper::TClassGroup& TBLLLeakGrouper::ClassGroup(const TSharedText& cname) {
    auto found = FClasses.find(cname.Identity());
    if (found != FClasses.end())
        return found->second;
    auto* stacks =
        static_cast<TQZSortedNamedObjects*>(FindOrInsert(FTexts, FDebugInfo.BLLLeaks, cname, [] {
            auto list = std::make_unique<TQZSortedNamedObjects>();
            list->FlagDestroyObject = true;
            SnapshotCollation().UseFor(*list);
            return list;
        }));
    return FClasses.emplace(cname.Identity(), TClassGroup{stacks, {}}).first->second;
}

void TBLLLeakGrouper::Add(std::unique_ptr<TBLLLeakObjectInfo> record) {
    TClassGroup& group = ClassGroup(record->CName);
    TObjectList*& records = group.Records[record->Stack.Identity()];
    if (!records)
        records = static_cast<TObjectList*>(FindOrInsert(
            FTexts, *group.Stacks, record->Stack, [] { return std::make_unique<TObjectList>(); }));
    records->Add(record.get());
    record.release();
}
