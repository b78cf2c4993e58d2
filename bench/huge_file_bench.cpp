// Prints how fast a large file is written and read back the way the debug reader reads it:
// 512-byte parts, with forward seeks from the current position over skipped blocks.
// Usage: bench_huge_file [megabytes]  (default 1024)
#include "rtl/file_io.h"
#include "tools/huge_file.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

void Report(const char* what, int64_t bytes, double seconds) {
    std::printf("%-34s %8.1f MB/s  (%.2f s)\n", what, double(bytes) / 1048576.0 / seconds, seconds);
}

} // namespace

int main(int argc, char** argv) {
    const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 1024;
    const int64_t size = megabytes << 20;
    const std::string name = TempDirectory() + "bench_huge_file.dat";

    std::vector<char> chunk(1 << 20);
    for (size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = char(i * 31);
    double start = Seconds();
    {
        TZtHugeFileStream stream(name, accWrite, hfoBuffered);
        for (int64_t done = 0; done < size; done += int64_t(chunk.size()))
            stream.Write(chunk.data(), int(chunk.size()));
        stream.Close();
    }
    Report("write, 1 MB pieces", size, Seconds() - start);

    char part[512];
    start = Seconds();
    {
        TZtHugeFileStream stream(name, accRead, hfoBuffered);
        while (stream.Read(part, sizeof part) > 0) {
        }
    }
    Report("read, 512-byte parts", size, Seconds() - start);

    // A header line, then a block that is skipped by a forward seek, as the reader does.
    start = Seconds();
    int64_t blocks = 0;
    {
        TZtHugeFileStream stream(name, accRead, hfoBuffered);
        while (stream.Position() < stream.Size()) {
            if (stream.Read(part, sizeof part) == 0)
                break;
            stream.Seek(20000 + (blocks++ % 7) * 13000, 1);
        }
    }
    Report("read 512, skip 20-100 KB blocks", size, Seconds() - start);
    std::printf("%lld blocks skipped\n", static_cast<long long>(blocks));

    DeleteFileByName(name);
    return 0;
}
