#pragma once
#include "qvr/qvr_config.h"

#include <variant>
#include <vector>

// How a key's text becomes its field and how the field is written back.
enum class TConfigKeyKind {
    Text,           // the value as it stands
    Number,         // an integer; a text that is no integer keeps the default
    Flag,           // an integer, True only when it is exactly 1; written "1" or "0"
    Boolean,        // an integer, True when it is not 0; written "1" or "0"
    ConnectionList, // [Connection] typed entries, or the older [Config] host list
    NumberedLines,  // Name + 0, 1, ... up to the first empty value
    NamedValues,    // the whole section; erased, then the first value of every name
    FilledValues,   // the whole section; erased, then the lines that have a value
    AllValues,      // the whole section; every line, not erased first
    ErrorSwitches,  // the switches and HTML files of every catalogue row
};

using TConfigField = std::variant<std::monostate, std::string TQVRConfig::*, int TQVRConfig::*,
                                  bool TQVRConfig::*, std::unique_ptr<TStringList> TQVRConfig::*>;

// One key of the configuration: where it lives, how it is read and written, and its default
// (as text: "1"/"0" for switches, "" for an empty list; nullptr when the defaults leave the
// field alone). A key read with another default than the field's value names it in ReadDefault.
struct TConfigKey {
    const char* Section;
    const char* Name;
    TConfigKeyKind Kind;
    TConfigField Field;
    const char* Default;
    int (*ReadDefault)(const TQVRConfig&) = nullptr;
    bool WrittenOnlyWhenTrue = false;
};

// The keys of the main INI object in the order they are written.
const std::vector<TConfigKey>& QVRConfigKeys();
// The [Debug info] keys, kept in an INI object of their own.
const std::vector<TConfigKey>& QVRDebugInfoKeys();

void SetKeyDefault(TQVRConfig& config, const TConfigKey& key);
void ReadKey(TQVRConfig& config, const TCustomIniFile& ini, const TConfigKey& key);
void WriteKey(const TQVRConfig& config, TCustomIniFile& ini, const TConfigKey& key);
