#include "rtl/text_pool.h"

#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace {

constexpr size_t WholeHashLimit = 64;
constexpr size_t SampleWords = 16;

inline uint32_t Mix(uint32_t hash, uint32_t word) {
    hash ^= word;
    hash *= 0x9E3779B1u;
    return (hash << 13) | (hash >> 19);
}

// Every bit of the result depends on every bit of the hash, so the low bits can pick a slot.
inline uint32_t Finish(uint32_t hash) {
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    return hash ^ (hash >> 16);
}

inline uint32_t WordAt(const char* p) {
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

} // namespace

uint32_t TTextPool::SampledHash(std::string_view text) {
    const size_t size = text.size();
    uint32_t hash = Mix(0x811C9DC5u, uint32_t(size));
    const char* p = text.data();
    if (size < 4) {
        for (size_t i = 0; i < size; ++i)
            hash = Mix(hash, uint8_t(p[i]));
        return Finish(hash);
    }
    if (size <= WholeHashLimit) {
        for (size_t i = 0; i + 4 <= size; i += 4)
            hash = Mix(hash, WordAt(p + i));
    } else {
        // Evenly spread words, the last one ending at the last byte.
        const size_t step = (size - 4) / (SampleWords - 1);
        for (size_t i = 0; i < SampleWords; ++i)
            hash = Mix(hash, WordAt(p + i * step));
    }
    return Finish(Mix(hash, WordAt(p + size - 4)));
}

namespace {

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

// Asked while the program starts, before the library would have asked the processor itself.
const bool HasSSE2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
}();

} // namespace

static bool SameBytes(const char* p, std::string_view b) {
    return HasSSE2 ? SameBytesWide(p, b.data(), b.size()) : SameBytesNarrow(p, b.data(), b.size());
}

size_t TTextPool::Find(const std::vector<TSlot>& slots, std::string_view text, uint32_t hash) {
    const size_t mask = slots.size() - 1;
    for (size_t index = hash & mask;; index = (index + 1) & mask) {
        const TSlot& slot = slots[index];
        if (slot.Free() ||
            (slot.Hash == hash && slot.Size == text.size() && SameBytes(slot.Bytes, text)))
            return index;
    }
}

void TTextPool::Grow() {
    std::vector<TSlot> slots(FSlots.empty() ? 256 : FSlots.size() * 2);
    for (TSlot& slot : FSlots)
        if (!slot.Free())
            slots[Find(slots, slot.Text, slot.Hash)] = std::move(slot);
    FSlots.swap(slots);
}

TSharedText TTextPool::Intern(std::string_view text) {
    if (text.empty())
        return {};
    if ((FCount + 1) * 2 > FSlots.size())
        Grow();
    const uint32_t hash = SampledHash(text);
    TSlot& slot = FSlots[Find(FSlots, text, hash)];
    if (slot.Free()) {
        slot.Hash = hash;
        slot.Size = uint32_t(text.size());
        slot.Text = TSharedText(text);
        slot.Bytes = slot.Text.data();
        ++FCount;
    }
    return slot.Text;
}
