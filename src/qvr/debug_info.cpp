#include "qvr/debug_info.h"

#include "qvr/bll_leak_grouper.h"
#include "qvr/collation_cache.h"
#include "qvr/snapshot_texts.h"

TDebugInfo::TDebugInfo() {
    BLLLeaks.FlagDestroyObject = true;
    SnapshotCollation().UseFor(SystemLeak);
    SnapshotCollation().UseFor(BLLLeaks);
}

void TDebugInfo::AddBLLLeak(std::unique_ptr<TBLLLeakObjectInfo> record) {
    TSnapshotTexts texts;
    TBLLLeakGrouper grouper(*this, texts);
    grouper.Add(std::move(record));
    grouper.Finish();
}
