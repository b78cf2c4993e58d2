#pragma once
#include <chrono>
#include <cstdint>
#include <string>

struct TSampleShape;

// What the benchmarks share: their files and their clock.

// A file of that name in the system's temporary folder.
std::string BenchFilePath(const std::string& name);

// Snapshots of one build in the given shape, after a version-info line, until the file holds
// sizeMB megabytes; returns the number of snapshots. The first one is the snapshot numbered
// firstIndex, so that files written one after another continue each other.
int WriteRealisticFile(const std::string& path, int64_t sizeMB, const TSampleShape& shape,
                       int firstIndex = 0);

double Seconds(std::chrono::steady_clock::time_point since);
