#pragma once
#include "rtl/lasting.h"
#include "rtl/object.h"
#include "rtl/string_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Booleans, enumerations and sets are ordinals (a set's members are bits); their values have
// names. Strings is a string list object, Object any other object.
enum class TPropKind { Integer, Boolean, Enumeration, Set, Float, String, Strings, Object };

// One published property: typed accessors over an object of the declaring class or an heir.
struct TPropInfo {
    std::string Name;
    TPropKind Kind;
    std::function<intptr_t(const TObject&)> GetOrd;
    std::function<void(TObject&, intptr_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<TObject*(const TObject&)> GetObj;
    std::function<void(TObject&, TObject*)> SetObj{};
    std::function<double(const TObject&)> GetFloat{};
    std::function<void(TObject&, double)> SetFloat{};
    // Significant digits of a Float: 7 for a single, 15 for a double.
    int Precision = 0;
    // The names of the values of a Boolean or an Enumeration, of the members of a Set.
    std::vector<std::string> Names{};
    // The declared class of a Strings or Object property; asked when needed, so a class may
    // publish a property of its own class.
    const TClassInfo& (*ClassType)() = nullptr;
};

struct TMethodInfo {
    std::string Name;
    std::function<void(TObject&)> Call;
};

// The published part of a class: its properties and parameterless methods, found by name
// without regard to letter case, through the class and then its bases. A class keeps its own in
// a TLasting static of its StaticClassInfo: objects that go at the program's end still ask.
class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent)
        : FName(std::move(name)), FParent(parent) {}

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;

    const TPropInfo* FindProperty(const std::string& name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;
    // Base classes' properties first, each class's in the order they were published.
    std::vector<const TPropInfo*> Properties() const;

    template <class C> TClassInfo& IntegerField(const std::string& name, int C::*field);
    template <class C>
    TClassInfo& Integer(const std::string& name, int (C::*get)() const,
                        void (C::*set)(int) = nullptr);
    template <class C>
    TClassInfo& Boolean(const std::string& name, bool (C::*get)() const,
                        void (C::*set)(bool) = nullptr);
    template <class C>
    TClassInfo& String(const std::string& name, std::string (C::*get)() const,
                       void (C::*set)(const std::string&) = nullptr);
    template <class C, class E>
    TClassInfo& Enumeration(const std::string& name, E (C::*get)() const, void (C::*set)(E),
                            std::vector<std::string> names);
    // S is a set type with Bits() and FromBits().
    template <class C, class S>
    TClassInfo& Set(const std::string& name, S (C::*get)() const, void (C::*set)(S),
                    std::vector<std::string> names);
    template <class C, class F>
    TClassInfo& Float(const std::string& name, F (C::*get)() const, void (C::*set)(F));
    template <class C> TClassInfo& Strings(const std::string& name, TStrings* (C::*get)() const);
    template <class C, class T> TClassInfo& Object(const std::string& name, T* C::*field);
    template <class C, class T>
    TClassInfo& Object(const std::string& name, T* (C::*get)() const, void (C::*set)(T*) = nullptr);
    template <class C> TClassInfo& Method(const std::string& name, void (C::*method)());
    // An event handler called by name gets the object itself as Sender.
    template <class C> TClassInfo& Method(const std::string& name, void (C::*method)(TObject*));

    TClassInfo& Add(TPropInfo prop) {
        FProps.push_back(std::move(prop));
        return *this;
    }
    TClassInfo& AddNamedOrdinal(const std::string& name, TPropKind kind,
                                std::vector<std::string> names,
                                std::function<intptr_t(const TObject&)> get,
                                std::function<void(TObject&, intptr_t)> set);
    TClassInfo& AddClassProperty(const std::string& name, TPropKind kind,
                                 std::function<TObject*(const TObject&)> get,
                                 std::function<void(TObject&, TObject*)> set,
                                 const TClassInfo& (*classType)());

private:
    std::string FName;
    const TClassInfo* FParent;
    std::vector<TPropInfo> FProps;
    std::vector<TMethodInfo> FMethods;
};

// Name-based access as the windows and the snapshot store use it; an unknown property raises
// EPropertyError, an unknown method is reported by the false result.
const TPropInfo& GetPropInfo(const TObject& object, const std::string& name);
bool IsPublishedProp(const TObject& object, const std::string& name);
intptr_t GetOrdProp(const TObject& object, const std::string& name);
void SetOrdProp(TObject& object, const std::string& name, intptr_t value);
std::string GetStrProp(const TObject& object, const std::string& name);
void SetStrProp(TObject& object, const std::string& name, const std::string& value);
TObject* GetObjectProp(const TObject& object, const std::string& name);
bool CallPublishedMethod(TObject& object, const std::string& name);

template <class C> TClassInfo& TClassInfo::IntegerField(const std::string& name, int C::*field) {
    return Add({name, TPropKind::Integer,
                [field](const TObject& o) { return intptr_t(static_cast<const C&>(o).*field); },
                [field](TObject& o, intptr_t v) { static_cast<C&>(o).*field = int(v); }, nullptr,
                nullptr, nullptr});
}

template <class C>
TClassInfo& TClassInfo::Integer(const std::string& name, int (C::*get)() const,
                                void (C::*set)(int)) {
    TPropInfo p{name,
                TPropKind::Integer,
                [get](const TObject& o) { return intptr_t((static_cast<const C&>(o).*get)()); },
                nullptr,
                nullptr,
                nullptr,
                nullptr};
    if (set)
        p.SetOrd = [set](TObject& o, intptr_t v) { (static_cast<C&>(o).*set)(int(v)); };
    return Add(std::move(p));
}

template <class C>
TClassInfo& TClassInfo::Boolean(const std::string& name, bool (C::*get)() const,
                                void (C::*set)(bool)) {
    TPropInfo p{name,
                TPropKind::Boolean,
                [get](const TObject& o) { return intptr_t((static_cast<const C&>(o).*get)()); },
                nullptr,
                nullptr,
                nullptr,
                nullptr};
    if (set)
        p.SetOrd = [set](TObject& o, intptr_t v) { (static_cast<C&>(o).*set)(v != 0); };
    p.Names = {"False", "True"};
    return Add(std::move(p));
}

template <class C, class E>
TClassInfo& TClassInfo::Enumeration(const std::string& name, E (C::*get)() const, void (C::*set)(E),
                                    std::vector<std::string> names) {
    return AddNamedOrdinal(
        name, TPropKind::Enumeration, std::move(names),
        [get](const TObject& o) { return intptr_t((static_cast<const C&>(o).*get)()); },
        [set](TObject& o, intptr_t v) { (static_cast<C&>(o).*set)(E(v)); });
}

template <class C, class S>
TClassInfo& TClassInfo::Set(const std::string& name, S (C::*get)() const, void (C::*set)(S),
                            std::vector<std::string> names) {
    return AddNamedOrdinal(
        name, TPropKind::Set, std::move(names),
        [get](const TObject& o) { return intptr_t((static_cast<const C&>(o).*get)().Bits()); },
        [set](TObject& o, intptr_t v) {
            (static_cast<C&>(o).*set)(S::FromBits(uint64_t(uintptr_t(v))));
        });
}

template <class C, class F>
TClassInfo& TClassInfo::Float(const std::string& name, F (C::*get)() const, void (C::*set)(F)) {
    TPropInfo p{name, TPropKind::Float, nullptr, nullptr, nullptr, nullptr, nullptr};
    p.GetFloat = [get](const TObject& o) { return double((static_cast<const C&>(o).*get)()); };
    p.SetFloat = [set](TObject& o, double v) { (static_cast<C&>(o).*set)(F(v)); };
    p.Precision = sizeof(F) <= sizeof(float) ? 7 : 15;
    return Add(std::move(p));
}

template <class C>
TClassInfo& TClassInfo::String(const std::string& name, std::string (C::*get)() const,
                               void (C::*set)(const std::string&)) {
    TPropInfo p{name,
                TPropKind::String,
                nullptr,
                nullptr,
                [get](const TObject& o) { return (static_cast<const C&>(o).*get)(); },
                nullptr,
                nullptr};
    if (set)
        p.SetStr = [set](TObject& o, const std::string& v) { (static_cast<C&>(o).*set)(v); };
    return Add(std::move(p));
}

template <class C>
TClassInfo& TClassInfo::Strings(const std::string& name, TStrings* (C::*get)() const) {
    return AddClassProperty(
        name, TPropKind::Strings,
        [get](const TObject& o) -> TObject* { return (static_cast<const C&>(o).*get)(); }, nullptr,
        &TStrings::StaticClassInfo);
}

template <class C, class T> TClassInfo& TClassInfo::Object(const std::string& name, T* C::*field) {
    return AddClassProperty(
        name, TPropKind::Object,
        [field](const TObject& o) -> TObject* { return static_cast<const C&>(o).*field; }, nullptr,
        &T::StaticClassInfo);
}

template <class C, class T>
TClassInfo& TClassInfo::Object(const std::string& name, T* (C::*get)() const, void (C::*set)(T*)) {
    std::function<void(TObject&, TObject*)> setter;
    if (set)
        setter = [set](TObject& o, TObject* v) { (static_cast<C&>(o).*set)(dynamic_cast<T*>(v)); };
    return AddClassProperty(
        name, TPropKind::Object,
        [get](const TObject& o) -> TObject* { return (static_cast<const C&>(o).*get)(); },
        std::move(setter), &T::StaticClassInfo);
}

template <class C> TClassInfo& TClassInfo::Method(const std::string& name, void (C::*method)()) {
    FMethods.push_back({name, [method](TObject& o) { (static_cast<C&>(o).*method)(); }});
    return *this;
}

template <class C>
TClassInfo& TClassInfo::Method(const std::string& name, void (C::*method)(TObject*)) {
    FMethods.push_back({name, [method](TObject& o) { (static_cast<C&>(o).*method)(&o); }});
    return *this;
}
