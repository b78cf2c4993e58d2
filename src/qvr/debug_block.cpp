#include "qvr/debug_block.h"

#include "qvr/bll_leak_grouper.h"
#include "qvr/debug_info.h"
#include "qvr/named_list_builder.h"
#include "qvr/snapshot_texts.h"
#include "qvr/text_lines.h"
#include "rtl/strings.h"

#include <algorithm>

namespace {

struct TSectionHeader {
    std::string_view Name;
    int BodyLength = 0;
};

// Taken apart as views of the trimmed line, without copies.
TSectionHeader ReadSectionHeader(std::string_view text) {
    if (text.find(':') != text.npos) {
        const size_t open = text.find(": [");
        text = open == text.npos ? std::string_view() : text.substr(open + 3);
    } else {
        text.remove_prefix(1);
    }
    TSectionHeader header;
    const size_t close = text.find(']');
    header.Name = text.substr(0, close);
    text = close == text.npos ? std::string_view() : text.substr(close + 1);
    header.BodyLength = StrToIntDef(std::string(TrimBlanks(text)), 0);
    return header;
}

int CountWorking(const TObjectList& tasks, int from) {
    int working = 0;
    for (int i = from; i < tasks.Count(); ++i)
        if (static_cast<const TTaskInfo*>(tasks.Items(i))->State != 0)
            ++working;
    return working;
}

void ApplySystemParams(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    di.DSI.SetAsDebugString(body);
}

void ApplyBLLLeakObjectsList(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    di.BLLLeaks.Clear();
    TBLLLeakGrouper grouper(di, texts);
    ForEachStoredItem(body, 1, [&grouper, &texts](std::string_view item) {
        auto record = std::make_unique<TBLLLeakObjectInfo>();
        int pos = 1;
        record->ReadPooled(item, pos, texts.Pool());
        grouper.Add(std::move(record));
    });
    grouper.Finish();
}

// Records end to end, each followed by a CRLF.
void ApplyBLLLeakObjects(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    TBLLLeakGrouper grouper(di, texts);
    int pos = 1;
    while (int64_t(body.size()) > pos) {
        auto record = std::make_unique<TBLLLeakObjectInfo>();
        record->ReadPooled(body, pos, texts.Pool());
        AdvancePos(pos, 2);
        grouper.Add(std::move(record));
    }
    grouper.Finish();
}

// Lines "count|...|name|...".
void ApplySystemLeakObjects(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    TNamedListBuilder leaks(di.SystemLeak, texts, texts.SizeHints.SystemLeaks);
    size_t pos = 0;
    while (pos < body.size()) {
        std::string_view line = TakeLine(body, pos);
        if (TrimBlanks(line).empty())
            continue;
        const int count = StrToIntDef(std::string(TrimBlanks(NextField(line, '|'))), 0);
        NextField(line, '|');
        leaks.Slot(texts.Intern(TrimBlanks(NextField(line, '|')))) = IntToObject(count);
    }
    leaks.Finish();
}

void ApplyDataBaseParams(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    di.DataBaseParams = texts.Intern(body);
}

void ApplyQVRConfig(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    di.QVRConfig = texts.Intern(body);
}

// Adds to the tasks held; WorkThreads counts the working ones of this section only.
void ApplyRunTasks(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    const int first = di.TasksInfo.Count();
    int pos = 1;
    while (int64_t(body.size()) > pos) {
        auto task = std::make_unique<TTaskInfoEx>();
        task->ReadPooled(body, pos, texts.Pool());
        di.TasksInfo.Add(task.get());
        task.release();
    }
    di.DSI.SetWorkThreads(CountWorking(di.TasksInfo, first));
}

void ApplyRunTasksList(std::string_view body, TDebugInfo& di, TSnapshotTexts& texts) {
    StrToObjectList(body, di.TasksInfo, StoredClass<TTaskInfo>, 1, &texts.Pool());
    di.DSI.SetWorkThreads(CountWorking(di.TasksInfo, 0));
}

void ApplySection(std::string_view name, std::string_view body, TDebugInfo& di,
                  TSnapshotTexts& texts) {
    static const struct {
        const char* Name;
        void (*Apply)(std::string_view, TDebugInfo&, TSnapshotTexts&);
    } sections[] = {
        {"SystemParams", ApplySystemParams},
        {"BLLLeakObjectsList", ApplyBLLLeakObjectsList},
        {"BLLLeakObjects", ApplyBLLLeakObjects},
        {"SystemLeakObjects", ApplySystemLeakObjects},
        {"DataBaseParams", ApplyDataBaseParams},
        {"QVRConfig", ApplyQVRConfig},
        {"RunTasks", ApplyRunTasks},
        {"RunTasksList", ApplyRunTasksList},
    };
    for (const auto& section : sections)
        if (SameText(name, section.Name)) {
            section.Apply(body, di, texts);
            return;
        }
}

} // namespace

void ParseDebugBlock(std::string_view data, TDebugInfo& di, TSnapshotTexts& texts) {
    size_t pos = 0;
    while (pos < data.size()) {
        const std::string_view line = TrimBlanks(TakeLine(data, pos));
        if (line.empty() || line[0] != '[')
            continue;
        const TSectionHeader header = ReadSectionHeader(line);
        if (header.BodyLength == 0)
            continue;
        // A negative length gives an empty body.
        const size_t length = std::min(size_t(std::max(header.BodyLength, 0)), data.size() - pos);
        const std::string_view body = data.substr(pos, length);
        pos += length;
        ApplySection(header.Name, body, di, texts);
    }
}
