#include "qztree/base/list.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/sort_key.h"
#include "qztree/tree/view/tree_view_state.h"
#include "rtl/string_list.h"
#include "rtl/value_scope.h"

#include <algorithm>
#include <functional>

// The column, key type and direction one sort of a child list uses throughout.
struct TCustomQZTree::TSortRule {
    int Section = -1;
    TSortTypes Type = stText;
    TQZSSortMode Mark = hsmNone;
};

// Gives the children their keys for one sort and takes them back however the sort ends; a key
// already made by a sort further out is only borrowed.
class TQZSortKeysScope {
public:
    TQZSortKeysScope(const std::vector<TQZTreeItem*>& Children,
                     const std::function<TQZSortKey(TQZTreeItem*)>& MakeKey)
        : FChildren(Children) {
        for (TQZTreeItem* child : FChildren) {
            if (child->FSortRef == 0)
                child->FSortData = std::make_unique<TQZSortKey>(MakeKey(child));
            ++child->FSortRef;
        }
    }
    ~TQZSortKeysScope() {
        for (TQZTreeItem* child : FChildren)
            if (--child->FSortRef <= 0) {
                child->FSortRef = 0;
                child->FSortData.reset();
            }
    }
    TQZSortKeysScope(const TQZSortKeysScope&) = delete;
    TQZSortKeysScope& operator=(const TQZSortKeysScope&) = delete;

private:
    const std::vector<TQZTreeItem*>& FChildren;
};

namespace {

const TQZSortKey NoKey;

} // namespace

std::string TCustomQZTree::CellText(TQZTreeItem* Item, int SectionIndex) {
    if (!Item->HasStaticData()) {
        std::string text;
        TriggerVirtualTextNeeded(Item, SectionIndex, text);
        return text;
    }
    if (SectionIndex == -1 || SectionIndex == FMainTreeCol)
        return Item->Text();
    TStrings* columns = Item->ColumnText();
    const int column = SectionIndex > FMainTreeCol ? SectionIndex - 1 : SectionIndex;
    return columns && column >= 0 && column < columns->Count() ? columns->Get(column)
                                                               : std::string();
}

TQZSortKey TCustomQZTree::ItemSortKey(TQZTreeItem* Item, int SectionIndex, TSortTypes SortType) {
    if (FVirtualityLevel == vlNone)
        return MakeSortKey(CellText(Item, SectionIndex), SortType, FSortUseCase);
    if (SortType == stText) {
        std::string text;
        TriggerVirtualTextNeeded(Item, SectionIndex, text);
        return MakeSortKey(text, stText, FSortUseCase);
    }
    Variant value;
    TriggerVirtualValueNeeded(Item, SectionIndex, SortTypeVarKind(SortType), value);
    return MakeValueSortKey(value, SortType, FSortUseCase);
}

void TCustomQZTree::Sort(bool Recursive) {
    TriggerSortBegin();
    {
        TValueScope<int> sorting(FInSorting, FInSorting + 1);
        SortChildren(GetRoot(), Recursive);
    }
    TriggerSortEnd();
}

void TCustomQZTree::SortChildren(TQZTreeItem* Parent, bool Recursive) {
    if (!Parent || Parent->Count() == 0 || (!Recursive && Parent->Count() < 2))
        return;
    TValueScope<int> sorting(FInSorting, FInSorting + 1);
    TQZTreeLock lock(this);
    TSortRule rule;
    rule.Type = FSortType;
    if (FShowHeader && FSortSection >= 0 && FSortSection < HeaderSectionCount()) {
        rule.Section = FSortSection;
        rule.Mark = SectionSortMark(FSortSection);
        rule.Type = SectionTypeToSortType(SectionFieldType(FSortSection));
    }
    const int runStart = AbsIndexOf(Parent) + 1;

    auto sortLevel = [&](TQZTreeItem* parent, auto& self) -> void {
        TQZList& list = *parent->FChildren;
        std::vector<TQZTreeItem*> children(size_t(list.Count()));
        for (int i = 0; i < list.Count(); ++i)
            children[size_t(i)] = static_cast<TQZTreeItem*>(list.FastGet(i));
        if (children.size() > 1) {
            TQZSortKeysScope keys(children, [&](TQZTreeItem* child) {
                return ItemSortKey(child, rule.Section, rule.Type);
            });
            QuickSort(children, 0, int(children.size()) - 1, rule);
        }
        for (int i = 0; i < list.Count(); ++i)
            list.Put(i, children[size_t(i)]);
        // The next level gets its keys after this level has given its own back.
        if (Recursive)
            for (TQZTreeItem* child : children)
                if (child->Count() > 0)
                    self(child, self);
    };
    sortLevel(Parent, sortLevel);

    // The parent's run of the all-items list is written again in the new pre-order.
    int position = runStart;
    auto writeRun = [&](TQZTreeItem* parent, auto& self) -> void {
        for (int i = 0; i < parent->Count(); ++i) {
            TQZTreeItem* child = parent->Children(i);
            FAllList.Put(position, child);
            child->FAbsIndex = position++;
            self(child, self);
        }
    };
    writeRun(Parent, writeRun);
    FPlaceShifts.Forget();
    StructureChanged();
    FView->FClearVis = true;
    FView->FClearAll = true;
    FUpdated = true;
}

// Partitions around one pivot item; every scan is bounded by the list, so a handler that
// compares inconsistently gives a poor order but never a read outside it.
void TCustomQZTree::QuickSort(std::vector<TQZTreeItem*>& Children, int L, int R,
                              const TSortRule& Rule) {
    const int n = int(Children.size());
    auto compare = [&](TQZTreeItem* a, TQZTreeItem* b) {
        return CompareItems(a, b, Rule.Section, Rule.Type, Rule.Mark);
    };
    while (L < R) {
        int i = L, j = R;
        TQZTreeItem* pivot = Children[size_t((L + R) / 2)];
        do {
            while (i < n && Children[size_t(i)] != pivot && compare(Children[size_t(i)], pivot) < 0)
                ++i;
            while (j >= 0 && Children[size_t(j)] != pivot &&
                   compare(Children[size_t(j)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(Children[size_t(i)], Children[size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        // The smaller part is sorted by recursion, the larger by the loop: the depth stays low.
        if (j - L < R - i) {
            if (L < j)
                QuickSort(Children, L, j, Rule);
            L = i;
        } else {
            if (i < R)
                QuickSort(Children, i, R, Rule);
            R = j;
        }
    }
}

int TCustomQZTree::CompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int SectionIndex,
                                TSortTypes SortType, TQZSSortMode SectionSortMode) {
    int res = 0;
    if (SortType != stCustom) {
        const TQZSortKey& a = Item1->FSortData ? *Item1->FSortData : NoKey;
        const TQZSortKey& b = Item2->FSortData ? *Item2->FSortData : NoKey;
        res = CompareSortKeys(a, b, SortType);
    } else {
        DoCompareItems(Item1, Item2, res);
    }
    const bool descending =
        SectionSortMode == hsmDescend || (SectionSortMode == hsmNone && FSortDir == sdDescend);
    if (descending)
        res = -res;
    for (size_t i = 0; res == 0 && i < FSortSections.size(); ++i)
        SlowCompareItems(Item1, Item2, res, FSortSections[i]);
    if (res == 0 && Item1 != Item2) {
        // Equal items keep one fixed order whatever order they had.
        res = std::less<const TQZTreeItem*>()(Item1, Item2) ? -1 : 1;
        if (descending)
            res = -res;
    }
    return res;
}

void TCustomQZTree::SlowCompareItems(TQZTreeItem* Item1, TQZTreeItem* Item2, int& Res,
                                     int SectionIndex) {
    const TSortTypes type = SectionTypeToSortType(SectionFieldType(SectionIndex));
    if (type == stCustom) {
        DoCompareItems(Item1, Item2, Res);
    } else {
        auto key = [&](TQZTreeItem* item) {
            TQZSortKey result;
            if (FVirtualityLevel != vlNone && type != stText && OnVirtualValueNeeded)
                result = ItemSortKey(item, SectionIndex, type);
            else
                result = MakeSortKey(CellText(item, SectionIndex), type, FSortUseCase);
            // Here a text that is no whole number counts as 0.
            if (type == stNumber && result.Kind == TQZSortKey::skNone)
                result.Kind = TQZSortKey::skInteger;
            return result;
        };
        Res = CompareSortKeys(key(Item1), key(Item2), type);
    }
    if (SectionSortMark(SectionIndex) == hsmDescend)
        Res = -Res;
}

void TCustomQZTree::SortNowOrWhenUnlocked() {
    if (IsUpdating())
        FSortRequired = true;
    else
        Sort(true);
}

void TCustomQZTree::AddSortSection(int Index, bool ReSort) {
    if (Index < 0 || Index >= HeaderSectionCount())
        return;
    FSortSections.erase(std::remove(FSortSections.begin(), FSortSections.end(), Index),
                        FSortSections.end());
    FSortSections.push_back(Index);
    if (ReSort)
        SortNowOrWhenUnlocked();
}

void TCustomQZTree::RemoveSortSection(int Index, bool ReSort) {
    if (Index < 0 || Index >= HeaderSectionCount())
        return;
    const auto found = std::find(FSortSections.begin(), FSortSections.end(), Index);
    if (found == FSortSections.end())
        return;
    FSortSections.erase(found);
    if (ReSort)
        SortNowOrWhenUnlocked();
}

void TCustomQZTree::HeaderSectionClicked(int SectionIndex, bool Ctrl) {
    if (FSortMode != smClick && FSortMode != smAddClick) {
        DoColumnClick(SectionIndex);
        return;
    }
    {
        TQZTreeLock lock(this);
        const TQZSSortMode mark = SectionSortMark(SectionIndex);
        if (Ctrl) {
            switch (mark) {
            case hsmNone:
                SetSectionSortMark(SectionIndex, hsmAscend);
                AddSortSection(SectionIndex, false);
                break;
            case hsmAscend:
                SetSectionSortMark(SectionIndex, hsmDescend);
                if (std::find(FSortSections.begin(), FSortSections.end(), SectionIndex) ==
                    FSortSections.end())
                    AddSortSection(SectionIndex, false);
                break;
            case hsmDescend:
                SetSectionSortMark(SectionIndex, hsmNone);
                RemoveSortSection(SectionIndex, false);
                break;
            }
        } else {
            SetHeaderMultiSort(false);
            SetSortSection(SectionIndex);
            if (mark == hsmNone)
                SetSectionSortMark(SectionIndex, FSortDir == sdAscend ? hsmAscend : hsmDescend);
            else
                SetSectionSortMark(SectionIndex, mark == hsmAscend ? hsmDescend : hsmAscend);
            FSortType = SectionTypeToSortType(SectionFieldType(SectionIndex));
            SetHeaderMultiSort(true);
        }
        TriggerSortBegin();
        SortChildren(GetRoot(), true);
        TriggerSortEnd();
        FUpdated = true;
        FView->FRangeUpdate = true;
        FView->FVisUpdated = true;
    }
    DoColumnClick(SectionIndex);
}
