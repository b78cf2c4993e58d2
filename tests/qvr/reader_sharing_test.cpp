#include "reader_files.h"

#include "qvr/debug_reader.h"
#include "rtl/wide_text.h"
#include "support/child_process.h"
#include "support/debug_file_samples.h"
#include "support/message_capture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

namespace {

int64_t FileSizeOf(const std::string& name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ToWide(name).c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Waits until the file holds at least size bytes; false when that takes far too long.
bool WaitForSize(const std::string& name, int64_t size) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (FileSizeOf(name) < size) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        Sleep(1);
    }
    return true;
}

// A second process appending records to a file until it is stopped.
class TAppender {
public:
    TAppender(const std::string& file, const std::string& mode, int firstIndex)
        : FStopName("qvr_appender_stop_" + std::to_string(GetCurrentProcessId()) + "_" + mode),
          FStop(CreateEventW(nullptr, TRUE, FALSE, ToWide(FStopName).c_str())) {
        std::wstring command =
            ToWide("\"" + ProgramBesideThisOne("debug_file_appender.exe") + "\" \"" + file + "\" " +
                   mode + " " + std::to_string(firstIndex) + " " + FStopName);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        Started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &FProcess);
    }
    ~TAppender() {
        if (Started) {
            Stop();
            CloseHandle(FProcess.hThread);
            CloseHandle(FProcess.hProcess);
        }
        CloseHandle(FStop);
    }
    // The number of appends that failed; -1 when the process does not end.
    int Stop() {
        SetEvent(FStop);
        if (WaitForSingleObject(FProcess.hProcess, 30000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(FProcess.hProcess, &code);
        return int(code);
    }

    bool Started = false;

private:
    std::string FStopName;
    HANDLE FStop;
    PROCESS_INFORMATION FProcess = {};
};

// Holds the reading, with the file open, until the appender has added a few more records.
class TWaitForAppends : public TReadProgress {
public:
    explicit TWaitForAppends(const std::string& file) : FFile(file) {}
    void StartProgress() override {}
    void Progress(int) override {
        if (!FWaited)
            AppendedWhileReading = WaitForSize(FFile, FileSizeOf(FFile) + 8 * PageRecordSize);
        FWaited = true;
    }
    void EndProgres() override {}

    bool AppendedWhileReading = false;

private:
    std::string FFile;
    bool FWaited = false;
};

} // namespace

TEST(ReaderSharing, TheServerAppendsWhileTheFileIsReadAndTheReaderTakesAWholePrefix) {
    const int initial = 300;
    for (const std::string mode : {"hold", "reopen"}) {
        SCOPED_TRACE(mode);
        TTempDebugFile file;
        std::string text;
        for (int i = 0; i < initial; ++i)
            text += PageRecord(i);
        file.Write(text);

        TAppender appender(file.Name(), mode, initial);
        ASSERT_TRUE(appender.Started);
        ASSERT_TRUE(WaitForSize(file.Name(), int64_t(initial + 2) * PageRecordSize));
        TDebugReader reader;
        TWaitForAppends progress(file.Name());
        reader.SetProgress(&progress);
        MessageCapture messages;
        reader.ReadFile(file.Name());
        EXPECT_TRUE(progress.AppendedWhileReading);
        EXPECT_EQ(appender.Stop(), 0); // no append failed
        EXPECT_TRUE(messages.Texts.empty());

        ASSERT_GE(reader.Count(), initial + 2);
        EXPECT_LE(int64_t(reader.Count()) * PageRecordSize, FileSizeOf(file.Name()));
        for (int i = 0; i < reader.Count(); ++i) {
            ASSERT_EQ(reader.DebugInfoList.GetNames(i), SampleKey(i));
            ASSERT_EQ(reader.DebugInfo(i)->DSI.LoginUsers(), i);
        }
    }
}
