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
    // Forgets the texts that nobody but the pool holds any more, so that they go.
    void DropUnused();
    size_t Count() const { return FCount; }
    // How many times the bytes of two texts were compared: about one for each text interned
    // that was there already, whatever the texts.
    size_t Comparisons() const { return FComparisons; }

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
    // The slot that holds text or, when none does, the free slot where it belongs. The hash
    // covers every byte: texts that differ in a few bytes (a stack's top address, a figure in
    // a configuration) are then never compared with each other.
    size_t Find(std::string_view text, uint32_t hash);
    // Moves the texts that keep(slot) accepts into a table of the given size.
    template <class Keep> void Rebuild(size_t size, Keep keep);

    // Open addressing in one array, a power of two in size and at most half full: a text
    // seen before is found without following a chain of nodes.
    std::vector<TSlot> FSlots;
    size_t FCount = 0;
    size_t FComparisons = 0;
};
