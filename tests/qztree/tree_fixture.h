#pragma once
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/view/tree_view_state.h"

#include <functional>
#include <string>
#include <vector>

// A view state that counts the repaints the tree asks for.
class CountingView : public TQZTreeViewState {
public:
    int Updates = 0;
    int Invalidations = 0;
    bool Focus = true;
    void Update() override { ++Updates; }
    void InvalidateRect(const TRect&, bool) override { ++Invalidations; }
    bool HasFocus() const override { return Focus; }
};

// A tree whose options tests set directly and whose events they read back.
class TestTree : public TCustomQZTree {
public:
    TestTree();

    using TCustomQZTree::FFullRowSelect;
    using TCustomQZTree::FMainTreeCol;
    using TCustomQZTree::FShowHeader;
    using TCustomQZTree::FSortRequired;
    using TCustomQZTree::FUpdated;

    CountingView& Counting() const { return static_cast<CountingView&>(View()); }
    TQZTreeItem* Add(TQZTreeItem* parent, const std::string& text) {
        return Items()->AddChild(parent, text);
    }
    // Texts of every item in absolute order, joined by spaces.
    std::string Order() const;
    // Texts of the visible rows in order.
    std::string Rows() const;

    int Sections = 0;
    int MeasuredHeight = 30;
    std::vector<std::string> Events;
    bool RefuseExpanding = false;
    bool ThrowOnExpand = false;
    bool ThrowOnSort = false;

    int HeaderSectionCount() const override { return Sections; }
    TSize MeasureCell(TQZTreeItem* Item, int SectionIndex) override {
        return TSize{int(Item->Text().size()) * 7, MeasuredHeight};
    }
    std::function<void(TQZTreeItem*)> WhileDeleting;
    void DoItemDelete(TQZTreeItem* Item) override {
        Events.push_back("delete " + Item->Text());
        if (WhileDeleting)
            WhileDeleting(Item);
    }
    void DoItemAdd(TQZTreeItem* Item) override { Events.push_back("add"); }
    void DoItemFocused() override {
        Events.push_back("focus " + (GetFocused() ? GetFocused()->Text() : std::string("none")));
    }
    void DoItemExpanding(TQZTreeItem* Item, bool& CanProcess) override {
        CanProcess = !RefuseExpanding;
    }
    void DoItemExpand(TQZTreeItem* Item) override;
    void TriggerSortBegin() override;
    void TriggerItemSelectedChangeEvent(TQZTreeItem* Item) override {
        Events.push_back((Item->Selected() ? "select " : "deselect ") + Item->Text());
    }
};

std::string ErrorText(const std::function<void()>& action);
