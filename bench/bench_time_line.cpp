// Reading a debug-info file through the main window (progress shown, messages handled) against
// the reader alone, and how long the window went without handling its messages.
//   bench_time_line [size in MB, default 128] [file path]
// Needs a display, as it opens the viewer's windows.
#include "bench_files.h"
#include "qvr/debug_reader.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/message_box.h"
#include "support/debug_file_samples.h"
#include "vcl/application.h"
#include "vcl/windows_clean.h"
#include "viewer/time_line_form.h"
#include "viewer/viewer_startup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

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

int Run(int64_t sizeMB, const std::string& path) {
    SetMessageBoxHook([](const std::string& text, const std::string&, unsigned) {
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    std::printf("writing %s ...\n", path.c_str());
    const int written = WriteRealisticFile(path, sizeMB, ServerLikeShape());

    TViewerSession session;
    fmTimeLineForm->Show();
    ReadAlone(path); // a warm cache for every measured read
    double alone = 1e9, window = 1e9, gap = 0;
    int ticks = 0;
    for (int round = 0; round < 3; ++round) {
        alone = std::min(alone, ReadAlone(path));
        const double through = ReadThroughWindow(path);
        if (through < window) {
            window = through;
            gap = TResponsiveness::LongestGap;
            ticks = TResponsiveness::Ticks;
        }
    }
    const int count = DebugReader->Count();
    DeleteFileByName(path);

    std::printf("file                  %8lld MB, %d snapshots (%d read)\n",
                static_cast<long long>(sizeMB), written, count);
    std::printf("reader alone      (a) %8.2f s\n", alone);
    std::printf("through the window (b) %7.2f s\n", window);
    std::printf("ratio b/a             %8.3f   (goal <= 1.10)\n", window / alone);
    std::printf("timer ticks handled   %8d   (one asked every %u ms)\n", ticks,
                TResponsiveness::Interval);
    std::printf("longest unanswered    %8.0f ms\n", gap * 1000);
    return count == written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const TBenchArguments arguments = NumberAndPath(argc, argv, 128, "qvr_bench_time_line.dbg");
    return RunReporting([&] { return Run(arguments.Number, arguments.Path); });
}
