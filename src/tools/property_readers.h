#pragma once
#include "rtl/exceptions.h"
#include "rtl/published.h"

#include <memory>
#include <string>
#include <vector>

class TQZLocResources;

class EPropertyReadersList : public Exception {
    using Exception::Exception;
};

// Localises one kind of property: reads its texts from the store by keys made of a prefix and
// the property's name, or collects it as localisable values.
class TPropertyReader : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    virtual void ReadObjectProperty(TQZLocResources& Resources, TObject& Object,
                                    const TPropInfo& PropInfo, const std::string& Prefix) {}
    virtual void LocalizeObjectProperty(TObject& Object, const TPropInfo& PropInfo,
                                        const std::string& Prefix) {}
};

// Strings of every kind; a hint that is not empty afterwards turns the object's hints on.
class TStringPropertyReader : public TPropertyReader {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void ReadObjectProperty(TQZLocResources& Resources, TObject& Object, const TPropInfo& PropInfo,
                            const std::string& Prefix) override;
    void LocalizeObjectProperty(TObject& Object, const TPropInfo& PropInfo,
                                const std::string& Prefix) override;
};

// String lists, line by line: the key of a line ends in its index.
class TStringListPropertyReader : public TPropertyReader {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void ReadObjectProperty(TQZLocResources& Resources, TObject& Object, const TPropInfo& PropInfo,
                            const std::string& Prefix) override;
    void LocalizeObjectProperty(TObject& Object, const TPropInfo& PropInfo,
                                const std::string& Prefix) override;
};

// The class that stands for all string properties in the list of readers.
const TClassInfo& StringPropertyClass();

using TPropertyReaderFactory = std::unique_ptr<TPropertyReader> (*)();

// A property class and the reader of its properties.
struct TPropertyReaderObject {
    const TClassInfo* PropertyClass;
    std::string PropertyClassName;
    std::unique_ptr<TPropertyReader> Reader;
};

class TPropertyReadersList : public TObject {
public:
    // The reader of a property class, by its name without regard to case; null when none.
    TPropertyReader* FindReader(const std::string& PropertyClassName) const;
    TPropertyReaderObject* Find(const std::string& PropertyClassName) const;
    void Add(std::unique_ptr<TPropertyReaderObject> item) { FItems.push_back(std::move(item)); }
    int Count() const { return int(FItems.size()); }

private:
    std::vector<std::unique_ptr<TPropertyReaderObject>> FItems;
};

extern std::unique_ptr<TPropertyReadersList> PropertyReadersList;

// Registers a reader for a property class. Another reader class for a class that has one
// raises EPropertyReadersList; the same pair again changes nothing.
void AddPropertyReader(const TClassInfo& PropertyClass, const TClassInfo& ReaderClass,
                       TPropertyReaderFactory CreateReader);
template <class Reader> void AddPropertyReader(const TClassInfo& PropertyClass) {
    AddPropertyReader(PropertyClass, Reader::StaticClassInfo(),
                      [] { return std::unique_ptr<TPropertyReader>(new Reader); });
}

// The list with the string reader for all strings and the string-list reader for TStrings and
// TStringList; done frees it.
void InitPropertyReaders();
void DonePropertyReaders();
