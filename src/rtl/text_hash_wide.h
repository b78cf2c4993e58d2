#pragma once
#include <cstddef>
#include <cstdint>

// TextHash of long texts with the 16-byte or the 32-byte instructions, which the processor
// must have; the same result either way.
uint32_t TextHashSSE2(const char* bytes, size_t size);
uint32_t TextHashAVX2(const char* bytes, size_t size);

// The 64-bit result of the hash of long texts folded to the 32 bits the pool keeps.
inline uint32_t FoldHash(uint64_t hash) {
    return uint32_t(hash ^ (hash >> 32));
}
