#include "support/debug_file_samples.h"

#include "support/debug_file_writer.h"

#include "qvr/memory_qvr_config.h"
#include "rtl/date_time.h"
#include "rtl/string_list.h"

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

// The same stack with its top frame at another address, as the index-th snapshot finds it.
std::string MovedStackTop(std::string stack, int index) {
    char address[16];
    std::snprintf(address, sizeof address, "%08X", 0x00400000 + index % 0x200000);
    stack.replace(2, 8, address);
    return stack;
}

// A line "Uptime=..." of the same length whatever the index, at the line start nearest to
// where (0 the text's start, 1 its end).
std::string WithFigure(const std::string& text, double where, int index) {
    char line[32];
    std::snprintf(line, sizeof line, "Uptime=%010d\r\n", index);
    size_t at = text.rfind('\n', size_t(where * double(text.size())));
    at = at == text.npos ? 0 : at + 1;
    return text.substr(0, at) + line + text.substr(at);
}

// The time of the index-th snapshot: one every 10 seconds from 09:00 on 01.03.2006.
TDateTime SampleTime(int index) {
    return EncodeDate(2006, 3, 1) + EncodeTime(9, 0, 0, 0) + index * 10.0 / 86400.0 + 1e-9;
}

// A task thread of a running server: each of the Tasks slots holds one thread at a time, which
// lives some snapshots and is then followed by a new one. A thread keeps its address, its task
// and its client connection for its whole life, so the connections persist across snapshots,
// and they come and go with their threads.
struct TSampleThread {
    int Serial = 0; // unique over all slots and generations
    int Birth = 0;  // index of the first snapshot that lists it
};

TSampleThread ThreadInSlot(int slot, int index, int slots) {
    const int life = 4 + slot * 3 % 7;
    const int phase = slot * 5 % life;
    const int generation = (index + phase) / life;
    return {generation * slots + slot, generation * life - phase};
}

std::unique_ptr<TTaskInfo> SampleTask(TSampleRandom& random, int slot, int index,
                                      const TSampleShape& shape) {
    const TSampleThread thread = ThreadInSlot(slot, index, shape.Tasks);
    TSampleRandom own(uint32_t(thread.Serial) * 7919u + 3u);
    const int connections = 1 + shape.Tasks / 2;
    auto t = std::make_unique<TTaskInfo>();
    t->ThreadAddress = 0x01A00000 + thread.Serial * 0x40;
    t->ThreadID = std::to_string(1000 + thread.Serial);
    // Made a few seconds before the first snapshot that lists it.
    const TDateTime created = SampleTime(thread.Birth) - (1 + own.Next(9)) / 86400.0;
    t->CreateTime = FormatDateTime("dd.mm.yyyy hh:nn:ss", created);
    t->Task = "BLL_Docs.ExecFunction" + std::to_string(own.Next(30));
    t->WorkingTaskTime = FormatDateTime("hh:nn:ss", SampleTime(index) - created);
    t->PositionID = std::to_string(own.Next(500));
    if (shape.TaskStackPool > 0) {
        const int id = random.Next(shape.TaskStackPool);
        t->Stack = PooledStack(id, 12 + id % 12);
        if (shape.MovingStackTops)
            t->Stack = MovedStackTop(t->Stack, index);
    } else {
        t->Stack = Stack(random, 12 + random.Next(12));
    }
    t->BMSessionID = "S" + std::to_string(100000 + own.Next(900000));
    t->State = random.Next(3) == 0 ? 0 : 1;
    const int connection = own.Next(connections);
    t->InfoStr =
        "10.0.0." + std::to_string(11 + connection) + ":" + std::to_string(5000 + connection % 3);
    t->ConnectionStatus = random.Next(5) ? "Connected" : "Waiting";
    t->SignCryptoParams =
        "Engine=Sign\r\nKeyFile=C:\\Keys\\sign" + std::to_string(thread.Serial) + ".key";
    t->CheckSignCryptoParams = "Engine=Check\r\nCertStore=C:\\Keys\\store";
    t->HugeTask = own.Next(10) == 0;
    return t;
}

std::string RunTasks(TSampleRandom& random, int index, const TSampleShape& shape) {
    static const TTaskForm forms[] = {TTaskForm::Crypto, TTaskForm::Short, TTaskForm::HugeFlag};
    std::string body;
    for (int i = 0; i < shape.Tasks; ++i)
        body += RunTasksRecord(*SampleTask(random, i, index, shape), forms[i % 3]);
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

TSampleShape DemoShape() {
    TSampleShape shape;
    shape.Tasks = 6;
    shape.Leaks = 6;
    shape.LeakClasses = 3;
    shape.SystemLeaks = 8;
    shape.ConfigBytes = 1500;
    shape.DataBaseBytes = 300;
    return shape;
}

TSampleShape ServerLikeShape() {
    TSampleShape shape;
    shape.LeakClasses = 300;
    shape.ConfigEvery = 300;
    shape.TaskStackPool = 300;
    shape.RepeatLeakStacks = true;
    return shape;
}

std::string SiteBlock(int index) {
    TMemoryQVRConfig config;
    config.ReadQVRParameters();
    config.ServerName = "mainbank";
    config.MaxRunTasks = 20 + 5 * (index / 10);
    config.ClientMaxSessions = 500;
    config.CheckForDeadTask = true;
    config.ExecTaskTimeOut = 120;
    config.IntTraceEnabled = index % 2 == 0;
    config.SessionConsts->Add("Branch=01");
    config.RequestAbsentValues->Add("Lang=ru");
    config.WriteQVRParameters();
    TSampleShape shape = DemoShape();
    shape.Config = config.CfgFileLines.Text();
    return SampleBlock(index, shape);
}

std::string SampleKey(int index) {
    return FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", SampleTime(index));
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
    std::string dataBase = FilledText(texts, shape.DataBaseBytes, "DataBase");
    std::string config =
        shape.Config.empty() ? FilledText(texts, shape.ConfigBytes, "Main") : shape.Config;
    if (shape.FigureAt >= 0) {
        dataBase = WithFigure(dataBase, shape.FigureAt, index);
        config = WithFigure(config, shape.FigureAt, index);
    }
    TDebugBlockWriter block;
    block.StampedSection("SystemParams", SystemParamsBody(counters))
        .Section("SystemLeakObjects", systemLeaks)
        .Section("BLLLeakObjectsList", bllLeaks)
        .Section("DataBaseParams", dataBase)
        .Section("QVRConfig", config)
        .StampedSection("RunTasks", RunTasks(random, index, shape));
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
