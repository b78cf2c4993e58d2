#include "reading_again.h"

#include "bench_files.h"
#include "process_memory.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct TReading {
    double Seconds = 0;
    double Held = 0; // MB above the empty store
    // MB above the empty store at the most, in this reading or before: looking at the memory
    // while the reading runs would slow it down.
    double Peak = 0;
};

TReading Read(const std::function<void()>& read, double base,
              const std::function<void()>& beforeEach) {
    if (beforeEach)
        beforeEach();
    const auto start = std::chrono::steady_clock::now();
    read();
    TReading reading;
    reading.Seconds = Seconds(start);
    const TMemory memory = Memory();
    reading.Held = memory.WorkingSet - base;
    reading.Peak = memory.PeakWorkingSet - base;
    return reading;
}

} // namespace

bool ReportReadingAgain(const std::function<void()>& read, const std::function<void()>& clear,
                        int times, const std::function<void()>& beforeEach) {
    clear();
    const double base = Memory().WorkingSet;
    const TReading first = Read(read, base, beforeEach);
    std::printf("first reading       %8.3f s, held %.1f MB\n", first.Seconds, first.Held);
    bool met = true;
    for (int i = 1; i <= times; ++i) {
        const TReading again = Read(read, base, beforeEach);
        const double time = again.Seconds / first.Seconds;
        const double held = again.Held / first.Held;
        const double peak = again.Peak / again.Held;
        const bool timeMet = time <= 1.25, heldMet = held >= 0.95 && held <= 1.05,
                   peakMet = peak <= 1.5;
        met = met && timeMet && heldMet && peakMet;
        std::printf("again %d             %8.3f s = %.2f of the first (goal <= 1.25: %s); held "
                    "%.1f MB = %.3f of the first (goal within 5%%: %s); peak so far %.2f of held "
                    "(goal <= 1.5: %s)\n",
                    i, again.Seconds, time, Verdict(timeMet), again.Held, held, Verdict(heldMet),
                    peak, Verdict(peakMet));
    }
    clear();
    return met;
}
