#include "qvr/collation_cache.h"
#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "rtl/exceptions.h"
#include "rtl/format.h"
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

namespace {
std::vector<std::string> KeysInOrder(const TDebugReader& reader) {
    std::vector<std::string> keys;
    for (int i = 0; i < reader.Count(); ++i)
        keys.push_back(reader.DebugInfoList.GetNames(i));
    return keys;
}
} // namespace

TEST(SnapshotStore, RunsInTimeOrderAcrossMonthsAndYearsAndReplacesByExactKey) {
    TDebugReader reader;
    for (const char* key : {"01.02.2006 10:00:00", "31.12.2005 23:59:59", "30.01.2006 10:00:00",
                            "02.01.2006 10:00:00", "01.01.2006 00:00:00.001"})
        reader.AddDebugInfo(key);
    EXPECT_EQ(KeysInOrder(reader),
              (std::vector<std::string>{"31.12.2005 23:59:59", "01.01.2006 00:00:00.001",
                                        "02.01.2006 10:00:00", "30.01.2006 10:00:00",
                                        "01.02.2006 10:00:00"}));
    EXPECT_DOUBLE_EQ(reader.DebugInfo(4)->Time, EncodeDate(2006, 2, 1) + EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(reader.DebugInfo(-1), nullptr);
    EXPECT_EQ(reader.DebugInfo(5), nullptr);

    // The same bytes replace; the same time written otherwise is another snapshot, after it.
    TDebugInfo* again = reader.AddDebugInfo("02.01.2006 10:00:00");
    TDebugInfo* spelt = reader.AddDebugInfo("2.1.2006 10:00:00");
    ASSERT_EQ(reader.Count(), 6);
    EXPECT_EQ(reader.DebugInfo(2), again);
    EXPECT_EQ(reader.DebugInfo(3), spelt);
    int index = -1;
    ASSERT_TRUE(reader.DebugInfoList.FindObject("2.1.2006 10:00:00", index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(reader.DebugInfoList.FindObject("02.01.2006 10:00:00.001", index));

    reader.BuildVersion = "1.0";
    reader.Clear();
    EXPECT_EQ(reader.Count(), 0);
    EXPECT_EQ(reader.BuildVersion, "");
}

TEST(SnapshotStore, AKeyThatIsNoTimeStampAddsNothingAndMatchesNothing) {
    TDebugReader reader;
    reader.AddDebugInfo("01.02.2006 10:00:00");
    // The locale collation ignores the soft hyphen and NUL; the store must not.
    for (const std::string& key :
         {std::string("01.02.2006 10:00:00\xAD"), std::string("01.02.2006 10:00:00\0", 20),
          std::string("A"), std::string("01-02-2006 10:00:00"), std::string("31.02.2006 10:00:00"),
          std::string(" "), std::string()}) {
        EXPECT_THROW(reader.AddDebugInfo(key), EConvertError) << key;
        int index = -1;
        EXPECT_FALSE(reader.DebugInfoList.FindObject(key, index)) << key;
    }
    EXPECT_EQ(KeysInOrder(reader), (std::vector<std::string>{"01.02.2006 10:00:00"}));
}

TEST(SnapshotStore, KeysWithMillisecondsAreFoundByTheirKey) {
    // Every millisecond of a second: times as doubles need not compare equal to themselves
    // after a conversion, whole milliseconds do.
    TDebugReader reader;
    for (int ms = 999; ms >= 0; --ms)
        reader.AddDebugInfo(Format("17.03.2031 23:59:59.%d", {ms}));
    ASSERT_EQ(reader.Count(), 1000);
    for (int ms = 0; ms < 1000; ++ms) {
        int index = -1;
        ASSERT_TRUE(reader.DebugInfoList.FindObject(Format("17.03.2031 23:59:59.%d", {ms}), index));
        ASSERT_EQ(index, ms);
    }
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
