#include "tools/huge_file.h"

#include "rtl/file_io.h"
#include "rtl/format.h"
#include "rtl/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t NoBufferingFlag = 0x20000000;
constexpr uint32_t ShareModeFromAccess = 0xFFFF;
constexpr uint32_t DefaultBufferSize = 65536;

enum TErrorCode {
    ecWin32 = 1001,
    ecWin32Unknown = 1002,
    ecBlockSize = 1003,
    ecNotOpen = 1004,
    ecNoBuffer = 1005,
    ecWriteWhileReading = 1006,
    ecReadWhileWriting = 1007,
    ecInvalidMode = 1010,
};

// "<class>.<method>(<file>) failed. " and the system's reason; code 1002 when it gave none.
template <class E>
[[noreturn]] void ThrowWin32(const std::string& className, const std::string& methodName,
                             const std::string& fileName, uint32_t error) {
    const std::string text = Format("%s.%s(%s) failed. ", {className, methodName, fileName});
    if (error == 0)
        throw E(text + "A Win32 API function failed", ecWin32Unknown);
    throw E(text + Format("Win32 Error.  Code: %d.\n%s", {error, SysErrorMessage(error)}), ecWin32);
}

bool IsLockError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// A timeout of 0 is up at once; unsigned arithmetic covers a wrap of the tick counter.
bool RetryTimeIsUp(DWORD start, uint32_t timeout) {
    return GetTickCount() - start >= timeout;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
    int year, month, day, hour, minute, second, msec;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    SYSTEMTIME t = {};
    t.wYear = WORD(year);
    t.wMonth = WORD(month);
    t.wDay = WORD(day);
    t.wHour = WORD(hour);
    t.wMinute = WORD(minute);
    t.wSecond = WORD(second);
    t.wMilliseconds = WORD(msec);
    return t;
}

} // namespace

TZtHugeFile::TZtHugeFile(const std::string& fileName, uint32_t flagsAndAttributes,
                         uint32_t desiredAccess, uint32_t desiredShareMode) {
    hfDesiredAcc = desiredAccess;
    hfDesiredShareMode = desiredShareMode;
    hfFlagNoBuf = (flagsAndAttributes & NoBufferingFlag) != 0;
    hfFlags = flagsAndAttributes;
    hfName = fileName;
}

TZtHugeFile::~TZtHugeFile() {
    // A destructor cannot report a failed last write; callers that care call Close first.
    try {
        Close();
    } catch (...) {
    }
}

void TZtHugeFile::Fail(int code, const std::string& text) const {
    throw EZtHugeFile(Format("TZtHugeFile(%s):%s", {hfName, text}), code);
}

void TZtHugeFile::FailWin32(const std::string& methodName, uint32_t error) {
    hfWindowsError = error;
    ThrowWin32<EZtHugeFile>("TZtHugeFile", methodName, hfName, error);
}

void TZtHugeFile::Win32Check(bool condition, const std::string& methodName) {
    if (!condition)
        FailWin32(methodName, GetLastError());
}

void TZtHugeFile::SetBlockSize(uint32_t blockSize) {
    if (blockSize == 0)
        Fail(ecBlockSize, "BlockSize must be greater than zero!");
    hfBlockSize = blockSize;
}

void TZtHugeFile::CheckHandle() {
    if (!hfHandle.Valid())
        Fail(ecNotOpen, "File not open!");
}

THugeFileResult TZtHugeFile::ResetEx(uint32_t blockSize, uint32_t bufferSize,
                                     uint32_t diskLockTimeout, THugeFileOptions options,
                                     uint32_t diskRetryDelay, void* waitObject) {
    return Open(true, blockSize, bufferSize, diskLockTimeout, options, diskRetryDelay, waitObject);
}

THugeFileResult TZtHugeFile::RewriteEx(uint32_t blockSize, uint32_t bufferSize,
                                       uint32_t diskLockTimeout, THugeFileOptions options,
                                       uint32_t diskRetryDelay, void* waitObject) {
    return Open(false, blockSize, bufferSize, diskLockTimeout, options, diskRetryDelay, waitObject);
}

THugeFileResult TZtHugeFile::Open(bool reading, uint32_t blockSize, uint32_t bufferSize,
                                  uint32_t diskLockTimeout, THugeFileOptions options,
                                  uint32_t diskRetryDelay, void* waitObject) {
    hfWindowsError = 0;
    if (hfIsOpen && hfCloseOnEOF)
        Close();
    if (hfIsOpen) {
        FreeBuffer();
        hfBuffered = false;
        _Seek(0, true);
        if (!reading)
            Truncate();
    }
    hfBuffered = (options & hfoBuffered) != 0;
    hfCloseOnEOF = hfBuffered && (options & hfoCloseOnEOF) != 0;
    hfCanCreate = (options & hfoCanCreate) != 0;
    if (hfBuffered) {
        hfBufferSize = bufferSize;
        hfLockBuffer = (options & hfoLockBuffer) != 0;
    }
    THugeFileResult result = hfOK;
    try {
        if (!hfIsOpen) {
            result = AccessFile(blockSize, reading, diskLockTimeout, diskRetryDelay, waitObject);
        } else {
            SetBlockSize(blockSize);
            if (hfBuffered)
                AllocBuffer();
        }
    } catch (...) {
        // Never left open without the buffer that buffered access needs.
        hfBuffer.Release();
        hfHandle.Close();
        hfIsOpen = false;
        throw;
    }
    if (result != hfOK) {
        Close();
        return result;
    }
    hfBufFilePos = hfBufFileOffs = 0;
    if (reading)
        InitReadBuffer();
    else
        InitWriteBuffer();
    hfReading = reading;
    hfHalfClosed = false;
    hfCloseOnNext = false;
    return hfOK;
}

THugeFileResult TZtHugeFile::AccessFile(uint32_t blockSize, bool reading, uint32_t diskLockTimeout,
                                        uint32_t diskRetryDelay, void* waitObject) {
    SetBlockSize(blockSize);
    const DWORD start = GetTickCount();
    const DWORD creation = !reading ? CREATE_ALWAYS : hfCanCreate ? OPEN_ALWAYS : OPEN_EXISTING;
    DWORD shareMode = hfDesiredShareMode;
    // A reader must neither keep the writer of a file out nor be kept out by it: the server
    // appends to the files an operator looks at.
    if (shareMode == ShareModeFromAccess)
        shareMode = hfDesiredAcc == GENERIC_READ
                        ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                        : 0;
    const std::wstring name = ToWide(hfName);
    for (;;) {
        HANDLE handle =
            CreateFileW(name.c_str(), hfDesiredAcc, shareMode, nullptr, creation, hfFlags, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            hfHandle.Reset(handle);
            hfWindowsError = 0;
            break;
        }
        hfWindowsError = GetLastError();
        if (!IsLockError(hfWindowsError) || diskRetryDelay == 0 ||
            RetryTimeIsUp(start, diskLockTimeout))
            break;
        if (!waitObject)
            Sleep(diskRetryDelay);
        else if (WaitForSingleObject(waitObject, diskRetryDelay) != WAIT_TIMEOUT)
            break; // the waiter was told to give up
    }
    if (hfWindowsError != 0)
        return IsLockError(hfWindowsError) ? hfFileLocked : hfError;
    hfIsOpen = true;
    hfCachedSize = -1;
    if (hfBuffered)
        AllocBuffer();
    return hfOK;
}

uint32_t TZtHugeFile::RoundToPageSize(uint32_t size) {
    const uint32_t page = TPageBuffer::PageSize();
    return size == 0 ? 0 : ((size - 1) / page + 1) * page;
}

void TZtHugeFile::AllocBuffer() {
    FreeBuffer();
    if (hfBufferSize == 0)
        hfBufferSize = DefaultBufferSize;
    hfBufferSize = RoundToPageSize(hfBufferSize);
    Win32Check(hfBuffer.Allocate(hfBufferSize), "AllocBuffer");
    if (hfLockBuffer)
        Win32Check(hfBuffer.Lock(), "AllocBuffer");
    if (!hfBuffer.Data())
        Fail(ecNoBuffer, "Failed to allocate buffer!");
}

void TZtHugeFile::FreeBuffer() {
    if (!hfBuffer.Data())
        return;
    const bool flushed = FlushBuffer();
    const DWORD error = flushed ? 0 : GetLastError();
    const bool released = hfBuffer.Release();
    hfBufSize = hfBufOffs = 0;
    if (!flushed)
        FailWin32("FreeBuffer", error);
    Win32Check(released, "FreeBuffer");
}

void TZtHugeFile::InitReadBuffer() {
    hfBufWrite = false;
    hfBufSize = hfBufOffs = 0;
}

void TZtHugeFile::InitWriteBuffer() {
    hfBufWrite = true;
    hfBufSize = hfBufOffs = 0;
}

void TZtHugeFile::Flush() {
    CheckHandle();
    Win32Check(FlushBuffer(), "Flush");
}

void TZtHugeFile::Close() {
    // Whatever the last flush reports, the handle and the buffer go.
    try {
        FreeBuffer();
    } catch (...) {
        hfHandle.Close();
        hfHalfClosed = hfIsOpen = hfCloseOnEOF = false;
        throw;
    }
    hfHandle.Close();
    hfHalfClosed = hfIsOpen = hfCloseOnEOF = false;
}

void TZtHugeFile::CloseAtEndOfFile() {
    hfLastSize = DiskSize();
    hfHandle.Close();
    hfHalfClosed = true;
    hfCloseOnNext = false;
}

void TZtHugeFile::MoveHandle(int64_t position, const std::string& methodName) {
    CheckHandle();
    LARGE_INTEGER distance;
    distance.QuadPart = position;
    Win32Check(SetFilePointerEx(hfHandle.Get(), distance, nullptr, FILE_BEGIN), methodName);
    hfBufFileOffs = position;
}

int64_t TZtHugeFile::DiskSize() {
    if (hfHalfClosed)
        return hfLastSize;
    if (hfCachedSize < 0) {
        LARGE_INTEGER size;
        Win32Check(GetFileSizeEx(hfHandle.Get(), &size), "FileSize");
        hfCachedSize = size.QuadPart;
    }
    return hfCachedSize;
}

bool TZtHugeFile::LoadedToTheEOF() {
    return DiskSize() <= hfBufFileOffs;
}

int64_t TZtHugeFile::_FilePos() {
    return hfBufFilePos / hfBlockSize;
}

int64_t TZtHugeFile::_FileSize() {
    if (hfHalfClosed)
        return hfLastSize / hfBlockSize;
    return std::max(DiskSize(), hfBufFilePos) / hfBlockSize;
}

int64_t TZtHugeFile::FilePos() {
    if (!hfHalfClosed)
        CheckHandle();
    return _FilePos();
}

int64_t TZtHugeFile::FileSize() {
    if (!hfHalfClosed)
        CheckHandle();
    return _FileSize();
}

void TZtHugeFile::Seek(int64_t position) {
    if (!hfHalfClosed)
        CheckHandle();
    _Seek(position * hfBlockSize, false);
}

void TZtHugeFile::_Seek(int64_t position, bool moveHandle) {
    if (!hfBuffered || !hfBuffer.Data()) {
        MoveHandle(position, "Seek");
    } else if (hfBufWrite) {
        // Later writes land at the new position.
        Win32Check(FlushBuffer(), "_Seek");
        MoveHandle(position, "_Seek");
    } else if (!moveHandle && position >= hfBufFileOffs - hfBufSize && position < hfBufFileOffs) {
        hfBufOffs = uint32_t(position - (hfBufFileOffs - hfBufSize));
    } else {
        if (moveHandle || position != hfBufFileOffs)
            MoveHandle(position, "_Seek");
        hfBufSize = hfBufOffs = 0;
    }
    hfBufFilePos = position;
}

void TZtHugeFile::Truncate() {
    CheckHandle();
    Win32Check(FlushBuffer(), "Truncate");
    MoveHandle(hfBufFilePos, "Truncate");
    Win32Check(SetEndOfFile(hfHandle.Get()), "Truncate");
    hfCachedSize = -1;
    hfBufSize = hfBufOffs = 0;
}

uint32_t TZtHugeFile::ReadHandle(void* buffer, uint32_t count, const std::string& methodName) {
    DWORD got = 0;
    Win32Check(ReadFile(hfHandle.Get(), buffer, count, &got, nullptr), methodName);
    hfBufFileOffs += got;
    return got;
}

uint32_t TZtHugeFile::WriteHandle(const void* buffer, uint32_t count,
                                  const std::string& methodName) {
    DWORD put = 0;
    Win32Check(WriteFile(hfHandle.Get(), buffer, count, &put, nullptr), methodName);
    hfBufFileOffs += put;
    hfCachedSize = -1;
    return put;
}

uint32_t TZtHugeFile::Fetch(void* buffer, uint32_t count) {
    if (hfBufWrite)
        Fail(ecReadWhileWriting, "Read while in buffered write mode!");
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    const uint32_t avail = hfBufSize - hfBufOffs;
    if (avail <= count) {
        std::memcpy(out, hfBuffer.Data() + hfBufOffs, avail);
        done = avail;
        hfBufSize = hfBufOffs = 0;
        // Large reads go straight to the caller's memory in whole buffer sizes.
        const uint32_t rest = count - done;
        if (rest >= hfBufferSize && !LoadedToTheEOF()) {
            const uint32_t whole = rest - rest % hfBufferSize;
            const uint32_t got = ReadHandle(out + done, whole, "Fetch");
            done += got;
            if (got < whole) {
                hfBufFilePos = hfBufFileOffs;
                return done;
            }
        }
        if (!LoadedToTheEOF())
            hfBufSize = ReadHandle(hfBuffer.Data(), hfBufferSize, "Fetch");
    }
    const uint32_t piece = std::min(count - done, hfBufSize - hfBufOffs);
    std::memcpy(out + done, hfBuffer.Data() + hfBufOffs, piece);
    hfBufOffs += piece;
    done += piece;
    hfBufFilePos = hfBufFileOffs - hfBufSize + hfBufOffs;
    return done;
}

void TZtHugeFile::BlockRead(void* buffer, uint32_t count, uint32_t& transferred) {
    if (!hfHalfClosed)
        CheckHandle();
    const uint32_t bytes = count * hfBlockSize;
    uint32_t got = 0;
    if (hfBuffered) {
        got = Fetch(buffer, bytes);
    } else {
        got = ReadHandle(buffer, bytes, "BlockRead");
        hfBufFilePos = hfBufFileOffs;
    }
    transferred = got / hfBlockSize;
    if (hfCloseOnEOF && !hfHalfClosed) {
        if (hfCloseOnNext && LoadedToTheEOF())
            CloseAtEndOfFile();
        else
            hfCloseOnNext = hfHandle.Valid() && LoadedToTheEOF();
    }
}

void TZtHugeFile::BlockWrite(const void* buffer, uint32_t count, uint32_t& transferred) {
    CheckHandle();
    const uint32_t bytes = count * hfBlockSize;
    uint32_t put = 0;
    if (hfBuffered) {
        put = Transmit(buffer, bytes);
    } else {
        put = WriteHandle(buffer, bytes, "BlockWrite");
        hfBufFilePos = hfBufFileOffs;
    }
    transferred = put / hfBlockSize;
}

void TZtHugeFile::SwitchToWriteBuffer() {
    // Appending after reading is allowed; overwriting bytes the read buffer may hold is not.
    if (hfBufFilePos < DiskSize())
        Fail(ecWriteWhileReading, "Write while in buffered read mode!");
    if (hfBufFileOffs != hfBufFilePos)
        MoveHandle(hfBufFilePos, "Transmit");
    InitWriteBuffer();
}

uint32_t TZtHugeFile::Transmit(const void* buffer, uint32_t count) {
    if (!hfBufWrite)
        SwitchToWriteBuffer();
    const auto* in = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        const uint32_t rest = count - done;
        if (hfBufOffs == 0 && rest >= hfBufferSize) {
            const uint32_t whole = rest - rest % hfBufferSize;
            const uint32_t put = WriteHandle(in + done, whole, "Transmit");
            done += put;
            if (put < whole)
                break;
            continue;
        }
        const uint32_t piece = std::min(rest, hfBufferSize - hfBufOffs);
        std::memcpy(hfBuffer.Data() + hfBufOffs, in + done, piece);
        hfBufOffs += piece;
        done += piece;
        if (hfBufOffs == hfBufferSize)
            Win32Check(FlushBuffer(), "Transmit");
    }
    hfBufFilePos = hfBufFileOffs + hfBufOffs;
    hfCachedSize = -1;
    return done;
}

bool TZtHugeFile::FlushBuffer() {
    if (!hfBufWrite || hfBufOffs == 0)
        return true;
    // Unbuffered system access writes whole sectors only; the padding is cut off again below.
    const uint32_t length = hfFlagNoBuf ? RoundToPageSize(hfBufOffs) : hfBufOffs;
    DWORD put = 0;
    if (!WriteFile(hfHandle.Get(), hfBuffer.Data(), length, &put, nullptr))
        return false;
    const int64_t end = hfBufFileOffs + hfBufOffs;
    bool ok = true;
    if (length != hfBufOffs) {
        std::memset(hfBuffer.Data(), 0, hfBufferSize);
        LARGE_INTEGER distance;
        distance.QuadPart = end;
        ok = SetFilePointerEx(hfHandle.Get(), distance, nullptr, FILE_BEGIN) &&
             SetEndOfFile(hfHandle.Get());
    }
    hfBufFileOffs = hfBufFilePos = end;
    hfBufOffs = 0;
    hfCachedSize = -1;
    return ok;
}

TDateTime TZtHugeFile::GetDate() {
    CheckHandle();
    FILETIME written, local;
    SYSTEMTIME time;
    Win32Check(GetFileTime(hfHandle.Get(), nullptr, nullptr, &written) &&
                   FileTimeToLocalFileTime(&written, &local) && FileTimeToSystemTime(&local, &time),
               "GetDate");
    return SystemTimeToDateTime(time);
}

void TZtHugeFile::SetDate(TDateTime value) {
    CheckHandle();
    // A flush after the stamp would stamp the file again.
    Win32Check(FlushBuffer(), "SetDate");
    const SYSTEMTIME time = DateTimeToSystemTime(value);
    FILETIME local, written;
    Win32Check(SystemTimeToFileTime(&time, &local) && LocalFileTimeToFileTime(&local, &written) &&
                   SetFileTime(hfHandle.Get(), nullptr, nullptr, &written),
               "SetDate");
}

TZtHugeFileStream::TZtHugeFileStream(const std::string& fileName, TZtHugeFileStreamAccess access,
                                     THugeFileOptions openOptions) {
    static const uint32_t rights[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE,
                                      GENERIC_READ | GENERIC_WRITE};
    hfsFile = std::make_unique<TZtHugeFile>(fileName, FILE_ATTRIBUTE_NORMAL, rights[access],
                                            ShareModeFromAccess);
    const bool writing = access == accWrite;
    const THugeFileResult result =
        writing ? hfsFile->RewriteEx(1, 0, 0, openOptions) : hfsFile->ResetEx(1, 0, 0, openOptions);
    if (result != hfOK)
        FailWin32(writing ? "Rewrite" : "Reset", hfsFile->WindowsError());
    if (access == accAppend)
        hfsFile->Seek(hfsFile->FileSize());
}

TZtHugeFileStream::~TZtHugeFileStream() = default;

void TZtHugeFileStream::Flush() {
    hfsFile->Flush();
}

void TZtHugeFileStream::Close() {
    hfsFile->Close();
}

void TZtHugeFileStream::FailWin32(const std::string& methodName, uint32_t error) {
    hfsWindowsError = error;
    ThrowWin32<EZtHugeFileStream>("TZtHugeFileStream", methodName, GetFileName(), error);
}

void TZtHugeFileStream::Win32Check(bool condition, const std::string& methodName) {
    if (!condition)
        FailWin32(methodName, GetLastError());
}

int TZtHugeFileStream::Read(void* buffer, int count) {
    if (count <= 0)
        return 0;
    uint32_t transferred = 0;
    hfsFile->BlockRead(buffer, uint32_t(count), transferred);
    return int(transferred);
}

int TZtHugeFileStream::Write(const void* buffer, int count) {
    if (count <= 0)
        return 0;
    uint32_t transferred = 0;
    hfsFile->BlockWrite(buffer, uint32_t(count), transferred);
    return int(transferred);
}

int64_t TZtHugeFileStream::Seek(int64_t offset, uint16_t origin) {
    int64_t target = 0;
    switch (origin) {
    case 0:
        target = offset;
        break;
    case 1:
        target = GetPosition() + offset;
        break;
    case 2:
        target = GetSize() - offset;
        break;
    default:
        throw EZtHugeFileStream(Format("TZtHugeFileStream(%s):Invalid mode!", {GetFileName()}),
                                ecInvalidMode);
    }
    hfsFile->Seek(target);
    return GetPosition();
}

std::string TZtHugeFileStream::GetFileName() const {
    return hfsFile ? hfsFile->FileName() : std::string();
}

int64_t TZtHugeFileStream::GetSize() const {
    return hfsFile ? hfsFile->FileSize() : -1;
}

void TZtHugeFileStream::SetSize(int64_t newSize) {
    hfsFile->Seek(newSize);
    hfsFile->Truncate();
}

int64_t TZtHugeFileStream::GetPosition() const {
    return hfsFile ? hfsFile->FilePos() : -1;
}

uint32_t TZtHugeFileStream::GetWindowsError() const {
    if (hfsWindowsError != 0)
        return hfsWindowsError;
    return hfsFile ? hfsFile->WindowsError() : 0;
}
