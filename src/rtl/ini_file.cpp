#include "rtl/ini_file.h"

namespace {

std::string WithoutEnclosingQuotes(const std::string& value) {
    bool quoted =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    return quoted ? value.substr(1, value.size() - 2) : value;
}

} // namespace

TIniFile::TIniFile(const std::string& fileName) : TCustomIniFile(fileName), FText(fileName) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    std::string value;
    return FText.FindValue(section, ident, value) ? WithoutEnclosingQuotes(value) : defaultValue;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) {
    FText.WriteString(section, ident, value);
    FText.UpdateFile();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    FText.ReadSectionValues(section, strings);
}

void TIniFile::EraseSection(const std::string& section) {
    FText.EraseSection(section);
    FText.UpdateFile();
}

void TIniFile::UpdateFile() {
    FText.UpdateFile();
}
