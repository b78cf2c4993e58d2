#include "../tree_window.h"

#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "rtl/string_list.h"

#include <gtest/gtest.h>

namespace {

// Name and Size columns, 100 pixels each, rows sorted on header clicks.
struct SortedColumns : TreeWindow {
    SortedColumns() {
        TStringList captions;
        captions.Add("Name");
        captions.Add("Size");
        tree->SetHeadersTexts(&captions);
        for (int i = 0; i < 2; ++i)
            Section(i)->SetWidth(100);
        Section(1)->SetFieldType(sftNumber);
        tree->SetShowColumns(true);
        tree->FSortMode = smClick;
        for (auto [name, size] : {std::pair{"b", "20"}, {"c", "3"}, {"a", "100"}})
            Add(nullptr, name)->ColumnText()->Add(size);
        PumpMessages();
    }
    TQZHeaderSection* Section(int i) const { return tree->Header()->Sections()->Item(i); }
    void ClickSection(int i, bool ctrl = false) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        PostClick(tree->Header()->Handle(), i * 100 + 50, tree->Header()->Height() / 2);
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    }
    std::string Rows() const {
        std::string text;
        for (int i = 0; i < tree->Items()->Count(); ++i)
            text += (i ? " " : "") + tree->Items()->Item(i)->Text();
        return text;
    }
};

} // namespace

TEST(TreeHeaderSort, ClicksSortByTheColumnAndToggleItsDirection) {
    SortedColumns t;
    std::vector<int> clicked;
    t.tree->OnHeaderColumnClick = [&](TObject*, int section) { clicked.push_back(section); };
    t.ClickSection(1);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmAscend);
    EXPECT_EQ(t.Rows(), "c b a"); // 3, 20, 100: by number, not by text
    t.ClickSection(1);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmDescend);
    EXPECT_EQ(t.Rows(), "a b c");
    t.ClickSection(0);
    EXPECT_EQ(t.Section(0)->SortMode(), hsmAscend);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmNone);
    EXPECT_EQ(t.Rows(), "a b c");
    EXPECT_EQ(clicked, (std::vector<int>{1, 1, 0}));
}

TEST(TreeHeaderSort, CtrlClicksCycleAFurtherColumnOfTheSort) {
    SortedColumns t;
    t.ClickSection(0);
    t.ClickSection(1, true);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmAscend);
    EXPECT_EQ(t.Section(0)->SortMode(), hsmAscend); // the first column keeps its mark
    EXPECT_EQ(t.tree->SortSections(), std::vector<int>{1});
    t.ClickSection(1, true);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmDescend);
    t.ClickSection(1, true);
    EXPECT_EQ(t.Section(1)->SortMode(), hsmNone);
    EXPECT_TRUE(t.tree->SortSections().empty());
}

TEST(TreeHeaderSort, TheVerticalTrackHintShowsTheSortColumnAndLookupFindsARow) {
    SortedColumns t;
    t.tree->SetSortSection(1);
    std::string hint;
    t.tree->VScrollBar()->OnScrollHintNeeded(t.tree->VScrollBar(), 2, hint);
    EXPECT_EQ(hint, "100"); // row 2 is "a", its Size cell
    t.tree->SetAutoLookup(true);
    std::string typed = "C";
    t.tree->Header()->OnHeaderLookup(t.tree->Header(), t.Section(0), typed);
    EXPECT_EQ(t.tree->GetFocused(), t.tree->Items()->Item(1));
}
