#include "vcl/win_control.h"

#include "vcl_test_support.h"

#include <gtest/gtest.h>

namespace {

int ClassDestroys = 0;
int ClassNcDestroys = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY)
        ++ClassDestroys;
    if (msg == WM_NCDESTROY)
        ++ClassNcDestroys;
    return DefWindowProcW(window, msg, wParam, lParam);
}

// A control over a system class of the test's own, which counts its destroy messages as a common
// control frees its data on them.
class TOverCountingClass : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        Params.SystemClassName = L"QVRTest.Counting";
    }
};

void RegisterCountingClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QVRTest.Counting";
    RegisterClassExW(&wc);
}

} // namespace

TEST(WindowBinding, AControlEndedByItsDestructorLetsItsClassSeeTheDestroyMessages) {
    RegisterCountingClass();
    ClassDestroys = ClassNcDestroys = 0;
    HWND window = nullptr;
    {
        // On the stack: the destructor, not Free, ends it with its window.
        TOverCountingClass control(nullptr);
        control.SetBounds(0, 0, 50, 50);
        window = control.Handle();
        ASSERT_EQ(TWinControl::FindControl(window), &control);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ClassDestroys, 1);
    EXPECT_EQ(ClassNcDestroys, 1);

    ClassDestroys = ClassNcDestroys = 0;
    TOwnedPtr<TOverCountingClass> freed(CreateComponent<TOverCountingClass>(nullptr));
    window = freed->Handle();
    freed.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ClassDestroys, 1);
    EXPECT_EQ(ClassNcDestroys, 1);
}
