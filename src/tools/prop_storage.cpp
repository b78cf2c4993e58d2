#include "tools/prop_storage.h"

#include "rtl/format.h"
#include "rtl/format_settings.h"
#include "rtl/strings.h"
#include "tools/qz_string.h"
#include "vcl/base/component.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"
#include "vcl/core/screen.h"

#include <algorithm>

namespace {

const char* const NullComponent = "(null)";
const int SetMembers = 32;

bool IsStringKind(TPropKind kind) {
    return kind == TPropKind::String;
}

bool IsClassKind(TPropKind kind) {
    return kind == TPropKind::Strings || kind == TPropKind::Object;
}

std::string ReplaceChar(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string OrdinalName(const TPropInfo& p, intptr_t value) {
    if (value >= 0 && size_t(value) < p.Names.size())
        return p.Names[size_t(value)];
    return IntToStr(value);
}

std::string SetText(const TPropInfo& p, intptr_t bits) {
    std::string text;
    for (int member = 0; member < SetMembers; ++member) {
        if (!(uintptr_t(bits) & (uintptr_t(1) << member)))
            continue;
        if (!text.empty())
            text += ",";
        text += OrdinalName(p, member);
    }
    return "[" + text + "]";
}

int NameIndex(const TPropInfo& p, const std::string& name) {
    for (size_t i = 0; i < p.Names.size(); ++i)
        if (AnsiSameText(p.Names[i], name))
            return int(i);
    return -1;
}

intptr_t SetValue(const TPropInfo& p, const std::string& text) {
    const TCharSet delimiters = {' ', ',', '[', ']'};
    uintptr_t bits = 0;
    for (int i = 1, n = WordCount(text, delimiters); i <= n; ++i) {
        int member = NameIndex(p, ExtractWord(i, text, delimiters));
        if (member >= 0 && member < SetMembers)
            bits |= uintptr_t(1) << member;
    }
    return intptr_t(bits);
}

// A component named in the store as "Owner.Name": the owner is the application or one of its
// forms.
TComponent* FindGlobalComponent(const std::string& name) {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (AnsiSameText(Screen->Forms(i)->Name(), name))
            return Screen->Forms(i);
    return Application->FindComponent(name);
}

std::string OwnerText(const TComponent* owner) {
    if (!owner->Name().empty())
        return owner->Name();
    const std::string& className = owner->ClassName();
    return !className.empty() && (className[0] == 'T' || className[0] == 't') ? className.substr(1)
                                                                              : className;
}

} // namespace

TPropInfoList::TPropInfoList(const TObject& object) : FList(object.ClassInfo().Properties()) {}

const TPropInfo* TPropInfoList::Find(const std::string& name) const {
    for (const TPropInfo* p : FList)
        if (AnsiSameText(p->Name, name))
            return p;
    return nullptr;
}

std::string TPropsStorage::ReadString(const std::string& ASection, const std::string& Item,
                                      const std::string& Default) {
    return OnReadString ? OnReadString(ASection, Item, Default) : std::string();
}

void TPropsStorage::WriteString(const std::string& ASection, const std::string& Item,
                                const std::string& Value) {
    Fire(OnWriteString, ASection, Item, Value);
}

void TPropsStorage::EraseSection(const std::string& ASection) {
    Fire(OnEraseSection, ASection);
}

std::string TPropsStorage::GetItemName(const std::string& APropName) const {
    return FPrefix + APropName;
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const {
    return std::make_unique<TPropsStorage>();
}

std::unique_ptr<TPropsStorage> TPropsStorage::Nested(TObject* obj, const std::string& section,
                                                     const std::string& prefix) const {
    std::unique_ptr<TPropsStorage> storage = CreateStorage();
    storage->FObject = obj;
    storage->FOwner = FOwner;
    storage->FSection = section;
    storage->FPrefix = prefix;
    storage->OnReadString = OnReadString;
    storage->OnWriteString = OnWriteString;
    storage->OnEraseSection = OnEraseSection;
    return storage;
}

std::string TPropsStorage::ListSection(const TPropInfo& PropInfo) const {
    return Format("%s.%s", {FSection, GetItemName(PropInfo.Name)});
}

bool TPropsStorage::IsComponentReference(const TPropInfo& PropInfo, const TObject* value) const {
    if (PropInfo.Kind != TPropKind::Object)
        return false;
    if (value)
        return dynamic_cast<const TComponent*>(value) != nullptr;
    return PropInfo.ClassType && PropInfo.ClassType().InheritsFrom(TComponent::StaticClassInfo());
}

std::string TPropsStorage::ComponentText(const TObject* value) const {
    auto* component = dynamic_cast<const TComponent*>(value);
    if (!component)
        return NullComponent;
    const TComponent* owner = component->Owner();
    if (owner && owner != FOwner)
        return Format("%s.%s", {OwnerText(owner), component->Name()});
    return component->Name();
}

std::string TPropsStorage::PropertyText(const TPropInfo& p) const {
    switch (p.Kind) {
    case TPropKind::Integer:
        return IntToStr(p.GetOrd(*FObject));
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
        return OrdinalName(p, p.GetOrd(*FObject));
    case TPropKind::Set:
        return SetText(p, p.GetOrd(*FObject));
    case TPropKind::Float:
        // The file is the same whatever the locale: the decimal separator is always ".".
        return ReplaceChar(FloatToStrGeneral(p.GetFloat(*FObject), p.Precision),
                           FormatSettings().DecimalSeparator, '.');
    case TPropKind::String:
        return p.GetStr(*FObject);
    case TPropKind::Object: {
        TObject* value = p.GetObj(*FObject);
        return IsComponentReference(p, value) ? ComponentText(value) : std::string();
    }
    case TPropKind::Strings:
        break;
    }
    return std::string();
}

void TPropsStorage::StoreAnyProperty(const TPropInfo& PropInfo) {
    if (PropInfo.Kind == TPropKind::Strings)
        return StoreStringsProperty(PropInfo);
    if (PropInfo.Kind == TPropKind::Object) {
        TObject* value = PropInfo.GetObj(*FObject);
        if (!IsComponentReference(PropInfo, value)) {
            if (!value)
                return;
            std::unique_ptr<TPropsStorage> nested =
                Nested(value, FSection, GetItemName(PropInfo.Name));
            TPropInfoList props(*value);
            for (int i = 0; i < props.Count(); ++i)
                nested->StoreAnyProperty(*props.Items(i));
            return;
        }
    }
    std::string text = Trim(PropertyText(PropInfo));
    if (!text.empty() || IsStringKind(PropInfo.Kind))
        WriteString(FSection, GetItemName(PropInfo.Name), text);
}

void TPropsStorage::StoreStringsProperty(const TPropInfo& PropInfo) {
    auto* list = dynamic_cast<TStrings*>(PropInfo.GetObj(*FObject));
    const std::string section = ListSection(PropInfo);
    EraseSection(section);
    if (!list || list->Count() == 0)
        return;
    WriteString(section, "Count", IntToStr(list->Count()));
    for (int i = 0; i < list->Count(); ++i)
        WriteString(section, Format("Item%d", {i}), (*list)[i]);
}

void TPropsStorage::LoadAnyProperty(const TPropInfo& PropInfo) {
    try {
        std::string text = PropertyText(PropInfo);
        if (!text.empty() || IsStringKind(PropInfo.Kind) || IsClassKind(PropInfo.Kind))
            text = Trim(ReadString(FSection, GetItemName(PropInfo.Name), text));
        SetTextValue(PropInfo, text);
    } catch (...) {
        // A value the property does not take leaves it as it was; loading goes on.
    }
}

void TPropsStorage::SetTextValue(const TPropInfo& p, const std::string& text) {
    switch (p.Kind) {
    case TPropKind::Integer:
        return p.SetOrd(*FObject, StrToIntDef(text, 0));
    case TPropKind::Boolean:
    case TPropKind::Enumeration: {
        int index = NameIndex(p, text);
        if (index >= 0)
            p.SetOrd(*FObject, index);
        return;
    }
    case TPropKind::Set:
        return p.SetOrd(*FObject, SetValue(p, text));
    case TPropKind::Float:
        return p.SetFloat(*FObject,
                          StrToFloat(ReplaceChar(text, '.', FormatSettings().DecimalSeparator)));
    case TPropKind::String:
        return p.SetStr(*FObject, text);
    case TPropKind::Strings:
        return LoadStringsProperty(p);
    case TPropKind::Object: {
        TObject* value = p.GetObj(*FObject);
        if (IsComponentReference(p, value))
            return SetComponentValue(p, text);
        if (!value)
            return;
        std::unique_ptr<TPropsStorage> nested = Nested(value, FSection, GetItemName(p.Name));
        TPropInfoList props(*value);
        for (int i = 0; i < props.Count(); ++i)
            nested->LoadAnyProperty(*props.Items(i));
        return;
    }
    }
}

void TPropsStorage::LoadStringsProperty(const TPropInfo& PropInfo) {
    auto* list = dynamic_cast<TStrings*>(PropInfo.GetObj(*FObject));
    const std::string section = ListSection(PropInfo);
    int count = StrToIntDef(ReadString(section, "Count", "0"), 0);
    if (!list || count <= 0)
        return;
    TStringList lines;
    for (int i = 0; i < count; ++i)
        lines.Add(ReadString(section, Format("Item%d", {i}), ""));
    list->Assign(lines);
}

void TPropsStorage::SetComponentValue(const TPropInfo& PropInfo, const std::string& text) {
    TComponent* component = nullptr;
    if (!AnsiSameText(text, NullComponent)) {
        size_t dot = text.find('.');
        if (dot != std::string::npos) {
            TComponent* owner = FindGlobalComponent(text.substr(0, dot));
            component = owner ? owner->FindComponent(text.substr(dot + 1)) : nullptr;
        } else if (FOwner) {
            component = FOwner->FindComponent(text);
        }
    }
    PropInfo.SetObj(*FObject, component);
}

template <class Action>
void TPropsStorage::ForEachStoredItem(TComponent* AForm, const TStrings& AStoredList,
                                      Action action) {
    // The form is known only while its list is processed.
    struct TOwnerScope {
        TComponent*& Slot;
        TComponent* Saved;
        ~TOwnerScope() { Slot = Saved; }
    } scope{FOwner, FOwner};
    FOwner = AForm;
    for (int i = 0; i < AStoredList.Count(); ++i) {
        std::string compName, propName;
        auto* component = dynamic_cast<TComponent*>(AStoredList.Objects(i));
        if (!component || !ParseStoredItem(AStoredList[i], compName, propName))
            continue;
        FObject = component;
        FPrefix = component->Name() + sPropNameDelimiter;
        if (const TPropInfo* p = TPropInfoList(*component).Find(propName))
            action(*p);
    }
}

void TPropsStorage::StoreObjectsProps(TComponent* AForm, const TStrings& AStoredList) {
    ForEachStoredItem(AForm, AStoredList, [this](const TPropInfo& p) { StoreAnyProperty(p); });
}

void TPropsStorage::LoadObjectsProps(TComponent* AForm, const TStrings& AStoredList) {
    ForEachStoredItem(AForm, AStoredList, [this](const TPropInfo& p) { LoadAnyProperty(p); });
}

std::string CreateStoredItem(const std::string& CompName, const std::string& PropName) {
    if (CompName.empty() || PropName.empty())
        return std::string();
    return CompName + "." + PropName;
}

bool ParseStoredItem(const std::string& Item, std::string& CompName, std::string& PropName) {
    size_t dot = Item.find('.');
    if (dot == std::string::npos)
        return false;
    CompName = Trim(Item.substr(0, dot));
    PropName = Trim(Item.substr(dot + 1));
    return !CompName.empty() && !PropName.empty();
}

std::string ReplaceComponentName(const std::string& Item, const std::string& CompName) {
    std::string oldName, propName;
    if (!ParseStoredItem(Item, oldName, propName))
        return Item;
    return CreateStoredItem(CompName, propName);
}

void UpdateStoredList(TComponent* AForm, TStrings& AStoredList, bool FromForm) {
    for (int i = AStoredList.Count() - 1; i >= 0; --i) {
        std::string compName, propName;
        if (!ParseStoredItem(AStoredList[i], compName, propName)) {
            AStoredList.Delete(i);
        } else if (FromForm) {
            TComponent* component = AForm ? AForm->FindComponent(compName) : nullptr;
            if (component)
                AStoredList.PutObject(i, component);
            else
                AStoredList.Delete(i);
        } else if (auto* component = dynamic_cast<TComponent*>(AStoredList.Objects(i))) {
            AStoredList.Put(i, ReplaceComponentName(AStoredList[i], component->Name()));
        } else {
            AStoredList.Delete(i);
        }
    }
}
