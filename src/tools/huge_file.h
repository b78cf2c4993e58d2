#pragma once
#include "rtl/date_time.h"
#include "rtl/exceptions.h"
#include "rtl/object.h"
#include "rtl/win32_handle.h"
#include "tools/page_buffer.h"

#include <cstdint>
#include <memory>
#include <string>

// Failures of large-file access; HelpContext carries the code 1001..1010.
class EZtHugeFile : public Exception {
    using Exception::Exception;
};
class EZtHugeFileStream : public EZtHugeFile {
    using EZtHugeFile::EZtHugeFile;
};

enum THugeFileOption { hfoBuffered = 1, hfoLockBuffer = 2, hfoCloseOnEOF = 4, hfoCanCreate = 8 };
using THugeFileOptions = unsigned; // a set of THugeFileOption bits

enum THugeFileResult { hfOK, hfFileLocked, hfError };

// File access with 64-bit positions over a Win32 handle, with an optional page-aligned buffer
// for reading or writing. Counts and positions are in records of hfBlockSize bytes.
class TZtHugeFile : public TObject {
public:
    // desiredShareMode $FFFF: share reading, writing and deleting when the access is reading
    // only, else nothing.
    TZtHugeFile(const std::string& fileName, uint32_t flagsAndAttributes, uint32_t desiredAccess,
                uint32_t desiredShareMode);
    ~TZtHugeFile() override;

    // Open for reading, or create/empty and open for writing. Sharing and lock violations are
    // retried every diskRetryDelay ms until diskLockTimeout ms have passed or waitObject is
    // signalled.
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
    void Truncate(); // at the logical position
    // Writes what the write buffer holds; raises when the system refuses it.
    void Flush();
    void Close();
    bool IsOpen() const { return hfIsOpen; }
    virtual void Win32Check(bool condition, const std::string& methodName);

    const std::string& FileName() const { return hfName; }
    virtual TDateTime GetDate();
    virtual void SetDate(TDateTime value);
    TDateTime FileDate() { return GetDate(); }
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
    TPageBuffer hfBuffer;
    bool hfBuffered = false;
    uint32_t hfBufferSize = 0;
    int64_t hfBufFileOffs = 0; // the handle's position: just after the bytes buffered
    int64_t hfBufFilePos = 0;  // the logical position in bytes
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
    bool hfHalfClosed = false; // handle closed at the end of the file, buffer still served
    TWin32Handle hfHandle;
    bool hfIsOpen = false;
    int64_t hfLastSize = 0; // bytes, remembered when the handle closed at the end
    bool hfLockBuffer = false;
    std::string hfName;
    bool hfReading = false;
    bool hfShareModeSet = true;
    uint32_t hfWindowsError = 0;

private:
    THugeFileResult Open(bool reading, uint32_t blockSize, uint32_t bufferSize,
                         uint32_t diskLockTimeout, THugeFileOptions options,
                         uint32_t diskRetryDelay, void* waitObject);
    [[noreturn]] void Fail(int code, const std::string& text) const;
    [[noreturn]] void FailWin32(const std::string& methodName, uint32_t error);
    void SetBlockSize(uint32_t blockSize);
    void MoveHandle(int64_t position, const std::string& methodName);
    int64_t DiskSize();
    uint32_t ReadHandle(void* buffer, uint32_t count, const std::string& methodName);
    uint32_t WriteHandle(const void* buffer, uint32_t count, const std::string& methodName);
    void CloseAtEndOfFile();
    void SwitchToWriteBuffer();
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
    virtual int64_t Seek(int64_t offset, uint16_t origin); // 0 start, 1 current, 2 end minus
    // Writes what the buffer holds, raising when that fails.
    void Flush();
    // Flushes and closes the file, raising when the last write fails; a writer calls it when
    // done, as the destructor can only clean up and would lose that failure.
    void Close();

    virtual std::string GetFileName() const;
    virtual int64_t GetSize() const;
    virtual void SetSize(int64_t newSize);
    int64_t GetPosition() const;
    virtual uint32_t GetWindowsError() const;
    std::string FileName() const { return GetFileName(); }
    int64_t Size() const { return GetSize(); }
    int64_t Position() const { return GetPosition(); }
    uint32_t WindowsError() const { return GetWindowsError(); }

protected:
    virtual void Win32Check(bool condition, const std::string& methodName);

    std::unique_ptr<TZtHugeFile> hfsFile;
    uint32_t hfsWindowsError = 0;

private:
    [[noreturn]] void FailWin32(const std::string& methodName, uint32_t error);
};
