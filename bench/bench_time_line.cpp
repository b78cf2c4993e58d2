// Reading a debug-info file through the main window (progress shown, messages handled) against
// the reader alone, and how long the window went without handling its messages.
//   bench_time_line [size in MB, default 128] [--rounds N, default 9] [file path]
//   bench_time_line --again [shape]   each shape's large file (see sample_shapes.h), or the one
//                                     whose name holds shape, opened through the window, then
//                                     opened again five times, each against the first
// Needs a display, as it opens the viewer's windows.
#include "bench_files.h"
#include "qvr/debug_reader.h"
#include "reader_rounds.h"
#include "reading_again.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/modality/message_box.h"
#include "sample_shapes.h"
#include "support/debug_file_samples.h"
#include "vcl/base/windows_clean.h"
#include "vcl/core/application.h"
#include "viewer/time_line_form.h"
#include "viewer/viewer_startup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// A timer of the message queue: its ticks arrive only when messages are handled, so the longest
// gap between them is the longest time the window could not answer.
struct TResponsiveness {
    static constexpr UINT Interval = 10;
    static TClock::time_point Last;
    static double LongestGap;
    static int Ticks;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const TClock::time_point now = TClock::now();
        LongestGap = std::max(LongestGap, std::chrono::duration<double>(now - Last).count());
        Last = now;
        ++Ticks;
    }
};
TClock::time_point TResponsiveness::Last;
double TResponsiveness::LongestGap = 0;
int TResponsiveness::Ticks = 0;

// The message loop runs between two reads, as it does in the program: nothing waits to be
// painted when a reading starts.
void Idle() {
    const TClock::time_point start = TClock::now();
    while (Seconds(start) < 0.2) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

double ReadAlone(const std::string& path) {
    DebugReader->Clear();
    Idle();
    const TClock::time_point start = TClock::now();
    DebugReader->ReadFile(path);
    return Seconds(start);
}

double ReadThroughWindow(const std::string& path) {
    fmTimeLineForm->ClearAll();
    Idle();
    TResponsiveness::Last = TClock::now();
    TResponsiveness::LongestGap = 0;
    TResponsiveness::Ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, TResponsiveness::Interval, TResponsiveness::Tick);
    const TClock::time_point start = TClock::now();
    fmTimeLineForm->OpenFile(path);
    const double seconds = Seconds(start);
    KillTimer(nullptr, timer);
    return seconds;
}

int Run(int64_t sizeMB, const std::string& path, int rounds) {
    SetMessageBoxHook([](const std::string& text, const std::string&, unsigned) {
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    std::printf("writing %s ...\n", path.c_str());
    const int written = WriteRealisticFile(path, sizeMB, ServerLikeShape());

    TViewerSession session;
    fmTimeLineForm->Show();
    ReadAlone(path); // a warm cache for every measured read
    // Each round reads alone and through the window one after the other, so that both meet
    // about the same load from other programs; the ratio is taken round by round.
    std::vector<double> alone, window, ratios, gaps;
    int ticks = 0;
    for (int round = 0; round < rounds; ++round) {
        alone.push_back(ReadAlone(path));
        window.push_back(ReadThroughWindow(path));
        ratios.push_back(window.back() / alone.back());
        gaps.push_back(TResponsiveness::LongestGap * 1000);
        ticks += TResponsiveness::Ticks;
    }
    const int count = DebugReader->Count();
    DeleteFileByName(path);

    const double bestAlone = *std::min_element(alone.begin(), alone.end());
    const double bestWindow = *std::min_element(window.begin(), window.end());
    const double bestRatio = bestWindow / bestAlone;
    const double medianRatio = Median(ratios);
    const double worstGap = *std::max_element(gaps.begin(), gaps.end());
    std::printf("file                  %8lld MB, %d snapshots (%d read)\n",
                static_cast<long long>(sizeMB), written, count);
    std::printf("rounds                %8d   (each alone, then through the window)\n", rounds);
    std::printf("reader alone      (a) %8.3f s best, %.3f s median\n", bestAlone, Median(alone));
    std::printf("through the window (b) %7.3f s best, %.3f s median\n", bestWindow, Median(window));
    // The best of each side filters out what other programs took; the median of the rounds'
    // own ratios shows what a usual read costs.
    std::printf("ratio of the best b/a %8.3f   (goal <= 1.10: %s)\n", bestRatio,
                Verdict(bestRatio <= 1.10));
    std::printf("ratio b/a median      %8.3f   (of the rounds' own ratios; goal <= 1.10: %s)\n",
                medianRatio, Verdict(medianRatio <= 1.10));
    std::printf("timer ticks handled   %8.1f   a round (one asked every %u ms)\n",
                double(ticks) / rounds, TResponsiveness::Interval);
    std::printf(
        "longest unanswered    %8.0f ms in any round, %.0f ms median   (goal < 100 ms: %s)\n",
        worstGap, Median(gaps), Verdict(worstGap < 100));
    return count == written ? 0 : 1;
}

// The file opened through the window, then again five times, in this process alone, so that
// the memory it holds is the store's.
int ReadAgainThroughWindow(const std::string& path) {
    TViewerSession session;
    fmTimeLineForm->Show();
    PlainRead(path); // a warm cache
    const bool met = ReportReadingAgain([&path] { fmTimeLineForm->OpenFile(path); },
                                        [] { fmTimeLineForm->ClearAll(); }, 5, Idle);
    return met ? 0 : 1;
}

int RunShapesAgain(const std::string& only) {
    bool met = true;
    for (const TReaderShape& shape : ReaderShapes(only)) {
        const std::string path = BenchFilePath("qvr_bench_time_line_again.dbg");
        WriteSnapshotFile(path, shape.LargeCount, shape.Block);
        std::printf("%s, %d snapshots, through the window\n", shape.Name, shape.LargeCount);
        met = RunThisProgram("--existing --again \"" + path + "\"") == 0 && met;
        DeleteFileByName(path);
    }
    return met ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 9;
    bool again = false, existing = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--again")
            again = true;
        else if (arg == "--existing")
            existing = true;
        else
            rest.push_back(argv[i]);
    }
    return RunReporting([&] {
        if (again) {
            const std::string named = rest.size() > 1 ? rest[1] : "";
            return existing ? ReadAgainThroughWindow(named) : RunShapesAgain(named);
        }
        const TBenchArguments arguments =
            NumberAndPath(int(rest.size()), rest.data(), 128, "qvr_bench_time_line.dbg");
        return Run(arguments.Number, arguments.Path, rounds);
    });
}
