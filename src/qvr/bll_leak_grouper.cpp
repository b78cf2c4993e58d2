#include "qvr/bll_leak_grouper.h"

#include "qvr/collation_cache.h"
#include "qvr/debug_info.h"

TBLLLeakGrouper::TBLLLeakGrouper(TDebugInfo& di, TSnapshotTexts& texts)
    : FTexts(texts), FClassLists(di.BLLLeaks, texts) {}

TBLLLeakGrouper::~TBLLLeakGrouper() = default;

TBLLLeakGrouper::TClassGroup& TBLLLeakGrouper::ClassGroup(const TSharedText& cname) {
    auto found = FClasses.find(cname.Identity());
    if (found != FClasses.end())
        return found->second;
    TObject*& slot = FClassLists.Slot(cname);
    if (!slot) {
        auto list = std::make_unique<TQZSortedNamedObjects>();
        list->FlagDestroyObject = true;
        SnapshotCollation().UseFor(*list);
        slot = list.release();
    }
    return FClasses
        .emplace(cname.Identity(), TClassGroup{static_cast<TQZSortedNamedObjects*>(slot), {}})
        .first->second;
}

void TBLLLeakGrouper::Add(std::unique_ptr<TBLLLeakObjectInfo> record) {
    TClassGroup& group = ClassGroup(record->CName);
    TObjectList*& records = group.Records[record->Stack.Identity()];
    if (!records) {
        // A class holds a few stacks: the sorted place is found at once.
        int index = 0;
        if (FTexts.FindName(*group.Stacks, record->Stack, index)) {
            records = static_cast<TObjectList*>(group.Stacks->GetObjects(index));
        } else {
            auto created = std::make_unique<TObjectList>();
            FTexts.InsertName(*group.Stacks, index, record->Stack, created.get());
            records = created.release();
        }
    }
    records->Add(record.get());
    record.release();
}
