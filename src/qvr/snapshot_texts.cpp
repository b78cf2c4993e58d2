#include "qvr/snapshot_texts.h"

#include "rtl/strings.h"
#include "tools/sorted_lists.h"

#include <iterator>
#include <limits>

namespace {

constexpr int64_t LabelStep = int64_t(1) << 32;
// Lists up to this long are searched by direct comparisons.
constexpr int DirectSearchLimit = 8;

} // namespace

bool TSnapshotTexts::TLocaleLess::operator()(const TSharedText& a, const TSharedText& b) const {
    return AnsiCompareStr(a, b) < 0;
}

TSnapshotTexts::TNameEntry& TSnapshotTexts::Entry(const TSharedText& name) {
    if (TNameEntry* found = FNames.Lookup(name.Identity()))
        return *found;
    TSharedText upper = FPool.Intern(AnsiUpperCase(name));
    TNameEntry& entry = FNames[name.Identity()];
    entry.Name = name;
    entry.Upper = std::move(upper);
    return entry;
}

const TSharedText& TSnapshotTexts::Upper(const TSharedText& name) {
    return Entry(name).Upper;
}

TSnapshotTexts::TKey TSnapshotTexts::Key(const TSharedText& name) {
    TNameEntry& entry = Entry(name);
    if (!entry.HasKey) {
        entry.Key = AddKey(entry.Upper);
        entry.HasKey = true;
    }
    return entry.Key;
}

int TSnapshotTexts::Compare(const TSharedText& itemKey, const TSharedText& key) {
    if (itemKey.SharesWith(key))
        return 0;
    const auto identities = std::make_pair(itemKey.Identity(), key.Identity());
    if (const TComparison* found = FCompared.Lookup(identities))
        return found->Result;
    const int result = AnsiCompareStr(itemKey, key);
    FCompared[identities] = TComparison{itemKey, key, result};
    return result;
}

// A new key takes a label between its neighbours'; when there is no room left between them,
// every key is labelled afresh. Integers, since floating point on this processor may compare
// with more precision than it stores.
TSnapshotTexts::TKey TSnapshotTexts::AddKey(const TSharedText& upper) {
    auto [node, added] = FOrder.emplace(upper, 0);
    if (!added)
        return TKey(node);
    const bool first = node == FOrder.begin();
    const bool last = std::next(node) == FOrder.end();
    const int64_t before = first ? std::numeric_limits<int64_t>::min() : std::prev(node)->second;
    const int64_t after = last ? std::numeric_limits<int64_t>::max() : std::next(node)->second;
    if (first && last)
        node->second = 0;
    else if (first && after > before + LabelStep)
        node->second = after - LabelStep;
    else if (last && after - LabelStep > before)
        node->second = before + LabelStep;
    else if (after - before >= 2)
        node->second = before + (after - before) / 2;
    else {
        int64_t label = 0;
        for (auto& entry : FOrder) {
            entry.second = label;
            label += LabelStep;
        }
    }
    return TKey(node);
}

bool TSnapshotTexts::FindName(const TQZSortedNamedObjects& list, const TSharedText& name,
                              int& index) {
    // The lower bound, as the list's own search finds it.
    int lo = 0, hi = list.Count();
    if (hi <= DirectSearchLimit) {
        const TSharedText& upper = Upper(name); // Compare meets no new name
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (Compare(list.Items(mid)->Name, upper) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        index = lo;
        return lo < list.Count() && Compare(list.Items(lo)->Name, upper) == 0;
    }
    const TKey key = Key(name);
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Key(list.Items(mid)->RealName) < key)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < list.Count() && Key(list.Items(lo)->RealName) == key;
}

void TSnapshotTexts::InsertName(TQZSortedNamedObjects& list, int index, const TSharedText& name,
                                TObject* object) {
    list.InsertObject(index, name, Upper(name), object);
}
