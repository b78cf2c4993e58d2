#include "vcl/core/win_control.h"

#include "../vcl_test_support.h"

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

// A control over a Win32 class named when it is made; it keeps its base's class name.
class TOnWin32Class : public TWinControl {
public:
    TOnWin32Class(TComponent* AOwner, std::wstring win32Class = L"QVRTest.Counting")
        : TWinControl(AOwner), FWin32Class(std::move(win32Class)) {}

protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        Params.SystemClassName = FWin32Class;
    }

private:
    std::wstring FWin32Class;
};
// Over a class of the test's own, which counts its destroy messages as a common control frees
// its data on them.
using TOverCountingClass = TOnWin32Class;

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

TEST(WindowBinding, HeirsOfOneClassNameOnDifferentWin32ClassesEachGetTheirOwn) {
    RegisterCountingClass();
    auto counting = MakeOwned<TOverCountingClass>();
    auto edit = MakeOwned<TOnWin32Class>(L"EDIT");
    auto plain = MakeOwned<TWinControl>();
    ASSERT_EQ(counting->ClassName(), edit->ClassName());
    counting->HandleNeeded();
    // The edit is an edit: it answers an edit's message and keeps what is typed.
    EXPECT_GT(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 0);
    SendMessageW(edit->Handle(), WM_CHAR, 'x', 1);
    EXPECT_EQ(edit->Text(), "x");
    EXPECT_EQ(SendMessageW(plain->Handle(), EM_GETLIMITTEXT, 0, 0), 0);
    ClassDestroys = 0;
    counting.reset();
    EXPECT_EQ(ClassDestroys, 1);
}
