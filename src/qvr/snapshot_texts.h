#pragma once
#include "rtl/flat_map.h"
#include "rtl/text_pool.h"

#include <cstdint>
#include <map>
#include <string_view>

class TObject;
class TQZSortedNamedObjects;

// What the snapshots read from one file share: one copy of each repeated text, the upper-cased
// names the sorted lists are keyed by, and how those keys compare in the locale's order.
// Every snapshot names the same classes, stacks and leaks again; this way each name is
// upper-cased and compared in the locale once per file instead of again in every snapshot.
// Long lists (classes, system leaks) are ordered by labels that every key gets once; the
// few stacks of one class are compared directly, and each comparison is remembered, so that a
// file whose stacks never repeat does not pay for labelling them all.
class TSnapshotTexts {
public:
    // The texts come from pool, which outlives this, or from a pool of its own.
    explicit TSnapshotTexts(TTextPool* pool = nullptr) : FPool(pool ? *pool : FOwnPool) {}
    TSnapshotTexts(const TSnapshotTexts&) = delete;
    TSnapshotTexts& operator=(const TSnapshotTexts&) = delete;

    TSharedText Intern(std::string_view text) { return FPool.Intern(text); }
    TTextPool& Pool() { return FPool; }

    // The key of a name in the sorted lists: names that the lists take for one have the same
    // key, and keys compare as the lists order their names.
    class TKey {
    public:
        TKey() = default;
        bool operator<(const TKey& other) const { return Label() < other.Label(); }
        bool operator==(const TKey& other) const { return FNode == other.FNode; }
        const TSharedText& Upper() const { return FNode->first; }
        // The same for keys that are equal.
        const void* Identity() const { return &*FNode; }
        // A number that grows along the order of the keys; a new key may change every label,
        // so labels compare only while no key is added.
        int64_t Label() const { return FNode->second; }

    private:
        friend class TSnapshotTexts;
        using TNode = std::map<TSharedText, int64_t>::iterator;
        explicit TKey(TNode node) : FNode(node) {}
        TNode FNode{};
    };
    TKey Key(const TSharedText& name);
    // The upper-cased name, the same copy for the same name. The reference lasts until the
    // next name is met.
    const TSharedText& Upper(const TSharedText& name);

    // Whether list holds name, found without regard to letter case; index is its position or
    // the place where it belongs.
    bool FindName(const TQZSortedNamedObjects& list, const TSharedText& name, int& index);
    // Stores object under name at the place FindName gave; the list shares name and its key.
    void InsertName(TQZSortedNamedObjects& list, int index, const TSharedText& name,
                    TObject* object);

    // How many groups and names the last snapshot had: the next one has about as many, so its
    // tables are made at that size at once.
    struct TSizeHints {
        size_t LeakClasses = 0;
        size_t LeakGroups = 0;
        size_t SystemLeaks = 0;
    };
    TSizeHints SizeHints;

private:
    struct TLocaleLess {
        bool operator()(const TSharedText& a, const TSharedText& b) const;
    };
    TKey AddKey(const TSharedText& upper);
    struct TNameEntry;
    TNameEntry& Entry(const TSharedText& name);
    // AnsiCompareStr of two upper-cased names, remembered.
    int Compare(const TSharedText& itemKey, const TSharedText& key);

    TTextPool FOwnPool;
    TTextPool& FPool;
    // Every key met, in the locale's order, with a label that grows along that order, so that
    // comparing two keys is comparing two numbers.
    std::map<TSharedText, int64_t, TLocaleLess> FOrder;
    // Each entry keeps its texts, so that no other text can take their identity meanwhile.
    struct TNameEntry {
        TSharedText Name;
        TSharedText Upper;
        bool HasKey = false;
        TKey Key;
    };
    TFlatMap<const void*, TNameEntry> FNames; // by the name's identity
    struct TComparison {
        TSharedText A, B;
        int Result = 0;
    };
    struct TIdentitiesHash {
        size_t operator()(const std::pair<const void*, const void*>& p) const {
            return std::hash<const void*>()(p.first) * 31 + std::hash<const void*>()(p.second);
        }
    };
    TFlatMap<std::pair<const void*, const void*>, TComparison, TIdentitiesHash> FCompared;
};
