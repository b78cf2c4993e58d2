#include "process_memory.h"

#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

namespace {
constexpr double MB = 1024.0 * 1024.0;
} // namespace

TMemory Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {counters.WorkingSetSize / MB, counters.PeakWorkingSetSize / MB};
}
