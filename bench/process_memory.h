#pragma once

// The process's memory as the system counts it, in MB.
struct TMemory {
    double WorkingSet = 0;
    double PeakWorkingSet = 0;
};
TMemory Memory();
