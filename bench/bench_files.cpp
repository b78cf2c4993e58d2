#include "bench_files.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/wide_text.h"
#include "rtl/win32_handle.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

std::string BenchFilePath(const std::string& name) {
    return TempDirectory() + name;
}

int WriteRealisticFile(const std::string& path, int64_t sizeMB, const TSampleShape& shape,
                       int firstIndex) {
    TDebugFileWriter file(path);
    file.VersionInfo(SampleKey(firstIndex), "2.5.1.7");
    int count = 0;
    while (file.Size() < sizeMB * 1024 * 1024) {
        const int index = firstIndex + count;
        file.Snapshot(SampleKey(index), "2.5.1.7", SampleBlock(index, shape));
        ++count;
    }
    file.Flush(); // a write that fails must not leave a short file unnoticed
    return count;
}

void WriteSnapshotFile(const std::string& path, int count,
                       const std::function<std::string(int index)>& block) {
    TDebugFileWriter file(path);
    file.VersionInfo(SampleKey(0), "2.5.1.7");
    for (int index = 0; index < count; ++index)
        file.Snapshot(SampleKey(index), "2.5.1.7", block(index));
    file.Flush();
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

TBenchArguments NumberAndPath(int argc, char** argv, int64_t defaultNumber,
                              const std::string& defaultName) {
    TBenchArguments arguments{defaultNumber, ""};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!arg.empty() && std::isdigit(static_cast<unsigned char>(arg[0])))
            arguments.Number = std::atoll(arg.c_str());
        else
            arguments.Path = arg;
    }
    if (arguments.Path.empty())
        arguments.Path = BenchFilePath(defaultName);
    return arguments;
}

long RunThisProgram(const std::string& arguments) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(path, length) + L"\" " + ToWide(arguments);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::fflush(stdout);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    TWin32Handle thread(process.hThread), child(process.hProcess);
    WaitForSingleObject(child.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    return long(code);
}
