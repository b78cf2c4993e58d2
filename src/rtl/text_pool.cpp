#include "rtl/text_pool.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr size_t WholeHashLimit = 64;
constexpr size_t SampleWords = 16;

inline uint32_t Mix(uint32_t hash, uint32_t word) {
    hash ^= word;
    hash *= 0x9E3779B1u;
    return (hash << 13) | (hash >> 19);
}

inline uint32_t WordAt(const char* p) {
    uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

} // namespace

size_t TTextPool::TSampledHash::operator()(std::string_view text) const {
    const size_t size = text.size();
    uint32_t hash = Mix(0x811C9DC5u, uint32_t(size));
    const char* p = text.data();
    if (size < 4) {
        for (size_t i = 0; i < size; ++i)
            hash = Mix(hash, uint8_t(p[i]));
        return hash;
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
    return Mix(hash, WordAt(p + size - 4));
}

TSharedText TTextPool::Intern(std::string_view text) {
    if (text.empty())
        return {};
    auto found = FTexts.find(text);
    if (found != FTexts.end())
        return found->second;
    TSharedText shared(text);
    FTexts.emplace(std::string_view(shared), shared);
    return shared;
}
