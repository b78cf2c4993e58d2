#include "rtl/streams.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void* Buffer, int Count) {
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

int32_t TStream::ReadInt32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                   uint32_t(b[3]) << 24);
}

void TStream::WriteInt32(int32_t value) {
    uint32_t v = uint32_t(value);
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBuffer(b, 4);
}

int TMemoryStream::Read(void* Buffer, int Count) {
    if (Count <= 0 || FPosition < 0 || FPosition >= Size())
        return 0;
    int n = int(std::min<int64_t>(Count, Size() - FPosition));
    std::memcpy(Buffer, FBytes.data() + FPosition, size_t(n));
    FPosition += n;
    return n;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
    if (Count <= 0 || FPosition < 0)
        return 0;
    size_t end = size_t(FPosition) + size_t(Count);
    if (end > FBytes.size())
        FBytes.resize(end);
    std::memcpy(FBytes.data() + FPosition, Buffer, size_t(Count));
    FPosition += Count;
    return Count;
}
