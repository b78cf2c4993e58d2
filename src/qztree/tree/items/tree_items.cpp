#include "qztree/tree/items/tree_items.h"

#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/string_list.h"

#include <algorithm>

TQZTreeItems::TQZTreeItems(TCustomQZTree* AOwner) : TQZTreeItems(AOwner, nullptr) {}

TQZTreeItems::TQZTreeItems(TCustomQZTree* AOwner, TItemFactory ItemClass)
    : FOwner(AOwner), FItemClass(std::move(ItemClass)) {
    FRoot = CreateItem(AOwner);
    FRoot->FList = this;
    FRoot->FParent = nullptr;
    FRoot->FRoot = FRoot;
    FRoot->NewStaticData();
    FRoot->FState = uint16_t(1u << stsExpanded);
}

TQZTreeItems::~TQZTreeItems() {
    // The tree is going away: nothing is redrawn or recounted for the items that go.
    TQZTreeLock lock(FOwner);
    FRoot->DisposeStaticData();
    FRoot->Clear();
    delete FRoot;
}

TQZTreeItem* TQZTreeItems::CreateItem(TCustomQZTree* AOwner) {
    return FItemClass ? FItemClass(AOwner) : new TQZTreeItem(AOwner);
}

TQZTreeItem* TQZTreeItems::ParentOf(TQZTreeItem* Item) const {
    return Item ? Item->FParent : FRoot;
}

TQZTreeItem* TQZTreeItems::AddItem(TQZTreeItem* Parent) {
    if (!Parent)
        Parent = FRoot;
    TQZTreeItem* item;
    {
        TQZTreeLock lock(FOwner);
        std::unique_ptr<TQZTreeItem> made(CreateItem(FOwner));
        made->FList = this;
        made->FParent = Parent;
        Parent->AddChild(made.get());
        item = made.release();
        if (Parent->Expanded() && Parent->FullyExpanded()) {
            FOwner->View().FClearVis = true;
            FOwner->View().FVisUpdated = true;
        }
        FOwner->FUpdated = true;
        FOwner->View().FRangeUpdate = true;
    }
    FOwner->DoItemAdd(item);
    return item;
}

TQZTreeItem* TQZTreeItems::InsertItem(int Index, TQZTreeItem* Parent) {
    if (!Parent)
        Parent = FRoot;
    if (Index < 0 || Index > Parent->Count())
        throw EQZTreeError(SQZTreeIndexOutOfBounds);
    TQZTreeLock lock(FOwner);
    std::unique_ptr<TQZTreeItem> made(CreateItem(FOwner));
    made->FList = this;
    made->FParent = Parent;
    Parent->InsertChild(Index, made.get());
    TQZTreeItem* item = made.release();
    if (Parent->Expanded() && Parent->FullyExpanded())
        FOwner->View().MarkVisibility();
    FOwner->FUpdated = true;
    FOwner->View().FRangeUpdate = true;
    return item;
}

void TQZTreeItems::DeleteItem(TQZTreeItem* Item) {
    if (!Item || Item == FRoot || Item->FList != this || FOwner->DeletionInProgress(Item))
        return;
    TQZTreeLock lock(FOwner);
    TQZTreeItem* parent = Item->FParent;
    parent->DeleteChild(Item);
    if (parent->FullyExpanded() && parent->Expanded()) {
        FOwner->View().MarkVisibility();
        FOwner->FUpdated = true;
    }
}

TQZTreeItem* TQZTreeItems::Made(TQZTreeItem* Item, const std::string& Text, void* Ptr,
                                bool HasPtr) {
    if (HasPtr)
        Item->Data = Ptr;
    Item->SetText(Text);
    return Item;
}

int TQZTreeItems::IndexAfter(TQZTreeItem* Item) const {
    return Item ? Item->Index() + 1 : 0;
}

TQZTreeItem* TQZTreeItems::Add(TQZTreeItem* Item, const std::string& Text) {
    return Made(AddItem(ParentOf(Item)), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::AddChild(TQZTreeItem* Parent, const std::string& Text) {
    return Made(AddItem(Parent), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::AddChildFirst(TQZTreeItem* Parent, const std::string& Text) {
    return Made(InsertItem(0, Parent), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::AddChildObject(TQZTreeItem* Parent, const std::string& Text, void* Ptr) {
    return Made(AddItem(Parent), Text, Ptr, true);
}

TQZTreeItem* TQZTreeItems::AddChildObjectFirst(TQZTreeItem* Parent, const std::string& Text,
                                               void* Ptr) {
    return Made(InsertItem(0, Parent), Text, Ptr, true);
}

TQZTreeItem* TQZTreeItems::AddFirst(TQZTreeItem* Item, const std::string& Text) {
    return Made(InsertItem(0, ParentOf(Item)), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::AddObject(TQZTreeItem* Item, const std::string& Text, void* Ptr) {
    return Made(AddItem(ParentOf(Item)), Text, Ptr, true);
}

TQZTreeItem* TQZTreeItems::AddObjectFirst(TQZTreeItem* Item, const std::string& Text, void* Ptr) {
    return Made(InsertItem(0, ParentOf(Item)), Text, Ptr, true);
}

TQZTreeItem* TQZTreeItems::Insert(TQZTreeItem* Item, const std::string& Text) {
    return Made(InsertItem(Item ? Item->Index() : 0, ParentOf(Item)), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::InsertObject(TQZTreeItem* Item, const std::string& Text, void* Ptr) {
    return Made(InsertItem(Item ? Item->Index() : 0, ParentOf(Item)), Text, Ptr, true);
}

TQZTreeItem* TQZTreeItems::InsertAfter(TQZTreeItem* Item, const std::string& Text) {
    return Made(InsertItem(IndexAfter(Item), ParentOf(Item)), Text, nullptr, false);
}

TQZTreeItem* TQZTreeItems::InsertAfterObject(TQZTreeItem* Item, const std::string& Text,
                                             void* Ptr) {
    return Made(InsertItem(IndexAfter(Item), ParentOf(Item)), Text, Ptr, true);
}

void TQZTreeItems::Delete(TQZTreeItem* Item) {
    DeleteItem(Item);
}

void TQZTreeItems::BeginUpdate() {
    FOwner->SetUpdating(true);
}

void TQZTreeItems::EndUpdate() {
    FOwner->SetUpdating(false);
}

void TQZTreeItems::Clear() {
    if (FOwner->DeletionInProgress(FRoot))
        return;
    const int count = Count();
    TQZTreeLock lock(FOwner);
    TQZTreeViewState& view = FOwner->View();
    view.FVisible.Clear();
    FRoot->Clear();
    view.FHRange = -1;
    if (count > 0)
        view.MarkVisibility();
    FOwner->FUpdated = true;
}

int TQZTreeItems::Count() const {
    return FOwner ? FOwner->FAllList.Count() : 0;
}

TQZTreeItem* TQZTreeItems::Item(int Index) const {
    if (Index < 0 || Index >= Count())
        return nullptr;
    return static_cast<TQZTreeItem*>(FOwner->FAllList.FastGet(Index));
}

TQZTreeItem* TQZTreeItems::ItemAsVis(int Index) const {
    return FOwner->VisibleRow(Index);
}

int TQZTreeItems::GetVisIndex(const TQZTreeItem* Item) const {
    return Item ? FOwner->VisIndexOf(Item) : -1;
}

int TQZTreeItems::GetAbsIndex(const TQZTreeItem* Item) const {
    return Item ? FOwner->AbsIndexOf(Item) : -1;
}

void TQZTreeItems::Assign(const TPersistent* Source) {
    if (const auto* items = dynamic_cast<const TQZTreeItems*>(Source)) {
        if (items == this)
            return;
        TQZTreeLock lock(FOwner);
        FRoot->Assign(items->FRoot);
        FOwner->View().FHRange = -1;
        FOwner->FUpdated = true;
        FOwner->View().MarkVisibility();
    } else if (const auto* strings = dynamic_cast<const TStrings*>(Source)) {
        LoadFromStringList(*strings);
    } else {
        TPersistent::Assign(Source);
    }
}

void TQZTreeItems::LoadFromStringList(const TStrings& Strings) {
    TQZTreeLock lock(FOwner);
    Clear();
    for (int i = 0; i < Strings.Count(); ++i)
        InsertItemFromString(i, Strings.Get(i));
}

void TQZTreeItems::InsertItemFromString(int Index, const std::string& AString) {
    TQZTreeItem* previous = Item(Index - 1);
    size_t tabs = 0;
    while (tabs < AString.size() && AString[tabs] == '\t')
        ++tabs;
    const int previousLevel = previous ? previous->Level() : 0;
    const int level = std::min(int(tabs), previousLevel + 1);

    TQZTreeItem* parent = nullptr;
    if (previous) {
        parent = previous;
        for (int l = previousLevel; l >= level && parent; --l)
            parent = parent->Parent();
    }
    TQZTreeItem* item = AddItem(parent);

    int field = 0;
    size_t start = tabs;
    const bool columns = FOwner->ShowColumns();
    TQZTreeLock lock(FOwner);
    while (true) {
        const size_t end = AString.find('\t', start);
        const std::string value =
            AString.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!columns) {
            if (field == 0)
                item->SetText(value);
        } else if (field == FOwner->MainTreeColumn()) {
            item->SetText(value);
        } else {
            if (TStrings* columnText = item->ColumnText())
                columnText->Add(value);
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
        ++field;
    }
}
