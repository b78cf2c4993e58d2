#pragma once
#include "rtl/string_list.h"

#include <functional>
#include <memory>
#include <string>

// The installed crypto-engine library, loaded once and kept to the end of the program, and the
// engine types it offers. Its failures are shown as catalogue messages and never raise.

// One line per engine type in the library's order; the object slot holds the type's index from 0.
class TCryptoEngineList : public TStringList {
public:
    TCryptoEngineList();
};

extern std::string SigmakitFullName;                       // empty until a library loaded
extern std::unique_ptr<TCryptoEngineList> CryptoEngineLst; // made by the first successful load

// Loads the library unless it is loaded already: with serverFlag only "Sigmakit.dll", else the
// call gateway "vx_gate.dll" first; each from the program's folder first, then by the system's
// search order. No library shows message 501. showLoadError is kept for callers; the message is
// shown in every case.
void LoadSigmakit(bool serverFlag, bool showLoadError);
// Kept for callers; the library stays loaded to the end of the program.
void UnLoadSigmakit();
bool SigmakitLoaded();
// Frees the list and releases the library (the end of the program).
void DoneSigmakit();

// Reads the engine types 1 to 100 into list, each with its index from 0 in the object slot,
// until get leaves the name empty. False when no buffer of maxLen bytes can be had; a length of
// 0 or less asks nothing.
bool ReadEngineTypes(int maxLen, const std::function<void(int index, char* buf)>& get,
                     TStrings& list);

// The library's exports of the same name; without the library (501) or the export (502) they
// show the message and yield 0 or nothing.
int GetMaxCryptoEngineTypeLength();
void GetCryptoEngineTypes(int index, char* buf);
