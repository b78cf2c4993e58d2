#pragma once
#include "qvr/memory_qvr_config.h"

#include <memory>
#include <string>

// A configuration read from the INI text.
std::unique_ptr<TMemoryQVRConfig> ReadConfigText(const std::string& text);
// The INI text the configuration writes.
std::string WrittenText(TMemoryQVRConfig& config);
// The entries of one section of an INI text, one line each.
std::string SectionOf(const std::string& text, const std::string& section);
