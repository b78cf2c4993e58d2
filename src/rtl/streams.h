#pragma once
#include "rtl/exceptions.h"

#include <cstdint>
#include <vector>

class EStreamError : public Exception {
    using Exception::Exception;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

// A sequence of bytes read and written at a position.
class TStream {
public:
    virtual ~TStream() = default;
    virtual int Read(void* Buffer, int Count) = 0;
    virtual int Write(const void* Buffer, int Count) = 0;
    virtual int64_t Size() const = 0;
    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t value) = 0;
    int64_t Remaining() const { return Size() - Position(); }

    // All Count bytes or EReadError / EWriteError.
    void ReadBuffer(void* Buffer, int Count);
    void WriteBuffer(const void* Buffer, int Count);
    int32_t ReadInt32();
    void WriteInt32(int32_t value);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FBytes(std::move(bytes)) {}
    int Read(void* Buffer, int Count) override;
    int Write(const void* Buffer, int Count) override;
    int64_t Size() const override { return int64_t(FBytes.size()); }
    int64_t Position() const override { return FPosition; }
    void SetPosition(int64_t value) override { FPosition = value; }
    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
    int64_t FPosition = 0;
};
