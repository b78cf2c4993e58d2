// Writes the demo debug-info file: a version-info line and a few dozen snapshots of every kind of
// section, as the server writes them.
//   make_sample [file, default demo.dbg] [snapshots, a whole number of at least 1, default 30]
//   make_sample -h | --help
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/wide_text.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {
// A whole number of at least 1, in digits only; false for anything else.
bool ParseCount(const std::string& text, int& count) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    count = std::stoi(text);
    return count >= 1;
}

// The size of the file written.
int64_t WriteSample(const std::string& fileName, int count) {
    const std::string build = "2.5.1.7";
    TDebugFileWriter file(fileName);
    file.VersionInfo(SampleKey(0), build);
    for (int i = 0; i < count; ++i)
        file.Snapshot(SampleKey(i), build, SiteBlock(i));
    file.Flush();
    return file.Size();
}

int CannotWrite(const std::string& path, unsigned error) {
    std::fprintf(stderr, "make_sample: cannot write %s: %s\n", path.c_str(),
                 SysErrorMessage(error).c_str());
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "demo.dbg";
    const char* const usage = "usage: make_sample [file, default demo.dbg] [snapshots: a whole "
                              "number of at least 1, default 30]\n";
    if (path == "-h" || path == "--help") {
        std::fputs(usage, stdout);
        return 0;
    }
    // A name that begins with '-' is an option mistyped far more often than a file.
    if (path.rfind('-', 0) == 0) {
        std::fprintf(stderr, "make_sample: unknown option %s\n", path.c_str());
        std::fputs(usage, stderr);
        return 2;
    }
    int count = 30;
    if (argc > 3 || (argc > 2 && !ParseCount(argv[2], count))) {
        std::fputs(usage, stderr);
        return 2;
    }
    // Written beside the file first and moved over it when whole, so a failure leaves the file
    // that was there.
    const std::string part = path + ".part";
    int64_t size = 0;
    try {
        size = WriteSample(part, count);
    } catch (const EInOutError& e) {
        DeleteFileByName(part);
        return CannotWrite(path, unsigned(e.ErrorCode));
    }
    if (!MoveFileExW(ToWide(part).c_str(), ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const unsigned error = GetLastError();
        DeleteFileByName(part);
        return CannotWrite(path, error);
    }
    std::printf("%s: %d snapshots, %lld bytes\n", path.c_str(), count,
                static_cast<long long>(size));
    return 0;
}
