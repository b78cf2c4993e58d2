#include "tools/loc_resources.h"

#include "rtl/published.h"
#include "rtl/strings.h"
#include "tools/localization_store.h"
#include "tools/qz_string.h"
#include "vcl/base/component.h"

std::string TQZLocResource::GetLocalValue(const std::string& Language) const {
    std::string value = Language.empty() ? DefaultValue : GetLocalResourceValue(BaseID, Language);
    return value == LocNotFoundMark ? std::string() : value;
}

void TQZLocResource::SetLocalValue(const std::string& Language, const std::string& Value) {
    if (!Language.empty())
        SetLocalResourceValue(BaseID, Language, Value);
}

TQZLocResources::~TQZLocResources() = default;

void TQZLocResources::SetLocalizatorPrefix(const std::string& Value) {
    FLocalizatorPrefix = DelSymbols(Value, '_');
}

std::string TQZLocComponentStringProperty::GetObjectName() const {
    if (auto* component = dynamic_cast<const TComponent*>(OwnerObject))
        return component->Name();
    return TQZLocResource::GetObjectName();
}

std::string TQZLocComponentStringProperty::GetPropName() const {
    return PropInfo ? PropInfo->Name : std::string();
}

void TQZLocComponentStringProperty::SetControlValue(const std::string& Language) {
    std::string value = GetLocalValue(Language);
    if (!value.empty() && OwnerObject && PropInfo && PropInfo->SetStr)
        PropInfo->SetStr(*OwnerObject, value);
}

std::string TQZLocComponentStringListProperty::GetPropName() const {
    return TQZLocComponentStringProperty::GetPropName() + IntToStr(Index);
}

void TQZLocComponentStringListProperty::SetControlValue(const std::string& Language) {
    std::string value = GetLocalValue(Language);
    if (!value.empty() && StringList && Index >= 0 && Index < StringList->Count())
        StringList->Put(Index, value);
}
