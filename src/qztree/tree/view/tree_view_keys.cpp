// The tree view's keyboard: focus moves, selection by keys, expansion and incremental search.
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/search_timeout_thread.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/strings.h"

#include <windows.h>

namespace {

bool HasButtonOf(const TQZTreeItem* Item) {
    return Item->HasVisibleChildren() || Item->ForceButtons();
}

} // namespace

bool TQZTreeView::WantSpecialKey(uint16_t Key) {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

bool TQZTreeView::Usable(const TQZTreeItem* Item) const {
    return Item && (FOwner->IgnoreEnabled() || Item->Enabled());
}

TQZTreeItem* TQZTreeView::FindNewFocused(uint16_t Key, int* PVal1, bool& Sel) {
    TCustomQZTree& T = *FOwner;
    TQZTreeItem* focused = FFocused;
    const int total = T.GetTotalVisCount();
    // The first usable row from Index walking by Step; Limit rows at most (-1: to the end).
    auto walk = [&](int Index, int Step, int Limit, TQZTreeItem* Fallback) {
        TQZTreeItem* last = Fallback;
        for (int i = Index; i >= 0 && i < total; i += Step) {
            TQZTreeItem* item = T.GetVisItem(i);
            if (!Usable(item))
                continue;
            last = item;
            if (Limit-- <= 0)
                break;
        }
        return last;
    };
    TQZTreeItem* found = nullptr;
    const int at = focused ? T.VisIndexOfItem(focused) : -1;
    const bool varHeights = T.TotalVarHeightCount() > 0;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
        if (!focused)
            found = total >= 1 ? walk(0, 1, 0, nullptr) : nullptr;
        else
            found = walk(at + (Key == VK_UP ? -1 : 1), Key == VK_UP ? -1 : 1, 0, focused);
        break;
    case VK_NEXT:
    case VK_PRIOR: {
        if (!focused)
            break;
        int rows = GetVisCount() - 1;
        if (varHeights)
            rows = Key == VK_NEXT ? CalcPageDownPos(T.TopIndex()) - T.TopIndex()
                                  : at - CalcPageUpPos(at);
        found = walk(at, Key == VK_NEXT ? 1 : -1, std::max(rows, 0), focused);
        break;
    }
    case VK_HOME:
        if (focused)
            found = walk(0, 1, 0, focused);
        break;
    case VK_END:
        if (focused)
            found = walk(total - 1, -1, 0, focused);
        break;
    }
    if (found) {
        Sel = found->Selected();
        if (PVal1)
            *PVal1 = T.VisIndexOfItem(found);
    }
    return found;
}

void TQZTreeView::FitMostChildren(TQZTreeItem* Item) {
    TCustomQZTree& T = *FOwner;
    if (!Item || !Item->FullyExpanded() || !Item->FullyVisible() || !T.IsInView(Item))
        return;
    const int childrenHeight = Item->CalcSubItemsHeight();
    const int row = FVisible.IndexOf(Item);
    TRect rect = GetItemRect(row);
    int top = T.TopIndex();
    const int index = T.VisIndexOfItem(Item);
    int count = 0;
    while (top + count < index && rect.Bottom + childrenHeight >= ClientHeight()) {
        const int height = RowHeight(T.GetVisItem(top + count));
        rect.Top -= height;
        rect.Bottom -= height;
        ++count;
    }
    if (count > 0)
        T.SetTopIndex(top + count);
}

void TQZTreeView::KeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (FMouseSel || FControlStyle.Contains(csNoStdEvents))
        return;
    TCustomQZTree& T = *FOwner;
    T.FSelChange = false;
    {
        // Under one lock in multi-select mode, so a range repaints once.
        TQZTreeLock lock(SelectionLockTree());
        if (Shift.Contains(ssShift))
            Shift.Exclude(ssCtrl);
        if (Key >= VK_PRIOR && Key <= VK_DOWN)
            NavigationKey(Key, Shift);
        else
            ItemKey(Key, Shift);
    }
    ReportSelectionChange();
}

void TQZTreeView::ItemKey(uint16_t Key, TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    TQZTreeItem* F = FFocused;
    if (Key == VK_ADD && Shift.Contains(ssCtrl)) {
        T.AutoSizeAllColumns();
        return;
    }
    if (!Usable(F))
        return;
    switch (Key) {
    case '8':
        if (Shift.Contains(ssShift) && HasButtonOf(F))
            F->Expand(true);
        break;
    case VK_MULTIPLY:
        if (HasButtonOf(F)) {
            F->Expand(true);
            FitMostChildren(F);
        }
        break;
    case VK_ADD:
        if (!F->Expanded() && HasButtonOf(F)) {
            F->Expand(false);
            FitMostChildren(F);
        }
        break;
    case VK_SUBTRACT:
        if (F->Expanded())
            F->Collapse(false);
        break;
    case VK_DIVIDE:
        F->Collapse(true);
        break;
    case VK_BACK:
        if (F->Parent() && Usable(F->Parent())) {
            T.DoSetFocusedEx(F->Parent(), false, true);
            T.EnsureVisible(F->Parent());
        }
        break;
    case VK_SPACE:
        if (!T.MultiSelect())
            break;
        if (T.SelectionMode() == smUsual && !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift)) {
            T.DeselectAll();
            FSelected = F;
        } else if (T.SelectionMode() == smSimple) {
            FSelected = F;
        }
        F->SetSelected(!F->Selected());
        T.DoAfterSelectionChange();
        break;
    }
}

void TQZTreeView::NavigationKey(uint16_t Key, TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    if (T.RightAlignedTree() && (Key == VK_LEFT || Key == VK_RIGHT))
        Key = Key == VK_LEFT ? VK_RIGHT : VK_LEFT;
    TQZTreeItem* F = FFocused;
    if (F && !Usable(F))
        return;
    if (F && Key == VK_LEFT && F->Expanded()) {
        F->Collapse(false);
        return;
    }
    if (F && Key == VK_RIGHT && !F->Expanded() && HasButtonOf(F)) {
        F->Expand(false);
        FitMostChildren(F);
        return;
    }
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool multi = T.MultiSelect();
    const bool usual = T.SelectionMode() == smUsual;
    const bool toggles = multi && ((ctrl && usual) || !usual);
    const bool focusedWasSelected = F && F->Selected();
    TQZTreeItem* anchor = FSelected;
    const bool anchorWasSelected = anchor && anchor->Selected();
    if (multi && usual && !ctrl)
        T.DeselectAll();

    TQZTreeItem* target = nullptr;
    bool targetSelected = false;
    switch (Key) {
    case VK_LEFT:
        target = F && F->Parent() ? F->Parent() : F;
        break;
    case VK_RIGHT:
        if (F) {
            target = F->GetFirstVisibleChild();
            if (!target)
                target = F;
            T.FUpdated = true;
            FRangeUpdate = true;
        }
        break;
    default:
        target = FindNewFocused(Key, nullptr, targetSelected);
        if ((Key == VK_UP || Key == VK_DOWN) && !F && !target)
            return;
        break;
    }
    if (target)
        targetSelected = target->Selected();

    if (multi) {
        if (toggles && F)
            F->SetSelected(focusedWasSelected);
        if (shift) {
            T.SelectRangeEx2(anchor, target, false, false);
            if (anchor)
                anchor->SetSelected(anchorWasSelected);
        }
    }
    if (target) {
        if (target != F) {
            // The focus change below inverts the target once more.
            if (toggles)
                target->SetSelected(!targetSelected);
            if (multi && shift)
                target->SetSelected(false);
            T.DoSetFocusedEx(target, false, true);
            if (multi)
                FSelected = anchor;
        } else if (multi) {
            if (!FSelected)
                FSelected = anchor;
            F->SetSelected(true);
        }
    }
    if (!multi || (!ctrl && !shift)) {
        FSelected = FFocused;
        if (multi && usual && FFocused)
            FFocused->SetSelected(true);
    }
    ScrollToFocused(Key, target);
}

void TQZTreeView::ScrollToFocused(uint16_t Key, TQZTreeItem* Target) {
    TCustomQZTree& T = *FOwner;
    if (!FFocused || T.IsInView(FFocused))
        return;
    const bool varHeights = T.TotalVarHeightCount() > 0;
    const int top = T.TopIndex();
    int newTop = top;
    switch (Key) {
    case VK_UP:
        newTop = T.VisIndexOfItem(Target);
        break;
    case VK_DOWN: {
        const int index = T.VisIndexOfItem(Target);
        newTop = varHeights ? CalcPageUpPos(index) : index - (GetVisCount() - 2);
        break;
    }
    case VK_LEFT:
        newTop = T.VisIndexOfItem(FFocused);
        break;
    case VK_RIGHT:
        T.EnsureVisibleBottom(Target);
        return;
    case VK_PRIOR:
        newTop = varHeights ? CalcPageUpPos(top) : top - (GetVisCount() - 1);
        break;
    case VK_NEXT:
        newTop = varHeights ? CalcPageDownPos(top) : top + GetVisCount() - 1;
        break;
    case VK_HOME:
        newTop = 0;
        break;
    case VK_END:
        newTop = T.TotalVisCount() - 1;
        break;
    }
    T.SetTopIndex(std::max(newTop, 0));
    FClearVis = true;
    FClearAll = true;
}

// ---- Incremental search

void TQZTreeView::KeyPress(char& Key) {
    if (FOwner->IncrementalSearch() && !FControlStyle.Contains(csNoStdEvents))
        ProcessSearch(Key);
    TCustomControl::KeyPress(Key);
}

bool TQZTreeView::ProcessSearch(char Key) {
    TCustomQZTree& T = *FOwner;
    const auto code = static_cast<unsigned char>(Key);
    if (code == 27) {
        T.DeselectAll();
        return true;
    }
    // The timeout has passed while this key was on its way: the old text is gone.
    if (SearchTextTimeoutThread && !SearchTextTimeoutThread->KeepAlive()) {
        SearchTextTimeoutThread->OnTerminate = nullptr;
        SearchTextTimeoutThread = nullptr;
        SearchText.clear();
    }
    if (code == 8) {
        if (!SearchText.empty())
            SearchText.pop_back();
    } else if (code < 33) {
        return false;
    } else {
        SearchText += Key;
    }
    if (SearchText.empty())
        return false;
    TQZTreeItems& items = *T.Items();
    for (int i = 0; i < items.Count(); ++i) {
        TQZTreeItem* item = items.Item(i);
        const std::string text = item->Text();
        if (text.size() >= SearchText.size() &&
            AnsiSameText(text.substr(0, SearchText.size()), SearchText)) {
            T.EnsureVisible(item);
            item->SetFocused(true);
            item->SetSelected(false);
            break;
        }
    }
    StartClearSearchTimeoutThread();
    return true;
}

void TQZTreeView::StartClearSearchTimeoutThread() {
    if (SearchTextTimeoutThread && SearchTextTimeoutThread->KeepAlive())
        return;
    auto* thread = new TSearchTextTimeoutThread();
    thread->OnTerminate = [this](TObject* Sender) { SearchTextTimeout(Sender); };
    SearchTextTimeoutThread = thread;
    thread->Start();
}

void TQZTreeView::StopClearSearchTimeoutThread() {
    if (!SearchTextTimeoutThread)
        return;
    SearchTextTimeoutThread->OnTerminate = nullptr;
    SearchTextTimeoutThread->Terminate();
    SearchTextTimeoutThread = nullptr;
}

void TQZTreeView::SearchTextTimeout(TObject* Sender) {
    // A thread already replaced by a newer one leaves the newer one's text alone.
    if (Sender != SearchTextTimeoutThread)
        return;
    SearchTextTimeoutThread = nullptr;
    SearchText.clear();
}
