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

TDebugInfo::TDebugInfo() {
    BLLLeaks.FlagDestroyObject = true;
}

void TDebugInfo::AddBLLLeak(std::unique_ptr<TBLLLeakObjectInfo> record) {
    auto* stacks = static_cast<TQZSortedNamedObjects*>(FindOrInsert(BLLLeaks, record->CName, [] {
        auto list = std::make_unique<TQZSortedNamedObjects>();
        list->FlagDestroyObject = true;
        return list;
    }));
    auto* records = static_cast<TObjectList*>(
        FindOrInsert(*stacks, record->Stack, [] { return std::make_unique<TObjectList>(); }));
    records->Add(record.get());
    record.release();
}
