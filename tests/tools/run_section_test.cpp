#include "tools/run_section.h"

#include "rtl/wide_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A value name of this test run, removed afterwards whatever the test left.
class RunSectionTest : public ::testing::Test {
protected:
    RunSectionTest() : Name("QVRDebugViewerTest" + std::to_string(GetCurrentProcessId())) {}
    ~RunSectionTest() override {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, ToWide(Name).c_str());
    }

    void SetRaw(DWORD type, const std::wstring& data, bool terminated) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, RunKey, &key), ERROR_SUCCESS);
        RegSetValueExW(key, ToWide(Name).c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD((data.size() + (terminated ? 1 : 0)) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    DWORD StoredSize() const {
        DWORD size = 0;
        HKEY key = nullptr;
        if (RegOpenKeyW(HKEY_CURRENT_USER, RunKey, &key) == ERROR_SUCCESS) {
            RegQueryValueExW(key, ToWide(Name).c_str(), nullptr, nullptr, nullptr, &size);
            RegCloseKey(key);
        }
        return size;
    }
    bool Run(TDoAction action, const std::string& data = "") const {
        return CorrectRunSection(htCurrentUser, stRun, Name, data, action);
    }

    const std::string Name;
};

} // namespace

TEST_F(RunSectionTest, AValueIsAddedTestedComparedAndDeleted) {
    EXPECT_FALSE(Run(daExist));
    EXPECT_FALSE(Run(daSameValue, "1"));
    EXPECT_FALSE(Run(daDelete));

    EXPECT_TRUE(Run(daAdd, "1"));
    EXPECT_EQ(StoredSize(), sizeof(wchar_t)); // one character, no terminator
    EXPECT_TRUE(Run(daExist));
    EXPECT_TRUE(Run(daSameValue, "1"));
    EXPECT_FALSE(Run(daSameValue, "12"));

    EXPECT_TRUE(Run(daAdd, "C:\\Программы\\QVR\\Server.EXE /auto"));
    EXPECT_TRUE(Run(daSameValue, "c:\\программы\\qvr\\server.exe /AUTO"));
    EXPECT_FALSE(Run(daSameValue, "c:\\программы\\qvr\\server.exe"));

    EXPECT_TRUE(Run(daDelete));
    EXPECT_FALSE(Run(daExist));
    EXPECT_FALSE(Run(daDelete));
}

TEST_F(RunSectionTest, OnlyPlainStringsCompareAndATerminatorDoesNotCount) {
    SetRaw(REG_EXPAND_SZ, L"server.exe", true);
    EXPECT_TRUE(Run(daExist));
    EXPECT_FALSE(Run(daSameValue, "server.exe"));

    SetRaw(REG_SZ, L"server.exe", true);
    EXPECT_TRUE(Run(daSameValue, "SERVER.exe"));
}

TEST_F(RunSectionTest, AMissingKeyIsNotMade) {
    EXPECT_FALSE(CorrectRunSection(htCurrentUser, stRunOnceEx, Name + "Key", "", daExist));
    EXPECT_FALSE(CorrectRunSection(htCurrentUser, stRunOnceEx, Name + "Key", "", daDelete));
    HKEY key = nullptr;
    if (RegOpenKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
                    &key) == ERROR_SUCCESS) {
        RegCloseKey(key); // made by someone else: nothing to check
        return;
    }
    EXPECT_EQ(key, nullptr);
}

TEST(RunningAsAdministrator, AgreesWithTheSystemsMembershipCheck) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                         &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(CheckTokenMembership(nullptr, administrators, &member));
    FreeSid(administrators);
    EXPECT_EQ(RunningAsAdministrator(), member != FALSE);
}
