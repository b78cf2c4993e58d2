#include "reader_shapes.h"

#include "bench_files.h"
#include "reader_rounds.h"
#include "rtl/file_io.h"
#include "sample_shapes.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr double MB = 1024.0 * 1024.0;

struct TSizeResult {
    double FileMB = 0;
    double Median = 0; // MB/s
    double First = 0;
};

TSizeResult ReadAtSize(const TReaderShape& shape, int count, int rounds, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    WriteSnapshotFile(path, count, shape.Block);
    const double written = Seconds(start);
    TSizeResult result;
    const double bytes = PlainRead(path);
    result.FileMB = bytes / MB;
    const std::vector<TReaderRound> results = ReaderRounds(path, rounds);
    result.Median = MedianRate(results, bytes);
    result.First = FirstRate(results, bytes);
    std::printf("  %6d snapshots %8.1f MB (written in %.0f s): %7.1f MB/s median, %7.1f MB/s "
                "first\n",
                count, result.FileMB, written, result.Median, result.First);
    return result;
}

} // namespace

int RunShapes(int rounds, bool again, const std::string& only) {
    bool met = true;
    for (const TReaderShape& shape : ReaderShapes(only)) {
        std::printf("%s\n", shape.Name);
        const std::string smallPath = BenchFilePath("qvr_bench_shape_small.dbg");
        const std::string largePath = BenchFilePath("qvr_bench_shape_large.dbg");
        const TSizeResult small = ReadAtSize(shape, shape.SmallCount, rounds, smallPath);
        DeleteFileByName(smallPath);
        const TSizeResult large = ReadAtSize(shape, shape.LargeCount, rounds, largePath);
        const double ratio = large.Median / small.Median;
        const double firstRatio = large.First / small.First;
        std::printf("  large against small %5.2f median, %.2f first   (goal >= 0.75: %s)\n", ratio,
                    firstRatio, Verdict(ratio >= 0.75));
        met = met && ratio >= 0.75;
        if (again)
            met = RunThisProgram("--existing --again \"" + largePath + "\"") == 0 && met;
        DeleteFileByName(largePath);
    }
    return met ? 0 : 1;
}
