#pragma once
#include "chart/value_range.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Each value as a percentage of the largest one, rounded to the nearest integer with halves to
// the even side; unchanged when the largest is 0.
std::vector<int64_t> PercentOfMax(const std::vector<int64_t>& values);

// A parameter path up to its first '.': how the chart names a series in its legend and menu.
std::string ShortTitle(const std::string& title);

class TDebugReader;
// The times from the first to the last snapshot, at least a minute wide and within the
// calendar; none without snapshots.
std::optional<TValueRange> SnapshotTimeSpan(const TDebugReader& store);
