#include "reader_files.h"

#include "qvr/debug_reader.h"
#include "rtl/strings.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "support/message_capture.h"
#include "tools/conversions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <thread>
#include <tuple>

// Damaged files: valid files from the writer with bytes flipped, inserted, deleted, cut off
// and lengths rewritten. Every mutant must be read to an end with at most one message, and
// what is kept must hang together.

namespace {

enum class TMutationKind { Flip, Insert, Delete, Truncate, Number };

struct TMutation {
    TMutationKind Kind;
    size_t Offset;
    size_t Count;      // bytes deleted or replaced
    std::string Bytes; // bytes inserted or put in place; for Flip the mask
};

struct TMutant {
    int Base;
    std::vector<TMutation> Mutations;
};

// Read on every run: mutants that once went wrong, and a few chosen edges.
const TMutant RegressionMutants[] = {
    {1, {{TMutationKind::Number, 0, 0, "2147483647"}}}, // a block swallowing the next snapshot
    {0, {{TMutationKind::Number, 0, 0, "-1"}}},
    {2, {{TMutationKind::Truncate, 40, 0, ""}}},
};

class TRandom {
public:
    explicit TRandom(uint32_t seed) : FState(seed ? seed : 1) {}
    uint32_t Next() {
        FState ^= FState << 13;
        FState ^= FState >> 17;
        FState ^= FState << 5;
        return FState;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    uint32_t FState;
};

std::vector<std::string> BaseFiles() {
    TSampleShape small;
    small.Tasks = 4;
    small.Leaks = 8;
    small.LeakClasses = 2;
    small.SystemLeaks = 3;
    small.ConfigBytes = 300;
    small.DataBaseBytes = 100;

    TDebugFileWriter samples;
    samples.VersionInfo(SampleKey(0), "2.5.1").Line("server started");
    for (int i = 0; i < 3; ++i)
        samples.Snapshot(SampleKey(i), "2.5.1", SampleBlock(i, small));
    samples.Snapshot(SampleKey(1), "2.5.1", SampleBlock(7, small));

    TDinamicSystemInfo counters;
    counters.SetOpenSessions(2);
    counters.SetLoginUsers(3);
    TTaskInfo task;
    task.State = 1;
    task.Stack = "a\r\nb";
    TBLLLeakObjectInfo leak;
    leak.CName = "TFoo";
    leak.Stack = "unit\\proc";
    TDebugBlockWriter forms;
    forms.Line("preamble")
        .StampedSection("SystemParams", SystemParamsBody(counters))
        .Section("BLLLeakObjects", BLLLeakObjectsBody({&leak, &leak}))
        .Section("Other", "12345")
        .RawSection("[SystemParams] 0", "")
        .Section("RunTasksList", RunTasksListBody({&task, &task}))
        .Section("SystemLeakObjects", SystemLeakObjectsBody({{3, "TFont"}}));
    TDebugFileWriter formsFile;
    formsFile.Snapshot("01.02.2006 10:00:00", "1.0", forms.Data())
        .Snapshot("02.01.2006 10:00:00", "1.0", forms.Data());

    TDebugFileWriter builds;
    builds.Snapshot("01.02.2006 10:00:00", "1.0", SampleBlock(3, small))
        .VersionInfo("01.02.2006 10:00:05", "2.0")
        .Snapshot("01.02.2006 10:00:10", "2.0", SampleBlock(4, small));
    return {samples.Text(), formsFile.Text(), builds.Text()};
}

// Offsets of the digit runs that follow a blank and end a line: block and section lengths.
std::vector<std::pair<size_t, size_t>> LengthTexts(const std::string& text) {
    std::vector<std::pair<size_t, size_t>> result;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i - 1] != ' ' || !isdigit(static_cast<unsigned char>(text[i])))
            continue;
        size_t end = i;
        while (end < text.size() && isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        if (text.compare(end, 2, "\r\n") == 0)
            result.emplace_back(i, end - i);
        i = end;
    }
    return result;
}

std::string NumberText(TRandom& random, const std::string& old) {
    static const char* const fixed[] = {"0",           "-1", "-100", "2147483647", "2147483648",
                                        "99999999999", "x",  "",     "1"};
    const size_t choice = random.Below(14);
    if (choice < std::size(fixed))
        return fixed[choice];
    const long long delta = (long long)random.Below(41) - 20;
    return std::to_string(std::atoll(old.c_str()) + delta);
}

TMutation RandomMutation(TRandom& random, const std::string& text) {
    static const char alphabet[] = "\r\n[]: 0123456789-DebugData";
    const size_t offset = random.Below(text.size() + 1);
    switch (random.Below(20)) {
    case 0:
    case 1:
    case 2:
    case 3:
        return {TMutationKind::Flip, offset, 0, std::string(1, char(1 + random.Below(255)))};
    case 4:
    case 5:
    case 6: {
        std::string bytes(1 + random.Below(16), '\0');
        for (char& c : bytes)
            c = random.Below(2) ? alphabet[random.Below(sizeof alphabet - 1)] : char(random.Next());
        return {TMutationKind::Insert, offset, 0, bytes};
    }
    case 7:
    case 8:
    case 9:
        return {TMutationKind::Delete, offset, 1 + random.Below(64), ""};
    case 10:
    case 11:
        return {TMutationKind::Truncate, offset, 0, ""};
    default: {
        const auto lengths = LengthTexts(text);
        if (lengths.empty())
            return {TMutationKind::Truncate, offset, 0, ""};
        const auto [start, count] = lengths[random.Below(lengths.size())];
        return {TMutationKind::Number, start, count, NumberText(random, text.substr(start, count))};
    }
    }
}

// A Number mutation at offset 0 with no count stands for the first length text of the file.
void Apply(const TMutation& m, std::string& text) {
    size_t offset = std::min(m.Offset, text.size());
    size_t count = m.Count;
    if (m.Kind == TMutationKind::Number && count == 0) {
        const auto lengths = LengthTexts(text);
        if (lengths.empty())
            return;
        std::tie(offset, count) = lengths.front();
    }
    switch (m.Kind) {
    case TMutationKind::Flip:
        if (offset < text.size())
            text[offset] = char(text[offset] ^ m.Bytes[0]);
        break;
    case TMutationKind::Truncate:
        text.resize(offset);
        break;
    default:
        text.replace(offset, count, m.Bytes);
    }
}

TMutant RandomMutant(uint32_t seed, const std::vector<std::string>& bases, std::string& text) {
    TRandom random(seed);
    TMutant mutant{int(random.Below(bases.size())), {}};
    text = bases[size_t(mutant.Base)];
    for (size_t n = 1 + random.Below(4); n > 0; --n) {
        mutant.Mutations.push_back(RandomMutation(random, text));
        Apply(mutant.Mutations.back(), text);
    }
    return mutant;
}

std::string Describe(const TMutant& mutant) {
    static const char* const kinds[] = {"Flip", "Insert", "Delete", "Truncate", "Number"};
    std::string s = "{" + std::to_string(mutant.Base) + ", {";
    for (const TMutation& m : mutant.Mutations) {
        s += "{TMutationKind::" + std::string(kinds[int(m.Kind)]) + ", " +
             std::to_string(m.Offset) + ", " + std::to_string(m.Count) + ", \"";
        for (unsigned char c : m.Bytes) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            s += hex;
        }
        s += "\"}, ";
    }
    return s + "}}";
}

// Whatever the reader kept must hang together; returns what does not.
std::string Inconsistency(const TDebugReader& reader) {
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string key = reader.DebugInfoList.GetNames(i);
        const TDebugInfo& di = *reader.DebugInfo(i);
        if (key.find_first_not_of("0123456789.: ") != key.npos)
            return "a key that is no time stamp: " + key;
        if (i > 0) {
            const TDebugInfo& previous = *reader.DebugInfo(i - 1);
            const int64_t before = std::llround(previous.Time * MSecsPerDay);
            const int64_t now = std::llround(di.Time * MSecsPerDay);
            if (before > now || (before == now && reader.DebugInfoList.GetNames(i - 1) >= key))
                return "snapshots out of time order at " + key;
        }
        // Within a millisecond: x87 registers hold more digits than a stored double.
        if (std::abs(di.Time - QZDateStrToDateTime(key)) > 0.5 / MSecsPerDay)
            return "time does not match the key " + key;
        for (int c = 0; c < di.BLLLeaks.Count(); ++c) {
            const auto* stacks = static_cast<TQZSortedNamedObjects*>(di.BLLLeaks.GetObjects(c));
            if (!stacks || stacks->Count() == 0)
                return "empty leak class in " + key;
            for (int s = 0; s < stacks->Count(); ++s) {
                const auto* records = static_cast<TObjectList*>(stacks->GetObjects(s));
                if (!records || records->Count() == 0)
                    return "empty leak stack in " + key;
                const auto* first = static_cast<TBLLLeakObjectInfo*>(records->Items(0));
                if (!AnsiSameText(first->CName, di.BLLLeaks.GetNames(c)) ||
                    !AnsiSameText(first->Stack, stacks->GetNames(s)))
                    return "leak filed under another name in " + key;
            }
        }
        int working = 0;
        for (int t = 0; t < di.TasksInfo.Count(); ++t)
            working += di.Task(t)->State != 0;
        // A block with two task sections counts the working tasks of the last one only.
        if (di.DSI.WorkThreads() < 0 || di.DSI.WorkThreads() > working)
            return "WorkThreads does not match the tasks of " + key;
    }
    return "";
}

// Ends the process with the mutant's description when one reading takes far too long, so a
// hang shows up as a failure that names its mutant instead of a stuck test run.
class THangWatch {
public:
    THangWatch()
        : FThread([this] {
              std::unique_lock<std::mutex> lock(FLock);
              while (!FDone) {
                  FWake.wait_for(lock, std::chrono::milliseconds(200));
                  if (!FCurrent.empty() &&
                      std::chrono::steady_clock::now() - FStarted > std::chrono::seconds(20)) {
                      std::fprintf(stderr, "reading hangs on mutant %s\n", FCurrent.c_str());
                      std::fflush(stderr);
                      std::_Exit(3);
                  }
              }
          }) {}
    ~THangWatch() {
        {
            std::lock_guard<std::mutex> lock(FLock);
            FDone = true;
        }
        FWake.notify_all();
        FThread.join();
    }
    void Begin(const std::string& mutant) {
        std::lock_guard<std::mutex> lock(FLock);
        FCurrent = mutant;
        FStarted = std::chrono::steady_clock::now();
    }
    void End() {
        std::lock_guard<std::mutex> lock(FLock);
        FCurrent.clear();
    }

private:
    std::mutex FLock;
    std::condition_variable FWake;
    std::string FCurrent;
    std::chrono::steady_clock::time_point FStarted;
    bool FDone = false;
    std::thread FThread;
};

class MutationTest : public testing::Test {
protected:
    // Reads one mutant; a failure names the mutant so it can join RegressionMutants.
    void Check(const TMutant& mutant, const std::string& text) {
        const std::string name = Describe(mutant);
        FFile.Write(text);
        TDebugReader reader;
        MessageCapture messages;
        FWatch.Begin(name);
        try {
            reader.ReadFile(FFile.Name());
        } catch (...) {
            ADD_FAILURE() << "reading raised on mutant " << name;
        }
        FWatch.End();
        EXPECT_LE(messages.Texts.size(), 1u) << "mutant " << name;
        if (messages.Texts.size() == 1) {
            const std::string& message = messages.Texts[0];
            const std::string tail = "\\" + std::to_string(text.size()) + "\r\n";
            EXPECT_NE(message.find("\r\nPosition: "), message.npos) << "mutant " << name;
            EXPECT_EQ(message.substr(message.size() - std::min(message.size(), tail.size())), tail)
                << "mutant " << name;
        }
        const std::string fault = Inconsistency(reader);
        EXPECT_EQ(fault, "") << "mutant " << name;
    }

    const std::vector<std::string> Bases = BaseFiles();

private:
    TTempDebugFile FFile;
    THangWatch FWatch;
};

} // namespace

TEST_F(MutationTest, DamagedFilesAreReadToAnEnd) {
    for (const TMutant& mutant : RegressionMutants) {
        std::string text = Bases[size_t(mutant.Base)];
        for (const TMutation& m : mutant.Mutations)
            Apply(m, text);
        Check(mutant, text);
    }
    const uint32_t firstSeed = 20060201;
    for (uint32_t seed = firstSeed; seed < firstSeed + 6000 && !HasFailure(); ++seed) {
        std::string text;
        const TMutant mutant = RandomMutant(seed, Bases, text);
        Check(mutant, text);
    }
}
