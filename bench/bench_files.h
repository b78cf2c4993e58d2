#pragma once
#include "bench_reporting.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TSampleShape;

// What the benchmarks share: their files and their clock.

// A file of that name in the system's temporary folder.
std::string BenchFilePath(const std::string& name);

// Snapshots of one build in the given shape, after a version-info line, until the file holds
// sizeMB megabytes; returns the number of snapshots. The first one is the snapshot numbered
// firstIndex, so that files written one after another continue each other.
int WriteRealisticFile(const std::string& path, int64_t sizeMB, const TSampleShape& shape,
                       int firstIndex = 0);

// count snapshots of one build after a version-info line, block(index) the index-th.
void WriteSnapshotFile(const std::string& path, int count,
                       const std::function<std::string(int index)>& block);

double Seconds(std::chrono::steady_clock::time_point since);

// What most benchmarks take: a number (a size or a count) and a file path, in any order; a
// file of defaultName in the temporary folder when no path is given.
struct TBenchArguments {
    int64_t Number;
    std::string Path;
};
TBenchArguments NumberAndPath(int argc, char** argv, int64_t defaultNumber,
                              const std::string& defaultName);

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(std::vector<double> values);
// How a goal came out, for the printed figures.
inline const char* Verdict(bool met) {
    return met ? "met" : "NOT met";
}

// Runs this benchmark again in a process of its own with the given arguments, its output going
// where this one's goes: for figures of memory that a process's earlier work would blur.
// Returns its exit code, or -1 when it could not be started.
long RunThisProgram(const std::string& arguments);
