#pragma once
#include "qvr/read_progress.h"

#include <string>
#include <vector>

// A debug-info file in the temporary folder, removed when the test is done.
class TTempDebugFile {
public:
    TTempDebugFile();
    explicit TTempDebugFile(const std::string& text);
    ~TTempDebugFile();
    TTempDebugFile(const TTempDebugFile&) = delete;
    TTempDebugFile& operator=(const TTempDebugFile&) = delete;

    const std::string& Name() const { return FName; }
    void Write(const std::string& text) const;

private:
    std::string FName;
};

// Keeps what the reader showed of its progress: "start", the percentages, "end".
class TProgressRecorder : public TReadProgress {
public:
    void StartProgress() override { Calls.push_back("start"); }
    void Progress(int percent) override { Calls.push_back(std::to_string(percent)); }
    void EndProgres() override { Calls.push_back("end"); }

    std::vector<std::string> Calls;
};
