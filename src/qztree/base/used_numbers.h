#pragma once
#include <map>
#include <unordered_map>

// Numbers held by a set of objects, each possibly by several, that answers "the first number from
// here on that nobody holds" in logarithmic time: the header numbers new sections this way, and a
// linear search per new section made reading thousands of them take minutes.
class TUsedNumbers {
public:
    // Both return how many hold the number afterwards.
    int Take(int Number);
    int Give(int Number);
    void Clear();
    bool Holds(int Number) const { return FUses.count(Number) != 0; }
    int FirstFreeFrom(int Start) const;

private:
    std::unordered_map<int, int> FUses; // number -> how many hold it
    std::map<int, int> FRuns;           // first -> last number of each run of held numbers
};
