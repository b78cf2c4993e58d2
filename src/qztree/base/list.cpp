#include "qztree/base/list.h"

#include "rtl/events.h"
#include "rtl/format.h"

#include <algorithm>

TQZList::~TQZList() {
    Clear();
}

void TQZList::RaiseOutOfBoundsError(int Index) {
    throw EQZListError(Format("List index [%d] out of bounds...", {Index}));
}

void TQZList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= FCount)
        RaiseOutOfBoundsError(Index);
}

void TQZList::Grow() {
    SetCapacity(Capacity() + std::min(2 * FCount + 1, 1280));
}

void TQZList::GrowWhenFull() {
    if (FCount == Capacity())
        Grow();
}

void TQZList::ShrinkWhenSparse() {
    if (Capacity() / 2 > FCount)
        SetCapacity(Capacity() / 2);
}

void TQZList::RemoveSlots(int From, int Count) {
    std::copy(FList.begin() + From + Count, FList.begin() + FCount, FList.begin() + From);
    FCount -= Count;
    std::fill(FList.begin() + FCount, FList.begin() + FCount + Count, nullptr);
}

void TQZList::FreeObject(void* Item) {
    delete static_cast<TObject*>(Item);
}

int TQZList::Add(void* Item) {
    GrowWhenFull();
    FList[FCount] = Item;
    return FCount++;
}

void TQZList::Insert(int Index, void* Item) {
    if (Index < 0 || Index > FCount)
        RaiseOutOfBoundsError(Index);
    GrowWhenFull();
    std::copy_backward(FList.begin() + Index, FList.begin() + FCount, FList.begin() + FCount + 1);
    FList[Index] = Item;
    ++FCount;
}

void* TQZList::Get(int Index) const {
    CheckIndex(Index);
    return FList[Index];
}

void TQZList::Put(int Index, void* Item) {
    CheckIndex(Index);
    void* old = FList[Index];
    if (old)
        Fire(OnDelete, this, old);
    FList[Index] = Item;
}

void TQZList::Delete(int Index) {
    CheckIndex(Index);
    void* item = FList[Index];
    TriggerDeleteEvent(item);
    // Out of the list before it is freed, so a destructor that looks here finds it gone.
    RemoveSlots(Index, 1);
    ShrinkWhenSparse();
    if (AutoClearObjects)
        FreeObject(item);
}

void TQZList::DeleteRange(int From, int To) {
    CheckIndex(From);
    CheckIndex(To);
    if (From > To)
        RaiseOutOfBoundsError(To);
    for (int i = From; i <= To; ++i)
        TriggerDeleteEvent(FList[i]);
    RemoveSlots(From, To - From + 1);
    ShrinkWhenSparse();
}

int TQZList::Remove(void* Item) {
    const int index = IndexOf(Item);
    if (index >= 0) {
        TriggerDeleteEvent(Item);
        RemoveSlots(index, 1);
        ShrinkWhenSparse();
    }
    return index;
}

void TQZList::IntDelete(int Index) {
    CheckIndex(Index);
    RemoveSlots(Index, 1);
}

void TQZList::Clear() {
    for (int i = 0; i < FCount; ++i)
        TriggerDeleteEvent(FList[i]);
    // The list is empty before the objects go, so their destructors find no stale entries.
    std::vector<void*> entries;
    entries.swap(FList);
    entries.resize(FCount);
    FCount = 0;
    if (!AutoClearObjects)
        return;
    try {
        for (void* item : entries)
            if (item)
                FreeObject(item);
    } catch (...) {
    }
}

int TQZList::IndexOf(const void* Item) const {
    const auto end = FList.begin() + FCount;
    const auto found = std::find(FList.begin(), end, Item);
    return found == end ? -1 : int(found - FList.begin());
}

int TQZList::IndexOfFrom(int Start, const void* Item) const {
    CheckIndex(Start);
    for (int i = Start; i < FCount; ++i)
        if (FList[i] == Item)
            return i;
    return -1;
}

int TQZList::IndexOfBack(int Start, const void* Item) const {
    CheckIndex(Start);
    for (int i = Start; i >= 0; --i)
        if (FList[i] == Item)
            return i;
    return -1;
}

void TQZList::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    const auto base = FList.begin();
    if (CurIndex < NewIndex)
        std::rotate(base + CurIndex, base + CurIndex + 1, base + NewIndex + 1);
    else
        std::rotate(base + NewIndex, base + CurIndex, base + CurIndex + 1);
}

void TQZList::MoveRange(int CurStart, int CurEnd, int NewStart) {
    if (NewStart == CurStart)
        return;
    CheckIndex(NewStart);
    CheckIndex(CurStart);
    CheckIndex(CurEnd);
    if (CurEnd < CurStart)
        RaiseOutOfBoundsError(CurEnd);
    if (NewStart >= CurStart && NewStart <= CurEnd)
        RaiseOutOfBoundsError(NewStart);
    const auto base = FList.begin();
    if (NewStart > CurEnd)
        std::rotate(base + CurStart, base + CurEnd + 1, base + NewStart);
    else
        std::rotate(base + NewStart, base + CurStart, base + CurEnd + 1);
}

void TQZList::SetCapacity(int NewCapacity) {
    if (NewCapacity < FCount || NewCapacity >= MaxListSize)
        RaiseOutOfBoundsError(NewCapacity);
    if (NewCapacity == Capacity())
        return;
    const bool shrinking = NewCapacity < Capacity();
    FList.resize(size_t(NewCapacity));
    // The storage keeps its own doubling when the capacity grows, as a list of a million items
    // grows by 1280 at a time and would otherwise be copied whole at every step.
    if (shrinking)
        FList.shrink_to_fit();
}

void TQZList::SetCount(int NewCount) {
    if (NewCount < 0 || NewCount >= MaxListSize)
        RaiseOutOfBoundsError(NewCount);
    if (NewCount > Capacity())
        SetCapacity(NewCount);
    if (NewCount > FCount)
        std::fill(FList.begin() + FCount, FList.begin() + NewCount, nullptr);
    FCount = NewCount;
}

void TQZList::TriggerDeleteEvent(void* Item) {
    Fire(OnDelete, this, Item);
}

void TQZList::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TQZList*>(Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    Clear();
    SetCapacity(other->Capacity());
    std::copy(other->FList.begin(), other->FList.begin() + other->FCount, FList.begin());
    FCount = other->FCount;
}

void TStringListPutEx::Put(int Index, const std::string& S) {
    TStringList::Put(Index, S);
    Fire(FonItemTextSet, Index, S);
}
