#pragma once
#include <string>

enum TOS { osUnknown, os95, os95OSR2, os98, os98SE, osNT3, osNT4, os2K, osME, osXP };

extern bool IsNT, IsWinNT, Is95, IsWin95, Is98, IsWin98, Is2K, IsWin2000, IsOSR2, IsWin95OSR2, IsSE,
    IsME, IsXP;

std::string GetCurrentProgramFullName();
std::string GetModulName(const std::string& moduleName);
TOS GetOS();
// The version kind of a Windows that reports these numbers (nt: the NT platform).
TOS OSOfVersion(bool nt, unsigned major, unsigned minor, const std::string& servicePack);
void SetOSFlags(TOS os);
void DefineOS(); // start-up sets the flags once, from GetOS
