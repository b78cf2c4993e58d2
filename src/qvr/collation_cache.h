#pragma once
#include <string>
#include <unordered_map>

class TQZSortedNamedObjects;

// Remembers the locale comparisons of upper-cased names. They are slow for long texts such as
// leak stacks, and every snapshot asks the same ones again.
class TCollationCache {
public:
    // AnsiCompareStr of a and b, as the sorted lists compare.
    int Compare(const std::string& a, const std::string& b);
    // Makes list compare its names through this cache; the order stays the same.
    void UseFor(TQZSortedNamedObjects& list);

private:
    std::unordered_map<std::string, int> FResults; // "length:" a b -> comparison
    size_t FBytes = 0;
};

// The one cache of the snapshot store.
TCollationCache& SnapshotCollation();
