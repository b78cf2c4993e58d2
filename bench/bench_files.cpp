#include "bench_files.h"

#include "rtl/file_io.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"

std::string BenchFilePath(const std::string& name) {
    return TempDirectory() + name;
}

int WriteRealisticFile(const std::string& path, int64_t sizeMB) {
    const TSampleShape shape;
    TDebugFileWriter file(path);
    file.VersionInfo(SampleKey(0), "2.5.1.7");
    int count = 0;
    while (file.Size() < sizeMB * 1024 * 1024) {
        file.Snapshot(SampleKey(count), "2.5.1.7", SampleBlock(count, shape));
        ++count;
    }
    file.Flush(); // a write that fails must not leave a short file unnoticed
    return count;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
