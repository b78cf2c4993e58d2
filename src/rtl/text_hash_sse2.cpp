// Built with the 16-byte instructions: it holds nothing but the hash, so that no code shared
// with the rest of the program is built with them.
#include "rtl/text_hash_wide.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

uint32_t TextHashSSE2(const char* bytes, size_t size) {
    return FoldHash(XXH3_64bits(bytes, size));
}
