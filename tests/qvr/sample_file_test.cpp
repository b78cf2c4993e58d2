#include "reader_files.h"

#include "qvr/debug_reader.h"
#include "qvr/task_info.h"
#include "rtl/file_io.h"
#include "support/child_process.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "support/temp_folder.h"
#include "tools/conversions.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

// The demo file is read to show the tasks window: its threads must have been made before the
// snapshots that list them, and a connection must outlive a snapshot so that its tab can be
// followed from one to the next.
TEST(SampleFile, ThreadsAreOlderThanTheirSnapshotsAndConnectionsLast) {
    const TSampleShape shape = DemoShape();
    const int count = 30;
    TDebugFileWriter writer;
    for (int i = 0; i < count; ++i)
        writer.Snapshot(SampleKey(i), "2.5.1.7", SampleBlock(i, shape));
    TTempDebugFile file(writer.Text());
    TDebugReader reader;
    reader.ReadFile(file.Name());
    ASSERT_EQ(reader.Count(), count);

    std::vector<std::set<std::string>> connections(count);
    std::map<intptr_t, std::string> connectionOfThread, createdOfThread;
    int threadsSeenAgain = 0;
    for (int i = 0; i < count; ++i) {
        const TDebugInfo& di = *reader.DebugInfo(i);
        ASSERT_EQ(di.TasksInfo.Count(), shape.Tasks);
        for (int t = 0; t < di.TasksInfo.Count(); ++t) {
            const TTaskInfo& task = *di.Task(t);
            const TDateTime created = QZDateStrToDateTime(task.CreateTime);
            EXPECT_GT(created, 0) << task.CreateTime;
            EXPECT_LT(created, di.Time) << task.CreateTime << " listed at " << SampleKey(i);
            connections[size_t(i)].insert(task.InfoStr);
            // A thread keeps its connection and its creation time.
            auto [known, added] = connectionOfThread.emplace(task.ThreadAddress, task.InfoStr);
            if (!added) {
                ++threadsSeenAgain;
                EXPECT_EQ(known->second, task.InfoStr);
                EXPECT_EQ(createdOfThread[task.ThreadAddress], task.CreateTime);
            }
            createdOfThread[task.ThreadAddress] = task.CreateTime;
        }
    }
    EXPECT_GT(threadsSeenAgain, count * shape.Tasks / 2);
    int changes = 0;
    for (int i = 1; i < count; ++i) {
        const std::set<std::string>& before = connections[size_t(i - 1)];
        const std::set<std::string>& now = connections[size_t(i)];
        int shared = 0;
        for (const std::string& c : now)
            shared += int(before.count(c));
        EXPECT_GT(shared, 0) << "no connection lasts into snapshot " << i;
        changes += before != now;
    }
    EXPECT_GT(changes, 0) << "connections never come or go";
    EXPECT_GT(connections[0].size(), 1u) << "one connection shows no tabs";
}

// make_sample is in the README, so people run it with whatever they type.
TEST(SampleFile, MakeSampleRefusesBadArgumentsAndKeepsTheFileThatWasThere) {
    TempFolder folder;
    const std::string program = "\"" + ProgramBesideThisOne("..\\samples\\make_sample.exe") + "\"";
    const std::string existing = folder.File("x.dbg");
    WriteWholeFile(existing, "kept");
    for (const std::string count : {"abc", "-5", "0", "3x", "\"\""}) {
        const ProgramRun run = RunProgram(program + " \"" + existing + "\" " + count);
        EXPECT_GT(run.ExitCode, 0) << count;
        EXPECT_EQ(run.StandardError.rfind("usage: make_sample [file", 0), 0u) << count;
        EXPECT_EQ(ReadWholeFile(existing), "kept") << count;
    }

    // Help goes to the standard output; an unknown option is refused. Neither writes a file.
    for (const std::string option : {"-h", "--help", "-x", "--count"}) {
        const ProgramRun run = RunProgram(program + " " + option, folder.Path());
        const bool help = option == "-h" || option == "--help";
        EXPECT_EQ(run.ExitCode, help ? 0 : 2) << option;
        const std::string& usage = help ? run.StandardOutput : run.StandardError;
        EXPECT_NE(usage.find("usage: make_sample [file"), std::string::npos) << option;
        EXPECT_EQ((help ? run.StandardError : run.StandardOutput), "") << option;
        EXPECT_FALSE(FileExists(folder.File(option))) << option;
        EXPECT_FALSE(FileExists(folder.File("demo.dbg"))) << option;
    }

    const std::string unreachable = folder.File("missing\\dir\\x.dbg");
    const ProgramRun refused = RunProgram(program + " \"" + unreachable + "\" 3");
    EXPECT_GT(refused.ExitCode, 0);
    const std::string named = "make_sample: cannot write " + unreachable + ": ";
    ASSERT_EQ(refused.StandardError.rfind(named, 0), 0u) << refused.StandardError;
    // One line, with the system's reason after the name.
    EXPECT_GT(refused.StandardError.size(), named.size() + 1);
    EXPECT_EQ(refused.StandardError.find('\n'), refused.StandardError.size() - 1);

    // A good count replaces the file whole; leaving it out writes the default 30.
    for (const auto& [count, snapshots] : {std::pair{" 3", 3}, std::pair{"", 30}}) {
        EXPECT_EQ(RunProgram(program + " \"" + existing + "\"" + count).ExitCode, 0);
        TDebugReader reader;
        reader.ReadFile(existing);
        EXPECT_EQ(reader.Count(), snapshots);
        EXPECT_FALSE(FileExists(existing + ".part"));
    }
}
