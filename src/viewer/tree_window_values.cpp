#include "viewer/tree_window_values.h"

#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "qvr/task_info.h"
#include "rtl/published.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"

#include <algorithm>
#include <unordered_map>

std::vector<std::string> CounterNames() {
    std::vector<std::string> names;
    for (const TPropInfo* prop : TDinamicSystemInfo::StaticClassInfo().Properties())
        if (prop->Kind == TPropKind::Integer)
            names.push_back(prop->Name);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    return names;
}

std::string DebugValueText(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* di) {
    if (!di)
        return std::string();
    return IntToStr(GetDebugValue(kind, path, di).AsInteger());
}

TIntervalTexts IntervalTexts(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* s,
                             const TDebugInfo* e) {
    if (!s && !e)
        return {};
    const int64_t start = GetDebugValue(kind, path, s).AsInteger();
    const int64_t end = GetDebugValue(kind, path, e).AsInteger();
    return {IntToStr(start), IntToStr(end), IntToStr(end - start)};
}

std::vector<std::optional<double>> LeakRates(const TDebugReader& reader, size_t count, int start,
                                             int end, const TLeakListRows& rowsOf) {
    if (!reader.GetDebugInfo(start) || !reader.GetDebugInfo(end) || start > end)
        return std::vector<std::optional<double>>(count);
    std::vector<TDateTime> times;
    for (int i = start; i <= end; ++i)
        times.push_back(reader.GetDebugInfo(i)->Time);
    return CalcRates(count, times, [&](size_t i, const auto& add) {
        const TQZSortedNamedObjects& leaks = reader.GetDebugInfo(start + int(i))->SystemLeak;
        const std::vector<size_t>& rows = rowsOf(leaks);
        for (int j = 0; j < leaks.Count(); ++j)
            if (rows[size_t(j)] != NoLeakRow)
                add(rows[size_t(j)], int64_t(ObjectToInt(leaks.Objects(j))));
    });
}

std::vector<std::optional<double>>
LeakRates(const TDebugReader& reader, const std::vector<std::string>& names, int start, int end) {
    std::unordered_map<std::string, size_t> places;
    for (size_t k = 0; k < names.size(); ++k)
        places.emplace(AnsiUpperCase(names[k]), k);
    std::vector<size_t> rows;
    return LeakRates(reader, names.size(), start, end,
                     [&](const TQZSortedNamedObjects& leaks) -> const std::vector<size_t>& {
                         rows.assign(size_t(leaks.Count()), NoLeakRow);
                         for (int i = 0; i < leaks.Count(); ++i) {
                             auto place = places.find(AnsiUpperCase(leaks.Names(i)));
                             if (place != places.end())
                                 rows[size_t(i)] = place->second;
                         }
                         return rows;
                     });
}

std::string SnapshotKeyAt(const TDebugReader& reader, int index) {
    if (!reader.GetDebugInfo(index))
        return std::string();
    return reader.DebugInfoList.Names(index);
}

const TDebugInfo* SnapshotByKey(const TDebugReader& reader, const std::string& key) {
    int index = -1;
    if (key.empty() || !reader.DebugInfoList.FindObject(key, index))
        return nullptr;
    return reader.GetDebugInfo(index);
}

const TObject* BLLLeakListAt(const TDebugInfo* di, const std::string& path) {
    if (!di)
        return nullptr;
    const TObject* current = &di->BLLLeaks;
    std::string rest = path;
    while (!rest.empty()) {
        auto list = dynamic_cast<const TQZSortedNamedObjects*>(current);
        if (!list)
            break;
        const size_t slash = rest.find('\\');
        const std::string name = rest.substr(0, slash);
        rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        current = list->ObjectByName(name);
        if (!current)
            return nullptr;
    }
    return current;
}

const TTaskInfo* TaskByAddress(const TDebugInfo* di, intptr_t threadAddress) {
    if (!di)
        return nullptr;
    for (int i = 0; i < di->TasksInfo.Count(); ++i) {
        const TTaskInfo* task = di->Task(i);
        if (task && task->ThreadAddress == threadAddress)
            return task;
    }
    return nullptr;
}

std::vector<std::string> TaskColumnTexts(const TTaskInfo& task) {
    return {task.CreateTime, task.Task, task.WorkingTaskTime, task.PositionID,
            task.ConnectionStatus};
}

std::string TaskDetailText(const std::vector<std::string>& headers, const std::string& rowText,
                           const std::vector<std::string>& columnTexts, const TTaskInfo& task) {
    std::string text;
    for (size_t i = 0; i < headers.size(); ++i) {
        if (i == 0)
            text += headers[i] + ": " + rowText + "\r\n";
        else if (i - 1 < columnTexts.size())
            text += headers[i] + ": " + columnTexts[i - 1] + "\r\n";
        else
            break;
    }
    text += "Stack: \r\n" + task.Stack;
    // The crypto parameters come as lines of their own after the text, as the memo adds them.
    TStringList lines;
    lines.SetText(text);
    if (!task.SignCryptoParams.empty())
        lines.Add("SignCryptoParams: \r\n" + task.SignCryptoParams);
    if (!task.CheckSignCryptoParams.empty())
        lines.Add("CheckSignCryptoParams: \r\n" + task.CheckSignCryptoParams);
    return lines.Text();
}
