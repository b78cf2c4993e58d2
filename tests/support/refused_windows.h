#pragma once
#include <windows.h>

// While it lives, the system refuses every window this thread asks for, as it does when the
// program runs without a display.
class RefusedWindows {
public:
    RefusedWindows();
    ~RefusedWindows();
    RefusedWindows(const RefusedWindows&) = delete;
    RefusedWindows& operator=(const RefusedWindows&) = delete;

private:
    HHOOK FHook;
};
