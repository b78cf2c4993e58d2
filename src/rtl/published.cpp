#include "rtl/published.h"

#include "rtl/exceptions.h"
#include "rtl/strings.h"

#include <algorithm>

const TClassInfo& TObject::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TObject", nullptr);
    return *info;
}

const TClassInfo& TStrings::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TStrings", &TObject::StaticClassInfo());
    return *info;
}

const TClassInfo& TStringList::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TStringList", &TStrings::StaticClassInfo());
    return *info;
}

const std::string& TObject::ClassName() const {
    return ClassInfo().Name();
}

bool TObject::InheritsFrom(const TClassInfo& info) const {
    return ClassInfo().InheritsFrom(info);
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other)
            return true;
    return false;
}

TClassInfo& TClassInfo::AddNamedOrdinal(const std::string& name, TPropKind kind,
                                        std::vector<std::string> names,
                                        std::function<intptr_t(const TObject&)> get,
                                        std::function<void(TObject&, intptr_t)> set) {
    TPropInfo p{name, kind, std::move(get), std::move(set), nullptr, nullptr, nullptr};
    p.Names = std::move(names);
    return Add(std::move(p));
}

TClassInfo& TClassInfo::AddClassProperty(const std::string& name, TPropKind kind,
                                         std::function<TObject*(const TObject&)> get,
                                         std::function<void(TObject&, TObject*)> set,
                                         const TClassInfo& (*classType)()) {
    TPropInfo p{name, kind, nullptr, nullptr, nullptr, nullptr, std::move(get)};
    p.SetObj = std::move(set);
    p.ClassType = classType;
    return Add(std::move(p));
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FProps)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TMethodInfo& m : c->FMethods)
            if (SameText(m.Name, name))
                return &m;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TPropInfo*> result;
    if (FParent)
        result = FParent->Properties();
    // A property an heir publishes again takes the place of the base class's one.
    for (const TPropInfo& p : FProps) {
        auto same = std::find_if(result.begin(), result.end(),
                                 [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
        if (same != result.end())
            *same = &p;
        else
            result.push_back(&p);
    }
    return result;
}

const TPropInfo& GetPropInfo(const TObject& object, const std::string& name) {
    if (const TPropInfo* p = object.ClassInfo().FindProperty(name))
        return *p;
    throw EPropertyError("Property " + name + " does not exist");
}

bool IsPublishedProp(const TObject& object, const std::string& name) {
    return object.ClassInfo().FindProperty(name) != nullptr;
}

namespace {
[[noreturn]] void WrongKind(const std::string& name) {
    throw EPropertyError("Invalid property type: " + name);
}
} // namespace

intptr_t GetOrdProp(const TObject& object, const std::string& name) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (!p.GetOrd)
        WrongKind(name);
    return p.GetOrd(object);
}

void SetOrdProp(TObject& object, const std::string& name, intptr_t value) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (!p.SetOrd)
        throw EPropertyError("Property " + name + " is read-only");
    p.SetOrd(object, value);
}

std::string GetStrProp(const TObject& object, const std::string& name) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (!p.GetStr)
        WrongKind(name);
    return p.GetStr(object);
}

void SetStrProp(TObject& object, const std::string& name, const std::string& value) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (!p.SetStr)
        throw EPropertyError("Property " + name + " is read-only");
    p.SetStr(object, value);
}

TObject* GetObjectProp(const TObject& object, const std::string& name) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (!p.GetObj)
        WrongKind(name);
    return p.GetObj(object);
}

bool CallPublishedMethod(TObject& object, const std::string& name) {
    const TMethodInfo* m = object.ClassInfo().FindMethod(name);
    if (!m)
        return false;
    m->Call(object);
    return true;
}
