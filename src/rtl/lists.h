#pragma once
#include "rtl/object.h"
#include "rtl/small_objects.h"

#include <vector>

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

// Growable list of untyped pointers; every change is announced through Notify so that heirs
// can own what they hold. A position outside the list raises EListError.
class TList : public TObject, public TSmallObject {
public:
    ~TList() override;

    int Count() const { return int(FItems.size()); }
    void* Get(int index) const;
    void Put(int index, void* item);
    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);
    void* Extract(void* item);
    int IndexOf(const void* item) const;
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    virtual void Clear();
    // Room for count items without growing; never below Count.
    void SetCapacity(int count);
    void Sort(int (*compare)(void*, void*));

protected:
    virtual void Notify(void* item, TListNotification action) {}
    // Heirs whose Notify frees items call this first in their destructor, while Notify still
    // reaches them.
    void ClearItems();

private:
    void CheckIndex(int index, int count) const;
    void RoomForFirst();
    std::vector<void*, TSmallAllocator<void*>> FItems;
};

// A list of objects that frees each object it loses, unless told not to own them.
class TObjectList : public TList {
public:
    explicit TObjectList(bool ownsObjects = true) : OwnsObjects(ownsObjects) {}
    ~TObjectList() override;

    TObject* Items(int index) const { return static_cast<TObject*>(Get(index)); }
    int Add(TObject* item) { return TList::Add(item); }
    void Insert(int index, TObject* item) { TList::Insert(index, item); }
    int IndexOf(const TObject* item) const { return TList::IndexOf(item); }
    int Remove(TObject* item) { return TList::Remove(item); }
    TObject* Extract(TObject* item) { return static_cast<TObject*>(TList::Extract(item)); }

    bool OwnsObjects;

protected:
    void Notify(void* item, TListNotification action) override;
};
