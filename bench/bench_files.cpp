#include "bench_files.h"

#include "rtl/wide_text.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"

#include <windows.h>

std::string BenchFilePath(const std::string& name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return FromWide(folder) + name;
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
    return count;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}
