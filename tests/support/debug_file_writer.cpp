#include "support/debug_file_writer.h"

#include "qvr/buf_tools.h"
#include "rtl/date_time.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/wide_text.h"

#include <windows.h>

namespace {

const char CRLF[] = "\r\n";

void AppendString(std::string& buf, const std::string& s) {
    int pos = int(buf.size()) + 1;
    WriteString(s, buf, pos, true);
    buf.resize(size_t(pos - 1));
}

void AppendInt(std::string& buf, int value) {
    int pos = int(buf.size()) + 1;
    const int32_t v = value;
    WriteData(&v, IntegerSize, buf, true, pos);
    buf.resize(size_t(pos - 1));
}

std::string ListItems(const std::vector<std::string>& records) {
    std::string body;
    for (const std::string& record : records)
        AppendString(body, record);
    return body;
}

template <class Record>
std::vector<std::string> AsStrings(const std::vector<const Record*>& records) {
    std::vector<std::string> result;
    for (const Record* record : records)
        result.push_back(record->AsString());
    return result;
}

} // namespace

std::string SystemParamsBody(const TDinamicSystemInfo& c) {
    const std::pair<const char*, int> lines[] = {{"ExecsTasks", c.RunTasksThreads()},
                                                 {"Sessions", c.OpenSessions()},
                                                 {"Users", c.LoginUsers()},
                                                 {"TotalAllocated", c.TotalAllocatedMemory()},
                                                 {"GetSystemMemory", c.SystemMemory()},
                                                 {"GetVirtualMemory", c.VirtualMemory()}};
    std::string body;
    for (const auto& [name, value] : lines)
        body += std::string(name) + ": " + std::to_string(value) + CRLF;
    return body;
}

std::string BLLLeakObjectsListBody(const std::vector<const TBLLLeakObjectInfo*>& records) {
    return ListItems(AsStrings(records));
}

std::string BLLLeakObjectsBody(const std::vector<const TBLLLeakObjectInfo*>& records) {
    std::string body;
    for (const std::string& record : AsStrings(records))
        body += record + CRLF;
    return body;
}

std::string SystemLeakObjectsBody(const std::vector<std::pair<int, std::string>>& leaks) {
    std::string body;
    for (const auto& [count, name] : leaks)
        body += std::to_string(count) + "|object|" + name + "|" + CRLF;
    return body;
}

std::string RunTasksListBody(const std::vector<const TTaskInfo*>& tasks) {
    return ListItems(AsStrings(tasks));
}

std::string RunTasksRecord(const TTaskInfo& t, TTaskForm form) {
    std::string buf;
    AppendInt(buf, t.ThreadAddress);
    for (const std::string* s : {&t.ThreadID, &t.CreateTime.str(), &t.Task.str(),
                                 &t.WorkingTaskTime, &t.PositionID, &t.Stack.str(), &t.BMSessionID})
        AppendString(buf, *s);
    AppendInt(buf, t.State);
    AppendString(buf, t.InfoStr);
    AppendString(buf, t.ConnectionStatus);
    if (form == TTaskForm::Crypto) {
        AppendString(buf, t.SignCryptoParams);
        AppendString(buf, t.CheckSignCryptoParams);
    }
    if (form != TTaskForm::Short)
        AppendInt(buf, t.HugeTask ? 1 : 0);
    if (form != TTaskForm::Crypto)
        buf += CRLF;
    return buf;
}

TDebugBlockWriter& TDebugBlockWriter::Section(const std::string& name, const std::string& body) {
    return RawSection("[" + name + "] " + std::to_string(body.size()), body);
}

TDebugBlockWriter& TDebugBlockWriter::StampedSection(const std::string& name,
                                                     const std::string& body) {
    return RawSection("[10:00:00.123] DebugInfo: [" + name + "] " + std::to_string(body.size()),
                      body);
}

TDebugBlockWriter& TDebugBlockWriter::RawSection(const std::string& headerLine,
                                                 const std::string& body) {
    FData += headerLine + CRLF + body + CRLF;
    return *this;
}

TDebugBlockWriter& TDebugBlockWriter::Line(const std::string& text) {
    FData += text + CRLF;
    return *this;
}

// A file written through a buffer of its own, so large files cost little memory.
class TDebugFileWriter::TOutput {
public:
    explicit TOutput(const std::string& fileName)
        : FName(fileName), FHandle(CreateFileW(ToWide(fileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EInOutError("Cannot create " + fileName, int(GetLastError()));
    }
    ~TOutput() {
        try {
            Flush();
        } catch (const Exception&) {
        }
        CloseHandle(FHandle);
    }
    void Write(const std::string& bytes) {
        FPending += bytes;
        if (FPending.size() >= (1u << 20))
            Flush();
    }
    void Flush() {
        DWORD written = 0;
        if (!FPending.empty() &&
            (!WriteFile(FHandle, FPending.data(), DWORD(FPending.size()), &written, nullptr) ||
             written != FPending.size()))
            throw EInOutError("Cannot write " + FName, int(GetLastError()));
        FPending.clear();
    }

private:
    std::string FName;
    HANDLE FHandle;
    std::string FPending;
};

TDebugFileWriter::TDebugFileWriter() = default;

TDebugFileWriter::TDebugFileWriter(const std::string& fileName)
    : FOutput(std::make_unique<TOutput>(fileName)) {}

TDebugFileWriter::~TDebugFileWriter() = default;

TDebugFileWriter& TDebugFileWriter::Snapshot(const std::string& key, const std::string& build,
                                             const std::string& block) {
    HeaderLine("[" + key + "] QVR Server Version: " + build + " DebugData " +
               std::to_string(block.size()));
    return Raw(block);
}

TDebugFileWriter& TDebugFileWriter::HeaderLine(const std::string& line) {
    return Line(line);
}

TDebugFileWriter& TDebugFileWriter::VersionInfo(const std::string& key, const std::string& build) {
    return Line("[" + key + "] QVR Server VersionInfo\\Version: " + build);
}

TDebugFileWriter& TDebugFileWriter::Line(const std::string& text) {
    return Raw(text + CRLF);
}

TDebugFileWriter& TDebugFileWriter::Raw(const std::string& bytes) {
    if (FOutput)
        FOutput->Write(bytes);
    else
        FText += bytes;
    FSize += int64_t(bytes.size());
    return *this;
}

void TDebugFileWriter::Flush() {
    if (FOutput)
        FOutput->Flush();
}

void SaveDebugFile(const std::string& fileName, const std::string& text) {
    WriteWholeFile(fileName, text);
}
