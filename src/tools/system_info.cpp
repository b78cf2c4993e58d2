#include "tools/system_info.h"

#include "rtl/strings.h"
#include "rtl/wide_text.h"

#include <windows.h>

bool IsNT, IsWinNT, Is95, IsWin95, Is98, IsWin98, Is2K, IsWin2000, IsOSR2, IsWin95OSR2, IsSE, IsME,
    IsXP;

namespace {

std::string ModuleFileName(HMODULE module) {
    wchar_t name[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(module, name, MAX_PATH + 1);
    return n == 0 || n > MAX_PATH ? std::string() : FromWide(name, int(n));
}

TOS NTVersion(unsigned major, unsigned minor) {
    switch (major) {
    case 3:
        return osNT3;
    case 4:
        return osNT4;
    case 5:
        return minor == 1 ? osXP : os2K;
    default:
        return osUnknown;
    }
}

TOS Win9xVersion(unsigned major, unsigned minor, const std::string& servicePack) {
    if (major != 4)
        return osUnknown;
    switch (minor) {
    case 0:
        return servicePack == "B" ? os95OSR2 : os95;
    case 10:
        return servicePack == "A" ? os98SE : os98;
    case 90:
        return osME;
    default:
        return osUnknown;
    }
}

const bool OSDefined = (DefineOS(), true);

} // namespace

std::string GetCurrentProgramFullName() {
    return ModuleFileName(nullptr);
}

// A module that is not loaded gives an empty name, never the program's own.
std::string GetModulName(const std::string& moduleName) {
    HMODULE module = GetModuleHandleW(ToWide(moduleName).c_str());
    return module ? ModuleFileName(module) : std::string();
}

TOS OSOfVersion(bool nt, unsigned major, unsigned minor, const std::string& servicePack) {
    return nt ? NTVersion(major, minor) : Win9xVersion(major, minor, Trim(servicePack));
}

TOS GetOS() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return osUnknown;
    return OSOfVersion(info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion,
                       info.dwMinorVersion, FromWide(info.szCSDVersion));
}

void SetOSFlags(TOS os) {
    IsNT = IsWinNT = os == osNT3 || os == osNT4 || os == os2K || os == osXP;
    Is95 = IsWin95 = os == os95;
    IsOSR2 = IsWin95OSR2 = os == os95OSR2;
    Is98 = IsWin98 = os == os98;
    IsSE = os == os98SE;
    Is2K = IsWin2000 = os == os2K;
    IsME = os == osME;
    IsXP = os == osXP;
}

void DefineOS() {
    SetOSFlags(GetOS());
}
