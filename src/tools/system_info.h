#pragma once
#include <string>

enum TOS { osUnknown, os95, os95OSR2, os98, os98SE, osNT3, osNT4, os2K, osME, osXP };

extern bool IsNT, IsWinNT, Is95, IsWin95, Is98, IsWin98, Is2K, IsWin2000, IsOSR2, IsWin95OSR2, IsSE,
    IsME, IsXP;

std::string GetCurrentProgramFullName();
std::string GetModulName(const std::string& moduleName);
TOS GetOS();
void DefineOS(); // start-up sets the flags once
