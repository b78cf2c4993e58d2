#include "tools/property_readers.h"

#include "rtl/strings.h"
#include "tools/loc_resources.h"
#include "tools/localization_store.h"

std::unique_ptr<TPropertyReadersList> PropertyReadersList;

namespace {

// The store's text of a key, or empty when it has none.
std::string FoundText(const std::string& key) {
    std::string value = GetLocalResourceValue(key, DefaultLanguageID());
    return value == LocNotFoundMark ? std::string() : value;
}

// A new localisable value of the property, kept by the resources.
template <class Resource>
Resource& AddResource(TQZLocResources& resources, TObject& object, const TPropInfo& prop,
                      const std::string& baseID, const std::string& defaultValue) {
    auto resource = std::make_unique<Resource>();
    resource->InternalObjectName = resources.DefaultInternalObjectName;
    resource->BaseID = baseID;
    resource->DefaultValue = defaultValue;
    resource->OwnerObject = &object;
    resource->PropInfo = &prop;
    Resource& added = *resource;
    resources.Resources.push_back(std::move(resource));
    return added;
}

TStrings* ListOf(const TObject& object, const TPropInfo& PropInfo) {
    return dynamic_cast<TStrings*>(PropInfo.GetObj ? PropInfo.GetObj(object) : nullptr);
}

} // namespace

const TClassInfo& TPropertyReader::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TPropertyReader", &TObject::StaticClassInfo());
    return *info;
}

const TClassInfo& TStringPropertyReader::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TStringPropertyReader",
                                           &TPropertyReader::StaticClassInfo());
    return *info;
}

const TClassInfo& TStringListPropertyReader::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TStringListPropertyReader",
                                           &TPropertyReader::StaticClassInfo());
    return *info;
}

const TClassInfo& StringPropertyClass() {
    static const TLasting<TClassInfo> info("TString", nullptr);
    return *info;
}

void TStringPropertyReader::ReadObjectProperty(TQZLocResources& Resources, TObject& Object,
                                               const TPropInfo& PropInfo,
                                               const std::string& Prefix) {
    AddResource<TQZLocComponentStringProperty>(Resources, Object, PropInfo, Prefix + PropInfo.Name,
                                               PropInfo.GetStr(Object));
}

void TStringPropertyReader::LocalizeObjectProperty(TObject& Object, const TPropInfo& PropInfo,
                                                   const std::string& Prefix) {
    std::string text = FoundText(Prefix + PropInfo.Name);
    if (!text.empty() && PropInfo.SetStr)
        PropInfo.SetStr(Object, text);
    if (!SameText(PropInfo.Name, "Hint") || PropInfo.GetStr(Object).empty())
        return;
    // Only objects that can show hints are told to; a hint on anything else stays as it is.
    const TPropInfo* showHint = Object.ClassInfo().FindProperty("ShowHint");
    if (showHint && showHint->SetOrd)
        showHint->SetOrd(Object, 1);
}

void TStringListPropertyReader::ReadObjectProperty(TQZLocResources& Resources, TObject& Object,
                                                   const TPropInfo& PropInfo,
                                                   const std::string& Prefix) {
    TStrings* list = ListOf(Object, PropInfo);
    for (int i = 0; list && i < list->Count(); ++i) {
        auto& line = AddResource<TQZLocComponentStringListProperty>(
            Resources, Object, PropInfo, Prefix + PropInfo.Name + IntToStr(i), (*list)[i]);
        line.Index = i;
        line.StringList = list;
    }
}

void TStringListPropertyReader::LocalizeObjectProperty(TObject& Object, const TPropInfo& PropInfo,
                                                       const std::string& Prefix) {
    TStrings* list = ListOf(Object, PropInfo);
    for (int i = 0; list && i < list->Count(); ++i) {
        std::string text = FoundText(Prefix + PropInfo.Name + IntToStr(i));
        if (!text.empty())
            list->Put(i, text);
    }
}

TPropertyReaderObject* TPropertyReadersList::Find(const std::string& PropertyClassName) const {
    for (const auto& item : FItems)
        if (SameText(item->PropertyClassName, PropertyClassName))
            return item.get();
    return nullptr;
}

TPropertyReader* TPropertyReadersList::FindReader(const std::string& PropertyClassName) const {
    TPropertyReaderObject* item = Find(PropertyClassName);
    return item ? item->Reader.get() : nullptr;
}

void AddPropertyReader(const TClassInfo& PropertyClass, const TClassInfo& ReaderClass,
                       TPropertyReaderFactory CreateReader) {
    if (!PropertyReadersList)
        PropertyReadersList = std::make_unique<TPropertyReadersList>();
    if (TPropertyReaderObject* known = PropertyReadersList->Find(PropertyClass.Name())) {
        if (&known->Reader->ClassInfo() != &ReaderClass)
            throw EPropertyReadersList("Dublicate reader for class");
        return;
    }
    PropertyReadersList->Add(std::unique_ptr<TPropertyReaderObject>(
        new TPropertyReaderObject{&PropertyClass, PropertyClass.Name(), CreateReader()}));
}

void InitPropertyReaders() {
    PropertyReadersList = std::make_unique<TPropertyReadersList>();
    AddPropertyReader<TStringPropertyReader>(StringPropertyClass());
    AddPropertyReader<TStringListPropertyReader>(TStrings::StaticClassInfo());
    AddPropertyReader<TStringListPropertyReader>(TStringList::StaticClassInfo());
}

void DonePropertyReaders() {
    PropertyReadersList.reset();
}
