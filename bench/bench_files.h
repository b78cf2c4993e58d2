#pragma once
#include <chrono>
#include <cstdint>
#include <string>

struct TSampleShape;

// What the benchmarks share: their files and their clock.

// A file of that name in the system's temporary folder.
std::string BenchFilePath(const std::string& name);

// Snapshots of one build in the given shape, after a version-info line, until the file holds
// sizeMB megabytes; returns the number of snapshots.
int WriteRealisticFile(const std::string& path, int64_t sizeMB, const TSampleShape& shape);

double Seconds(std::chrono::steady_clock::time_point since);
