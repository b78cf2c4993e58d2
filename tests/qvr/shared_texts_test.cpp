#include "reader_files.h"

#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "qvr/snapshot_texts.h"
#include "rtl/strings.h"
#include "rtl/text_pool.h"
#include "support/debug_file_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// Snapshots of one file hold a text that repeats once, and every snapshot keeps its texts
// whatever happens to the others.

namespace {

const std::string Config = "[Main]\r\nPort=5000\r\nName=QVR\r\n";
const std::string Stack1 = "0x00401000 QVRSrv.exe TTaskThread.Execute\r\n";
const std::string Stack2 = "0x00402000 QVRSrv.exe TStorage.ReadDocument\r\n";

std::string Block(const std::string& config, const std::string& users) {
    TTaskInfo task;
    task.State = 1;
    task.Stack = Stack1;
    task.Task = "BLL_Docs.ExecFunction";
    TBLLLeakObjectInfo first, second;
    first.CName = "TDocument";
    first.Stack = Stack1;
    second.CName = "tdocument"; // the same class, spelled otherwise
    second.Stack = Stack2;
    return TDebugBlockWriter()
        .Section("QVRConfig", config)
        .Section("DataBaseParams", "Server=db1")
        .Section("SystemLeakObjects", SystemLeakObjectsBody({{3, users}, {4, "TFont"}}))
        .Section("BLLLeakObjectsList", BLLLeakObjectsListBody({&first, &second, &first}))
        .Section("RunTasksList", RunTasksListBody({&task, &task}))
        .Data();
}

const TBLLLeakObjectInfo* FirstLeak(const TDebugInfo& di, int classIndex, int stackIndex) {
    const auto* stacks = static_cast<TQZSortedNamedObjects*>(di.BLLLeaks.GetObjects(classIndex));
    const auto* records = static_cast<TObjectList*>(stacks->GetObjects(stackIndex));
    return static_cast<const TBLLLeakObjectInfo*>(records->Items(0));
}

} // namespace

TEST(TextPool, GivesOneCopyPerDistinctText) {
    TTextPool pool;
    const std::string longText(5000, 'x');
    std::string otherMiddle = longText;
    otherMiddle[2500] = 'y'; // the same size and ends, another text
    const TSharedText a = pool.Intern(longText);
    const TSharedText b = pool.Intern(std::string(longText));
    const TSharedText c = pool.Intern(otherMiddle);
    EXPECT_TRUE(a.SharesWith(b));
    EXPECT_FALSE(a.SharesWith(c));
    EXPECT_EQ(c, otherMiddle);
    EXPECT_TRUE(pool.Intern("").empty());
    EXPECT_EQ(pool.Count(), 2u);

    TSharedText kept = pool.Intern("short");
    { TTextPool gone; }
    TSharedText copy = kept;
    kept = "other";
    EXPECT_EQ(copy, "short");
    EXPECT_EQ(kept, "other");
}

// Growing moves the slots; every text is still found, compared by its own bytes.
TEST(TextPool, FindsEveryTextAgainAfterGrowing) {
    TTextPool pool;
    std::vector<TSharedText> first;
    for (int i = 0; i < 3000; ++i)
        first.push_back(
            pool.Intern("text " + std::to_string(i) + std::string(size_t(i % 90), '.')));
    for (int i = 0; i < 3000; ++i) {
        const TSharedText again =
            pool.Intern("text " + std::to_string(i) + std::string(size_t(i % 90), '.'));
        ASSERT_TRUE(again.SharesWith(first[size_t(i)])) << i;
    }
    EXPECT_EQ(pool.Count(), 3000u);
}

// Wherever the one byte lies, in texts short and long.
TEST(TextPool, TellsApartTextsThatDifferInOneByte) {
    for (size_t size = 1; size <= 130; ++size) {
        TTextPool pool;
        std::string text;
        for (size_t i = 0; i < size; ++i)
            text += char('a' + i % 23);
        const TSharedText original = pool.Intern(text);
        for (size_t at = 0; at < size; ++at) {
            std::string other = text;
            other[at] = '#';
            const TSharedText found = pool.Intern(other);
            ASSERT_FALSE(found.SharesWith(original)) << size << " " << at;
            ASSERT_EQ(found, other);
        }
        ASSERT_TRUE(pool.Intern(text).SharesWith(original)) << size;
    }
}

// A server writes texts of one size that differ in a few bytes: a stack's top address, a live
// figure in a configuration. Each is compared with hardly any other, wherever those bytes lie.
TEST(TextPool, ComparesTextsThatDifferInAFewBytesWithHardlyAnyOther) {
    std::string base;
    while (base.size() < 4000)
        base += "Key" + std::to_string(base.size()) + "=value\r\n";
    std::vector<std::string> texts;
    for (size_t where : {size_t(0), base.size() / 3, base.size() / 2, base.size() - 8})
        for (int figure = 0; figure < 1000; ++figure) {
            char digits[16];
            std::snprintf(digits, sizeof digits, "%08d", figure);
            texts.push_back(base);
            texts.back().replace(where, 8, digits);
        }
    TTextPool pool;
    std::vector<TSharedText> first;
    for (const std::string& text : texts)
        first.push_back(pool.Intern(text));
    EXPECT_EQ(pool.Count(), texts.size());
    EXPECT_LE(pool.Comparisons(), texts.size() / 100);
    // Each text met again is compared with itself, and seldom with another.
    for (size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(pool.Intern(texts[i]).SharesWith(first[i])) << i;
    EXPECT_LE(pool.Comparisons(), texts.size() + texts.size() / 50);
}

TEST(TextPool, ForgetsTheTextsThatOnlyItHolds) {
    TTextPool pool;
    const TSharedText kept = pool.Intern("kept");
    for (int i = 0; i < 1000; ++i)
        pool.Intern("gone " + std::to_string(i));
    pool.DropUnused();
    EXPECT_EQ(pool.Count(), 1u);
    EXPECT_TRUE(pool.Intern("kept").SharesWith(kept));
    const std::string gone = pool.Intern("gone 5");
    EXPECT_EQ(gone, "gone 5");
    EXPECT_EQ(pool.Count(), 2u);
}

TEST(SharedTexts, SnapshotsOfOneFileHoldARepeatedTextOnce) {
    TTempDebugFile file(
        TDebugFileWriter()
            .Snapshot("01.02.2006 10:00:00", "1.0", Block(Config, "TBrush"))
            .Snapshot("01.02.2006 10:00:10", "1.0", Block(Config, "TBrush"))
            .Snapshot("01.02.2006 10:00:20", "1.0", Block(Config + "X=1\r\n", "TPen"))
            .Text());
    TDebugReader reader;
    reader.ReadFile(file.Name());
    ASSERT_EQ(reader.Count(), 3);
    const TDebugInfo& a = *reader.DebugInfo(0);
    const TDebugInfo& b = *reader.DebugInfo(1);
    const TDebugInfo& c = *reader.DebugInfo(2);

    EXPECT_TRUE(a.QVRConfig.SharesWith(b.QVRConfig));
    EXPECT_FALSE(a.QVRConfig.SharesWith(c.QVRConfig));
    EXPECT_EQ(c.QVRConfig, Config + "X=1\r\n");
    EXPECT_TRUE(a.DataBaseParams.SharesWith(c.DataBaseParams));
    EXPECT_TRUE(a.Task(0)->Stack.SharesWith(b.Task(1)->Stack));
    EXPECT_TRUE(a.Task(0)->Task.SharesWith(c.Task(0)->Task));

    // Groups and their names share the records' texts; both spellings fall in one class.
    ASSERT_EQ(a.BLLLeaks.Count(), 1);
    EXPECT_EQ(a.BLLLeaks.GetNames(0), "TDocument");
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TDOCUMENT\\" + Stack1, &a), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TDocument\\" + Stack2, &b), Variant(1));
    const TBLLLeakObjectInfo* leakA = FirstLeak(a, 0, 0);
    const TBLLLeakObjectInfo* leakB = FirstLeak(b, 0, 0);
    EXPECT_TRUE(leakA->Stack.SharesWith(leakB->Stack));
    EXPECT_TRUE(leakA->Stack.SharesWith(a.Task(0)->Stack));
    const auto* stacksA = static_cast<TQZSortedNamedObjects*>(a.BLLLeaks.GetObjects(0));
    EXPECT_TRUE(stacksA->Items(0)->RealName.SharesWith(leakA->Stack));
    EXPECT_TRUE(a.BLLLeaks.Items(0)->Name.SharesWith(b.BLLLeaks.Items(0)->Name));

    // System leaks in key order, whatever order the lines came in.
    ASSERT_EQ(c.SystemLeak.Count(), 2);
    EXPECT_EQ(c.SystemLeak.GetNames(0), "TFont");
    EXPECT_EQ(c.SystemLeak.GetNames(1), "TPen");
    EXPECT_EQ(GetDebugValue(dioSystemLeak, "tpen", &c), Variant(3));
}

TEST(SharedTexts, ASnapshotKeepsItsTextsWhenTheOthersAreFreed) {
    TTempDebugFile file(TDebugFileWriter()
                            .Snapshot("01.02.2006 10:00:00", "1.0", Block(Config, "TBrush"))
                            .Snapshot("01.02.2006 10:00:10", "1.0", Block(Config, "TBrush"))
                            .Snapshot("01.02.2006 10:00:00", "1.0", Block(Config, "TPen"))
                            .Text());
    TDebugReader reader;
    reader.ReadFile(file.Name()); // the third snapshot replaces the first
    ASSERT_EQ(reader.Count(), 2);
    // The store lets go of the second snapshot and frees the others.
    std::unique_ptr<TDebugInfo> kept(reader.DebugInfo(1));
    reader.DebugInfoList.Items(1)->Data = nullptr;
    reader.Clear();

    EXPECT_EQ(kept->QVRConfig, Config);
    EXPECT_EQ(kept->DataBaseParams, "Server=db1");
    EXPECT_EQ(kept->Task(1)->Stack, Stack1);
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TDocument\\" + Stack2, kept.get()), Variant(1));
    EXPECT_EQ(kept->SystemLeak.GetNames(0), "TBrush");
}

TEST(SnapshotTexts, KeepsNamesInTheListsOrderAlsoWhenLabelsRunOut) {
    TSnapshotTexts texts;
    TQZSortedNamedObjects list;
    // Each name falls right after "A", halving the room there every time.
    std::vector<std::string> names = {"0", "A", "B"};
    for (int i = 0; i < 120; ++i)
        names.push_back("A" + std::string(size_t(120 - i), 'z'));
    names.push_back("a"); // the same key as "A"
    for (const std::string& name : names) {
        int index = 0;
        if (!texts.FindName(list, texts.Intern(name), index))
            texts.InsertName(list, index, texts.Intern(name), nullptr);
    }
    ASSERT_EQ(list.Count(), 123);
    EXPECT_EQ(list.GetNames(1), "A");
    for (int i = 1; i < list.Count(); ++i)
        EXPECT_LT(AnsiCompareStr(list.Items(i - 1)->Name, list.Items(i)->Name), 0) << i;
    // The list's own search agrees.
    int index = 0;
    EXPECT_TRUE(list.FindObject("azz", index));
    EXPECT_EQ(list.GetNames(index), "Azz");
}
