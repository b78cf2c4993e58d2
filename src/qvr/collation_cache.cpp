#include "qvr/collation_cache.h"

#include "rtl/lasting.h"
#include "rtl/strings.h"
#include "tools/sorted_lists.h"

namespace {

constexpr size_t MaxCachedBytes = 8u << 20;
constexpr size_t EntryOverhead = 64; // hash node and string header, about

} // namespace

int TCollationCache::Compare(const std::string& a, const std::string& b) {
    // The length in front keeps pairs apart whatever bytes the names hold.
    std::string pair = std::to_string(a.size()) + ":" + a + b;
    auto found = FResults.find(pair);
    if (found != FResults.end())
        return found->second;
    const int result = AnsiCompareStr(a, b);
    const size_t entryBytes = pair.size() + EntryOverhead;
    if (FBytes + entryBytes > MaxCachedBytes) {
        FResults.clear();
        FBytes = 0;
    }
    FBytes += entryBytes;
    FResults.emplace(std::move(pair), result);
    return result;
}

void TCollationCache::UseFor(TQZSortedNamedObjects& list) {
    list.SetCompareFunc([this](TObject* item, const std::string& key) {
        return Compare(static_cast<TQZNamedObject*>(item)->Name, key);
    });
}

TCollationCache& SnapshotCollation() {
    static TLasting<TCollationCache> cache;
    return *cache;
}
