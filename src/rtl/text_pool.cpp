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

// Sixteen bytes at a time where the processor has the instructions for it (every one since
// long ago does; the build targets the plain instruction set).
__attribute__((target("sse2"))) bool SameBytesWide(const char* p, const char* q, size_t left) {
    for (; left >= 16; left -= 16, p += 16, q += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(a, b)) != 0xFFFF)
            return false;
    }
    return std::memcmp(p, q, left) == 0;
}

bool SameBytesNarrow(const char* p, const char* q, size_t left) {
    for (; left >= 8; left -= 8, p += 8, q += 8)
        if ((WordAt(p) ^ WordAt(q)) | (WordAt(p + 4) ^ WordAt(q + 4)))
            return false;
    return std::memcmp(p, q, left) == 0;
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
