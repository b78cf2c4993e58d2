#include "qvr/stored_object.h"

#include "rtl/published.h"

const TClassInfo& TStoredObject::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TStoredObject", &TObject::StaticClassInfo());
    return *info;
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
                     int startPos, TTextPool* pool) {
    destList.Clear();
    ForEachStoredItem(sourceStr, startPos, [&](std::string_view item) {
        std::unique_ptr<TStoredObject> record = objectClassType();
        int pos = 1;
        if (pool)
            record->ReadPooled(item, pos, *pool);
        else
            record->ReadFromString(item, pos);
        destList.Add(record.get());
        record.release();
    });
}
