#pragma once
#include <functional>
#include <string>
#include <vector>

// The kinds of file a user meets, for the reader's benchmarks, each at a small and a large
// number of snapshots: a reading that is not linear in the file shows as a lower rate at the
// large size.
struct TReaderShape {
    const char* Name;
    int SmallCount; // snapshots
    int LargeCount;
    std::function<std::string(int index)> Block;
};

// The shapes whose names hold only; all for an empty one.
std::vector<TReaderShape> ReaderShapes(const std::string& only = "");
