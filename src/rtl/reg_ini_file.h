#pragma once
#include "rtl/custom_ini_file.h"
#include "rtl/exceptions.h"

struct HKEY__;

class ERegistryException : public Exception {
    using Exception::Exception;
};

enum class TRegistryRoot { CurrentUser, LocalMachine, CurrentConfig, ClassesRoot, Users, DynData };

// An INI store in the registry: the key named like the file below a root holds one subkey per
// section, and each entry is a string value of it. The key is opened, and made when missing, at
// construction; read-only, it is opened for reading only. Reads of a key that could not be
// opened give the defaults; writes to it raise ERegistryException.
class TRegIniFile : public TCustomIniFile {
public:
    TRegIniFile(const std::string& keyName, TRegistryRoot root, bool readOnly);
    ~TRegIniFile() override;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const override;
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value) override;
    void ReadSectionValues(const std::string& section, TStrings& strings) const override;
    void EraseSection(const std::string& section) override;
    // Values reach the registry as they are written; nothing waits.
    void UpdateFile() override {}

    bool KeyOpen() const { return FKey != nullptr; }

private:
    HKEY__* FKey = nullptr;
    bool FReadOnly;
};
