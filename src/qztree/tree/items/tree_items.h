#pragma once
#include "qztree/tree/tree_types.h"
#include "vcl/base/persistent.h"

#include <functional>
#include <memory>
#include <string>

class TStrings;
class TQZStack;

// The items of one tree: the hidden root, the ways to add, insert and delete rows, indexes in
// absolute order (depth-first pre-order) and in visible order, walks with a callback, search,
// and loading from tab-indented lines.
class TQZTreeItems : public TPersistent {
    friend class TQZTreeItem;

public:
    using TItemFactory = std::function<TQZTreeItem*(TCustomQZTree* AOwner)>;
    using TCompareProc = std::function<bool(TQZTreeItem* Item, void* SearchDetails)>;

    explicit TQZTreeItems(TCustomQZTree* AOwner);
    // Items of another class: ItemClass makes each new item.
    TQZTreeItems(TCustomQZTree* AOwner, TItemFactory ItemClass);
    ~TQZTreeItems() override;

    TCustomQZTree* Owner() const { return FOwner; }
    TQZTreeItem* Root() const { return FRoot; }
    virtual TQZTreeItem* CreateItem(TCustomQZTree* AOwner);

    virtual TQZTreeItem* Add(TQZTreeItem* Item, const std::string& Text);
    virtual TQZTreeItem* AddChild(TQZTreeItem* Parent, const std::string& Text);
    virtual TQZTreeItem* AddChildFirst(TQZTreeItem* Parent, const std::string& Text);
    virtual TQZTreeItem* AddChildObject(TQZTreeItem* Parent, const std::string& Text, void* Ptr);
    virtual TQZTreeItem* AddChildObjectFirst(TQZTreeItem* Parent, const std::string& Text,
                                             void* Ptr);
    virtual TQZTreeItem* AddFirst(TQZTreeItem* Item, const std::string& Text);
    virtual TQZTreeItem* AddObject(TQZTreeItem* Item, const std::string& Text, void* Ptr);
    virtual TQZTreeItem* AddObjectFirst(TQZTreeItem* Item, const std::string& Text, void* Ptr);
    virtual TQZTreeItem* Insert(TQZTreeItem* Item, const std::string& Text);
    virtual TQZTreeItem* InsertObject(TQZTreeItem* Item, const std::string& Text, void* Ptr);
    virtual TQZTreeItem* InsertAfter(TQZTreeItem* Item, const std::string& Text);
    virtual TQZTreeItem* InsertAfterObject(TQZTreeItem* Item, const std::string& Text, void* Ptr);
    virtual void Delete(TQZTreeItem* Item);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    void Clear();

    int Count() const;
    TQZTreeItem* Item(int Index) const;
    TQZTreeItem* operator[](int Index) const { return Item(Index); }
    TQZTreeItem* ItemAsVis(int Index) const;
    int GetVisIndex(const TQZTreeItem* Item) const;
    int GetAbsIndex(const TQZTreeItem* Item) const;

    void Iterate(bool VisibleOnly, bool CheckCollapsed, const TIterateProc& IterateProc,
                 void* IterateData);
    void IterateFrom(bool VisibleOnly, bool CheckCollapsed, const TIterateProc& IterateProc,
                     void* IterateData, TQZTreeItem* StartFrom);
    void IterateBack(bool VisibleOnly, bool CheckCollapsed, const TIterateProc& IterateProc,
                     void* IterateData);
    void IterateBackFrom(bool VisibleOnly, bool CheckCollapsed, const TIterateProc& IterateProc,
                         void* IterateData, TQZTreeItem* StartFrom);
    TQZTreeItem* LookForItemEx2(TQZTreeItem* StartItem, int ColumnNum, bool CheckStartItem,
                                bool SubItemsOnly, bool VisibleOnly, bool CheckCollapsed,
                                void* SearchDetails, const TCompareProc& CompareProc);

    void Assign(const TPersistent* Source) override;
    void Assign(const TStrings& Source) { LoadFromStringList(Source); }
    void LoadFromStringList(const TStrings& Strings);
    void InsertItemFromString(int Index, const std::string& AString);

    // Items that draw their text past their own cell.
    int CountFullTextOutItems = 0;

protected:
    TQZTreeItem* AddItem(TQZTreeItem* Parent);
    TQZTreeItem* InsertItem(int Index, TQZTreeItem* Parent);
    void DeleteItem(TQZTreeItem* Item);

private:
    struct Walk;
    TQZTreeItem* Made(TQZTreeItem* Item, const std::string& Text, void* Ptr, bool HasPtr);
    TQZTreeItem* ParentOf(TQZTreeItem* Item) const;
    int IndexAfter(TQZTreeItem* Item) const;

    TCustomQZTree* FOwner;
    TItemFactory FItemClass;
    TQZTreeItem* FRoot = nullptr;
};
