#include "rtl/reg_ini_file.h"

#include "rtl/string_list.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <vector>

namespace {

HKEY RootKey(TRegistryRoot root) {
    switch (root) {
    case TRegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case TRegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    case TRegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case TRegistryRoot::Users:
        return HKEY_USERS;
    case TRegistryRoot::DynData:
        return HKEY_DYN_DATA;
    default:
        return HKEY_CURRENT_USER;
    }
}

// One section's subkey, closed when it goes.
class TSectionKey {
public:
    TSectionKey(HKEY parent, const std::string& section, bool create) {
        if (!parent)
            return;
        std::wstring name = ToWide(section);
        LONG result = create ? RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_WRITE,
                                               nullptr, &FKey, nullptr)
                             : RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &FKey);
        if (result != ERROR_SUCCESS)
            FKey = nullptr;
    }
    ~TSectionKey() {
        if (FKey)
            RegCloseKey(FKey);
    }
    TSectionKey(const TSectionKey&) = delete;
    TSectionKey& operator=(const TSectionKey&) = delete;
    HKEY Key() const { return FKey; }

private:
    HKEY FKey = nullptr;
};

// A string value, or false when it is absent or no string.
bool QueryString(HKEY key, const std::wstring& name, std::string& value) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    value = FromWide(buffer.data());
    return true;
}

} // namespace

TRegIniFile::TRegIniFile(const std::string& keyName, TRegistryRoot root, bool readOnly)
    : TCustomIniFile(keyName), FReadOnly(readOnly) {
    HKEY key = nullptr;
    REGSAM access = readOnly ? KEY_READ : KEY_READ | KEY_WRITE;
    if (RegCreateKeyExW(RootKey(root), ToWide(keyName).c_str(), 0, nullptr, 0, access, nullptr,
                        &key, nullptr) == ERROR_SUCCESS)
        FKey = key;
}

TRegIniFile::~TRegIniFile() {
    if (FKey)
        RegCloseKey(FKey);
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) const {
    TSectionKey key(FKey, section, false);
    std::string value;
    return key.Key() && QueryString(key.Key(), ToWide(ident), value) ? value : defaultValue;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
    TSectionKey key(FReadOnly ? nullptr : FKey, section, true);
    std::wstring data = ToWide(value);
    if (!key.Key() || RegSetValueExW(key.Key(), ToWide(ident).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data.c_str()),
                                     DWORD((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + ident + "'");
}

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings& strings) const {
    strings.Clear();
    TSectionKey key(FKey, section, false);
    if (!key.Key())
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = sizeof name / sizeof name[0];
        if (RegEnumValueW(key.Key(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        std::string value;
        if (QueryString(key.Key(), std::wstring(name, length), value))
            strings.Add(FromWide(name, int(length)) + "=" + value);
    }
}

void TRegIniFile::EraseSection(const std::string& section) {
    if (!FKey || FReadOnly)
        throw ERegistryException("Failed to delete section '" + section + "'");
    LONG result = RegDeleteTreeW(FKey, ToWide(section).c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        throw ERegistryException("Failed to delete section '" + section + "'");
}
