#pragma once
#include "support/temp_folder.h"

#include <string>

// A copy of a stand-in crypto-engine library (built next to the test programs) in a new
// temporary folder under the name a test asks for, with the settings file it reads and the log
// of the calls it was given. Release the library before the object goes.
class CryptoStandIn {
public:
    // source: "crypto_engine.dll" (every export) or "empty_library.dll" (almost none).
    explicit CryptoStandIn(const std::string& name = "Sigmakit.dll",
                           const std::string& source = "crypto_engine.dll");

    const std::string& Folder() const { return FFolder.Path(); }
    std::string Library() const { return FFolder.File(FName); }
    // Writes the library's settings (see the stand-in's source for their form).
    void Configure(const std::string& iniText) const;
    std::string Log() const;
    void ClearLog() const;

private:
    std::string SideFile(const char* extension) const;
    TempFolder FFolder;
    std::string FName;
};

// Settings of a library that offers the given engine types, with no parameters.
std::string EngineTypes(std::initializer_list<const char*> names);
