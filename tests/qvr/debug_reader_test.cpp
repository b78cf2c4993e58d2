#include "reader_files.h"

#include "qvr/debug_header.h"
#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "support/message_capture.h"
#include "tools/huge_file.h"

#include <gtest/gtest.h>

namespace {

const char Key1[] = "01.02.2006 10:00:00";
const char Key2[] = "01.02.2006 10:00:10";
const char Key3[] = "01.02.2006 10:00:20";

std::string CountersBlock(int users) {
    TDinamicSystemInfo counters;
    counters.SetLoginUsers(users);
    return TDebugBlockWriter().Section("SystemParams", SystemParamsBody(counters)).Data();
}

std::unique_ptr<TTaskInfo> Task(int address, int state) {
    auto t = std::make_unique<TTaskInfo>();
    t->ThreadAddress = address;
    t->State = state;
    t->Stack = "stack of " + std::to_string(address);
    t->InfoStr = "10.0.0.1:5000";
    t->SignCryptoParams = "Engine=Sign";
    t->CheckSignCryptoParams = "Engine=Check";
    return t;
}

std::unique_ptr<TBLLLeakObjectInfo> LeakRecord(const std::string& cname, const std::string& stack) {
    auto r = std::make_unique<TBLLLeakObjectInfo>();
    r->CName = cname;
    r->Stack = stack;
    r->LiveTime = 0.5;
    return r;
}

// Every snapshot held, as text: its key, counters, system leaks, leak groups with their
// records, tasks and long texts.
std::string Described(const TDebugReader& reader) {
    std::string text;
    for (int i = 0; i < reader.Count(); ++i) {
        const TDebugInfo& di = *reader.DebugInfo(i);
        text += "\n" + reader.DebugInfoList.GetNames(i) + " " + di.DSI.GetAsString() +
                std::to_string(di.DSI.WorkThreads());
        for (int j = 0; j < di.SystemLeak.Count(); ++j)
            text += "\n" + di.SystemLeak.GetNames(j) + "=" +
                    std::to_string(ObjectToInt(di.SystemLeak.GetObjects(j)));
        for (int c = 0; c < di.BLLLeaks.Count(); ++c) {
            const auto* stacks = static_cast<const TQZSortedNamedObjects*>(di.BLLLeaks.Objects(c));
            for (int k = 0; k < stacks->Count(); ++k) {
                const auto* records = static_cast<const TObjectList*>(stacks->Objects(k));
                text += "\n" + di.BLLLeaks.GetNames(c) + "\\" + stacks->GetNames(k);
                for (int r = 0; r < records->Count(); ++r)
                    text += static_cast<const TStoredObject*>(records->Items(r))->GetAsString();
            }
        }
        for (int t = 0; t < di.TasksInfo.Count(); ++t)
            text += "\n" + di.Task(t)->GetAsString();
        text += "\n" + di.DataBaseParams + "\n" + di.QVRConfig;
    }
    return text;
}

// Reads the files in order into a fresh store.
class ReaderTest : public testing::Test {
protected:
    void Read(const TTempDebugFile& file) { Reader.ReadFile(file.Name()); }
    void Read(const std::string& text) {
        TTempDebugFile file(text);
        Read(file);
    }
    int Users(int index) const { return Reader.DebugInfo(index)->DSI.LoginUsers(); }

    TDebugReader Reader;
};

} // namespace

TEST(DebugHeader, ReadsKeyBuildAndLengthWithoutRegardToCase) {
    TDebugHeader h =
        ParseDebugHeader("[ 01.02.2006 10:00:00 ] Server version: 1.0.5  debugdata 12");
    EXPECT_EQ(h.Kind, TDebugHeader::hkSnapshot);
    EXPECT_EQ(h.Key, " 01.02.2006 10:00:00 ");
    EXPECT_EQ(h.Version, "1.0.5");
    EXPECT_EQ(h.LengthText, "12");

    EXPECT_EQ(ParseDebugHeader("[  ] Version: 1 DebugData 5").Kind, TDebugHeader::hkNone);
    EXPECT_EQ(ParseDebugHeader("no key Version: 1 DebugData 5").Kind, TDebugHeader::hkNone);
    EXPECT_EQ(ParseDebugHeader("[k] Version: 1 DebugData").Kind, TDebugHeader::hkNone);
    EXPECT_EQ(ParseDebugHeader("[k] VersionInfo\\").Kind, TDebugHeader::hkNone);

    h = ParseDebugHeader("[k] Server VersionInfo\\Build Version:  2.0 ");
    EXPECT_EQ(h.Kind, TDebugHeader::hkVersionInfo);
    EXPECT_EQ(h.Version, "2.0");
    h = ParseDebugHeader("[k] no build DebugData 7");
    EXPECT_EQ(h.Kind, TDebugHeader::hkSnapshot);
    EXPECT_EQ(h.Version, "");
}

TEST_F(ReaderTest, ReadsEverySectionOfASnapshot) {
    TDinamicSystemInfo counters;
    counters.SetRunTasksThreads(3);
    counters.SetOpenSessions(4);
    counters.SetLoginUsers(5);
    counters.SetTotalAllocatedMemory(600);
    counters.SetSystemMemory(700);
    counters.SetVirtualMemory(800);
    const auto working = Task(0x100, 2), idle = Task(0x200, 0);
    const auto foo1 = LeakRecord("TFoo", "s1"), foo2 = LeakRecord("TFoo", "s2"),
               bar = LeakRecord("TBar", "s1");
    TDebugBlockWriter block;
    block.Line("garbage before the sections")
        .StampedSection("SystemParams", SystemParamsBody(counters))
        .Section("SystemLeakObjects", SystemLeakObjectsBody({{3, "TFont"}, {7, " TPen "}}) +
                                          "\r\n" + SystemLeakObjectsBody({{9, "TFont"}}))
        .Section("BLLLeakObjectsList", BLLLeakObjectsListBody({foo1.get()}))
        .Section("bllleakobjects", BLLLeakObjectsBody({foo2.get(), bar.get()}))
        .Section("Unknown", "\r\n[DataBaseParams] 4\r\nBAD!")
        .RawSection("[SystemParams] 0", "")
        .RawSection("[10:00:00] note: no section here", "")
        .Section("DataBaseParams", "Server=db1\r\nUser=qvr")
        .Section("QVRConfig", "[Main]\r\nPort=5000\r\n")
        .Section("RunTasks", RunTasksRecord(*working, TTaskForm::Short) +
                                 RunTasksRecord(*idle, TTaskForm::Crypto));
    Read(TDebugFileWriter().Snapshot(Key1, "1.0", block.Data()).Text());

    ASSERT_EQ(Reader.Count(), 1);
    EXPECT_EQ(Reader.BuildVersion, "1.0");
    const TDebugInfo& di = *Reader.DebugInfo(0);
    EXPECT_NEAR(di.Time, EncodeDate(2006, 2, 1) + EncodeTime(10, 0, 0, 0), 0.5 / MSecsPerDay);
    EXPECT_EQ(di.DSI.RunTasksThreads(), 3);
    EXPECT_EQ(di.DSI.OpenSessions(), 4);
    EXPECT_EQ(di.DSI.LoginUsers(), 5);
    EXPECT_EQ(di.DSI.TotalAllocatedMemory(), 600);
    EXPECT_EQ(di.DSI.SystemMemory(), 700);
    EXPECT_EQ(di.DSI.VirtualMemory(), 800);
    EXPECT_EQ(di.DSI.WorkThreads(), 1);
    EXPECT_EQ(di.SystemLeak.Count(), 2);
    EXPECT_EQ(GetDebugValue(dioSystemLeak, "TFont", &di), Variant(9));
    EXPECT_EQ(GetDebugValue(dioSystemLeak, "TPen", &di), Variant(7));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TFoo", &di), Variant(2));
    EXPECT_EQ(GetDebugValue(dioBLLLeak, "TBar\\s1", &di), Variant(1));
    EXPECT_EQ(di.DataBaseParams, "Server=db1\r\nUser=qvr");
    EXPECT_EQ(di.QVRConfig, "[Main]\r\nPort=5000\r\n");
    ASSERT_EQ(di.TasksInfo.Count(), 2);
    EXPECT_EQ(di.Task(0)->ThreadAddress, 0x100);
    EXPECT_EQ(di.Task(0)->SignCryptoParams, "");
    EXPECT_EQ(di.Task(1)->Stack, idle->Stack);
    EXPECT_EQ(di.Task(1)->CheckSignCryptoParams, "Engine=Check");
}

TEST_F(ReaderTest, TaskListReplacesTasksAndLeakListReplacesLeaks) {
    const auto a = Task(1, 1), b = Task(2, 0), c = Task(3, 5), d = Task(4, 6);
    const auto old = LeakRecord("TOld", "s"), fresh = LeakRecord("TNew", "s");
    TDebugBlockWriter block;
    block.Section("RunTasks", RunTasksRecord(*a, TTaskForm::HugeFlag))
        .Section("RunTasksList", RunTasksListBody({b.get(), c.get(), d.get()}))
        .Section("BLLLeakObjects", BLLLeakObjectsBody({old.get()}))
        .Section("BLLLeakObjectsList", BLLLeakObjectsListBody({fresh.get()}));
    Read(TDebugFileWriter().Snapshot(Key1, "1.0", block.Data()).Text());

    const TDebugInfo& di = *Reader.DebugInfo(0);
    ASSERT_EQ(di.TasksInfo.Count(), 3);
    EXPECT_EQ(di.Task(0)->ThreadAddress, 2);
    EXPECT_EQ(di.Task(2)->SignCryptoParams, "Engine=Sign");
    EXPECT_EQ(di.DSI.WorkThreads(), 2);
    ASSERT_EQ(di.BLLLeaks.Count(), 1);
    EXPECT_EQ(di.BLLLeaks.GetNames(0), "TNew");
}

TEST_F(ReaderTest, ANegativeSectionLengthGivesAnEmptyBody) {
    TDebugBlockWriter block;
    block.Section("DataBaseParams", "Server=db1")
        .RawSection("[DataBaseParams] -3", "abc")
        .Section("QVRConfig", "[Main]");
    Read(TDebugFileWriter().Snapshot(Key1, "1.0", block.Data()).Text());
    ASSERT_EQ(Reader.Count(), 1);
    EXPECT_EQ(Reader.DebugInfo(0)->DataBaseParams, "");
    EXPECT_EQ(Reader.DebugInfo(0)->QVRConfig, "[Main]");
}

TEST_F(ReaderTest, KeepsTheLastSnapshotOfAKeyAndMergesFilesOfOneBuild) {
    TDebugFileWriter first;
    first.Snapshot(Key2, "1.0", CountersBlock(1)).Line("").Line("a line of no interest");
    first.Snapshot(Key2, "1.0", CountersBlock(2));
    Read(first.Text());
    ASSERT_EQ(Reader.Count(), 1);
    EXPECT_EQ(Users(0), 2);

    Read(TDebugFileWriter().Snapshot(Key3, "1.0", CountersBlock(3)).Text());
    Read(TDebugFileWriter().Snapshot(Key1, "1.0", CountersBlock(4)).Text());
    ASSERT_EQ(Reader.Count(), 3);
    EXPECT_EQ(Users(0), 4);
    EXPECT_EQ(Users(1), 2);
    EXPECT_EQ(Users(2), 3);
}

TEST_F(ReaderTest, FilesWrittenOutOfOrderMergeIntoTimeOrderAcrossMonthsAndYears) {
    TDebugFileWriter first;
    first.Snapshot("01.02.2007 10:00:00", "1.0", CountersBlock(6))
        .Snapshot("31.12.2006 10:00:00", "1.0", CountersBlock(2))
        .Snapshot("30.01.2007 10:00:00", "1.0", CountersBlock(4));
    Read(first.Text());
    TDebugFileWriter second;
    second.Snapshot("01.01.2007 10:00:00", "1.0", CountersBlock(3))
        .Snapshot("31.01.2007 10:00:00", "1.0", CountersBlock(5))
        .Snapshot("29.12.2006 10:00:00", "1.0", CountersBlock(1));
    Read(second.Text());
    ASSERT_EQ(Reader.Count(), 6);
    for (int i = 0; i < Reader.Count(); ++i)
        EXPECT_EQ(Users(i), i + 1) << Reader.DebugInfoList.GetNames(i);
    EXPECT_EQ(Reader.DebugInfoList.GetNames(5), "01.02.2007 10:00:00");
}

TEST_F(ReaderTest, AnotherBuildDropsWhatWasReadBefore) {
    Read(TDebugFileWriter().Snapshot(Key1, "1.0", CountersBlock(1)).Text());
    TDebugFileWriter newer;
    newer.Snapshot(Key2, "2.0", CountersBlock(2)).Snapshot(Key3, "2.0", CountersBlock(3));
    Read(newer.Text());
    ASSERT_EQ(Reader.Count(), 2);
    EXPECT_EQ(Users(0), 2);
    EXPECT_EQ(Reader.BuildVersion, "2.0");

    // A version-info line of the same build keeps the store; of another build it empties it.
    Read(TDebugFileWriter().VersionInfo(Key1, "2.0").Text());
    EXPECT_EQ(Reader.Count(), 2);
    Read(TDebugFileWriter().VersionInfo(Key1, "3.0").Text());
    EXPECT_EQ(Reader.Count(), 0);
    EXPECT_EQ(Reader.BuildVersion, "");
}

// A file opened again, as the operator does to see what the server added, leaves the store as
// the first reading did: also where a key comes again inside the file, and where the build
// changes part-way, which drops what was read before the change each time.
TEST_F(ReaderTest, AFileReadAgainGivesTheSameSnapshots) {
    TSampleShape shape = DemoShape();
    shape.ConfigEvery = 4; // texts shared by a few snapshots each
    TDebugFileWriter oneBuild, twoBuilds;
    for (int i = 0; i < 12; ++i)
        oneBuild.Snapshot(SampleKey(i), "2.5.1", SampleBlock(i, shape));
    oneBuild.Snapshot(SampleKey(3), "2.5.1", SampleBlock(20, shape));
    twoBuilds.Line(oneBuild.Text()).VersionInfo(SampleKey(12), "2.6");
    for (int i = 12; i < 30; ++i)
        twoBuilds.Snapshot(SampleKey(i % 20), "2.6", SampleBlock(i, shape));

    for (const std::string& text : {oneBuild.Text(), twoBuilds.Text()}) {
        TTempDebugFile file(text);
        TDebugReader fresh;
        fresh.ReadFile(file.Name());
        const std::string once = Described(fresh);
        ASSERT_GT(fresh.Count(), 10);
        for (int reading = 0; reading < 3; ++reading) {
            fresh.ReadFile(file.Name());
            ASSERT_EQ(Described(fresh), once) << reading;
        }
    }
    // The texts the store holds are taken again instead of being copied anew.
    TTempDebugFile file(oneBuild.Text());
    Read(file);
    const TSharedText config = Reader.DebugInfo(5)->QVRConfig;
    const TSharedText stack = Reader.DebugInfo(5)->Task(0)->Stack;
    Read(file);
    EXPECT_TRUE(Reader.DebugInfo(5)->QVRConfig.SharesWith(config));
    EXPECT_TRUE(Reader.DebugInfo(5)->Task(0)->Stack.SharesWith(stack));
}

TEST_F(ReaderTest, ZeroLengthEndsTheReadingSilently) {
    TDebugFileWriter file;
    file.Snapshot(Key1, "1.0", CountersBlock(1))
        .HeaderLine(std::string("[") + Key2 + "] Version: 1.0 DebugData 0")
        .Snapshot(Key3, "1.0", CountersBlock(3));
    Read(file.Text());
    ASSERT_EQ(Reader.Count(), 1);
    EXPECT_EQ(Users(0), 1);
}

TEST_F(ReaderTest, ABlockCutByTheEndOfTheFileKeepsWhatIsThere) {
    const std::string block = CountersBlock(7);
    TDebugFileWriter file;
    file.Snapshot(Key1, "1.0", CountersBlock(1))
        .HeaderLine(std::string("[") + Key2 + "] Version: 1.0 DebugData 100000")
        .Raw(block);
    Read(file.Text());
    ASSERT_EQ(Reader.Count(), 2);
    EXPECT_EQ(Users(1), 7);
}

TEST_F(ReaderTest, ABadKeyOrLengthStopsWithTheReadingPosition) {
    for (const std::string& badHeader :
         {std::string("[31.02.2006 10:00:00] Version: 1.0 DebugData 5"),
          std::string("[01.02.2006 10:00:00\xAD] Version: 1.0 DebugData 5"),
          std::string("[01.02.2006 10:00:00 x] Version: 1.0 DebugData 5"),
          std::string("[") + Key2 + "] Version: 1.0 DebugData 5x",
          std::string("[") + Key2 + "] Version: 1.0 DebugData -5"}) {
        TDebugFileWriter file;
        file.Snapshot(Key1, "1.0", CountersBlock(1)).HeaderLine(badHeader);
        const int64_t position = file.Size();
        file.Raw("12345").Snapshot(Key3, "1.0", CountersBlock(3));
        TDebugReader reader;
        MessageCapture messages;
        reader.ReadFile(TTempDebugFile(file.Text()).Name());
        ASSERT_EQ(messages.Texts.size(), 1u) << badHeader;
        const std::string tail = "\r\nPosition: " + std::to_string(position) + "\\" +
                                 std::to_string(file.Size()) + "\r\n";
        const std::string& text = messages.Texts[0];
        ASSERT_GT(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
        ASSERT_EQ(reader.Count(), 1) << badHeader;
        EXPECT_EQ(reader.DebugInfoList.GetNames(0), Key1);
    }
}

TEST_F(ReaderTest, ShowsProgressAndEndsItAlsoWhenTheFileCannotBeOpened) {
    TProgressRecorder progress;
    Reader.SetProgress(&progress);
    TDebugFileWriter text;
    text.Snapshot(Key1, "1.0", CountersBlock(1)).Line("x");
    TTempDebugFile file(text.Text());
    Read(file);
    ASSERT_GE(progress.Calls.size(), 3u);
    EXPECT_EQ(progress.Calls.front(), "start");
    EXPECT_EQ(progress.Calls[progress.Calls.size() - 2], "100");
    EXPECT_EQ(progress.Calls.back(), "end");

    progress.Calls.clear();
    Reader.ReadFile(file.Name() + ".missing");
    EXPECT_TRUE(progress.Calls.empty());

    TDebugFileWriter holder(file.Name()); // holds the file open without sharing
    EXPECT_THROW(Read(file), EZtHugeFileStream);
    EXPECT_EQ(progress.Calls, (std::vector<std::string>{"start", "end"}));
}
