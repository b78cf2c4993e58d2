#include "rtl/box_owner.h"

#include "rtl/disabled_windows.h"
#include "rtl/modal_window.h"

#include <windows.h>

void* BoxOwner(void* window) {
    HWND root = window ? GetAncestor(static_cast<HWND>(window), GA_ROOT) : nullptr;
    while (root && !IsWindowVisible(root))
        if (HWND owner = GetWindow(root, GW_OWNER))
            root = owner;
        else
            break;
    return root;
}

namespace {

// A box being shown. The innermost one on this thread is the one whose window is being made;
// each box's window holds its own.
struct TShownBox {
    HWND Owner = nullptr;
    HWND Box = nullptr;
    WNDPROC BoxProcedure = nullptr;
    TModalWindow* Modal = nullptr;
};
thread_local TShownBox* Current = nullptr;

const wchar_t* const ShownProperty = L"QVRShownBox";

// A box ends from its command (a button, Enter, Escape, closing it), and ending enables its
// owner. It lets go of the owner just before, and takes it back when the command left it up.
LRESULT CALLBACK BoxProcedure(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    const TShownBox& shown = *static_cast<TShownBox*>(GetPropW(box, ShownProperty));
    if (msg == WM_NCDESTROY) {
        RemovePropW(box, ShownProperty);
        shown.Modal->SetWindow(nullptr);
    }
    if (msg != WM_COMMAND)
        return CallWindowProcW(shown.BoxProcedure, box, msg, wParam, lParam);
    SetWindowLongPtrW(box, GWLP_HWNDPARENT, 0);
    const LRESULT result = CallWindowProcW(shown.BoxProcedure, box, msg, wParam, lParam);
    if (IsWindow(box) && IsWindowVisible(box))
        SetWindowLongPtrW(box, GWLP_HWNDPARENT, LONG_PTR(shown.Owner));
    return result;
}

// The box is the first dialog made for the owner while it is being shown.
LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    TShownBox& shown = *Current;
    if (code == HCBT_CREATEWND && !shown.Box) {
        const HWND window = HWND(wParam);
        const CBT_CREATEWNDW& creation = *reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (creation.lpcs->hwndParent == shown.Owner && lstrcmpW(name, L"#32770") == 0) {
            shown.Box = window;
            shown.Modal->SetWindow(window);
            SetPropW(window, ShownProperty, &shown);
            shown.BoxProcedure =
                WNDPROC(SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(&BoxProcedure)));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int ShowProgramModalBox(void* owner, const std::wstring& text, const std::wstring& caption,
                        unsigned flags) {
    const HWND activeBefore = GetActiveWindow();
    TShownBox shown;
    shown.Owner = static_cast<HWND>(owner);
    int answer = 0;
    {
        // With an owner the system would disable that window only.
        TDisabledWindows others(ThreadWindows());
        TModalWindow modal;
        shown.Modal = &modal;
        TShownBox* outer = Current;
        Current = &shown;
        const HHOOK hook = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
        answer = MessageBoxW(shown.Owner, text.c_str(), caption.c_str(), flags & ~MB_TASKMODAL);
        if (hook)
            UnhookWindowsHookEx(hook);
        Current = outer;
    }
    // Closing a box activates its owner. This one, let go, could activate none, as all were
    // disabled: the window active before it is active again, and the next box goes over it.
    if (!GetActiveWindow() && activeBefore && IsWindow(activeBefore))
        SetActiveWindow(activeBefore);
    return answer;
}
