#include "viewer/leak_rows.h"

#include "rtl/strings.h"

#include <algorithm>
#include <cstdint>

size_t TLeakRows::TSharedKeyHash::operator()(const TSharedKey& Key) const {
    const auto parent = uintptr_t(Key.first);
    const auto name = uintptr_t(Key.second);
    return std::hash<uintptr_t>()(name ^ (parent * 0x9E3779B1u));
}

size_t TLeakRows::FindShared(const TQZTreeItem* Parent, const TSharedText& Name) const {
    if (!Name.Identity())
        return NoSlot;
    auto found = FByShared.find({Parent, Name.Identity()});
    return found == FByShared.end() ? NoSlot : found->second.Slot;
}

void TLeakRows::RememberShared(const TQZTreeItem* Parent, const TSharedText& Name, size_t Slot) {
    if (Name.Identity())
        FByShared.emplace(TSharedKey(Parent, Name.Identity()), TShared{Name, Slot});
}

size_t TLeakRows::FindOrAdd(const std::string& Path, const std::function<TQZTreeItem*()>& Make) {
    const std::string key = AnsiUpperCase(Path);
    auto found = FByPath.find(key);
    if (found != FByPath.end())
        return found->second;
    TQZTreeItem* row = Make();
    FRows.push_back(row);
    FFilledIn.push_back(0);
    FByPath.emplace(key, FRows.size() - 1);
    return FRows.size() - 1;
}

size_t TLeakRows::Find(const TQZTreeItem* Parent, const std::string& ParentPath,
                       const TSharedText& Name) {
    size_t slot = FindShared(Parent, Name);
    if (slot != NoSlot)
        return slot;
    auto found = FByPath.find(
        AnsiUpperCase(ParentPath.empty() ? Name.str() : ParentPath + "\\" + Name.str()));
    if (found == FByPath.end())
        return NoSlot;
    RememberShared(Parent, Name, found->second);
    return found->second;
}

size_t TLeakRows::SlotOf(const TQZTreeItem* Row) const {
    auto found = std::find(FRows.begin(), FRows.end(), Row);
    return found == FRows.end() ? NoSlot : size_t(found - FRows.begin());
}

void TLeakRows::Clear() {
    FByPath.clear();
    FByShared.clear();
    FRows.clear();
    FFilledIn.clear();
}
