#include "rtl/text_pool.h"

#include "rtl/processor_features.h"
#include "rtl/text_hash.h"

#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace {

constexpr size_t MinimumSize = 256;

inline uint32_t WordAt(const char* p) {
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Texts shorter than eight bytes, compared by two words that may overlap, or byte by byte.
bool SameShortBytes(const char* p, const char* q, size_t size) {
    if (size >= 4)
        return ((WordAt(p) ^ WordAt(q)) | (WordAt(p + size - 4) ^ WordAt(q + size - 4))) == 0;
    for (size_t i = 0; i < size; ++i)
        if (p[i] != q[i])
            return false;
    return true;
}

// Eight bytes at a time; the last eight end at the last byte and may overlap the ones before.
// No call of the library's comparison, which costs more than the few bytes it compares.
bool SameBytesNarrow(const char* p, const char* q, size_t size) {
    if (size < 8)
        return SameShortBytes(p, q, size);
    const auto same8 = [](const char* a, const char* b) {
        return ((WordAt(a) ^ WordAt(b)) | (WordAt(a + 4) ^ WordAt(b + 4))) == 0;
    };
    const size_t last = size - 8;
    for (size_t i = 0; i < last; i += 8)
        if (!same8(p + i, q + i))
            return false;
    return same8(p + last, q + last);
}

__attribute__((target("sse2"))) inline bool Same16(const char* a, const char* b) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) == 0xFFFF;
}

// Sixteen bytes at a time where the processor has the instructions for it (every one since
// long ago does; the build targets the plain instruction set), the last sixteen as above.
__attribute__((target("sse2"))) bool SameBytesWide(const char* p, const char* q, size_t size) {
    if (size < 16)
        return SameBytesNarrow(p, q, size);
    const size_t last = size - 16;
    for (size_t i = 0; i < last; i += 16)
        if (!Same16(p + i, q + i))
            return false;
    return Same16(p + last, q + last);
}

} // namespace

static bool SameBytes(const char* p, std::string_view b) {
    return ProcessorHasSSE2 ? SameBytesWide(p, b.data(), b.size())
                            : SameBytesNarrow(p, b.data(), b.size());
}

size_t TTextPool::Find(std::string_view text, uint32_t hash) {
    const size_t mask = FSlots.size() - 1;
    for (size_t index = hash & mask;; index = (index + 1) & mask) {
        const TSlot& slot = FSlots[index];
        if (slot.Free())
            return index;
        if (slot.Hash == hash && slot.Size == text.size()) {
            ++FComparisons;
            if (SameBytes(slot.Bytes, text))
                return index;
        }
    }
}

// The texts are all different: each goes to the first free slot from its hash on.
template <class Keep> void TTextPool::Rebuild(size_t size, Keep keep) {
    std::vector<TSlot> slots(size);
    const size_t mask = size - 1;
    FCount = 0;
    for (TSlot& slot : FSlots) {
        if (slot.Free() || !keep(slot))
            continue;
        size_t index = slot.Hash & mask;
        while (!slots[index].Free())
            index = (index + 1) & mask;
        slots[index] = std::move(slot);
        ++FCount;
    }
    FSlots.swap(slots);
}

void TTextPool::DropUnused() {
    size_t used = 0;
    for (const TSlot& slot : FSlots)
        used += !slot.Free() && !slot.Text.Alone();
    if (used == FCount)
        return;
    if (used == 0) {
        FSlots = {};
        FCount = 0;
        return;
    }
    size_t size = MinimumSize;
    while (size < used * 2)
        size *= 2;
    Rebuild(size, [](const TSlot& slot) { return !slot.Text.Alone(); });
}

TSharedText TTextPool::Intern(std::string_view text) {
    if (text.empty())
        return {};
    if ((FCount + 1) * 2 > FSlots.size())
        Rebuild(FSlots.empty() ? MinimumSize : FSlots.size() * 2,
                [](const TSlot&) { return true; });
    const uint32_t hash = TextHash(text);
    TSlot& slot = FSlots[Find(text, hash)];
    if (slot.Free()) {
        slot.Hash = hash;
        slot.Size = uint32_t(text.size());
        slot.Text = TSharedText(text);
        slot.Bytes = slot.Text.data();
        ++FCount;
    }
    return slot.Text;
}
