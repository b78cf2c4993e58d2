#pragma once
#include "qvr/bll_leak_object_info.h"
#include "qvr/dinamic_system_info.h"
#include "qvr/task_info.h"
#include "rtl/date_time.h"
#include "rtl/lists.h"
#include "tools/sorted_lists.h"

#include <memory>
#include <string>

// The kind of data a window shows; the value accessor and drag and drop carry it.
enum TDebugInfoObgect {
    dioUnknown,
    dioDinamicSystemInfo,
    dioSystemLeak,
    dioBLLLeak,
    dioDataBaseParams,
    dioQVRConfig,
    dioTasksThreads
};

// One snapshot of the server.
class TDebugInfo : public TObject {
public:
    TDebugInfo();

    // Files the record under its class name and then its stack text (see TBLLLeakGrouper).
    void AddBLLLeak(std::unique_ptr<TBLLLeakObjectInfo> record);
    TTaskInfo* Task(int index) const { return static_cast<TTaskInfo*>(TasksInfo.Items(index)); }

    TDateTime Time = 0; // decoded from the key
    TDinamicSystemInfo DSI;
    // Leaked system object name -> its count, held as an integer in the object slot.
    TQZSortedNamedObjects SystemLeak;
    // Class name -> (stack text -> owning TObjectList of TBLLLeakObjectInfo).
    TQZSortedNamedObjects BLLLeaks;
    // Both texts change seldom: snapshots read from one file share them.
    TSharedText DataBaseParams;
    TSharedText QVRConfig; // the server configuration as INI text
    TObjectList TasksInfo; // TTaskInfo records, owned
};
