#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

namespace {

int* volatile Nowhere = nullptr;

// A window procedure with the fault that a window being destroyed once met: it reads through a
// pointer that is gone by the time the system sends it a message.
LRESULT CALLBACK FaultingProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_STYLECHANGED)
        return *Nowhere;
    return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace

// The system calls a window procedure from its own frames there and swallows the fault; the
// program would go on as if nothing happened.
TEST(FaultGuard, AFaultInAWindowProcedureTheSystemSwallowsFailsTheRunningTest) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FaultingProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QVRFaultingWindow";
    RegisterClassW(&wc);
    const HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_NONFATAL_FAILURE(SetWindowLongPtrW(window, GWL_STYLE, WS_POPUP | WS_BORDER),
                            "access violation");
    DestroyWindow(window);
}
