// Speed and memory of reading debug-info files, against a plain read of the same file.
//   bench_reader [size in MB, default 256] [--fresh] [--rounds N] [file path]
//   --rounds N reads the file N times (default 10), each time after a plain read of it, and
//              prints the median, the best and the first round: other programs share the
//              processor, and a round's two reads meet about the same load
//   bench_reader --existing file path   reads a file that is there and leaves it
//   --keep leaves the written file for later runs with --existing
//   bench_reader --week [total size in MB, default 6144]   seven files of one server, one
//                                                          after another into one store
//   bench_reader --big [file path]   a file over 2 GB of mostly unknown sections
//   bench_reader --shapes [shape] [--rounds N, default 3]   each kind of file a user meets (see
//              sample_shapes.h), or the one whose name holds shape, read at a small and a large
//              size, with the ratio of their rates
//   --again    then reads the file (with --week the seven files, with --shapes each large file)
//              into one store and again five times, in a process of its own, and prints each
//              reading against the first with the memory held after it
// The file repeats itself as a server does (see ServerLikeShape): the configuration and
// database texts change every 300 snapshots, task stacks come from 300 distinct ones, leaks
// from 300 classes with three allocation stacks each; counters, times, thread and session
// numbers, leak handles and life times change in every snapshot. --fresh writes every text
// anew in each snapshot instead, the worst case for sharing.
#include "bench_files.h"
#include "process_memory.h"
#include "qvr/debug_reader.h"
#include "reader_rounds.h"
#include "reader_shapes.h"
#include "reading_again.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/modality/message_box.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "tools/huge_file.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double MB = 1024.0 * 1024.0;

// Snapshots of counters and one large section the reader does not know, past 2 GB.
int WriteBigFile(const std::string& path) {
    TDinamicSystemInfo counters;
    counters.SetLoginUsers(5);
    const std::string padding(1 << 20, 'x');
    const std::string block = TDebugBlockWriter()
                                  .Section("SystemParams", SystemParamsBody(counters))
                                  .StampedSection("ServerTrace", padding)
                                  .Data();
    TDebugFileWriter file(path);
    int count = 0;
    while (file.Size() < int64_t(2200) * int64_t(MB)) {
        file.Snapshot(SampleKey(count), "2.5.1.7", block);
        ++count;
    }
    return count;
}

struct TOptions {
    bool Big = false;
    bool Fresh = false;
    bool Existing = false;
    bool Keep = false;
    bool Week = false;
    bool Again = false;
    bool Shapes = false;
    int Rounds = 0; // 0: as many as the kind of run takes
    int64_t SizeMB = 0;
    std::vector<std::string> Paths;
};

// The command line that reads the files again in a process of its own (see ReadAgain).
std::string ReadAgainArguments(const std::vector<std::string>& paths) {
    std::string arguments = "--existing --again";
    for (const std::string& path : paths)
        arguments += " \"" + path + "\"";
    return arguments;
}

// The files read into one store, then again five times, in this process alone, so that the
// memory it holds is the store's.
int ReadAgain(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        PlainRead(path); // the measured reads then start from a warm cache
    InitDebugReader();
    const bool met = ReportReadingAgain(
        [&paths] {
            for (const std::string& path : paths)
                DebugReader->ReadFile(path);
        },
        [] { DebugReader->Clear(); }, 5);
    DoneDebugReader();
    return met ? 0 : 1;
}

// Reads the file round after round and prints the figures; whether it was read whole.
bool ReportRounds(const TOptions& options, int written) {
    const bool big = options.Big, fresh = options.Fresh, existing = options.Existing;
    const int rounds = big ? 1 : options.Rounds ? options.Rounds : 10;
    const std::string& path = options.Paths.front();
    const double fileBytes = PlainRead(path);
    // The memory is measured in the first round, before freed slots are there to be reused.
    const TMemory before = Memory();
    TMemory after{};
    const std::vector<TReaderRound> results =
        ReaderRounds(path, rounds, [&after] { after = Memory(); });
    std::vector<double> plainTimes, readerTimes, freeTimes, ratios;
    for (const TReaderRound& round : results) {
        plainTimes.push_back(round.PlainSeconds);
        readerTimes.push_back(round.Seconds);
        freeTimes.push_back(round.FreeSeconds);
        ratios.push_back(round.PlainSeconds / round.Seconds);
    }
    const TReaderRound& first = results.front();
    const double held = after.WorkingSet - before.WorkingSet;
    const int count = first.Count;
    const std::string& lastKey = first.LastKey;
    if (existing)
        written = count;

    const double fileMB = fileBytes / MB;
    const auto best = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    const double medianRatio = Median(ratios);
    const double firstRatio = ratios.front();
    // A server's file shares most of its texts; one of texts written anew each time cannot.
    const double heldGoal = existing || fresh ? 0.35 : 0.25;
    std::printf("file                %10.1f MB, %d snapshots read (last %s)\n", fileMB, count,
                lastKey.c_str());
    std::printf("generator           %s\n", existing ? "none, the file was there"
                                            : big    ? "large unknown sections"
                                            : fresh  ? "every text anew in each snapshot"
                                                     : "repeating as a server does");
    std::printf("rounds              %10d   (each a plain read, then the reader)\n", rounds);
    std::printf("plain read  (a)     %10.1f MB/s best, %.1f MB/s median\n",
                fileMB / best(plainTimes), fileMB / Median(plainTimes));
    std::printf("debug reader (b)    %10.1f MB/s best, %.1f MB/s median, %.1f MB/s first\n",
                fileMB / best(readerTimes), fileMB / Median(readerTimes), fileMB / first.Seconds);
    std::printf("ratio b/a median    %10.3f   (goal >= 0.15: %s)\n", medianRatio,
                Verdict(medianRatio >= 0.15));
    std::printf("ratio b/a first     %10.3f   (goal >= 0.12: %s)\n", firstRatio,
                Verdict(firstRatio >= 0.12));
    std::printf("ratio b/a best      %10.3f   (best read against best read)\n",
                best(plainTimes) / best(readerTimes));
    std::printf("working set before  %10.1f MB\n", before.WorkingSet);
    std::printf("snapshot data held  %10.1f MB (working set growth)\n", held);
    std::printf("held / file size    %10.3f   (goal <= %.2f: %s)\n", held / fileMB, heldGoal,
                Verdict(held / fileMB <= heldGoal));
    std::printf("peak working set    %10.1f MB\n", after.PeakWorkingSet);
    std::printf("freeing the store   %10.3f s best, %.3f s median\n", best(freeTimes),
                Median(freeTimes));
    if (big) {
        std::printf("peak above start    %10.1f MB for a %.0f MB file\n",
                    after.PeakWorkingSet - before.WorkingSet, fileMB);
        const bool complete = count == written && lastKey == SampleKey(written - 1);
        std::printf("read to the end     %s\n", complete ? "yes" : "NO");
        return complete;
    }
    std::printf("peak / held         %10.2f   (goal <= 1.5: %s)\n", after.PeakWorkingSet / held,
                Verdict(after.PeakWorkingSet / held <= 1.5));
    return count == written;
}

int Run(const TOptions& options) {
    const std::string& path = options.Paths.front();
    const int64_t sizeMB = options.SizeMB ? options.SizeMB : 256;
    // A reading error must print, not wait for a click.
    SetMessageBoxHook([](const std::string& text, const std::string&, unsigned) {
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    int written = 0;
    if (!options.Existing) {
        std::printf("writing %s ...\n", path.c_str());
        const auto start = std::chrono::steady_clock::now();
        written = options.Big     ? WriteBigFile(path)
                  : options.Fresh ? WriteRealisticFile(path, sizeMB, TSampleShape())
                                  : WriteRealisticFile(path, sizeMB, ServerLikeShape());
        std::printf("wrote %d snapshots in %.1f s\n", written, Seconds(start));
    }
    bool met = ReportRounds(options, written);
    if (options.Again)
        met = RunThisProgram(ReadAgainArguments({path})) == 0 && met;
    if (!options.Existing && !options.Keep)
        DeleteFileByName(path);
    return met ? 0 : 1;
}

// A week of one server's files, read one after another as the operator opens them at once.
int RunWeek(int64_t totalMB, bool again) {
    constexpr int Days = 7;
    std::vector<std::string> paths;
    int written = 0;
    auto start = std::chrono::steady_clock::now();
    for (int day = 0; day < Days; ++day) {
        paths.push_back(BenchFilePath("qvr_bench_week" + std::to_string(day) + ".dbg"));
        written += WriteRealisticFile(paths.back(), totalMB / Days, ServerLikeShape(), written);
    }
    std::printf("wrote %d snapshots in %d files in %.1f s\n", written, Days, Seconds(start));
    const TMemory before = Memory();
    InitDebugReader();
    start = std::chrono::steady_clock::now();
    for (const std::string& path : paths)
        DebugReader->ReadFile(path);
    const double seconds = Seconds(start);
    const TMemory after = Memory();
    const int count = DebugReader->Count();
    const double totalBytes = double(totalMB / Days) * Days;
    std::printf("files               %10.1f MB in %d files, %d of %d snapshots read\n", totalBytes,
                Days, count, written);
    std::printf("debug reader        %10.1f MB/s\n", totalBytes / seconds);
    std::printf("snapshot data held  %10.1f MB (working set growth)\n",
                after.WorkingSet - before.WorkingSet);
    const double held = (after.WorkingSet - before.WorkingSet) / totalBytes;
    std::printf("held / files' size  %10.3f   (goal <= 0.25: %s)\n", held, Verdict(held <= 0.25));
    std::printf("peak working set    %10.1f MB\n", after.PeakWorkingSet);
    DoneDebugReader();
    const bool againMet = !again || RunThisProgram(ReadAgainArguments(paths)) == 0;
    for (const std::string& path : paths)
        DeleteFileByName(path);
    return count == written && againMet ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--big")
            options.Big = true;
        else if (arg == "--fresh")
            options.Fresh = true;
        else if (arg == "--existing")
            options.Existing = true;
        else if (arg == "--keep")
            options.Keep = true;
        else if (arg == "--week")
            options.Week = true;
        else if (arg == "--again")
            options.Again = true;
        else if (arg == "--shapes")
            options.Shapes = true;
        else if (arg == "--rounds" && i + 1 < argc)
            options.Rounds = std::max(1, std::atoi(argv[++i]));
        else if (!arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0])))
            options.SizeMB = std::atoll(arg.c_str());
        else
            options.Paths.push_back(arg);
    }
    return RunReporting([&] {
        if (options.Week)
            return RunWeek(options.SizeMB ? options.SizeMB : 6144, options.Again);
        if (options.Shapes)
            return RunShapes(options.Rounds ? options.Rounds : 3, options.Again,
                             options.Paths.empty() ? "" : options.Paths.front());
        if (options.Existing && options.Again)
            return ReadAgain(options.Paths);
        if (options.Paths.empty())
            options.Paths.push_back(BenchFilePath("qvr_bench_reader.dbg"));
        return Run(options);
    });
}
