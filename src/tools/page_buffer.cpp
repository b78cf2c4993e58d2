#include "tools/page_buffer.h"

#include <windows.h>

uint32_t TPageBuffer::PageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

bool TPageBuffer::Allocate(uint32_t size) {
    Release();
    FData = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    FSize = FData ? size : 0;
    return FData != nullptr;
}

bool TPageBuffer::Lock() {
    FLocked = FData && VirtualLock(FData, FSize);
    return FLocked;
}

bool TPageBuffer::Release() {
    if (!FData)
        return true;
    bool unlocked = !FLocked || VirtualUnlock(FData, FSize);
    DWORD error = GetLastError();
    bool freed = VirtualFree(FData, 0, MEM_RELEASE) != 0;
    if (freed && !unlocked)
        SetLastError(error);
    FData = nullptr;
    FSize = 0;
    FLocked = false;
    return unlocked && freed;
}
