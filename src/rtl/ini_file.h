#pragma once
#include "rtl/custom_ini_file.h"

// An INI file on disk, read and written through the system's profile functions, so the file
// is handled exactly as every other program on the machine handles it: blanks around names and
// values do not count, of a section named twice the first counts, comments and lines before
// the first section stay, and each change reaches the file at once without dropping what
// another writer put there. A value read loses one pair of enclosing quotes (double or single),
// so a writer can keep quotes by adding a pair. A relative file name counts from the current
// folder.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& fileName);

    // The default comes back as given when the key is absent.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    // Failures raise EInOutError.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) const override;
    // The names of the file's sections in their order, a name written twice listed twice.
    void ReadSections(TStrings& strings) const;
    // Failures raise EInOutError.
    void EraseSection(const std::string& section) override;
    void UpdateFile() override;
};
