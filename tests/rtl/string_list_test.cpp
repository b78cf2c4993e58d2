#include "rtl/string_list.h"

#include "rtl/exceptions.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

} // namespace

TEST(StringList, TextSplitsAtAnyLineBreakAndJoinsWithCRLF) {
    TStringList list;
    list.SetText("один\r\ntwo\nthree\rfour\r\n\r\nsix");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"один", "two", "three", "four", "", "six"}));
    EXPECT_EQ(list.Text(), "один\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n");
    TStringList copy(list.Text());
    EXPECT_TRUE(copy.Equals(list));
    list.SetText("last\r\n");
    EXPECT_EQ(Lines(list), std::vector<std::string>{"last"}); // no empty line at the end
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), "");
}

TEST(StringList, SortedListsFindIgnoringCaseInLocaleOrder) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"ёж", "banana", "Apple", "жук", "аист"})
        list.Add(s);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"Apple", "banana", "аист", "ёж", "жук"}));
    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(list.Find("ЖУК", index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf("APPLE"), 0);
    EXPECT_EQ(list.IndexOf("cherry"), -1);

    EXPECT_EQ(list.Add("APPLE"), 0); // duplicates are ignored by default
    EXPECT_EQ(list.Count(), 5);
    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("Banana"), EListError);
    list.Duplicates = TDuplicates::dupAccept;
    list.Add("Banana");
    EXPECT_EQ(list.Count(), 6);
    EXPECT_THROW(list.Insert(0, "zzz"), EListError);
}

TEST(StringList, ValuesByName) {
    TStringList list("Host=server\r\nPort=8080\r\nplain line\r\nEmpty=");
    EXPECT_EQ(list.Values("host"), "server");
    EXPECT_EQ(list.Values("PORT"), "8080");
    EXPECT_EQ(list.Values("Empty"), "");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("port"), 1);
    EXPECT_EQ(list.Names(1), "Port");
    EXPECT_EQ(list.ValueFromIndex(0), "server");
    EXPECT_EQ(list.Names(2), "");

    list.SetValue("port", "9090");
    EXPECT_EQ(list[1], "port=9090");
    list.SetValue("User", "admin");
    EXPECT_EQ(list[list.Count() - 1], "User=admin");
    list.SetValue("Host", ""); // an empty value removes the line
    EXPECT_EQ(list.IndexOfName("Host"), -1);
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, ObjectsAndChangeEventsAroundUpdates) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&changes](TObject*) { ++changes; };
    TObject marker;
    list.AddObject("a", &marker);
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changes, 2); // once for the whole update
    EXPECT_EQ(list.IndexOfObject(&marker), -1);
    list.InsertObject(1, "m", &marker);
    EXPECT_EQ(list.Objects(1), &marker);
    EXPECT_EQ(list.IndexOfObject(&marker), 1);
    list.Move(1, 0);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"m", "b", "c"}));
    EXPECT_EQ(list.Objects(0), &marker);
}
