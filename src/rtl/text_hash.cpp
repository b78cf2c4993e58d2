#include "rtl/text_hash.h"

#include "rtl/processor_features.h"
#include "rtl/text_hash_wide.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

// Short texts and a processor without the wide instructions take the hash made for 32-bit
// processors; long ones the one that runs over 16 or 32 bytes at a step, twice as fast there.
// A text is hashed the one way or the other by its size alone, so equal texts hash alike.
uint32_t TextHash(std::string_view text) {
    constexpr size_t LongFrom = 241; // where the wide hash starts taking wide steps
    if (text.size() >= LongFrom) {
        if (ProcessorHasAVX2)
            return TextHashAVX2(text.data(), text.size());
        if (ProcessorHasSSE2)
            return TextHashSSE2(text.data(), text.size());
    }
    return XXH32(text.data(), text.size(), 0);
}
