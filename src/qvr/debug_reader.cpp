#include "qvr/debug_reader.h"

#include "qvr/debug_block.h"
#include "qvr/debug_file_cursor.h"
#include "qvr/debug_header.h"
#include "qvr/read_progress.h"
#include "qvr/snapshot_key.h"
#include "qvr/snapshot_texts.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/format.h"
#include "rtl/lasting.h"
#include "rtl/modality/message_box.h"
#include "rtl/strings.h"
#include "tools/conversions.h"
#include "tools/huge_file.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <new>

TDebugReader* DebugReader = nullptr;

namespace {

// Stays to the program's end: windows that go then may still ask it for snapshots.
TLasting<std::unique_ptr<TDebugReader>> TheDebugReader;

// The block length of a header; 0 stops the reading without a word, a text that is no
// length stops it with a message, so a damaged header cannot hide the rest of the file.
int BlockLength(const std::string& lengthText) {
    const int length = StrToInt(lengthText);
    if (length < 0)
        throw EConvertError(Format("Invalid data block length %d", {length}));
    return length;
}

// Ends the progress display however the reading ends.
class TProgressScope {
public:
    explicit TProgressScope(TReadProgress* progress) : FProgress(progress) {
        if (FProgress)
            FProgress->StartProgress();
    }
    ~TProgressScope() {
        if (FProgress)
            FProgress->EndProgres();
    }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

    void Show(int64_t done, int64_t total) const {
        if (FProgress && total > 0)
            FProgress->Progress(int(Round(double(done) / double(total) * 100)));
    }

private:
    TReadProgress* FProgress;
};

// The reading error and where it stopped. Memory may be short: the text without the position
// is the least that is said.
std::string FailureMessage(std::exception_ptr error, const TDebugFileCursor& cursor) {
    const std::string text = ExceptionMessage(error);
    try {
        return text + "\r\nPosition: " + IntToStr(cursor.CurFilePos()) + "\\" +
               IntToStr(cursor.FileSize()) + "\r\n";
    } catch (const std::bad_alloc&) {
        return text;
    }
}

} // namespace

void InitDebugReader() {
    *TheDebugReader = std::make_unique<TDebugReader>();
    DebugReader = TheDebugReader->get();
}

void DoneDebugReader() {
    DebugReader = nullptr;
    TheDebugReader->reset();
}

TDebugReader::TDebugReader() {
    DebugInfoList.FlagDestroyObject = true;
    DebugInfoList.SetCompareFunc([](TObject* item, const std::string& key) {
        return CompareSnapshotKeys(static_cast<TQZNamedObject*>(item)->Name, key);
    });
    Clear();
}

TDebugReader::~TDebugReader() = default;

void TDebugReader::Clear() {
    FSnapshotsWent = FSnapshotsWent || Count() > 0 || !FReplaced.empty();
    FReplaced.clear();
    DebugInfoList.Clear();
    BuildVersion.clear();
    // A file that changes its build mid-way should not hold the texts of what was dropped.
    if (FTexts) {
        FTexts.reset();
        FTexts = std::make_unique<TSnapshotTexts>(&FTextPool);
    }
    ForgetUnusedTexts();
}

// Only after snapshots went: a look at every text costs a tenth of a reading.
void TDebugReader::ForgetUnusedTexts() {
    if (!FSnapshotsWent)
        return;
    FTextPool.DropUnused();
    FSnapshotsWent = false;
}

TDebugInfo* TDebugReader::AddDebugInfo(const std::string& key) {
    auto di = std::make_unique<TDebugInfo>();
    di->Time = SnapshotKeyTime(key); // raises for a key that is no time stamp: nothing is added
    int index = 0;
    if (DebugInfoList.FindObject(key, index)) {
        TQZNamedObject* item = DebugInfoList.Items(index);
        KeepReplaced(static_cast<TDebugInfo*>(item->Data));
        item->Data = di.get();
    } else {
        DebugInfoList.InsertObject(index, key, di.get());
    }
    return di.release();
}

// A file opened again replaces every snapshot it holds. Freed one by one between the new
// snapshots' allocations, the old ones leave holes in the system heap that each later
// allocation searches, more with every reopening; freed in batches, they leave larger regions
// that the next snapshots fill in turn. A batch is at most a 64th of the store, so the memory
// it holds meanwhile is small beside the store's.
void TDebugReader::KeepReplaced(TDebugInfo* replaced) {
    constexpr int LargestBatch = 256;
    constexpr int StoreShare = 64;
    FReplaced.emplace_back(replaced);
    FSnapshotsWent = true;
    if (int(FReplaced.size()) >= std::clamp(Count() / StoreShare, 1, LargestBatch))
        FReplaced.clear();
}

TDebugInfo* TDebugReader::GetDebugInfo(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return static_cast<TDebugInfo*>(DebugInfoList.GetObjects(index));
}

void TDebugReader::ParseDebugInfoData(std::string_view data, TDebugInfo& di) {
    if (FTexts) {
        ParseDebugBlock(data, di, *FTexts);
        return;
    }
    TSnapshotTexts texts;
    ParseDebugBlock(data, di, texts);
}

void TDebugReader::ReadFile(const std::string& fileName) {
    if (!FileExists(fileName))
        return;
    // A thread sets up its exception state on the heap when it meets its first exception; if
    // that is the out-of-memory of this reading, the runtime cannot and ends the program. So it
    // is set up before the reading can use the memory up.
    // (The store into a volatile keeps the compiler from dropping the call, which it may.)
    volatile int pendingExceptions = std::uncaught_exceptions();
    (void)pendingExceptions;
    std::string failure;
    {
        TProgressScope progress(FProgress);
        TZtHugeFileStream stream(fileName, accRead, hfoBuffered);
        TDebugFileCursor cursor(stream);
        FTexts = std::make_unique<TSnapshotTexts>(&FTextPool);
        // The snapshots keep the texts they took; the tables of names go with the reading.
        struct TTextsScope {
            TDebugReader& Reader;
            ~TTextsScope() {
                Reader.FTexts.reset();
                Reader.FReplaced.clear();
                Reader.ForgetUnusedTexts();
            }
        } textsScope{*this};
        try {
            while (cursor.FileSize() > cursor.CurFilePos()) {
                const int64_t lineStart = cursor.CurFilePos();
                const std::string line = std::string(TrimBlanks(cursor.NextLine()));
                if (cursor.CurFilePos() == lineStart)
                    break; // the file holds fewer bytes than its size says
                if (line.empty())
                    continue;
                progress.Show(cursor.CurFilePos(), cursor.FileSize());
                if (!ReadSnapshot(line, cursor))
                    break;
            }
        } catch (...) {
            failure = FailureMessage(std::current_exception(), cursor);
        }
    }
    // The file is closed before the message waits for the user: the server may write to it.
    if (!failure.empty())
        ShowMessage(failure);
}

bool TDebugReader::ReadSnapshot(const std::string& line, TDebugFileCursor& cursor) {
    const TDebugHeader header = ParseDebugHeader(line);
    if (header.Kind == TDebugHeader::hkNone)
        return true;
    TakeBuildVersion(header.Version);
    if (header.Kind == TDebugHeader::hkVersionInfo)
        return true;
    const int length = BlockLength(header.LengthText);
    if (length == 0)
        return false;
    const std::string_view block = cursor.PeekBlock(length);
    TDebugInfo* di = AddDebugInfo(header.Key);
    try {
        ParseDebugInfoData(block, *di);
    } catch (const std::bad_alloc&) {
        // Half a snapshot would show wrong values, and it holds memory the message needs.
        DropDebugInfo(header.Key);
        throw;
    }
    cursor.IncCurPosition(length);
    return true;
}

void TDebugReader::DropDebugInfo(const std::string& key) {
    int index = 0;
    if (DebugInfoList.FindObject(key, index)) {
        DebugInfoList.Delete(index);
        FSnapshotsWent = true;
    }
}

// A header of another build drops every snapshot held; the next header then names the build.
void TDebugReader::TakeBuildVersion(const std::string& version) {
    if (BuildVersion.empty())
        BuildVersion = version;
    else if (!AnsiSameText(version, BuildVersion))
        Clear();
}
