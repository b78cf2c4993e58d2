#include "tools/sorted_lists.h"

#include "rtl/exceptions.h"
#include "rtl/strings.h"
#include "support/tracked_object.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Names(const TQZSortedNamedObjects& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.GetNames(i));
    return names;
}

} // namespace

TEST(SortedParams, LaterAdditionChangesOnlyTheValue) {
    TQZSortedParams params;
    const int first = params.AddParam("Port", "1");
    EXPECT_EQ(params.AddParam("PORT", "2"), first);
    ASSERT_EQ(params.Count(), 1);
    EXPECT_EQ(params.Items(0)->RealName, "Port");
    EXPECT_EQ(params.Items(0)->Name, "PORT");
    EXPECT_EQ(params.Items(0)->Value, "2");
    EXPECT_EQ(params.Items(0)->InitValue, "1");
    EXPECT_EQ(params.GetValue("port"), "2");

    params.AddParam("Пусто", "");
    EXPECT_EQ(params.GetValue("ПУСТО"), "");
    EXPECT_EQ(params.GetValue("never added"), "");
    EXPECT_EQ(params.Value("Port"), "2");
}

TEST(SortedParams, OrderIsTheLocaleCollationOfUpperCasedNames) {
    TQZSortedParams params;
    // Byte order would put Ё (A8) before А (C0) and all Cyrillic capitals before small Latin.
    for (const char* name : {"жук", "ёж", "Аист", "zebra", "Apple"})
        params.AddParam(name, "");
    std::vector<std::string> names;
    for (int i = 0; i < params.Count(); ++i)
        names.push_back(params.Items(i)->RealName);
    EXPECT_EQ(names, (std::vector<std::string>{"Apple", "zebra", "Аист", "ёж", "жук"}));
    for (const char* name : {"ЖУК", "ЁЖ", "аист", "ZEBRA", "apple"})
        EXPECT_GE(params.FindElementIndex(AnsiUpperCase(name)), 0) << name;
}

TEST(SortedObjectList, SearchesGiveInsertionPointsAndRespectMethodID) {
    TQZSortedParams params;
    int index = 7;
    EXPECT_EQ(params.AddElement("A", index), nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(params.FindElementIndex("A"), -1);

    for (const char* name : {"B", "D", "F"})
        params.AddParam(name, name);
    EXPECT_EQ(params.AddElement("A", index), nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(params.AddElement("C", index), nullptr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(params.AddElement("G", index), nullptr);
    EXPECT_EQ(index, params.Count());
    EXPECT_EQ(params.AddElement("D", index), params.Items(1));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(params.FindElementIndex("F"), 2);
    EXPECT_EQ(params.FindElement("E"), nullptr);

    params.MethodID = 1;
    EXPECT_EQ(params.AddElement("D", index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(params.FindElementIndex("D"), -1);
    EXPECT_EQ(params.GetValue("D"), "");
}

TEST(SortedObjectList, LowerBoundFindsTheFirstOfEqualItems) {
    TQZSortedNamedObjects list;
    int a = 0, b = 0, c = 0;
    list.InsertObject(0, "x", new TrackedObject(a));
    list.InsertObject(1, "X", new TrackedObject(b));
    list.InsertObject(2, "x", new TrackedObject(c));
    list.FlagDestroyObject = true;
    int index = -1;
    EXPECT_TRUE(list.FindObject("x", index));
    EXPECT_EQ(index, 0);
    EXPECT_GE(list.FindElementIndex("X"), 0);
}

TEST(SortedNamedObjects, OutOfRangeAndAbsentNamesGiveNeutralValues) {
    TQZSortedNamedObjects list;
    int freed = 0;
    list.FlagDestroyObject = true;
    list.AddObject("Один", new TrackedObject(freed));
    EXPECT_EQ(list.GetNames(-1), "");
    EXPECT_EQ(list.GetNames(list.Count()), "");
    EXPECT_EQ(list.GetObjects(list.Count()), nullptr);
    EXPECT_EQ(list.GetObjects(-1), nullptr);
    EXPECT_EQ(list.GetObjectByName("два"), nullptr);
    EXPECT_NE(list.ObjectByName("ОДИН"), nullptr);
    EXPECT_EQ(list.Names(0), "Один");
}

TEST(SortedNamedObjects, OwningListFreesReplacedAndDeletedData) {
    int first = 0, second = 0, third = 0;
    {
        TQZSortedNamedObjects list;
        list.FlagDestroyObject = true;
        auto* one = new TrackedObject(first);
        auto* two = new TrackedObject(second);
        EXPECT_EQ(list.AddObject("key", one), 0);
        EXPECT_EQ(list.AddObject("KEY", two), 0);
        EXPECT_EQ(first, 1);
        // The very object the item holds stays alive.
        list.AddObject("Key", two);
        EXPECT_EQ(second, 0);
        EXPECT_EQ(list.GetObjectByName("key"), two);
        EXPECT_EQ(list.GetNames(0), "key");

        list.Delete(0);
        EXPECT_EQ(second, 1);
        EXPECT_EQ(list.Count(), 0);

        list.AddObject("last", new TrackedObject(third));
    }
    EXPECT_EQ(third, 1); // the list's destruction frees the data too
}

TEST(SortedNamedObjects, NonOwningListFreesOnlyItsItems) {
    int freed = 0;
    TrackedObject kept(freed);
    {
        TQZSortedNamedObjects list;
        list.AddObject("a", &kept);
        list.AddObject("b", &kept);
        list.AddObject("A", nullptr); // replacing never frees either
        list.Delete(1);
        EXPECT_EQ(list.Count(), 1);
        list.Clear();
    }
    EXPECT_EQ(freed, 0);
}

TEST(SortedNamedObjects, InsertAtFoundPositionKeepsTheOrder) {
    TQZSortedNamedObjects list;
    for (const char* name : {"delta", "alpha", "echo"})
        list.AddObject(name, nullptr);
    int index = -1;
    EXPECT_FALSE(list.FindObject("Charlie", index));
    EXPECT_EQ(index, 1);
    list.InsertObject(index, "Charlie", nullptr);
    EXPECT_TRUE(list.FindObject("CHARLIE", index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"alpha", "Charlie", "delta", "echo"}));
    EXPECT_THROW(list.InsertObject(list.Count() + 1, "zulu", nullptr), EListError);
    EXPECT_EQ(list.Count(), 4);
}
