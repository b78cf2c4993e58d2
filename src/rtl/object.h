#pragma once
#include <string>

class TClassInfo;

// Root of every class whose published properties or methods are looked up by name.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& info) const;
};

// An integer kept in an object slot, as the lists of this program do for counts and kinds.
inline TObject* IntToObject(intptr_t value) {
    return reinterpret_cast<TObject*>(value);
}
inline intptr_t ObjectToInt(const TObject* object) {
    return reinterpret_cast<intptr_t>(object);
}
