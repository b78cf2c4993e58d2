#include "qvr/debug_file_cursor.h"

#include "qvr/text_lines.h"
#include "tools/huge_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr int64_t LinePartSize = 512;
constexpr int64_t BlockReserve = 128;
constexpr int64_t MaxReadCount = int64_t(1) << 30; // one Read call takes an int count

} // namespace

TDebugFileCursor::TDebugFileCursor(TZtHugeFileStream& stream)
    : FStream(stream), FFileSize(stream.Size()) {}

TDebugFileCursor::~TDebugFileCursor() = default;

std::string_view TDebugFileCursor::NextLine() {
    size_t crlf = FindCRLF(HeldText());
    if (crlf == std::string_view::npos) {
        ReadNextPart(LinePartSize);
        crlf = FindCRLF(HeldText());
    }
    std::string_view held = HeldText();
    if (crlf == std::string_view::npos) {
        FCurFilePos += int64_t(held.size());
        FStart = FEnd;
        return held;
    }
    FCurFilePos += int64_t(crlf) + 2;
    FStart += crlf + 2;
    return held.substr(0, crlf);
}

std::string_view TDebugFileCursor::PeekBlock(int n) {
    if (int64_t(Held()) <= n)
        ReadNextPart(int64_t(n) + BlockReserve);
    return HeldText().substr(0, size_t(std::max(n, 0)));
}

void TDebugFileCursor::IncCurPosition(int64_t partLen) {
    FCurFilePos += partLen;
    if (FStream.Position() >= FCurFilePos) {
        FStart += size_t(partLen);
    } else {
        // The block ran past what was read; the next read drops the rest and seeks.
        FStart = FEnd;
    }
    if (FStart == FEnd)
        FStart = FEnd = 0;
}

void TDebugFileCursor::ReadNextPart(int64_t readSize) {
    if (FStream.Position() < FCurFilePos) {
        FStart = FEnd = 0;
        FStream.Seek(FCurFilePos - FStream.Position(), 1);
    }
    // A damaged length must not make us hold more than the file has.
    int64_t toRead = std::min(readSize, std::max<int64_t>(FFileSize - FStream.Position(), 0));
    Reserve(uint64_t(toRead));
    while (toRead > 0) {
        const int count = int(std::min(toRead, MaxReadCount));
        const int got = FStream.Read(FBuffer.get() + FEnd, count);
        if (got <= 0)
            break;
        FEnd += size_t(got);
        toRead -= got;
        if (got < count)
            break;
    }
}

void TDebugFileCursor::Reserve(uint64_t extra) {
    if (FEnd + extra <= FCapacity)
        return;
    const uint64_t needed = uint64_t(Held()) + extra;
    if (needed <= FCapacity) {
        std::memmove(FBuffer.get(), FBuffer.get() + FStart, Held());
    } else {
        // Only the few bytes held are copied, so a little slack is enough for blocks to vary.
        const uint64_t capacity = std::max<uint64_t>(needed + needed / 8, 4096);
        if (capacity > std::numeric_limits<size_t>::max())
            throw std::bad_alloc();
        std::unique_ptr<char[]> buffer(new char[size_t(capacity)]);
        if (Held())
            std::memcpy(buffer.get(), FBuffer.get() + FStart, Held());
        FBuffer = std::move(buffer);
        FCapacity = size_t(capacity);
    }
    FEnd = Held();
    FStart = 0;
}
