#pragma once
#include "qvr/debug_info.h"
#include "viewer/leak_rate.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TDebugReader;
class TTaskInfo;

// The arithmetic of the tree windows, apart from the windows: what a row shows for the current
// snapshot and the interval, and how a row finds its data again. Rows never hold pointers into
// snapshots, since a read may replace or free them; they keep a snapshot key and a path or a
// thread address and look them up when used.

// The counters' names in name order, as their rows are listed.
std::vector<std::string> CounterNames();

// The value of path in di as decimal text; '' without a snapshot.
std::string DebugValueText(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* di);

// Start value, end value and their difference; all '' when neither end has a snapshot (a
// missing end counts 0).
struct TIntervalTexts {
    std::string Start, End, Delta;
};
TIntervalTexts IntervalTexts(TDebugInfoObgect kind, const std::string& path, const TDebugInfo* s,
                             const TDebugInfo* e);

// An interval at 0..0 is the one before any was set: it shows nothing.
inline bool IntervalUnset(int start, int end) {
    return start == 0 && end == 0;
}

// The growth rates of system leaks by name over the snapshots start..end of the store (a name
// that a snapshot lacks counts 0 there); none when an end has no snapshot or the interval has no
// time span. Each snapshot's list is walked, not searched per name, as a leak window may hold
// thousands of names over an interval of thousands of snapshots.
std::vector<std::optional<double>>
LeakRates(const TDebugReader& reader, const std::vector<std::string>& names, int start, int end);
// The same for count rows, which rowsOf finds for the entries of a snapshot's list of system
// leaks: the row of each entry, NoLeakRow for an entry without one. Takes time in proportion
// to the entries of the interval's lists, beside the rows.
constexpr size_t NoLeakRow = size_t(-1);
using TLeakListRows = std::function<const std::vector<size_t>&(const TQZSortedNamedObjects&)>;
std::vector<std::optional<double>> LeakRates(const TDebugReader& reader, size_t count, int start,
                                             int end, const TLeakListRows& rowsOf);

// The key of the snapshot at index ('' outside the store) and the snapshot under a key
// (nullptr when it is gone).
std::string SnapshotKeyAt(const TDebugReader& reader, int index);
const TDebugInfo* SnapshotByKey(const TDebugReader& reader, const std::string& key);

// What a business-logic-leak path names in a snapshot: a class's stack list ("Class") or a
// stack's list of records ("Class\stack text"); nullptr when absent.
const TObject* BLLLeakListAt(const TDebugInfo* di, const std::string& path);

// The running task of a snapshot with that thread address; nullptr when there is none.
const TTaskInfo* TaskByAddress(const TDebugInfo* di, intptr_t threadAddress);

// The tasks window's columns of a task, after its thread id: create time, task, working time,
// position and connection status.
std::vector<std::string> TaskColumnTexts(const TTaskInfo& task);

// The details of one task row: "header: cell" lines for the row's text and its column texts
// (as many as the row has), the stack, then the crypto parameters that are set.
std::string TaskDetailText(const std::vector<std::string>& headers, const std::string& rowText,
                           const std::vector<std::string>& columnTexts, const TTaskInfo& task);
