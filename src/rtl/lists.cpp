#include "rtl/lists.h"

#include "rtl/exceptions.h"

#include <algorithm>

TList::~TList() {
    ClearItems();
}

void TList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void* TList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[size_t(index)];
}

void TList::Put(int index, void* item) {
    CheckIndex(index, Count());
    void* old = FItems[size_t(index)];
    if (old == item)
        return;
    FItems[size_t(index)] = item;
    if (old)
        Notify(old, TListNotification::lnDeleted);
    if (item)
        Notify(item, TListNotification::lnAdded);
}

// The smallest slot of the item storage holds two items: a list's first item gets room for a
// second one at no cost, and most lists of a snapshot hold one or two.
void TList::RoomForFirst() {
    if (FItems.capacity() == 0)
        FItems.reserve(2);
}

int TList::Add(void* item) {
    RoomForFirst();
    FItems.push_back(item);
    if (item)
        Notify(item, TListNotification::lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    CheckIndex(index, Count() + 1);
    RoomForFirst();
    FItems.insert(FItems.begin() + index, item);
    if (item)
        Notify(item, TListNotification::lnAdded);
}

void TList::Delete(int index) {
    CheckIndex(index, Count());
    void* item = FItems[size_t(index)];
    FItems.erase(FItems.begin() + index);
    if (item)
        Notify(item, TListNotification::lnDeleted);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    int index = IndexOf(item);
    if (index < 0)
        return nullptr;
    FItems.erase(FItems.begin() + index);
    Notify(item, TListNotification::lnExtracted);
    return item;
}

int TList::IndexOf(const void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(FItems[size_t(index1)], FItems[size_t(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    void* item = FItems[size_t(curIndex)];
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Clear() {
    ClearItems();
}

void TList::ClearItems() {
    // From the end, so a notification that looks at the list sees it consistent.
    while (!FItems.empty())
        Delete(Count() - 1);
}

void TList::Sort(int (*compare)(void*, void*)) {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [compare](void* a, void* b) { return compare(a, b) < 0; });
}

TObjectList::~TObjectList() {
    ClearItems();
}

void TObjectList::Notify(void* item, TListNotification action) {
    if (OwnsObjects && action == TListNotification::lnDeleted)
        delete static_cast<TObject*>(item);
    TList::Notify(item, action);
}

void TList::SetCapacity(int count) {
    if (count > Count())
        FItems.reserve(size_t(count));
}
