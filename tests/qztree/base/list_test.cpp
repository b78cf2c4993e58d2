#include "qztree/base/list.h"
#include "qztree/base/stack.h"

#include "support/tracked_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Entries that spell a word, so orders can be compared as text.
struct Letters {
    std::string Word;
    explicit Letters(std::string word) : Word(std::move(word)) {}
    void Fill(TQZList& list) {
        for (char& c : Word)
            list.Add(&c);
    }
    std::string Read(const TQZList& list) const {
        std::string text;
        for (int i = 0; i < list.Count(); ++i)
            text += *static_cast<char*>(list.Get(i));
        return text;
    }
};

template <class F> std::string ErrorOf(F action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no error";
}

} // namespace

TEST(QZList, GrowsByTwiceTheCountPlusOneAndHalvesWhenSparse) {
    TQZList list;
    std::vector<int> capacities;
    int value = 0;
    for (int i = 0; i < 10; ++i) {
        list.Add(&value);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 4, 13}));

    list.SetCount(700);
    list.SetCapacity(700);
    list.Add(&value); // 2 * 700 + 1 is above the cap of 1280 slots a step
    EXPECT_EQ(list.Capacity(), 1980);
    EXPECT_EQ(list.Get(699), nullptr); // new slots of SetCount are empty

    list.SetCount(3);
    list.SetCapacity(13);
    list.Delete(0); // 13 div 2 > 2
    EXPECT_EQ(list.Capacity(), 6);
    list.Remove(&value);
    EXPECT_EQ(list.Capacity(), 3);
}

TEST(QZList, IndexesOutsideTheListRaiseNamingTheValueAndChangeNothing) {
    Letters abc("ABC");
    TQZList list;
    abc.Fill(list);
    EXPECT_EQ(ErrorOf([&] { list.Get(3); }), "List index [3] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.Delete(-1); }), "List index [-1] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.Insert(4, nullptr); }), "List index [4] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(2); }), "List index [2] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.SetCount(TQZList::MaxListSize); }),
              "List index [134217728] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.DeleteRange(2, 1); }), "List index [1] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.DeleteRange(0, 5); }), "List index [5] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.IndexOfFrom(3, nullptr); }), "List index [3] out of bounds...");
    EXPECT_EQ(ErrorOf([&] { list.MoveRange(0, 1, 1); }), "List index [1] out of bounds...");
    EXPECT_EQ(abc.Read(list), "ABC");

    char d = 'D';
    list.Insert(3, &d); // at Count: appends
    EXPECT_EQ(abc.Read(list), "ABCD");
    EXPECT_EQ(list.First(), &abc.Word[0]);
    EXPECT_EQ(list.Last(), &d);
    EXPECT_EQ(TQZList().Last(), nullptr);
}

TEST(QZList, MovesEntriesAndBlocksBeforeTheEntryAtTheTarget) {
    struct Case {
        int CurStart, CurEnd, NewStart;
        const char* Result;
    };
    for (const Case& c : {Case{0, 1, 3, "CABDE"}, Case{3, 4, 0, "DEABC"}, Case{1, 2, 4, "ADBCE"},
                          Case{2, 2, 2, "ABCDE"}}) {
        Letters word("ABCDE");
        TQZList list;
        word.Fill(list);
        list.MoveRange(c.CurStart, c.CurEnd, c.NewStart);
        EXPECT_EQ(word.Read(list), c.Result)
            << c.CurStart << ".." << c.CurEnd << " to " << c.NewStart;
    }
    Letters word("ABCDE");
    TQZList list;
    word.Fill(list);
    list.Move(0, 4);
    EXPECT_EQ(word.Read(list), "BCDEA");
    list.Move(3, 1);
    EXPECT_EQ(word.Read(list), "BECDA");
    EXPECT_EQ(list.IndexOfFrom(2, &word.Word[4]), -1); // 'E' is before the start
    EXPECT_EQ(list.IndexOfBack(2, &word.Word[4]), 1);
}

TEST(QZList, DeleteNotificationsAndOwnership) {
    int freed = 0;
    std::vector<void*> deleted;
    TQZList list;
    list.AutoClearObjects = true;
    list.OnDelete = [&](TObject* sender, void* item) {
        EXPECT_EQ(sender, &list);
        // Every entry is announced before any object goes.
        EXPECT_EQ(freed, 0);
        deleted.push_back(item);
    };
    std::vector<TrackedObject*> objects;
    for (int i = 0; i < 6; ++i) {
        objects.push_back(new TrackedObject(freed));
        list.Add(objects.back());
    }

    list.Remove(objects[5]); // not freed
    list.DeleteRange(3, 4);  // not freed
    EXPECT_EQ(freed, 0);
    EXPECT_EQ(deleted, (std::vector<void*>{objects[5], objects[3], objects[4]}));
    for (int i = 3; i < 6; ++i)
        delete objects[i];
    freed = 0;
    deleted.clear();

    list.Clear();
    EXPECT_EQ(deleted, (std::vector<void*>{objects[0], objects[1], objects[2]}));
    EXPECT_EQ(freed, 3);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);

    list.OnDelete = nullptr;
    list.Add(new TrackedObject(freed));
    list.Add(nullptr);
    list.Delete(0); // freed
    EXPECT_EQ(freed, 4);

    // Replacing an entry announces the old one but keeps it alive.
    int kept = 0;
    TrackedObject old(kept);
    list.OnDelete = [&](TObject*, void* item) { deleted.push_back(item); };
    deleted.clear();
    list.Put(0, &old);
    list.Put(0, nullptr);
    EXPECT_EQ(deleted, (std::vector<void*>{&old}));
    EXPECT_EQ(kept, 0);
}

TEST(QZList, AssignCopiesEntriesAndIgnoresItself) {
    Letters word("XYZ");
    TQZList source, copy;
    word.Fill(source);
    copy.Add(nullptr);
    copy.Assign(&source);
    EXPECT_EQ(word.Read(copy), "XYZ");
    EXPECT_EQ(copy.Capacity(), source.Capacity());
    copy.Assign(&copy);
    EXPECT_EQ(word.Read(copy), "XYZ");
}

TEST(QZList, StringListReportsReplacedLines) {
    TStringListPutEx lines;
    std::vector<std::pair<int, std::string>> reports;
    lines.SetonItemTextSet([&](int index, const std::string& s) { reports.push_back({index, s}); });
    lines.Add("one");
    lines.Add("two");
    lines.Put(1, "zwei");
    EXPECT_EQ(lines.Get(1), "zwei");
    EXPECT_EQ(reports, (std::vector<std::pair<int, std::string>>{{1, "zwei"}}));
}

TEST(QZStack, GrowsInStepsAndHalvesWhilePopping) {
    TQZStack stack;
    std::vector<int> capacities;
    int values[120] = {};
    for (int& v : values) {
        stack.Push(&v);
        if (capacities.empty() || capacities.back() != stack.Capacity())
            capacities.push_back(stack.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147}));

    TQZStack five;
    for (int i = 0; i < 5; ++i)
        five.Push(&values[i]);
    EXPECT_EQ(five.Capacity(), 8);
    std::vector<int> afterPops;
    for (int i = 4; i >= 0; --i) {
        EXPECT_EQ(five.Pop(), &values[i]);
        afterPops.push_back(five.Capacity());
    }
    EXPECT_EQ(afterPops, (std::vector<int>{8, 4, 4, 2, 1}));
}

TEST(QZStack, RefusesEmptyPopsAndCapacitiesBelowTheCount) {
    TQZStack stack;
    EXPECT_EQ(ErrorOf([&] { stack.Pop(); }), "QZStack is empty.");
    int a = 0;
    for (int i = 0; i < 4; ++i)
        stack.Push(&a);
    stack.SetCapacity(8);
    stack.Pop();
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Capacity(), 4);
    EXPECT_EQ(ErrorOf([&] { stack.SetCapacity(2); }), "Invalid QZStack capacity.");
    EXPECT_EQ(ErrorOf([&] { stack.SetCapacity(TQZStack::MaxStackSize); }),
              "Invalid QZStack capacity.");
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Capacity(), 4);
}
