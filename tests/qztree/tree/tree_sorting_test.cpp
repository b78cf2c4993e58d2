#include "../sorting_tree.h"

#include "qztree/tree/sort_key.h"
#include "rtl/date_time.h"
#include "rtl/format_settings.h"
#include "rtl/value_scope.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A header with a text column 0 (the main one) and one column of Type.
struct ColumnTree {
    SortingTree tree;
    explicit ColumnTree(TQZFieldType Type) {
        tree.Columns = {{sftText, hsmNone}, {Type, hsmNone}};
        tree.FShowHeader = true;
        tree.SetSortSection(1);
    }
    void Rows(const std::vector<std::string>& cells) {
        for (const std::string& cell : cells)
            tree.Row(nullptr, cell, {cell});
    }
    std::string SortedBy(TQZSSortMode Mark) {
        tree.Columns[1].Mark = Mark;
        tree.Sort(true);
        return tree.Children();
    }
};

// The two items in the order of their addresses, the tie-break of equal keys.
std::string ByAddress(TQZTreeItem* a, TQZTreeItem* b) {
    return std::less<TQZTreeItem*>()(a, b) ? a->Text() + " " + b->Text()
                                           : b->Text() + " " + a->Text();
}

} // namespace

TEST(TreeSorting, NumberColumnPutsCellsWithoutANumberFirstAscendingAndLastDescending) {
    ColumnTree t(sftNumber);
    t.Rows({"10", "9", "x", "100"});
    EXPECT_EQ(t.SortedBy(hsmAscend), "x 9 10 100");
    EXPECT_EQ(t.SortedBy(hsmDescend), "100 10 9 x");
    // Without a mark of its own the column follows the tree's direction.
    t.tree.FSortDir = sdDescend;
    EXPECT_EQ(t.SortedBy(hsmNone), "100 10 9 x");
}

TEST(TreeSorting, TypedColumnsCompareTheirValuesNotTheirTexts) {
    TValueScope<TFormatSettings> formats(FormatSettings(), TFormatSettings{});
    {
        ColumnTree t(sftFloating);
        t.Rows({"2.5", "-1", "10.25", "abc"});
        EXPECT_EQ(t.SortedBy(hsmAscend), "abc -1 2.5 10.25");
    }
    {
        // Currency keeps all four decimals.
        ColumnTree t(sftCurrency);
        t.Rows({"1.0003", "1.0001", "1.0002", "-2"});
        EXPECT_EQ(t.SortedBy(hsmAscend), "-2 1.0001 1.0002 1.0003");
    }
    {
        // Day first, as the date format says; a text that is no date has no key.
        ColumnTree t(sftDateTime);
        t.Rows({"02.01.2024 10:00", "01.02.2023", "31.12.2023 23:59:59", "soon"});
        EXPECT_EQ(t.SortedBy(hsmAscend), "soon 01.02.2023 31.12.2023 23:59:59 02.01.2024 10:00");
    }
    {
        SortingTree tree;
        tree.Columns = {{sftText, hsmNone}, {sftBool, hsmAscend}};
        tree.FShowHeader = true;
        tree.SetSortSection(1);
        tree.Row(nullptr, "full", {"yes"});
        tree.Row(nullptr, "empty", {""});
        tree.Sort(true);
        EXPECT_EQ(tree.Children(), "empty full");
    }
}

TEST(TreeSorting, CaseFoldsOnlyLatinLettersWithoutSortUseCase) {
    SortingTree tree; // no header: the main text by the tree's type and direction
    tree.FSortUseCase = false;
    TQZTreeItem* lower = tree.Row(nullptr, "b");
    TQZTreeItem* upper = tree.Row(nullptr, "B");
    tree.Row(nullptr, "a");
    tree.Sort(true);
    EXPECT_EQ(tree.Children(), "a " + ByAddress(lower, upper));

    SortingTree cyrillic;
    cyrillic.FSortUseCase = false;
    TQZSortKey small = MakeSortKey("\xE1", stText, false); // Cyrillic small be
    TQZSortKey capital = MakeSortKey("\xC1", stText, false);
    EXPECT_NE(CompareSortKeys(small, capital, stText), 0);
    EXPECT_EQ(
        CompareSortKeys(MakeSortKey("b", stText, false), MakeSortKey("B", stText, false), stText),
        0);
    EXPECT_NE(
        CompareSortKeys(MakeSortKey("b", stText, true), MakeSortKey("B", stText, true), stText), 0);
}

TEST(TreeSorting, EqualKeysKeepOneOrderWhateverTheOrderBefore) {
    SortingTree tree;
    TQZTreeItem* first = tree.Row(nullptr, "same");
    TQZTreeItem* second = tree.Row(nullptr, "same");
    tree.Sort(true);
    const int firstPlace = first->Index();
    second->MoveToIns(nullptr, 0);
    tree.Sort(true);
    EXPECT_EQ(first->Index(), firstPlace);
    (void)second;
}

TEST(TreeSorting, CustomColumnWithoutHandlerOrdersByTheTieBreakAndAsksTheHandlerWhenSet) {
    ColumnTree t(sftCustom);
    TQZTreeItem* x = t.tree.Row(nullptr, "x", {"1"});
    TQZTreeItem* y = t.tree.Row(nullptr, "y", {"2"});
    EXPECT_EQ(t.SortedBy(hsmAscend), ByAddress(x, y));

    int asked = 0;
    t.tree.OnCompareItems = [&](TObject* Sender, TQZTreeItem* a, TQZTreeItem* b, int& res) {
        EXPECT_EQ(Sender, &t.tree);
        ++asked;
        res = b->Text().compare(a->Text()); // reverse alphabetical
    };
    EXPECT_EQ(t.SortedBy(hsmAscend), "y x");
    EXPECT_GT(asked, 0);
}

TEST(TreeSorting, VirtualDatesCompareByDayOrByTimeOfDay) {
    ColumnTree t(sftDate);
    t.tree.FVirtualityLevel = vlTextAndStyles;
    TQZTreeItem* morning = t.tree.Row(nullptr, "morning");
    TQZTreeItem* evening = t.tree.Row(nullptr, "evening");
    TQZTreeItem* earlier = t.tree.Row(nullptr, "earlier");
    const TDateTime day = EncodeDate(2024, 3, 1);
    // Rows of a virtual tree have no texts of their own: the main text is asked for.
    const char* names[] = {"morning", "evening", "earlier"};
    morning->Tag = 0;
    evening->Tag = 1;
    earlier->Tag = 2;
    t.tree.OnVirtualTextNeeded = [&](TObject*, TQZTreeItem* item, int, std::string& text) {
        text = names[item->Tag];
    };
    t.tree.OnVirtualValueNeeded = [&](TObject*, TQZTreeItem* item, int section, int kind,
                                      Variant& value) {
        EXPECT_EQ(section, 1);
        EXPECT_EQ(kind, 3);
        value = item == morning   ? day + 9.0 / 24
                : item == evening ? day + 20.0 / 24
                                  : day - 1 + 22.0 / 24;
    };
    // Same day: equal, the tie-break decides between them; the day before goes first.
    EXPECT_EQ(t.SortedBy(hsmAscend), "earlier " + ByAddress(morning, evening));
    t.tree.Columns[1].Type = sftTime;
    EXPECT_EQ(t.SortedBy(hsmAscend), "morning evening earlier");
}

TEST(TreeSorting, HeaderClicksSortAndStepTheMarks) {
    SortingTree tree;
    tree.Columns = {{sftText, hsmNone}, {sftNumber, hsmNone}};
    tree.FShowHeader = true;
    tree.FSortMode = smClick;
    tree.Row(nullptr, "b", {"2"});
    tree.Row(nullptr, "a", {"3"});
    tree.Row(nullptr, "c", {"1"});
    std::vector<std::string> events;
    tree.OnSortBegin = [&](TObject*) { events.push_back("begin"); };
    tree.OnSortEnd = [&](TObject*) { events.push_back("end"); };
    tree.OnHeaderColumnClick = [&](TObject*, int section) {
        events.push_back("click " + std::to_string(section));
    };

    tree.HeaderSectionClicked(1, false);
    EXPECT_EQ(tree.Columns[1].Mark, hsmAscend);
    EXPECT_EQ(tree.SortSection(), 1);
    EXPECT_EQ(tree.FSortType, stNumber);
    EXPECT_EQ(tree.Children(), "c b a");
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "end", "click 1"}));
    tree.HeaderSectionClicked(1, false);
    EXPECT_EQ(tree.Columns[1].Mark, hsmDescend);
    EXPECT_EQ(tree.Children(), "a b c");

    // A plain click on another section clears the first one's mark.
    tree.HeaderSectionClicked(0, false);
    EXPECT_EQ(tree.Columns[1].Mark, hsmNone);
    EXPECT_EQ(tree.Columns[0].Mark, hsmAscend);
    EXPECT_EQ(tree.Children(), "a b c");

    // Ctrl cycles a section through ascending, descending and none in the multi-column list.
    tree.HeaderSectionClicked(1, true);
    EXPECT_EQ(tree.Columns[1].Mark, hsmAscend);
    EXPECT_EQ(tree.SortSections(), std::vector<int>{1});
    tree.HeaderSectionClicked(1, true);
    EXPECT_EQ(tree.Columns[1].Mark, hsmDescend);
    EXPECT_EQ(tree.SortSections(), std::vector<int>{1});
    tree.HeaderSectionClicked(1, true);
    EXPECT_EQ(tree.Columns[1].Mark, hsmNone);
    EXPECT_TRUE(tree.SortSections().empty());
    EXPECT_EQ(tree.SortSection(), 0);

    // Outside the click sort modes a click only reports the column.
    tree.FSortMode = smNone;
    events.clear();
    tree.HeaderSectionClicked(1, false);
    EXPECT_EQ(events, std::vector<std::string>{"click 1"});
}

TEST(TreeSorting, FurtherColumnsBreakTiesOfTheSortColumn) {
    SortingTree tree;
    tree.Columns = {{sftText, hsmAscend}, {sftText, hsmNone}, {sftNumber, hsmDescend}};
    tree.FShowHeader = true;
    tree.SetSortSection(1);
    tree.Row(nullptr, "p", {"g1", "5"});
    tree.Row(nullptr, "q", {"g2", "1"});
    tree.Row(nullptr, "r", {"g1", "x"}); // no number: 0 in the tie-break
    tree.Row(nullptr, "s", {"g1", "12"});
    tree.AddSortSection(2, false);
    tree.Columns[1].Mark = hsmAscend;
    tree.Sort(true);
    EXPECT_EQ(tree.Children(), "s p r q");

    // Asked for under the lock, the sort runs once when the lock goes.
    int sorts = 0;
    tree.OnSortBegin = [&](TObject*) { ++sorts; };
    tree.Columns[2].Mark = hsmAscend;
    {
        TQZTreeLock lock(&tree);
        tree.AddSortSection(2, true);
        tree.AddSortSection(2, true);
        EXPECT_EQ(sorts, 0);
    }
    EXPECT_EQ(sorts, 1);
    EXPECT_EQ(tree.Children(), "r p s q");
    tree.SetSortSection(0);
    EXPECT_TRUE(tree.SortSections().empty());
}

TEST(TreeSorting, SortsEveryLevelAndKeepsThePreOrderList) {
    SortingTree tree; // header hidden: main text, SortType and SortDir
    tree.Columns = {{sftNumber, hsmDescend}};
    TQZTreeItem* b = tree.Row(nullptr, "b");
    tree.Row(b, "b2");
    tree.Row(b, "b10");
    TQZTreeItem* a = tree.Row(nullptr, "a");
    tree.Row(a, "a9");
    tree.Row(a, "a1");
    tree.Sort(true);
    EXPECT_EQ(tree.Order(), "a a1 a9 b b10 b2");
    tree.FSortDir = sdDescend;
    tree.FSortType = stText;
    a->Sort(false);
    EXPECT_EQ(tree.Order(), "a a9 a1 b b10 b2");
    for (int i = 0; i < tree.Items()->Count(); ++i)
        EXPECT_EQ(tree.Items()->Item(i)->AbsoluteIndex(), i);
    EXPECT_FALSE(tree.InSorting());
}

TEST(TreeSorting, AHandlerThatComparesInconsistentlyNeverBreaksTheList) {
    ColumnTree t(sftCustom);
    for (int i = 0; i < 200; ++i)
        t.tree.Row(nullptr, std::to_string(i), {""});
    unsigned seed = 7;
    t.tree.OnCompareItems = [&](TObject*, TQZTreeItem*, TQZTreeItem*, int& res) {
        seed = seed * 1103515245 + 12345;
        res = int(seed >> 16) % 3 - 1;
    };
    t.SortedBy(hsmAscend);
    EXPECT_EQ(t.tree.GetRoot()->Count(), 200);
    for (int i = 0; i < t.tree.Items()->Count(); ++i)
        EXPECT_EQ(t.tree.Items()->Item(i)->AbsoluteIndex(), i);
}
