#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

class TZtHugeFileStream;

// Reads a debug-info file as lines and blocks. It holds the bytes read from the stream but not
// yet consumed, which start at CurFilePos (the file position of the first byte not yet taken
// as a line or block) unless the stream is behind it; so memory stays at about one block.
class TDebugFileCursor {
public:
    explicit TDebugFileCursor(TZtHugeFileStream& stream);
    ~TDebugFileCursor();

    int64_t CurFilePos() const { return FCurFilePos; }
    // The size when the reading began: a file the server appends to meanwhile is read as far
    // as it was then.
    int64_t FileSize() const { return FFileSize; }

    // The next line without its CRLF. Unless a CRLF is held already, one more part of 512
    // bytes is read first; without a CRLF then, all bytes held make the line, so a longer line
    // comes in pieces. The text lasts until the next call.
    std::string_view NextLine();
    // The first n bytes from CurFilePos (fewer at the end of the file), without consuming them;
    // when n or fewer bytes are held, n + 128 more are read. The text lasts until the next call.
    std::string_view PeekBlock(int n);
    // Consumes partLen bytes.
    void IncCurPosition(int64_t partLen);

private:
    void ReadNextPart(int64_t readSize);
    void Reserve(uint64_t extra);
    size_t Held() const { return FEnd - FStart; }
    std::string_view HeldText() const { return {FBuffer.get() + FStart, Held()}; }

    TZtHugeFileStream& FStream;
    const int64_t FFileSize;
    int64_t FCurFilePos = 0;
    // CurData is FBuffer[FStart, FEnd): an offset instead of erasing consumed bytes.
    std::unique_ptr<char[]> FBuffer;
    size_t FCapacity = 0;
    size_t FStart = 0;
    size_t FEnd = 0;
};
