#pragma once
#include "rtl/shared_text.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TQZTreeItem;

// The rows of a leak window, each with a slot in the order the rows were made. A row is one per
// path without regard to letter case (a top-level row's path is its name, a row below has its
// parent's path, '\' and its name). The snapshots of a file share the texts of their names, so
// a step finds its rows again by parent and shared name, without building, upper-casing and
// hashing the path of every row on every step. Each step marks the rows its snapshot fills, so
// that the others can be told apart.
class TLeakRows {
public:
    static constexpr size_t NoSlot = size_t(-1);

    // The slot of the row under Parent found before for this very text; NoSlot when none.
    size_t FindShared(const TQZTreeItem* Parent, const TSharedText& Name) const;
    // Finds the row at Slot by Parent and this text from now on; the text is held meanwhile,
    // so that no other text takes its place.
    void RememberShared(const TQZTreeItem* Parent, const TSharedText& Name, size_t Slot);
    // The slot of the row with this path, any letter case; Make makes the row when there is
    // none.
    size_t FindOrAdd(const std::string& Path, const std::function<TQZTreeItem*()>& Make);
    // The slot of the row under Parent (whose path is ParentPath) named Name in any letter
    // case, NoSlot when there is none; the text is remembered for the next look-up.
    size_t Find(const TQZTreeItem* Parent, const std::string& ParentPath, const TSharedText& Name);

    size_t Count() const { return FRows.size(); }
    TQZTreeItem* Row(size_t Slot) const { return FRows[Slot]; }
    // The slot of a row, NoSlot for one not made here; a look through every row.
    size_t SlotOf(const TQZTreeItem* Row) const;

    // A new step: no row is filled yet.
    void BeginStep() { ++FStep; }
    void MarkFilled(size_t Slot) { FFilledIn[Slot] = FStep; }
    bool Filled(size_t Slot) const { return FFilledIn[Slot] == FStep; }

    void Clear();

private:
    using TSharedKey = std::pair<const TQZTreeItem*, const void*>;
    struct TSharedKeyHash {
        size_t operator()(const TSharedKey& Key) const;
    };
    struct TShared {
        TSharedText Name;
        size_t Slot;
    };

    std::unordered_map<std::string, size_t> FByPath;
    std::unordered_map<TSharedKey, TShared, TSharedKeyHash> FByShared;
    std::vector<TQZTreeItem*> FRows;
    std::vector<unsigned> FFilledIn;
    // Starts past the mark of rows never filled.
    unsigned FStep = 1;
};
