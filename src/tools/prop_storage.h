#pragma once
#include "rtl/published.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TStrings;

// Joins a component's name and a property's name into a key of the store.
inline constexpr char sPropNameDelimiter[] = "_";

using TReadStrEvent = std::function<std::string(
    const std::string& Section, const std::string& Ident, const std::string& Default)>;
using TWriteStrEvent = std::function<void(const std::string& Section, const std::string& Ident,
                                          const std::string& Value)>;
using TEraseSectEvent = std::function<void(const std::string& Section)>;

// The published properties of one object, looked up by name without regard to case.
class TPropInfoList : public TObject {
public:
    explicit TPropInfoList(const TObject& object);
    int Count() const { return int(FList.size()); }
    const TPropInfo* Items(int index) const { return FList.at(size_t(index)); }
    const TPropInfo* Find(const std::string& name) const;

private:
    std::vector<const TPropInfo*> FList;
};

// Turns published properties of objects into key = value strings of an INI-like store and back.
// It never touches a file: it reads, writes and erases through the handlers its user sets.
class TPropsStorage : public TObject {
public:
    TObject* AObject() const { return FObject; }
    void SetAObject(TObject* value) { FObject = value; }
    const std::string& Prefix() const { return FPrefix; }
    void SetPrefix(const std::string& value) { FPrefix = value; }
    const std::string& Section() const { return FSection; }
    void SetSection(const std::string& value) { FSection = value; }

    // Stores or loads one property of AObject. Loading never raises: a bad value leaves the
    // property as it was. Storing passes on what the handlers raise.
    void StoreAnyProperty(const TPropInfo& PropInfo);
    void LoadAnyProperty(const TPropInfo& PropInfo);
    // Every item of the list ("Component.Property", the component as its object).
    void StoreObjectsProps(TComponent* AForm, const TStrings& AStoredList);
    void LoadObjectsProps(TComponent* AForm, const TStrings& AStoredList);

    TReadStrEvent OnReadString;
    TWriteStrEvent OnWriteString;
    TEraseSectEvent OnEraseSection;

protected:
    virtual std::string ReadString(const std::string& ASection, const std::string& Item,
                                   const std::string& Default);
    virtual void WriteString(const std::string& ASection, const std::string& Item,
                             const std::string& Value);
    virtual void EraseSection(const std::string& ASection);
    virtual std::string GetItemName(const std::string& APropName) const;
    // A storage of the same class, for the properties of nested objects.
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

private:
    // The property's value as it is stored; class properties other than component references
    // have no text of their own.
    std::string PropertyText(const TPropInfo& PropInfo) const;
    std::string ComponentText(const TObject* value) const;
    void StoreStringsProperty(const TPropInfo& PropInfo);
    void LoadStringsProperty(const TPropInfo& PropInfo);
    void SetTextValue(const TPropInfo& PropInfo, const std::string& text);
    void SetComponentValue(const TPropInfo& PropInfo, const std::string& text);
    // A storage for the published properties of obj, sharing the handlers and the form.
    std::unique_ptr<TPropsStorage> Nested(TObject* obj, const std::string& section,
                                          const std::string& prefix) const;
    std::string ListSection(const TPropInfo& PropInfo) const;
    bool IsComponentReference(const TPropInfo& PropInfo, const TObject* value) const;
    template <class Action>
    void ForEachStoredItem(TComponent* AForm, const TStrings& AStoredList, Action action);

    TObject* FObject = nullptr;
    TComponent* FOwner = nullptr;
    std::string FPrefix;
    std::string FSection;
};

std::string CreateStoredItem(const std::string& CompName, const std::string& PropName);
bool ParseStoredItem(const std::string& Item, std::string& CompName, std::string& PropName);
std::string ReplaceComponentName(const std::string& Item, const std::string& CompName);
// Brings the list in line with the form: from the form, items take their components by name;
// else items take the present names of their components. Items that fit nothing are dropped.
void UpdateStoredList(TComponent* AForm, TStrings& AStoredList, bool FromForm);
