#include "rtl/win32_handle.h"

#include <windows.h>

void TWin32Handle::Reset(void* handle) {
    Close();
    FHandle = handle;
}

bool TWin32Handle::Close() {
    if (!Valid())
        return true;
    HANDLE handle = FHandle;
    FHandle = Invalid();
    return CloseHandle(handle) != 0;
}
