#pragma once
#include "rtl/lists.h"
#include "rtl/shared_text.h"

#include <functional>
#include <string>

// Owning object list kept in the order of a key and searched by bisection. Heirs set the
// comparison; item before key gives < 0, match 0, after > 0.
class TQZSortedObjectList : public TObjectList {
public:
    using TCompareFunc = std::function<int(TObject* item, const std::string& key)>;

    TQZSortedObjectList();

    void SetCompareFunc(TCompareFunc value) { FCompareFunc = std::move(value); }
    // Lower-bound search: the first item equal to key or none; index is its position or the
    // position where key must be inserted.
    TObject* AddElement(const std::string& key, int& index) const;
    // Exact search: the position of an item equal to key, or -1.
    int FindElementIndex(const std::string& key) const;
    TObject* FindElement(const std::string& key) const;

    int MethodID = 0; // 0: bisection; no other search method exists

protected:
    int CompareAt(int index, const std::string& key) const {
        return FCompareFunc(Items(index), key);
    }

    TCompareFunc FCompareFunc;
};

class TQZParamObject : public TObject {
public:
    std::string RealName;
    std::string Name; // AnsiUpperCase of RealName, the key
    std::string Value;
    std::string InitValue;
};

// Sorted name -> text value list; names match without regard to letter case.
class TQZSortedParams : public TQZSortedObjectList {
public:
    TQZSortedParams();
    int AddParam(const std::string& paramName, const std::string& paramValue);
    std::string GetValue(const std::string& paramName) const;
    std::string Value(const std::string& paramName) const { return GetValue(paramName); }
    TQZParamObject* Items(int index) const { return static_cast<TQZParamObject*>(Get(index)); }
};

// The names are shared: lists of many snapshots name the same few thousand stacks and classes.
class TQZNamedObject : public TObject, public TSmallObject {
public:
    TSharedText RealName;
    TSharedText Name; // AnsiUpperCase of RealName, the key
    TObject* Data = nullptr;
};

// Sorted name -> object list; names match without regard to letter case. With
// FlagDestroyObject the list owns the objects too.
class TQZSortedNamedObjects : public TQZSortedObjectList {
public:
    TQZSortedNamedObjects();
    ~TQZSortedNamedObjects() override;

    int AddObject(const std::string& name, TObject* aObject);
    // Inserts without looking for the name; the caller passes the position FindObject gave.
    void InsertObject(int index, const std::string& name, TObject* aObject);
    // The same with the name and its upper-cased key given, so that they can be shared.
    void InsertObject(int index, const TSharedText& name, const TSharedText& upperName,
                      TObject* aObject);
    bool FindObject(const std::string& name, int& index) const;
    std::string GetNames(int index) const;
    TObject* GetObjects(int index) const;
    TObject* GetObjectByName(const std::string& name) const;
    std::string Names(int index) const { return GetNames(index); }
    TObject* Objects(int index) const { return GetObjects(index); }
    TObject* ObjectByName(const std::string& name) const { return GetObjectByName(name); }
    TQZNamedObject* Items(int index) const { return static_cast<TQZNamedObject*>(Get(index)); }

    bool FlagDestroyObject = false;

protected:
    void Notify(void* item, TListNotification action) override;
};
