#include "vcl/core/window_class.h"

#include "rtl/lasting.h"
#include "rtl/wide_text.h"
#include "vcl/core/application.h"

#include <commctrl.h>

#include <map>

namespace {

constexpr const wchar_t* ControlProperty = L"QVR.Control";

thread_local TWinControl* CreationControl = nullptr;

TWinControl* BoundControl(HWND window) {
    return static_cast<TWinControl*>(GetPropW(window, ControlProperty));
}

} // namespace

void SetCreationControl(TWinControl* control) {
    CreationControl = control;
}

TWinControl* TWinControl::FindControl(HWND window) {
    // Window properties are readable across processes: another of the program's processes marks
    // its windows the same way, and its pointer means nothing here.
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId())
        return nullptr;
    return BoundControl(window);
}

struct TWindowBinding {
    static void Bind(TWinControl* control, HWND window) { control->Bind(window); }
    static void Unbind(TWinControl* control) { control->Unbind(); }
    static bool WindowGoing(const TWinControl* control) { return control->FWindowGoing; }
    static LRESULT ClassProcedure(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
        TMessage m{msg, wParam, lParam, 0};
        control->TWinControl::DefaultHandler(m);
        return m.Result;
    }
};

void TWinControl::Bind(HWND window) {
    FHandle = window;
    SetPropW(window, ControlProperty, this);
}

void TWinControl::Unbind() {
    if (FHandle)
        RemovePropW(FHandle, ControlProperty);
    FHandle = nullptr;
}

namespace {
// Exceptions never cross the system's frames: whatever a handler throws is shown here and the
// message counts as handled.
intptr_t DispatchToControl(TWinControl* control, unsigned msg, uintptr_t wParam, intptr_t lParam) {
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WndProc(m);
    } catch (...) {
        Application->HandleException(control);
    }
    return m.Result;
}
} // namespace

LRESULT CALLBACK ControlWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = BoundControl(window);
    if (!control && CreationControl) {
        control = CreationControl;
        CreationControl = nullptr;
        TWindowBinding::Bind(control, window);
    }
    if (!control)
        return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = TWindowBinding::WindowGoing(control)
                         ? TWindowBinding::ClassProcedure(control, msg, wParam, lParam)
                         : DispatchToControl(control, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        TWindowBinding::Unbind(control);
    return result;
}

WNDPROC RegisterControlClass(TCreateParams& params) {
    // One window class for each kind of window asked for: the control's class name, the Win32
    // class it stands on and the class style. Heirs that keep their base's name but stand on
    // another class, or want another style, get a class of their own under a numbered name.
    struct TRegistered {
        std::wstring Name;
        WNDPROC DefaultProc;
    };
    static TLasting<std::map<std::wstring, TRegistered>> registeredClasses;
    static TLasting<std::map<std::wstring, int>> namesUsedSoFar;
    std::map<std::wstring, TRegistered>& registered = *registeredClasses;
    std::map<std::wstring, int>& namesUsed = *namesUsedSoFar;
    const std::wstring key = params.WinClassName + L"|" + params.SystemClassName + L"|" +
                             std::to_wstring(params.ClassStyle);
    auto found = registered.find(key);
    if (found != registered.end()) {
        params.WinClassName = found->second.Name;
        return found->second.DefaultProc;
    }
    if (int uses = namesUsed[params.WinClassName]++; uses > 0)
        params.WinClassName += L"." + std::to_wstring(uses);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC defaultProc = DefWindowProcW;
    if (!params.SystemClassName.empty()) {
        // Built on a Win32 class: same class data, our procedure in front of the class's own.
        // A system class, or one the program registered itself.
        if (!GetClassInfoExW(nullptr, params.SystemClassName.c_str(), &wc) &&
            !GetClassInfoExW(instance, params.SystemClassName.c_str(), &wc))
            throw EInvalidOperation("Unknown window class " + FromWide(params.SystemClassName));
        defaultProc = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    }
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = params.WinClassName.c_str();
    wc.lpszMenuName = nullptr;
    if (!RegisterClassExW(&wc))
        throw EInvalidOperation("Cannot register window class " + FromWide(params.WinClassName));
    registered[key] = {params.WinClassName, defaultProc};
    return defaultProc;
}

void InitCommonControlsOnce() {
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS;
    InitCommonControlsEx(&icc);
    done = true;
}
