#include "reader_files.h"

#include "qvr/debug_reader.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "support/message_capture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

namespace {

// Takes the process's free address space but about leave bytes, until it goes.
class TAddressSpaceTaken {
public:
    explicit TAddressSpaceTaken(size_t leave) {
        for (size_t size = size_t(256) << 20; size >= (size_t(1) << 20); size /= 2)
            while (void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                FBlocks.push_back({block, size});
        // The smallest pieces came last; giving them back leaves scattered room, as a long run
        // of a program does.
        for (size_t given = 0; given < leave && !FBlocks.empty(); FBlocks.pop_back()) {
            given += FBlocks.back().second;
            VirtualFree(FBlocks.back().first, 0, MEM_RELEASE);
        }
    }
    ~TAddressSpaceTaken() {
        for (const auto& block : FBlocks)
            VirtualFree(block.first, 0, MEM_RELEASE);
    }
    TAddressSpaceTaken(const TAddressSpaceTaken&) = delete;
    TAddressSpaceTaken& operator=(const TAddressSpaceTaken&) = delete;

private:
    std::vector<std::pair<void*, size_t>> FBlocks;
};

} // namespace

// A snapshot of its own 200 KB of database parameters, which no other snapshot shares.
std::string Params(int index) {
    return std::to_string(index) + std::string(200000, char('a' + index % 26));
}

std::string CountersAndParams(int index) {
    TDinamicSystemInfo counters;
    counters.SetLoginUsers(index);
    return TDebugBlockWriter()
        .Section("SystemParams", SystemParamsBody(counters))
        .Section("DataBaseParams", Params(index))
        .Data();
}

TEST(ReaderMemory, RunningOutOfMemoryEndsTheReadingWithItsMessageAndKeepsWholeSnapshots) {
    TDebugFileWriter writer;
    const int total = 400; // 80 MB to hold, twice the room left
    for (int i = 0; i < total; ++i)
        writer.Snapshot(SampleKey(i), "2.5.1.7", CountersAndParams(i));
    TTempDebugFile file(writer.Text());

    TDebugReader reader;
    MessageCapture messages;
    {
        TAddressSpaceTaken taken(size_t(40) << 20);
        // A thread of its own: its first exception is the out-of-memory itself.
        std::thread reading([&] { reader.ReadFile(file.Name()); });
        reading.join();
    }
    ASSERT_EQ(messages.Texts.size(), 1u);
    const std::string expected = "Out of memory\r\nPosition: ";
    EXPECT_EQ(messages.Texts[0].substr(0, expected.size()), expected) << messages.Texts[0];
    ASSERT_GT(reader.Count(), 0);
    ASSERT_LT(reader.Count(), total);
    for (int i = 0; i < reader.Count(); ++i) {
        const TDebugInfo& kept = *reader.DebugInfo(i);
        ASSERT_EQ(reader.DebugInfoList.GetNames(i), SampleKey(i));
        ASSERT_EQ(kept.DSI.LoginUsers(), i);
        ASSERT_EQ(kept.DataBaseParams, Params(i)) << i;
    }
}
