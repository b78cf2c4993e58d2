#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// What the benchmarks share: their files and their clock.

// A file of that name in the system's temporary folder.
std::string BenchFilePath(const std::string& name);

// Realistic snapshots of one build, after a version-info line, until the file holds sizeMB
// megabytes; returns the number of snapshots.
int WriteRealisticFile(const std::string& path, int64_t sizeMB);

double Seconds(std::chrono::steady_clock::time_point since);
