#pragma once
#include "qvr/buf_tools.h"
#include "rtl/lists.h"
#include "rtl/object.h"
#include "rtl/text_pool.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// A record with a length-prefixed byte form (see buf_tools.h).
class TStoredObject : public TObject, public TSmallObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    virtual std::string GetAsString() const = 0;
    // Reads the record from s at pos and moves pos past it; a short s leaves zeros and ''.
    virtual void ReadFromString(std::string_view s, int& pos) = 0;
    // As ReadFromString, with the texts that repeat taken from pool, so that records read from
    // one file share them.
    virtual void ReadPooled(std::string_view s, int& pos, TTextPool& pool) {
        ReadFromString(s, pos);
    }

    std::string AsString() const { return GetAsString(); }
    void SetAsString(std::string_view s) {
        int pos = 1;
        ReadFromString(s, pos);
    }
};

// Creates an empty record of one class; StoredClass<T> names the class T.
using TStoredClass = std::unique_ptr<TStoredObject> (*)();
template <class T> std::unique_ptr<TStoredObject> StoredClass() {
    return std::make_unique<T>();
}

// The buffer form of the fields that walk hands to its visitor, in that order, sized exactly.
template <class Walk> std::string FieldsToString(Walk walk) {
    int64_t size = 0;
    walk([&size](const auto& field) { size += FieldSize(field); });
    std::string buf(size_t(size), '\0');
    int pos = 1;
    walk([&buf, &pos](const auto& field) { WriteField(field, buf, pos); });
    return buf;
}

template <class T> void ReadPooledField(std::string_view s, int& pos, T& field, TTextPool*) {
    ReadField(s, pos, field);
}
inline void ReadPooledField(std::string_view s, int& pos, TSharedText& field, TTextPool* pool) {
    if (pool)
        field = pool->Intern(ReadStringView(s, pos));
    else
        ReadField(s, pos, field);
}

// Reads the fields that walk hands to its visitor; shared texts come from pool when there is one.
template <class Walk>
void FieldsFromString(Walk walk, std::string_view s, int& pos, TTextPool* pool = nullptr) {
    walk([s, &pos, pool](auto& field) { ReadPooledField(s, pos, field, pool); });
}

// Hands every non-empty length-prefixed item of source, from startPos on, to onItem.
void ForEachStoredItem(std::string_view source, int startPos,
                       const std::function<void(std::string_view item)>& onItem);

// Empties destList, then adds one record of objectClassType per non-empty item of sourceStr.
// An owning list frees the records; a plain list leaves them to the caller. With a pool, the
// records' repeated texts come from it.
void StrToObjectList(std::string_view sourceStr, TList& destList, TStoredClass objectClassType,
                     int startPos, TTextPool* pool = nullptr);
