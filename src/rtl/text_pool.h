#pragma once
#include "rtl/shared_text.h"

#include <string_view>
#include <unordered_map>

// Hands out one shared copy per distinct text: interning the same bytes twice gives texts that
// share them. The pool holds a reference to each text while it lives; the texts outlive it in
// whoever took them.
class TTextPool {
public:
    TSharedText Intern(std::string_view text);
    size_t Count() const { return FTexts.size(); }

private:
    // Long texts (stacks, configurations) are hashed from a sample of their bytes; equal
    // samples are then told apart by a full comparison, which is far cheaper than hashing.
    struct TSampledHash {
        size_t operator()(std::string_view text) const;
    };
    // Word by word: the library's byte comparison is several times slower on long stacks.
    struct TSameBytes {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    // The key looks at the bytes of the text it maps to.
    std::unordered_map<std::string_view, TSharedText, TSampledHash, TSameBytes> FTexts;
};
