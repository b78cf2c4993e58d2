#pragma once
#include <string_view>

class TDebugInfo;
class TSnapshotTexts;

// Fills a snapshot from its block: "[Name] M" section lines (a line with a colon names its
// section after its first ": ["), each followed by an M-byte body. Sections of other names,
// bodies of length 0 and lines that start no section are skipped. The snapshot's repeated texts
// come from texts.
void ParseDebugBlock(std::string_view data, TDebugInfo& di, TSnapshotTexts& texts);
