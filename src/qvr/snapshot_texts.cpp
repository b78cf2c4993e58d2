#include "qvr/snapshot_texts.h"

#include "rtl/strings.h"
#include "tools/sorted_lists.h"

#include <iterator>
#include <limits>

namespace {

constexpr int64_t LabelStep = int64_t(1) << 32;

} // namespace

bool TSnapshotTexts::TLocaleLess::operator()(const TSharedText& a, const TSharedText& b) const {
    return AnsiCompareStr(a, b) < 0;
}

TSnapshotTexts::TKey TSnapshotTexts::Key(const TSharedText& name) {
    if (const TNameEntry* found = FNames.Lookup(name.Identity()))
        return found->Key;
    const TKey key = AddKey(FPool.Intern(AnsiUpperCase(name)));
    FNames[name.Identity()] = TNameEntry{name, key};
    return key;
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
    const TKey key = Key(name);
    // The lower bound, as the list's own search finds it.
    int lo = 0, hi = list.Count();
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
    list.InsertObject(index, name, Key(name).Upper(), object);
}
