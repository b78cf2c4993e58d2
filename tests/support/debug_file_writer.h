#pragma once
#include "qvr/bll_leak_object_info.h"
#include "qvr/dinamic_system_info.h"
#include "qvr/task_info.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Writes debug-info files the way the server does: header lines with a key, a build and the
// length of the block that follows, blocks of named sections, version-info lines, and whatever
// else a test wants in between. Free of the test framework, so benchmarks can use it too.

// The bodies of the sections.
// The six counters that have a line ("Users: 12").
std::string SystemParamsBody(const TDinamicSystemInfo& counters);
// Items of a 4-byte length and one record each.
std::string BLLLeakObjectsListBody(const std::vector<const TBLLLeakObjectInfo*>& records);
// Records end to end, each followed by CRLF.
std::string BLLLeakObjectsBody(const std::vector<const TBLLLeakObjectInfo*>& records);
// Lines "count|kind|name|".
std::string SystemLeakObjectsBody(const std::vector<std::pair<int, std::string>>& leaks);
std::string RunTasksListBody(const std::vector<const TTaskInfo*>& tasks);

// The three forms of a running-tasks record: the head fields and a CRLF; the head, the
// huge-task flag and a CRLF; the head, the crypto parameters and the flag.
enum class TTaskForm { Short, HugeFlag, Crypto };
std::string RunTasksRecord(const TTaskInfo& task, TTaskForm form);

// One block: section lines and bodies, each body followed by CRLF.
class TDebugBlockWriter {
public:
    // "[Name] M" as the server writes most sections.
    TDebugBlockWriter& Section(const std::string& name, const std::string& body);
    // "[10:00:00.123] DebugInfo: [Name] M", the form with a time stamp in front.
    TDebugBlockWriter& StampedSection(const std::string& name, const std::string& body);
    // A section line exactly as given, then body bytes and CRLF.
    TDebugBlockWriter& RawSection(const std::string& headerLine, const std::string& body);
    TDebugBlockWriter& Line(const std::string& text); // any line, CRLF added
    const std::string& Data() const { return FData; }

private:
    std::string FData;
};

// A whole file, kept in memory or, when given a file name, written straight to the file.
class TDebugFileWriter {
public:
    TDebugFileWriter();
    explicit TDebugFileWriter(const std::string& fileName);
    ~TDebugFileWriter();

    // "[key] QVR Server Version: build DebugData N", CRLF, the N bytes of the block.
    TDebugFileWriter& Snapshot(const std::string& key, const std::string& build,
                               const std::string& block);
    // A header line as given (the caller writes the block bytes with Raw).
    TDebugFileWriter& HeaderLine(const std::string& line);
    // "[key] QVR Server VersionInfo\Version: build".
    TDebugFileWriter& VersionInfo(const std::string& key, const std::string& build);
    TDebugFileWriter& Line(const std::string& text); // CRLF added
    TDebugFileWriter& Raw(const std::string& bytes);

    // What was written so far (memory mode only).
    const std::string& Text() const { return FText; }
    int64_t Size() const { return FSize; }
    // Writes what is pending to the file.
    void Flush();

private:
    class TOutput;
    std::unique_ptr<TOutput> FOutput;
    std::string FText;
    int64_t FSize = 0;
};

// Writes text to a file, replacing it.
void SaveDebugFile(const std::string& fileName, const std::string& text);
