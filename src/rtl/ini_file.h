#pragma once
#include "rtl/mem_ini_file.h"

// An INI file on disk, read through the rules of TMemIniFile. Every change is written to the
// file at once. A value read loses one pair of enclosing quotes (double or single), so a
// writer can keep quotes by adding a pair.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& fileName);

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) const override;
    void EraseSection(const std::string& section) override;
    void UpdateFile() override;

private:
    TMemIniFile FText;
};
