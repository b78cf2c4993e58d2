#include "support/refused_windows.h"

namespace {
// A computer-based-training hook that answers "no" to the creation of a window makes
// CreateWindowEx fail for every class, the system's and the program's alike.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

RefusedWindows::RefusedWindows()
    : FHook(SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId())) {}

RefusedWindows::~RefusedWindows() {
    if (FHook)
        UnhookWindowsHookEx(FHook);
}
