#include "qztree/base/used_numbers.h"

#include <climits>

int TUsedNumbers::Take(int Number) {
    int uses = ++FUses[Number];
    if (uses > 1)
        return uses;
    int first = Number, last = Number;
    if (Number < INT_MAX) {
        auto after = FRuns.find(Number + 1);
        if (after != FRuns.end()) {
            last = after->second;
            FRuns.erase(after);
        }
    }
    auto before = FRuns.lower_bound(Number);
    if (before != FRuns.begin() && (--before)->second == Number - 1)
        before->second = last;
    else
        FRuns[first] = last;
    return 1;
}

int TUsedNumbers::Give(int Number) {
    auto use = FUses.find(Number);
    if (use == FUses.end())
        return 0;
    if (--use->second > 0)
        return use->second;
    FUses.erase(use);
    auto run = --FRuns.upper_bound(Number);
    int first = run->first, last = run->second;
    FRuns.erase(run);
    if (first < Number)
        FRuns[first] = Number - 1;
    if (Number < last)
        FRuns[Number + 1] = last;
    return 0;
}

void TUsedNumbers::Clear() {
    FUses.clear();
    FRuns.clear();
}

int TUsedNumbers::FirstFreeFrom(int Start) const {
    auto run = FRuns.upper_bound(Start);
    if (run == FRuns.begin())
        return Start;
    --run;
    // A run up to the largest number leaves nothing free above it: wrap as counting would.
    return Start <= run->second ? (run->second == INT_MAX ? INT_MIN : run->second + 1) : Start;
}
