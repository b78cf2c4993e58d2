#pragma once
#include <cstdint>
#include <string_view>

// A hash of every byte of a text, so that texts differing in any byte, however few, get
// different hashes but for chance. Fast enough to take for every text a file holds: several
// bytes a cycle on long texts.
uint32_t TextHash(std::string_view text);
