// Writes the demo debug-info file: a version-info line and a few dozen snapshots of every kind of
// section, as the server writes them.
//   make_sample [file, default demo.dbg] [snapshots, default 30]
#include "qvr/memory_qvr_config.h"
#include "rtl/string_list.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// A server configuration as the server writes it: its defaults with a few settings of a real
// site. The operator raised the task limit during the day, so the settings differ between
// snapshots.
std::string SiteConfiguration(int index) {
    TMemoryQVRConfig config;
    config.ReadQVRParameters();
    config.ServerName = "mainbank";
    config.MaxRunTasks = 20 + 5 * (index / 10);
    config.ClientMaxSessions = 500;
    config.CheckForDeadTask = true;
    config.ExecTaskTimeOut = 120;
    config.IntTraceEnabled = index % 2 == 0;
    config.SessionConsts->Add("Branch=01");
    config.RequestAbsentValues->Add("Lang=ru");
    config.WriteQVRParameters();
    return config.CfgFileLines.Text();
}
} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "demo.dbg";
    const int count = argc > 2 ? std::atoi(argv[2]) : 30;
    const std::string build = "2.5.1.7";
    TSampleShape shape = DemoShape();
    TDebugFileWriter file(path);
    file.VersionInfo(SampleKey(0), build);
    for (int i = 0; i < count; ++i) {
        shape.Config = SiteConfiguration(i);
        file.Snapshot(SampleKey(i), build, SampleBlock(i, shape));
    }
    file.Flush();
    std::printf("%s: %d snapshots, %lld bytes\n", path.c_str(), count,
                static_cast<long long>(file.Size()));
    return 0;
}
