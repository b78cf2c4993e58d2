#include "qvr/bll_leak_grouper.h"

#include "qvr/collation_cache.h"
#include "qvr/debug_info.h"

TBLLLeakGrouper::TBLLLeakGrouper(TDebugInfo& di, TSnapshotTexts& texts)
    : FTexts(texts), FClassLists(di.BLLLeaks, texts, texts.SizeHints.LeakClasses) {
    FClasses.Reserve(texts.SizeHints.LeakClasses);
    FRecords.Reserve(texts.SizeHints.LeakGroups);
}

TBLLLeakGrouper::~TBLLLeakGrouper() {
    FTexts.SizeHints.LeakGroups = FRecords.Count();
}

TQZSortedNamedObjects& TBLLLeakGrouper::StackLists(const TSharedText& cname) {
    TQZSortedNamedObjects*& stacks = FClasses[cname.Identity()];
    if (!stacks) {
        TObject*& slot = FClassLists.Slot(cname);
        if (!slot) {
            auto list = std::make_unique<TQZSortedNamedObjects>();
            list->FlagDestroyObject = true;
            SnapshotCollation().UseFor(*list);
            slot = list.release();
        }
        stacks = static_cast<TQZSortedNamedObjects*>(slot);
    }
    return *stacks;
}

TObjectList& TBLLLeakGrouper::Records(const TSharedText& cname, const TSharedText& stack) {
    TObjectList*& records = FRecords[{cname.Identity(), stack.Identity()}];
    if (records)
        return *records;
    TQZSortedNamedObjects& stacks = StackLists(cname);
    // A class holds a few stacks: the sorted place is found at once.
    int index = 0;
    if (FTexts.FindName(stacks, stack, index)) {
        records = static_cast<TObjectList*>(stacks.GetObjects(index));
    } else {
        auto created = std::make_unique<TObjectList>();
        FTexts.InsertName(stacks, index, stack, created.get());
        records = created.release();
    }
    return *records;
}

void TBLLLeakGrouper::Add(std::unique_ptr<TBLLLeakObjectInfo> record) {
    Records(record->CName, record->Stack).Add(record.get());
    record.release();
}
