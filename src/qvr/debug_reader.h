#pragma once
#include "qvr/debug_info.h"
#include "rtl/text_pool.h"
#include "tools/sorted_lists.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TDebugFileCursor;
class TReadProgress;
class TSnapshotTexts;

// Every snapshot read, by key, and the reader of debug-info files. The position of a snapshot
// in DebugInfoList is its index everywhere; the list runs in the order of the time its key
// names, keys of the same time in the order of their bytes.
class TDebugReader : public TObject {
public:
    TDebugReader();
    ~TDebugReader() override;

    // Frees every snapshot and forgets the build.
    void Clear();
    // A new empty snapshot under key, its Time taken from the key; one under the same key is
    // replaced. A key that is no time stamp raises EConvertError and adds nothing.
    TDebugInfo* AddDebugInfo(const std::string& key);
    int GetCount() const { return DebugInfoList.Count(); }
    int Count() const { return GetCount(); }
    // nullptr outside 0 .. Count - 1.
    TDebugInfo* GetDebugInfo(int index) const;
    TDebugInfo* DebugInfo(int index) const { return GetDebugInfo(index); }

    // Reads one file into the store. A missing file is ignored; a file that cannot be opened
    // raises; any other failure stops the reading with a message that names the position, and
    // what was read stays.
    void ReadFile(const std::string& fileName);
    void ParseDebugInfoData(std::string_view data, TDebugInfo& di);

    // Where the reading shows its progress; nothing is shown without one.
    void SetProgress(TReadProgress* value) { FProgress = value; }

    std::string BuildVersion;            // build of the snapshots held; '' when none is known
    TQZSortedNamedObjects DebugInfoList; // key -> TDebugInfo, owned

private:
    // Takes one non-empty line outside the blocks; false ends the reading.
    bool ReadSnapshot(const std::string& line, TDebugFileCursor& cursor);
    void TakeBuildVersion(const std::string& version);
    void DropDebugInfo(const std::string& key);
    void KeepReplaced(TDebugInfo* replaced);
    // Lets go of the texts of the snapshots that went since the last time.
    void ForgetUnusedTexts();

    TReadProgress* FProgress = nullptr;
    // The texts the snapshots hold, one copy of each, also between readings: a file opened
    // again then takes the texts its snapshots hold already instead of new copies, so the
    // texts do not come and go, one by one, between the new snapshots' allocations.
    TTextPool FTextPool;
    bool FSnapshotsWent = false; // whose texts FTextPool may be the last to hold
    // The names and keys that the snapshots of the file being read share; none between reads.
    std::unique_ptr<TSnapshotTexts> FTexts;
    // Snapshots that a reading replaced, freed together (see KeepReplaced).
    std::vector<std::unique_ptr<TDebugInfo>> FReplaced;
};

// The program's one store; InitDebugReader creates it at start-up, DoneDebugReader frees it
// with every snapshot.
extern TDebugReader* DebugReader;
void InitDebugReader();
void DoneDebugReader();
