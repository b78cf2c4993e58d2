#pragma once
#include "rtl/shared_text.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Hands out one shared copy per distinct text: interning the same bytes twice gives texts that
// share them. The pool holds a reference to each text while it lives; the texts outlive it in
// whoever took them.
class TTextPool {
public:
    TSharedText Intern(std::string_view text);
    size_t Count() const { return FCount; }

private:
    // The size and hash tell most other texts apart without reaching the text's bytes, which
    // lie elsewhere in memory; the bytes are then compared without a detour through the text.
    struct TSlot {
        uint32_t Hash = 0;
        uint32_t Size = 0;
        const char* Bytes = nullptr; // the text's own, which never move
        TSharedText Text;            // none in a free slot
        bool Free() const { return Text.Identity() == nullptr; }
    };
    // Long texts (stacks, configurations) are hashed from a sample of their bytes; texts with
    // the same hash are then told apart by a full comparison, which is far cheaper than
    // hashing every byte.
    static uint32_t SampledHash(std::string_view text);
    // The slot that holds text or, when none does, the free slot where it belongs.
    static size_t Find(const std::vector<TSlot>& slots, std::string_view text, uint32_t hash);
    void Grow();

    // Open addressing in one array, a power of two in size and at most half full: a text
    // seen before is found without following a chain of nodes.
    std::vector<TSlot> FSlots;
    size_t FCount = 0;
};
