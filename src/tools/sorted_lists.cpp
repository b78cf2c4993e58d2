#include "tools/sorted_lists.h"

#include "rtl/strings.h"

#include <memory>

namespace {

// Both heirs order their items by the upper-cased name in the user locale's collation.
template <class Item> int CompareName(TObject* item, const std::string& key) {
    return AnsiCompareStr(static_cast<Item*>(item)->Name, key);
}

} // namespace

TQZSortedObjectList::TQZSortedObjectList() : TObjectList(true) {}

TObject* TQZSortedObjectList::AddElement(const std::string& key, int& index) const {
    if (MethodID != 0) {
        index = -1;
        return nullptr;
    }
    if (Count() == 0) {
        index = 0;
        return nullptr;
    }
    int lo = 0, hi = Count() - 1;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (CompareAt(mid, key) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    int c = CompareAt(lo, key);
    index = c < 0 ? lo + 1 : lo;
    return c == 0 ? Items(lo) : nullptr;
}

int TQZSortedObjectList::FindElementIndex(const std::string& key) const {
    if (MethodID != 0 || Count() == 0)
        return -1;
    int lo = 0, hi = Count() - 1;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        int c = CompareAt(mid, key);
        if (c == 0)
            return mid;
        if (c > 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    return CompareAt(lo, key) == 0 ? lo : -1;
}

TObject* TQZSortedObjectList::FindElement(const std::string& key) const {
    int index = FindElementIndex(key);
    return index < 0 ? nullptr : Items(index);
}

TQZSortedParams::TQZSortedParams() {
    SetCompareFunc(CompareName<TQZParamObject>);
}

int TQZSortedParams::AddParam(const std::string& paramName, const std::string& paramValue) {
    std::string key = AnsiUpperCase(paramName);
    int index = 0;
    auto* item = static_cast<TQZParamObject*>(AddElement(key, index));
    if (!item) {
        auto created = std::make_unique<TQZParamObject>();
        created->RealName = paramName;
        created->Name = key;
        created->InitValue = paramValue;
        Insert(index, created.get());
        item = created.release();
    }
    item->Value = paramValue;
    return index;
}

std::string TQZSortedParams::GetValue(const std::string& paramName) const {
    auto* item = static_cast<TQZParamObject*>(FindElement(AnsiUpperCase(paramName)));
    return item ? item->Value : std::string();
}

TQZSortedNamedObjects::TQZSortedNamedObjects() {
    SetCompareFunc(CompareName<TQZNamedObject>);
}

// Notify must still reach this class while the items are freed.
TQZSortedNamedObjects::~TQZSortedNamedObjects() {
    ClearItems();
}

int TQZSortedNamedObjects::AddObject(const std::string& name, TObject* aObject) {
    std::string key = AnsiUpperCase(name);
    int index = 0;
    auto* item = static_cast<TQZNamedObject*>(AddElement(key, index));
    if (!item) {
        InsertObject(index, name, nullptr);
        item = Items(index);
    }
    // Storing the object the item already holds must not free it.
    if (FlagDestroyObject && item->Data != aObject)
        delete item->Data;
    item->Data = aObject;
    return index;
}

void TQZSortedNamedObjects::InsertObject(int index, const std::string& name, TObject* aObject) {
    InsertObject(index, TSharedText(name), TSharedText(AnsiUpperCase(name)), aObject);
}

void TQZSortedNamedObjects::InsertObject(int index, const TSharedText& name,
                                         const TSharedText& upperName, TObject* aObject) {
    auto created = std::make_unique<TQZNamedObject>();
    created->RealName = name;
    created->Name = upperName;
    created->Data = aObject;
    Insert(index, created.get());
    created.release();
}

bool TQZSortedNamedObjects::FindObject(const std::string& name, int& index) const {
    return AddElement(AnsiUpperCase(name), index) != nullptr;
}

std::string TQZSortedNamedObjects::GetNames(int index) const {
    return index >= 0 && index < Count() ? Items(index)->RealName.str() : std::string();
}

TObject* TQZSortedNamedObjects::GetObjects(int index) const {
    return index >= 0 && index < Count() ? Items(index)->Data : nullptr;
}

TObject* TQZSortedNamedObjects::GetObjectByName(const std::string& name) const {
    auto* item = static_cast<TQZNamedObject*>(FindElement(AnsiUpperCase(name)));
    return item ? item->Data : nullptr;
}

void TQZSortedNamedObjects::Notify(void* item, TListNotification action) {
    if (FlagDestroyObject && action == TListNotification::lnDeleted)
        delete static_cast<TQZNamedObject*>(item)->Data;
    TQZSortedObjectList::Notify(item, action);
}
