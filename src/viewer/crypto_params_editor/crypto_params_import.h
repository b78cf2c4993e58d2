#pragma once
#include "rtl/string_list.h"

#include <string>

// What a file of crypto parameters holds for the editor's grid.
struct TCryptoParamsImport {
    // Lines are name=value pairs matched to the grid's rows by name; else values row by row.
    bool NameMode = false;
    TStringList Lines;
    // The engine type whose INI section was taken, when a section names one.
    std::string EngineType;
};

// An INI text takes the first section named after one of engineTypes (else its first section);
// other texts are name=value lines when every line longer than one character has a '='.
void ReadCryptoParamsImport(const TStrings& lines, const TStrings& engineTypes,
                            TCryptoParamsImport& result);
