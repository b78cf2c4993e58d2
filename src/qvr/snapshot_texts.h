#pragma once
#include "rtl/text_pool.h"

#include <string_view>
#include <unordered_map>

class TObject;
class TQZSortedNamedObjects;

// What the snapshots read from one file share: one copy of each repeated text, the upper-cased
// names the sorted lists are keyed by, and the locale comparisons of those names. Every
// snapshot names the same classes, stacks and leaks again; this way each name is upper-cased
// and compared in the locale once per file instead of once per snapshot.
class TSnapshotTexts {
public:
    TSharedText Intern(std::string_view text) { return FPool.Intern(text); }
    TTextPool& Pool() { return FPool; }

    // Whether list holds name, found without regard to letter case; index is its position or
    // the place where it belongs. The list's order is the one its own search uses.
    bool FindName(const TQZSortedNamedObjects& list, const TSharedText& name, int& index);
    // Stores object under name at the place FindName gave; the list shares name and its key.
    void InsertName(TQZSortedNamedObjects& list, int index, const TSharedText& name,
                    TObject* object);

private:
    const TSharedText& Upper(const TSharedText& name);
    int Compare(const TSharedText& itemKey, const TSharedText& key);

    struct TIdentityPairHash {
        size_t operator()(const std::pair<const void*, const void*>& p) const {
            return std::hash<const void*>()(p.first) * 31 + std::hash<const void*>()(p.second);
        }
    };
    // Each entry keeps its texts, so that no other text can take their identity meanwhile.
    struct TUpperEntry {
        TSharedText Name;
        TSharedText Upper;
    };
    struct TComparison {
        TSharedText A, B;
        int Result;
    };

    TTextPool FPool;
    std::unordered_map<const void*, TUpperEntry> FUpper;
    std::unordered_map<std::pair<const void*, const void*>, TComparison, TIdentityPairHash>
        FCompared;
};
