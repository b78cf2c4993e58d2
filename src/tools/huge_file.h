#pragma once
#include "rtl/date_time.h"
#include "rtl/exceptions.h"
#include "rtl/object.h"

#include <cstdint>
#include <string>

// Failures of large-file access; HelpContext carries the code 1001..1010.
class EZtHugeFile : public Exception {
    using Exception::Exception;
};
class EZtHugeFileStream : public EZtHugeFile {
    using EZtHugeFile::EZtHugeFile;
};

enum THugeFileOption { hfoBuffered = 1, hfoLockBuffer = 2, hfoCloseOnEOF = 4, hfoCanCreate = 8 };
using THugeFileOptions = unsigned;  // a set of THugeFileOption bits

enum THugeFileResult { hfOK, hfFileLocked, hfError };

// File access with 64-bit positions over a Win32 handle, with an optional page-aligned buffer
// for reading or writing. Counts and positions are in records of hfBlockSize bytes.
class TZtHugeFile : public TObject {
public:
    TZtHugeFile(const std::string& fileName, uint32_t flagsAndAttributes, uint32_t desiredAccess,
                uint32_t desiredShareMode);
    ~TZtHugeFile() override;

    THugeFileResult ResetEx(uint32_t blockSize, uint32_t bufferSize, uint32_t diskLockTimeout,
                            THugeFileOptions options, uint32_t diskRetryDelay = 0,
                            void* waitObject = nullptr);
    THugeFileResult RewriteEx(uint32_t blockSize, uint32_t bufferSize, uint32_t diskLockTimeout,
                              THugeFileOptions options, uint32_t diskRetryDelay = 0,
                              void* waitObject = nullptr);
    void BlockRead(void* buffer, uint32_t count, uint32_t& transferred);
    void BlockWrite(const void* buffer, uint32_t count, uint32_t& transferred);
    void Seek(int64_t position);
    int64_t FilePos();
    int64_t FileSize();
    void Truncate();
    void Close();
    bool IsOpen() const { return hfIsOpen; }
    void Win32Check(bool condition, const std::string& methodName);

    const std::string& FileName() const { return hfName; }
    TDateTime GetDate();
    void SetDate(TDateTime value);
    bool IsBuffered() const { return hfBuffered; }
    uint32_t WindowsError() const { return hfWindowsError; }

protected:
    virtual int64_t _FilePos();
    virtual int64_t _FileSize();
    virtual void _Seek(int64_t position, bool moveHandle);
    virtual THugeFileResult AccessFile(uint32_t blockSize, bool reading, uint32_t diskLockTimeout,
                                       uint32_t diskRetryDelay, void* waitObject);
    virtual void AllocBuffer();
    virtual void CheckHandle();
    virtual uint32_t Fetch(void* buffer, uint32_t count);
    virtual bool FlushBuffer();
    virtual void FreeBuffer();
    virtual void InitReadBuffer();
    virtual void InitWriteBuffer();
    virtual bool LoadedToTheEOF();
    virtual uint32_t RoundToPageSize(uint32_t size);
    virtual uint32_t Transmit(const void* buffer, uint32_t count);

    uint32_t hfBlockSize = 1;
    void* hfBuffer = nullptr;
    bool hfBuffered = false;
    uint32_t hfBufferSize = 0;
    int64_t hfBufFileOffs = 0;
    int64_t hfBufFilePos = 0;
    uint32_t hfBufOffs = 0;
    uint32_t hfBufSize = 0;
    bool hfBufWrite = false;
    int64_t hfCachedSize = -1;
    bool hfCanCreate = false;
    bool hfCloseOnEOF = false;
    bool hfCloseOnNext = false;
    uint32_t hfDesiredAcc = 0;
    uint32_t hfDesiredShareMode = 0;
    bool hfFlagNoBuf = false;
    uint32_t hfFlags = 0;
    bool hfHalfClosed = false;
    void* hfHandle;  // INVALID_HANDLE_VALUE when closed
    bool hfIsOpen = false;
    int64_t hfLastSize = 0;
    bool hfLockBuffer = false;
    std::string hfName;
    bool hfReading = false;
    bool hfShareModeSet = true;
    uint32_t hfWindowsError = 0;
};

enum TZtHugeFileStreamAccess { accRead, accWrite, accReadWrite, accAppend };

// Byte stream over a TZtHugeFile that it owns; the debug reader reads files through it.
class TZtHugeFileStream : public TObject {
public:
    TZtHugeFileStream(const std::string& fileName, TZtHugeFileStreamAccess access,
                      THugeFileOptions openOptions);
    ~TZtHugeFileStream() override;

    virtual int Read(void* buffer, int count);
    virtual int Write(const void* buffer, int count);
    virtual int64_t Seek(int64_t offset, uint16_t origin);  // 0 start, 1 current, 2 end

    std::string GetFileName() const;
    int64_t GetSize() const;
    void SetSize(int64_t newSize);
    int64_t GetPosition() const;
    uint32_t GetWindowsError() const;
    int64_t Size() const { return GetSize(); }
    int64_t Position() const { return GetPosition(); }

protected:
    void Win32Check(bool condition, const std::string& methodName);

    bool hfsExternalHF = false;
    TZtHugeFile* hfsFile = nullptr;
    uint32_t hfsWindowsError = 0;
};
