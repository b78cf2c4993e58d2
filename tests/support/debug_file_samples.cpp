#include "support/debug_file_samples.h"

#include "support/debug_file_writer.h"

#include "rtl/date_time.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

class TSampleRandom {
public:
    explicit TSampleRandom(uint32_t seed) : FState(seed * 2654435761u + 1) {}
    int Next(int range) {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return int(FState % uint32_t(range));
    }

private:
    uint32_t FState;
};

std::string Stack(TSampleRandom& random, int depth) {
    static const char* const routines[] = {"TTaskThread.Execute",      "TBLLCaller.CallFunction",
                                           "TSessionList.FindSession", "TRequestQueue.Dispatch",
                                           "TDataModule.OpenQuery",    "TCryptoLink.CheckSign",
                                           "TStorage.ReadDocument",    "TReportBuilder.Build",
                                           "TAccountList.Refresh",     "TDocumentFlow.MoveToState"};
    std::string text;
    for (int i = 0; i < depth; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "0x%08X  QVRSrv.exe  %s + %d\r\n",
                      0x00400000 + random.Next(0x200000), routines[random.Next(10)],
                      random.Next(400));
        text += line;
    }
    return text;
}

std::string FilledText(TSampleRandom& random, int bytes, const char* sectionName) {
    std::string text = std::string("[") + sectionName + "]\r\n";
    for (int i = 0; int(text.size()) < bytes; ++i) {
        text += "Key" + std::to_string(i) + "=" + std::to_string(random.Next(100000));
        if (i % 25 == 24)
            text += "\r\n[" + std::string(sectionName) + std::to_string(i / 25) + "]";
        text += "\r\n";
    }
    return text;
}

// The stack numbered id, the same text for the same id in every snapshot.
std::string PooledStack(int id, int depth) {
    TSampleRandom random(uint32_t(id) * 7919u + 17u);
    return Stack(random, depth);
}

std::unique_ptr<TTaskInfo> SampleTask(TSampleRandom& random, int index, const TSampleShape& shape) {
    auto t = std::make_unique<TTaskInfo>();
    t->ThreadAddress = 0x01A00000 + index * 0x40;
    t->ThreadID = std::to_string(1000 + index);
    t->CreateTime = "01.03.2006 09:" + std::to_string(10 + random.Next(50)) + ":00";
    t->Task = "BLL_Docs.ExecFunction" + std::to_string(random.Next(30));
    t->WorkingTaskTime = "00:00:" + std::to_string(10 + random.Next(50));
    t->PositionID = std::to_string(random.Next(500));
    if (shape.TaskStackPool > 0) {
        const int id = random.Next(shape.TaskStackPool);
        t->Stack = PooledStack(id, 12 + id % 12);
    } else {
        t->Stack = Stack(random, 12 + random.Next(12));
    }
    t->BMSessionID = "S" + std::to_string(100000 + random.Next(900000));
    t->State = random.Next(3) == 0 ? 0 : 1;
    t->InfoStr = "10.0.0." + std::to_string(1 + random.Next(20)) + ":" +
                 std::to_string(5000 + random.Next(4));
    t->ConnectionStatus = random.Next(5) ? "Connected" : "Waiting";
    t->SignCryptoParams = "Engine=Sign\r\nKeyFile=C:\\Keys\\sign" + std::to_string(index) + ".key";
    t->CheckSignCryptoParams = "Engine=Check\r\nCertStore=C:\\Keys\\store";
    t->HugeTask = random.Next(10) == 0;
    return t;
}

std::string RunTasks(TSampleRandom& random, const TSampleShape& shape) {
    static const TTaskForm forms[] = {TTaskForm::Crypto, TTaskForm::Short, TTaskForm::HugeFlag};
    std::string body;
    for (int i = 0; i < shape.Tasks; ++i)
        body += RunTasksRecord(*SampleTask(random, i, shape), forms[i % 3]);
    return body;
}

std::string BLLLeaks(TSampleRandom& random, const TSampleShape& shape) {
    std::vector<std::unique_ptr<TBLLLeakObjectInfo>> owned;
    std::vector<const TBLLLeakObjectInfo*> records;
    std::vector<std::string> stacks;
    for (int i = 0; i < 3 * shape.LeakClasses; ++i)
        stacks.push_back(shape.RepeatLeakStacks ? PooledStack(100000 + i, 6 + i % 6)
                                                : Stack(random, 6 + random.Next(6)));
    for (int i = 0; i < shape.Leaks; ++i) {
        auto r = std::make_unique<TBLLLeakObjectInfo>();
        const int leakClass = random.Next(shape.LeakClasses);
        r->CName = "TBLLObject" + std::to_string(leakClass);
        r->Stack = stacks[size_t(leakClass * 3 + random.Next(3))];
        r->LiveTime = random.Next(100000) / 86400.0;
        r->AddInfo = "Handle=" + std::to_string(random.Next(1 << 20));
        records.push_back(r.get());
        owned.push_back(std::move(r));
    }
    return BLLLeakObjectsListBody(records);
}

std::string SystemLeaks(TSampleRandom& random, int count) {
    std::vector<std::pair<int, std::string>> leaks;
    for (int i = 0; i < count; ++i)
        leaks.emplace_back(random.Next(2000), "TSystemObject" + std::to_string(i));
    return SystemLeakObjectsBody(leaks);
}

} // namespace

TSampleShape ServerLikeShape() {
    TSampleShape shape;
    shape.LeakClasses = 300;
    shape.ConfigEvery = 300;
    shape.TaskStackPool = 300;
    shape.RepeatLeakStacks = true;
    return shape;
}

std::string SampleKey(int index) {
    const TDateTime start = EncodeDate(2006, 3, 1) + EncodeTime(9, 0, 0, 0);
    return FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", start + index * 10.0 / 86400.0 + 1e-9);
}

std::string SampleBlock(int index, const TSampleShape& shape) {
    TSampleRandom random(uint32_t(index) + 1);
    TDinamicSystemInfo counters;
    counters.SetRunTasksThreads(shape.Tasks);
    counters.SetOpenSessions(20 + random.Next(30));
    counters.SetLoginUsers(10 + random.Next(20));
    counters.SetTotalAllocatedMemory(50000000 + index * 1000 + random.Next(100000));
    counters.SetSystemMemory(80000000 + random.Next(1000000));
    counters.SetVirtualMemory(120000000 + random.Next(1000000));
    const std::string systemLeaks = SystemLeaks(random, shape.SystemLeaks);
    const std::string bllLeaks = BLLLeaks(random, shape);
    // A configuration that changes seldom is drawn from the number of its period.
    TSampleRandom configRandom(shape.ConfigEvery > 0 ? uint32_t(index / shape.ConfigEvery) + 1 : 0);
    TSampleRandom& texts = shape.ConfigEvery > 0 ? configRandom : random;
    const std::string dataBase = FilledText(texts, shape.DataBaseBytes, "DataBase");
    const std::string config =
        shape.Config.empty() ? FilledText(texts, shape.ConfigBytes, "Main") : shape.Config;
    TDebugBlockWriter block;
    block.StampedSection("SystemParams", SystemParamsBody(counters))
        .Section("SystemLeakObjects", systemLeaks)
        .Section("BLLLeakObjectsList", bllLeaks)
        .Section("DataBaseParams", dataBase)
        .Section("QVRConfig", config)
        .StampedSection("RunTasks", RunTasks(random, shape));
    return block.Data();
}

std::string PageRecord(int index) {
    TDinamicSystemInfo counters;
    counters.SetLoginUsers(index);
    const std::string params = SystemParamsBody(counters);
    // The padding section is of a name the reader skips; its length is found by trying, as
    // the digits of the block length count too.
    size_t padding = 0;
    for (;;) {
        const std::string block = TDebugBlockWriter()
                                      .Section("SystemParams", params)
                                      .Section("Padding", std::string(padding + 1, '.'))
                                      .Data();
        const std::string record =
            TDebugFileWriter().Snapshot(SampleKey(index), "1.0", block).Text();
        if (record.size() == size_t(PageRecordSize))
            return record;
        padding = padding + PageRecordSize - record.size();
    }
}
