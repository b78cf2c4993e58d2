#pragma once
#include <string>

class TCustomIniFile;
class TQVRConfig;
class TStringList;

// The parts of the configuration that take more than one key.

// Typed entries "Config0", "Config1", ... of [Connection] when UseConnectionType is on and a
// type is named, else the client sockets "ZWIHost0", ... of [Config]; never an empty list.
void ReadConnectionList(TQVRConfig& config, const TCustomIniFile& ini);
void WriteConnectionList(const TQVRConfig& config, TCustomIniFile& ini);

// stem + 0, stem + 1, ... up to the first empty value.
void ReadNumberedLines(const TCustomIniFile& ini, const std::string& section,
                       const std::string& stem, TStringList& lines);
// Every line, an empty one too.
void WriteNumberedLines(TCustomIniFile& ini, const std::string& section, const std::string& stem,
                        const TStringList& lines);

// Erases the section, then writes every name (text before '=') with its first value.
void WriteNamedValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines);
// Erases the section, then writes the lines whose value is not empty.
void WriteFilledValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines);
// Writes every line as name=value, an empty value too.
void WriteAllValues(TCustomIniFile& ini, const std::string& section, const TStringList& lines);

// [ShowErrors] and [Errors HTMLs] keyed by the code of every catalogue row, under the
// catalogue's lock.
void ReadErrorSwitches(const TCustomIniFile& ini);
void WriteErrorSwitches(TCustomIniFile& ini);
