#pragma once
#include "rtl/object.h"

#include <string>

class TStrings;

// An INI store: named sections of key=value entries. Section and key names match without
// regard to letter case; every read takes the default to give when the key is absent.
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

    const std::string& FileName() const { return FFileName; }

    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& defaultValue) const = 0;
    virtual void WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) = 0;
    // The section's entries as key=value lines in their order, in place of the list's
    // contents; an absent section gives an empty list.
    virtual void ReadSectionValues(const std::string& section, TStrings& strings) const = 0;
    virtual void EraseSection(const std::string& section) = 0;
    virtual void UpdateFile() = 0;

    // Decimal, or hexadecimal after "$", "0x" or "0X"; the default also for a text that is no
    // integer.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    // Read as an integer: any value but 0 is True. Written as "1" or "0".
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;
    void WriteBool(const std::string& section, const std::string& ident, bool value);

private:
    std::string FFileName;
};
