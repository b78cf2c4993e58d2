#include "qvr/stored_object.h"

#include "rtl/published.h"

const TClassInfo& TStoredObject::StaticClassInfo() {
    static const TClassInfo info("TStoredObject", &TObject::StaticClassInfo());
    return info;
}

void ForEachStoredItem(std::string_view source, int startPos,
                       const std::function<void(std::string_view item)>& onItem) {
    int pos = startPos;
    while (int64_t(source.size()) > pos) {
        std::string_view item = ReadStringView(source, pos);
        if (!item.empty())
            onItem(item);
    }
}

void StrToObjectList(std::string_view sourceStr, TList& destList, TStoredClass objectClassType,
                     int startPos) {
    destList.Clear();
    ForEachStoredItem(sourceStr, startPos, [&](std::string_view item) {
        std::unique_ptr<TStoredObject> record = objectClassType();
        record->SetAsString(item);
        destList.Add(record.get());
        record.release();
    });
}
