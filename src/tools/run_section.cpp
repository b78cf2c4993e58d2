#include "tools/run_section.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <vector>

namespace {

// The token of the thread when it impersonates, else the process's.
HANDLE OpenOwnToken() {
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return token;
    if (GetLastError() == ERROR_NO_TOKEN &&
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return token;
    return nullptr;
}

// The token's groups, in a buffer as large as the system says they need.
std::vector<unsigned char> GroupsOfToken(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    std::vector<unsigned char> groups(size);
    if (size == 0 || !GetTokenInformation(token, TokenGroups, groups.data(), size, &size))
        groups.clear();
    return groups;
}

struct TRegKey {
    HKEY Handle = nullptr;
    ~TRegKey() {
        if (Handle)
            RegCloseKey(Handle);
    }
};

const char* const SectionNames[] = {"Run", "RunOnce", "RunOnceEx"};

} // namespace

bool RunningAsAdministrator() {
    HANDLE token = OpenOwnToken();
    if (!token)
        return false;
    std::vector<unsigned char> buffer = GroupsOfToken(token);
    CloseHandle(token);
    if (buffer.empty())
        return false;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    bool found = false;
    for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
        found = EqualSid(groups->Groups[i].Sid, administrators) != 0;
    FreeSid(administrators);
    return found;
}

bool CorrectRunSection(THKEYTarget HKEYTarget, TSectionTarget SectionTarget,
                       const std::string& Name, const std::string& Data, TDoAction RunAction) {
    try {
        const HKEY root = HKEYTarget == htCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        const std::wstring path =
            ToWide(std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") +
                   SectionNames[SectionTarget]);
        const std::wstring name = ToWide(Name);
        TRegKey key;
        LONG opened = RunAction == daAdd
                          ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            KEY_ALL_ACCESS, nullptr, &key.Handle, nullptr)
                          : RegOpenKeyW(root, path.c_str(), &key.Handle);
        if (opened != ERROR_SUCCESS)
            return false;
        switch (RunAction) {
        case daAdd: {
            // Stored without a terminating zero. The system adds one when the character after
            // the counted ones is zero, so a non-zero one follows them in memory.
            const std::wstring data = ToWide(Data) + L'.';
            return RegSetValueExW(key.Handle, name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.data()),
                                  DWORD((data.size() - 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        }
        case daDelete:
            return RegDeleteValueW(key.Handle, name.c_str()) == ERROR_SUCCESS;
        case daExist:
            return RegQueryValueExW(key.Handle, name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                   ERROR_SUCCESS;
        case daSameValue: {
            DWORD type = 0, size = 0;
            if (RegQueryValueExW(key.Handle, name.c_str(), nullptr, &type, nullptr, &size) !=
                    ERROR_SUCCESS ||
                type != REG_SZ)
                return false;
            std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
            if (RegQueryValueExW(key.Handle, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
                return false;
            data.resize(size / sizeof(wchar_t));
            // A terminator stored with the text is not part of it.
            while (!data.empty() && data.back() == L'\0')
                data.pop_back();
            return AnsiSameText(FromWide(data), Data);
        }
        }
    } catch (...) {
    }
    return false;
}
