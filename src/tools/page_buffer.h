#pragma once
#include <cstdint>

// Page-aligned memory from the system's virtual memory, optionally locked in physical memory,
// as unbuffered file access needs it. Released in the destructor on every path.
class TPageBuffer {
public:
    TPageBuffer() = default;
    ~TPageBuffer() { Release(); }
    TPageBuffer(const TPageBuffer&) = delete;
    TPageBuffer& operator=(const TPageBuffer&) = delete;

    static uint32_t PageSize();

    // Each returns false with the system's last error set when its call failed.
    bool Allocate(uint32_t size);
    bool Lock();
    bool Release(); // unlocks and frees

    uint8_t* Data() const { return FData; }
    uint32_t Size() const { return FSize; }

private:
    uint8_t* FData = nullptr;
    uint32_t FSize = 0;
    bool FLocked = false;
};
