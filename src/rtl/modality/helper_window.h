#pragma once
#include <windows.h>

// A hidden window of the program's own with a procedure of its own (timers, requests, messages
// to itself); its class is registered with the first one made.
HWND CreateHelperWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style,
                        DWORD exStyle);
