#include "qvr/collation_cache.h"
#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "rtl/exceptions.h"
#include "rtl/strings.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBLLLeakObjectInfo> Leak(const std::string& cname, const std::string& stack,
                                         const std::string& addInfo = "") {
    auto r = std::make_unique<TBLLLeakObjectInfo>();
    r->CName = cname;
    r->Stack = stack;
    r->AddInfo = addInfo;
    return r;
}

const TObjectList& Records(const TDebugInfo& di, const std::string& cname,
                           const std::string& stack) {
    auto* stacks = static_cast<TQZSortedNamedObjects*>(di.BLLLeaks.GetObjectByName(cname));
    return *static_cast<TObjectList*>(stacks->GetObjectByName(stack));
}

} // namespace

TEST(SnapshotStore, OrdersByKeyTextAndReplacesByKeyInAnyCase) {
    TDebugReader reader;
    TDebugInfo* january = reader.AddDebugInfo("02.01.2006 10:00:00");
    TDebugInfo* february = reader.AddDebugInfo("01.02.2006 10:00:00");
    ASSERT_EQ(reader.Count(), 2);
    EXPECT_EQ(reader.DebugInfo(0), february);
    EXPECT_EQ(reader.DebugInfo(1), january);
    EXPECT_EQ(reader.DebugInfoList.GetNames(0), "01.02.2006 10:00:00");
    EXPECT_EQ(reader.DebugInfo(-1), nullptr);
    EXPECT_EQ(reader.DebugInfo(2), nullptr);

    TDebugInfo* first = reader.AddDebugInfo("A");
    TDebugInfo* second = reader.AddDebugInfo("a");
    EXPECT_NE(first, second);
    ASSERT_EQ(reader.Count(), 3);
    int index = -1;
    ASSERT_TRUE(reader.DebugInfoList.FindObject("a", index));
    EXPECT_EQ(reader.DebugInfo(index), second);
    EXPECT_EQ(reader.DebugInfoList.GetNames(index), "A");

    reader.BuildVersion = "1.0";
    reader.Clear();
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.BuildVersion, "");
}

TEST(SnapshotStore, GroupsLeaksByClassAndStackInReadingOrder) {
    TDebugInfo di;
    di.AddBLLLeak(Leak("TFoo", "stack2", "1"));
    di.AddBLLLeak(Leak("TBar", "s", "2"));
    di.AddBLLLeak(Leak("tfoo", "stack1", "3"));
    di.AddBLLLeak(Leak("TFoo", "STACK2", "4"));
    ASSERT_EQ(di.BLLLeaks.Count(), 2);
    EXPECT_EQ(di.BLLLeaks.GetNames(0), "TBar");
    EXPECT_EQ(di.BLLLeaks.GetNames(1), "TFoo");
    auto* stacks = static_cast<TQZSortedNamedObjects*>(di.BLLLeaks.GetObjects(1));
    EXPECT_EQ(stacks->GetNames(0), "stack1");
    EXPECT_EQ(stacks->GetNames(1), "stack2");
    const TObjectList& records = Records(di, "TFoo", "stack2");
    ASSERT_EQ(records.Count(), 2);
    EXPECT_EQ(static_cast<TBLLLeakObjectInfo*>(records.Items(0))->AddInfo, "1");
    EXPECT_EQ(static_cast<TBLLLeakObjectInfo*>(records.Items(1))->AddInfo, "4");
}

TEST(SnapshotStore, ValueAccessorFollowsKindAndPath) {
    TDebugInfo di;
    di.AddBLLLeak(Leak("TFoo", "stack1"));
    di.AddBLLLeak(Leak("TFoo", "stack1"));
    di.AddBLLLeak(Leak("TFoo", "unit\\proc 12\r\nunit\\main 3"));
    di.AddBLLLeak(Leak("TBar", "stack1"));
    di.SystemLeak.AddObject("TFont", IntToObject(42));
    di.DSI.SetOpenSessions(5);
    di.DataBaseParams = "db";
    di.QVRConfig = "[Main]";

    EXPECT_EQ(GetDebugValue(dioBLLLeak, "", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "tfoo", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TFoo\\", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TFoo\\stack1", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TFoo\\unit\\proc 12\r\nunit\\main 3", &di), Variant(1));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TFoo\\stack9", &di), Variant(0));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TNone", &di), Variant(0));
    EXPECT_EQ(GetDebugValue(dioSystemLeak, "tfont", &di), Variant(42));
    EXPECT_EQ(GetDebugValue(dioSystemLeak, "TPen", &di), Variant(0));
    EXPECT_EQ(GetDebugValue(dioDinamicSystemInfo, "openSessions", &di), Variant(5));
    EXPECT_THROW(GetDebugValue(dioDinamicSystemInfo, "Sessions", &di), EPropertyError);
    EXPECT_EQ(GetDebugValue(dioDataBaseParams, "", &di), Variant("db"));
    EXPECT_EQ(GetDebugValue(dioQVRConfig, "x", &di), Variant("[Main]"));
    EXPECT_EQ(GetDebugValue(dioUnknown, "", &di), Variant(0));
    EXPECT_EQ(GetDebugValue(dioTasksThreads, "", &di), Variant(0));
    EXPECT_EQ(GetDebugValue(dioQVRConfig, "", nullptr), Variant(0));
}

TEST(SnapshotStore, CachedCollationAnswersAsTheLocaleDoes) {
    TCollationCache cache;
    const std::pair<std::string, std::string> pairs[] = {{"AB", "C"},   {"A", "BC"}, {"Я", "A"},
                                                         {"A-B", "AB"}, {"X", "X"},  {"", "A"}};
    for (int round = 0; round < 2; ++round)
        for (const auto& [a, b] : pairs)
            EXPECT_EQ(cache.Compare(a, b), AnsiCompareStr(a, b)) << a << " " << b;
}
