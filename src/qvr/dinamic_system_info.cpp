#include "qvr/dinamic_system_info.h"

#include "qvr/text_lines.h"
#include "rtl/published.h"
#include "rtl/strings.h"

const TClassInfo& TDinamicSystemInfo::StaticClassInfo() {
    using T = TDinamicSystemInfo;
    static const TLasting<TClassInfo> info = [] {
        TClassInfo result("TDinamicSystemInfo", &TStoredObject::StaticClassInfo());
        result
            .Integer<T>("TotalAllocatedMemory", &T::TotalAllocatedMemory,
                        &T::SetTotalAllocatedMemory)
            .Integer<T>("SystemMemory", &T::SystemMemory, &T::SetSystemMemory)
            .Integer<T>("VirtualMemory", &T::VirtualMemory, &T::SetVirtualMemory)
            .Integer<T>("RunTasksThreads", &T::RunTasksThreads, &T::SetRunTasksThreads)
            .Integer<T>("OpenSessions", &T::OpenSessions, &T::SetOpenSessions)
            .Integer<T>("LoginUsers", &T::LoginUsers, &T::SetLoginUsers)
            .Integer<T>("Errors", &T::Errors, &T::SetErrors)
            .Integer<T>("WorkThreads", &T::WorkThreads, &T::SetWorkThreads);
        return result;
    }();
    return *info;
}

std::string TDinamicSystemInfo::GetAsString() const {
    return FieldsToString([this](auto&& visit) { VisitFields(*this, visit); });
}

void TDinamicSystemInfo::ReadFromString(std::string_view s, int& pos) {
    FieldsFromString([this](auto&& visit) { VisitFields(*this, visit); }, s, pos);
}

void TDinamicSystemInfo::SetAsDebugString(std::string_view s) {
    static const struct {
        const char* LineName;
        int TDinamicSystemInfo::*Field;
    } counters[] = {
        {"ExecsTasks", &TDinamicSystemInfo::FRunTasksThreads},
        {"Sessions", &TDinamicSystemInfo::FOpenSessions},
        {"Users", &TDinamicSystemInfo::FLoginUsers},
        {"TotalAllocated", &TDinamicSystemInfo::FTotalAllocatedMemory},
        {"GetSystemMemory", &TDinamicSystemInfo::FSystemMemory},
        {"GetVirtualMemory", &TDinamicSystemInfo::FVirtualMemory},
    };
    size_t pos = 0;
    while (pos < s.size()) {
        std::string_view line = TakeLine(s, pos);
        const size_t separator = line.find(": ");
        const std::string_view name = line.substr(0, separator);
        for (const auto& counter : counters)
            if (SameText(name, counter.LineName)) {
                const std::string value(separator == line.npos ? "" : line.substr(separator + 2));
                this->*counter.Field = StrToIntDef(value, 0);
            }
    }
}
