#pragma once
#include "rtl/exceptions.h"
#include "rtl/string_list.h"
#include "vcl/base/persistent.h"

#include <functional>
#include <vector>

class EQZListError : public Exception {
    using Exception::Exception;
};

// Growable array of untyped pointers that announces every entry leaving it. With
// AutoClearObjects the entries are objects the list owns (they must be TObject heirs).
class TQZList : public TPersistent {
public:
    using TDeleteEvent = std::function<void(TObject* Sender, void* Item)>;
    // Beyond this many entries a list refuses to grow.
    static constexpr int MaxListSize = 134217728;

    TQZList() = default;
    ~TQZList() override;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    virtual void* Get(int Index) const;
    void* FastGet(int Index) const { return FList[Index]; }
    virtual void Put(int Index, void* Item);
    virtual void Delete(int Index);
    virtual void DeleteRange(int From, int To);
    int Remove(void* Item);
    void IntDelete(int Index);
    virtual void Clear();

    int IndexOf(const void* Item) const;
    int IndexOfFrom(int Start, const void* Item) const;
    int IndexOfBack(int Start, const void* Item) const;
    void* First() const { return FCount > 0 ? FList[0] : nullptr; }
    void* Last() const { return FCount > 0 ? FList[FCount - 1] : nullptr; }
    void Move(int CurIndex, int NewIndex);
    void MoveRange(int CurStart, int CurEnd, int NewStart);

    int Capacity() const { return int(FList.size()); }
    void SetCapacity(int NewCapacity);
    int Count() const { return FCount; }
    void SetCount(int NewCount);
    void* const* List() const { return FList.data(); }
    void* operator[](int Index) const { return Get(Index); }

    void Assign(const TPersistent* Source) override;

    bool AutoClearObjects = false;
    TDeleteEvent OnDelete;

protected:
    virtual void Grow();
    virtual void TriggerDeleteEvent(void* Item);

private:
    [[noreturn]] static void RaiseOutOfBoundsError(int Index);
    void CheckIndex(int Index) const;
    void GrowWhenFull();
    void ShrinkWhenSparse();
    void RemoveSlots(int From, int Count);
    static void FreeObject(void* Item);

    // The slots beyond FCount are allocated but unused.
    std::vector<void*> FList;
    int FCount = 0;
};

// A string list that reports every line replaced in it.
class TStringListPutEx : public TStringList {
public:
    using TItemTextSetEvent = std::function<void(int Index, const std::string& S)>;

    void Put(int Index, const std::string& S) override;
    void SetonItemTextSet(TItemTextSetEvent Value) { FonItemTextSet = std::move(Value); }

private:
    TItemTextSetEvent FonItemTextSet;
};
