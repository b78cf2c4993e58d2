#pragma once
#include <string>

// What one line of a debug-info file says outside the blocks.
struct TDebugHeader {
    enum TKind {
        hkNone,        // no header: skipped
        hkVersionInfo, // names a build, no block follows
        hkSnapshot     // a snapshot's key, build and block length
    };
    TKind Kind = hkNone;
    std::string Key;        // between the first "[" and the next "]", untrimmed
    std::string Version;    // after "Version: ", trimmed; '' without one
    std::string LengthText; // after " DebugData "
};

// Reads a trimmed line: "[" key "]" ... "Version: " build " DebugData " N, or a line with a key
// and "VersionInfo\" followed by text that may hold "Version: " build. Markers are found
// without regard to letter case.
TDebugHeader ParseDebugHeader(const std::string& line);
