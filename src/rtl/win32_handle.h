#pragma once
#include <cstdint>

// Owns one kernel handle (file, event, thread...) and closes it once. A null handle and
// INVALID_HANDLE_VALUE own nothing, since Win32 calls report failure with either.
class TWin32Handle {
public:
    TWin32Handle() = default;
    explicit TWin32Handle(void* handle) : FHandle(handle) {}
    ~TWin32Handle() { Close(); }
    TWin32Handle(const TWin32Handle&) = delete;
    TWin32Handle& operator=(const TWin32Handle&) = delete;

    static void* Invalid() { return reinterpret_cast<void*>(intptr_t(-1)); }

    void* Get() const { return FHandle; }
    bool Valid() const { return FHandle && FHandle != Invalid(); }
    // Closes the owned handle and takes the new one.
    void Reset(void* handle);
    // False when the owned handle failed to close; the object owns nothing afterwards.
    bool Close();

private:
    void* FHandle = Invalid();
};
