#pragma once
#include "rtl/custom_ini_file.h"

#include <string>
#include <unordered_map>
#include <vector>

// An INI text held in memory. Lines are taken as they stand: empty lines and lines starting
// with ';' are skipped, "[name]" starts a section, any other line is an entry of the current
// section (lines before the first section are dropped). An entry's key is the text before its
// first '='. A section named twice is one section; of a key entered twice the first counts.
// Sections and keys are found through tables of their upper-cased names, so loading, reading
// and writing take time in proportion to the text, however many sections or keys it holds.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads the file when it exists.
    explicit TMemIniFile(const std::string& fileName);

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) const override;
    void EraseSection(const std::string& section) override;
    // Writes the text to the file; failures raise EInOutError.
    void UpdateFile() override;

    // The names of the sections in the order of the text.
    void ReadSections(TStrings& strings) const;
    bool FindValue(const std::string& section, const std::string& ident, std::string& value) const;
    void Clear();
    // Each section as its bracketed name line, its entries, then one empty line.
    void GetStrings(TStrings& list) const;
    void SetStrings(const TStrings& list);

private:
    struct TSection {
        std::string Name;
        std::vector<std::string> Lines;
        // Upper-cased key -> position in Lines of its first entry.
        std::unordered_map<std::string, size_t> Keys;

        void AddLine(std::string line);
        const std::string* FindLine(const std::string& foldedKey) const;
    };

    const TSection* FindSection(const std::string& name) const;
    // The section, added at the end when absent.
    TSection& AddSection(const std::string& name);

    std::vector<TSection> FSections;
    // Upper-cased section name -> position in FSections.
    std::unordered_map<std::string, size_t> FSectionIndex;
};
