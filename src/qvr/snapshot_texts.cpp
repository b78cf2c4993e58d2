#include "qvr/snapshot_texts.h"

#include "rtl/strings.h"
#include "tools/sorted_lists.h"

const TSharedText& TSnapshotTexts::Upper(const TSharedText& name) {
    auto found = FUpper.find(name.Identity());
    if (found != FUpper.end())
        return found->second.Upper;
    TSharedText upper = FPool.Intern(AnsiUpperCase(name));
    return FUpper.emplace(name.Identity(), TUpperEntry{name, std::move(upper)}).first->second.Upper;
}

int TSnapshotTexts::Compare(const TSharedText& itemKey, const TSharedText& key) {
    if (itemKey.SharesWith(key))
        return 0;
    const auto pair = std::make_pair(itemKey.Identity(), key.Identity());
    auto found = FCompared.find(pair);
    if (found != FCompared.end())
        return found->second.Result;
    const int result = AnsiCompareStr(itemKey, key);
    FCompared.emplace(pair, TComparison{itemKey, key, result});
    return result;
}

bool TSnapshotTexts::FindName(const TQZSortedNamedObjects& list, const TSharedText& name,
                              int& index) {
    const TSharedText& key = Upper(name);
    // The lower bound, as the list's own search finds it.
    int lo = 0, hi = list.Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Compare(list.Items(mid)->Name, key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    index = lo;
    return lo < list.Count() && Compare(list.Items(lo)->Name, key) == 0;
}

void TSnapshotTexts::InsertName(TQZSortedNamedObjects& list, int index, const TSharedText& name,
                                TObject* object) {
    list.InsertObject(index, name, Upper(name), object);
}
