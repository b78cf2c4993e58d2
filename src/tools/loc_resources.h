#pragma once
#include "rtl/object.h"

#include <memory>
#include <string>
#include <vector>

struct TPropInfo;
class TStrings;

// A localisable value: its key in the store of texts and the text it has by default.
class TQZLocResource : public TObject {
public:
    // With a language, the store's text of BaseID (empty when there is none); without one, the
    // default.
    virtual std::string GetLocalValue(const std::string& Language) const;
    virtual void SetLocalValue(const std::string& Language, const std::string& Value);
    virtual std::string GetObjectName() const { return InternalObjectName; }

    std::string InternalObjectName;
    std::string BaseID;
    std::string DefaultValue;
};

// The localisable values of one object of the program, with the prefix of their keys.
class TQZLocResources : public TObject {
public:
    TQZLocResources() = default;
    ~TQZLocResources() override;

    const std::string& LocalizatorPrefix() const { return FLocalizatorPrefix; }
    // Kept without leading and trailing "_": "C_QVR_" is kept as "C_QVR".
    void SetLocalizatorPrefix(const std::string& Value);

    std::string DefaultInternalObjectName;
    std::vector<std::unique_ptr<TQZLocResource>> Resources;

protected:
    std::string FLocalizatorPrefix;
};

// A string property of an object as a localisable value.
class TQZLocComponentStringProperty : public TQZLocResource {
public:
    // The component's name when the owner object is a component.
    std::string GetObjectName() const override;
    virtual std::string GetPropName() const;
    // Puts the language's text into the property when there is one.
    virtual void SetControlValue(const std::string& Language);

    TObject* OwnerObject = nullptr;
    const TPropInfo* PropInfo = nullptr;
};

// One line of a string-list property as a localisable value.
class TQZLocComponentStringListProperty : public TQZLocComponentStringProperty {
public:
    // The property's name followed by the line's index.
    std::string GetPropName() const override;
    void SetControlValue(const std::string& Language) override;

    int Index = 0;
    TStrings* StringList = nullptr;
};
