#include "rtl/modality/modal_window.h"

#include "rtl/modality/stand_in_window.h"
#include "rtl/modality/window_manager_keys.h"

#include <algorithm>
#include <vector>

#include <windows.h>

namespace {

thread_local TModalWindow* Innermost = nullptr;

HWND InnermostWindow() {
    return Innermost ? static_cast<HWND>(Innermost->Window()) : nullptr;
}

// Often enough that a window brought over the modal one goes back within a moment.
const UINT CheckInterval = 50;
// A window manager offers the focus to another window as soon as it minimised one; that
// fallback is over well before the user can activate a window of the program.
const DWORD FallbackOver = 500;
// How long after the pointer came onto another window's frame its title bar may be clicked, and
// how often the modal windows are raised meanwhile.
const DWORD FrameWatchFor = 3000;
const DWORD FrameRaiseEvery = 250;

bool IsShown(HWND window) {
    return window && IsWindowVisible(window) && !IsIconic(window);
}

// A dialog a system dialog opened over itself (its own message box) that takes the input.
HWND DialogOwnedBy(HWND owner) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        if (GetWindow(window, GW_OWNER) == owner && IsShown(window) && IsWindowEnabled(window) &&
            GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32770") == 0)
            return window;
    }
    return nullptr;
}

// The modal windows, minimised ones too, the outermost first.
std::vector<HWND> ModalChain() {
    std::vector<HWND> windows;
    for (const TModalWindow* modal = Innermost; modal; modal = modal->Outer())
        if (modal->Window() && IsWindowVisible(static_cast<HWND>(modal->Window())))
            windows.push_back(static_cast<HWND>(modal->Window()));
    std::reverse(windows.begin(), windows.end());
    return windows;
}

// The modal windows on the screen, the outermost first, and after them the dialogs the
// innermost opened itself, which the program did not wait on.
std::vector<HWND> ModalWindowsInOrder() {
    std::vector<HWND> windows = ModalChain();
    windows.erase(
        std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsShown(w); }),
        windows.end());
    while (!windows.empty())
        if (HWND dialog = DialogOwnedBy(windows.back()))
            windows.push_back(dialog);
        else
            break;
    return windows;
}

// The program is the one the user works in: the given window, or a window it owns (a system
// dialog opened from it), is the foreground window. Another program's window the user brought
// forward stays where it is.
bool InTheForeground(HWND window) {
    for (HWND front = GetForegroundWindow(); window && front; front = GetWindow(front, GW_OWNER))
        if (front == window)
            return true;
    return false;
}

// Whether a window above the given one hides part of it; those it owns go up with it, and
// those kept on top stay there. Wine brings a window the user clicks, or one a window manager
// raises, only above those covering the point clicked or the part shown: one put above windows
// it does not overlap would stay above them whatever is clicked.
bool IsCovered(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above;
         above = GetWindow(above, GW_HWNDPREV)) {
        RECT other{}, common{};
        if (IsWindowVisible(above) && GetWindow(above, GW_OWNER) != window &&
            !(GetWindowLongW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) && GetWindowRect(above, &other) &&
            IntersectRect(&common, &bounds, &other))
            return true;
    }
    return false;
}

struct TShownWindow {
    HWND Window;
    RECT Bounds;
    bool operator==(const TShownWindow& other) const {
        return Window == other.Window && EqualRect(&Bounds, &other.Bounds);
    }
};

// The program's windows on the screen, in the system's order, with their places.
std::vector<TShownWindow> ShownWindows() {
    std::vector<TShownWindow> windows;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        TShownWindow shown{window, {}};
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            GetWindowRect(window, &shown.Bounds))
            windows.push_back(shown);
    }
    return windows;
}

// A window of the program other than the modal ones whose frame (its title bar, its borders)
// the pointer is on: the first in order the pointer is inside of, pointed at outside its client
// area. Where a modal window covers it, its frame cannot be clicked.
HWND FrameUnder(POINT pointer, const std::vector<HWND>& modal,
                const std::vector<TShownWindow>& shownWindows) {
    for (const TShownWindow& shown : shownWindows) {
        if (!PtInRect(&shown.Bounds, pointer) || IsIconic(shown.Window))
            continue;
        if (std::find(modal.begin(), modal.end(), shown.Window) != modal.end())
            return nullptr;
        RECT client{};
        GetClientRect(shown.Window, &client);
        MapWindowPoints(shown.Window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return PtInRect(&client, pointer) ? nullptr : shown.Window;
    }
    return nullptr;
}

// A modal window the window manager minimised, with the windows it was opened over that it hid
// along with it, comes back, the outermost first; the innermost is active.
bool RestoreMinimised() {
    bool restored = false;
    for (HWND window : ModalChain()) {
        for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
            if (IsIconic(owner)) {
                ShowWindow(owner, SW_SHOWNOACTIVATE);
                restored = true;
            }
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
            restored = true;
        }
    }
    return restored;
}

// Wine restacks a window on the display only when it becomes the first in its own order, and a
// window the window manager raised may still be below the one to raise there: a hidden window,
// which no one sees, goes first, and the window above it. It takes along the windows it owns.
class TRaiser {
public:
    TRaiser()
        : FPivot(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, 0,
                                 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~TRaiser() {
        if (FPivot)
            DestroyWindow(FPivot);
    }
    TRaiser(const TRaiser&) = delete;
    TRaiser& operator=(const TRaiser&) = delete;

    void Raise(HWND window) const {
        const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        if (FPivot)
            SetWindowPos(FPivot, HWND_TOP, 0, 0, 0, 0, flags);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, flags);
    }

    // Each window above those before it. Wine keeps a window that owns one on the screen below
    // it, so it could never become the first: the later ones let go of their owners meanwhile,
    // and take them back in order once all are raised.
    void RaiseInOrder(const std::vector<HWND>& windows) const {
        std::vector<HWND> owners;
        for (size_t i = 1; i < windows.size(); ++i) {
            owners.push_back(GetWindow(windows[i], GW_OWNER));
            if (owners.back())
                SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, 0);
        }
        for (HWND window : windows)
            Raise(window);
        for (size_t i = 1; i < windows.size(); ++i)
            if (owners[i - 1])
                SetWindowLongPtrW(windows[i], GWLP_HWNDPARENT, LONG_PTR(owners[i - 1]));
    }

private:
    HWND FPivot;
};

} // namespace

// A window manager raises a window clicked or chosen from its list and tells the program
// nothing; Wine's order of the windows follows only where the window raised was covered, and
// raising the modal windows on a timer alone would keep the window manager busy and could push
// back a window of another program the user just switched to. All of them are raised at a press
// on a disabled window and whenever the program's windows changed their order or places. A title
// bar clicked on a window they did not cover changes nothing the program sees: while the pointer
// is on another window's frame, they are raised now and then, for a while after it got there.
class TModalWindow::TKeeper {
public:
    TKeeper() {
        FClickWatch = SetWindowsHookExW(WH_MOUSE, WatchClicks, nullptr, GetCurrentThreadId());
        FFocusWatch = SetWindowsHookExW(WH_CBT, WatchFocus, nullptr, GetCurrentThreadId());
        FTimer = SetTimer(nullptr, 0, CheckInterval, Check);
        Current = this;
    }
    ~TKeeper() {
        Current = nullptr;
        if (FTimer)
            KillTimer(nullptr, FTimer);
        if (FClickWatch)
            UnhookWindowsHookEx(FClickWatch);
        if (FFocusWatch)
            UnhookWindowsHookEx(FFocusWatch);
    }
    TKeeper(const TKeeper&) = delete;
    TKeeper& operator=(const TKeeper&) = delete;

    static thread_local TKeeper* Current;

    // Every modal window on the screen, each above the one it was shown over.
    void RaiseAll(const std::vector<HWND>& windows = ModalWindowsInOrder()) {
        FRaiser.RaiseInOrder(windows);
        FSeen = ShownWindows();
    }

    // The innermost one only: above the modal windows it was shown over already.
    void RaiseInnermost(const std::vector<HWND>& windows = ModalWindowsInOrder()) {
        if (!windows.empty())
            FRaiser.Raise(windows.back());
        FSeen = ShownWindows();
    }

private:
    // A press on a disabled window reaches the program only as a hit on nothing (HTERROR), and
    // only once: the system drops it the first time the queue is looked at, taking it out or
    // not. As on the system, it goes to the modal window in front of it, which comes back if the
    // window manager minimised it.
    static LRESULT CALLBACK WatchClicks(int code, WPARAM message, LPARAM info) {
        if ((code == HC_ACTION || code == HC_NOREMOVE) && Current &&
            (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
             message == WM_NCMBUTTONDOWN) &&
            int(reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->wHitTestCode) == HTERROR)
            Current->BringBack();
        return CallNextHookEx(nullptr, code, message, info);
    }

    static LRESULT CALLBACK WatchFocus(int code, WPARAM control, LPARAM previous) {
        if (code == HCBT_SETFOCUS && Innermost && Innermost->FWindow)
            Innermost->FRestore.FocusMoving(Innermost->FWindow, reinterpret_cast<void*>(control));
        return CallNextHookEx(nullptr, code, control, previous);
    }

    // The modal windows come above the others, those minimised first back on the screen with
    // the innermost active and given the keys.
    void BringBack() {
        const bool restored = RestoreMinimised();
        const std::vector<HWND> windows = ModalWindowsInOrder();
        RaiseAll(windows);
        if (restored && !windows.empty()) {
            // Minimised again before the next look, it waits out the manager's fallback anew.
            FMinimisedWindow = nullptr;
            Innermost->NoteFocusWentElsewhere();
            SetForegroundWindow(windows.back());
            LetTheStandInGo();
            AskWindowManagerForTheKeys(windows.back());
        }
    }

    void LetTheStandInGo() {
        if (FStandIn)
            FStandIn->LetGo();
        FStandInActive = false;
    }

    // While the innermost modal window is minimised and the program is not the one the user
    // works in, the stand-in takes the thread's activation; the program becoming the foreground
    // one then means the user activated one of its windows, and the modal windows come back.
    void WatchTheMinimised() {
        const HWND window = InnermostWindow();
        const bool minimised = window && IsWindowVisible(window) && IsIconic(window);
        if (!minimised || window != FMinimisedWindow) {
            FMinimisedWindow = minimised ? window : nullptr;
            FMinimisedSince = GetTickCount();
            LetTheStandInGo();
        } else if (FStandInActive) {
            if (ThreadInForeground())
                BringBack();
        } else if (GetTickCount() - FMinimisedSince >= FallbackOver && !ThreadInForeground()) {
            // It lives as long as the keeper: a window opened meanwhile may have taken it as its
            // owner, being the active one.
            if (!FStandIn)
                FStandIn = std::make_unique<TStandInWindow>();
            FStandInActive = FStandIn->TakeTheActivation();
        }
    }

    static void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
        if (!Current)
            return;
        Current->WatchTheMinimised();
        // Once a modal window brought back by any path is active; on the stand-in's path, in
        // the same tick.
        if (Innermost)
            Innermost->FRestore.GiveFocusBack(Innermost->FWindow);
        NoteWhereTheFocusIs();
        const std::vector<HWND> windows = ModalWindowsInOrder();
        if (windows.empty() || !InTheForeground(windows.back()))
            return;
        const std::vector<TShownWindow> shown = ShownWindows();
        if (shown != Current->FSeen || Current->FrameRaiseDue(windows, shown))
            Current->RaiseAll(windows);
    }

    // The innermost modal window on the screen, minimised or not the one the user works in: the
    // window manager focused another window.
    static void NoteWhereTheFocusIs() {
        const HWND window = InnermostWindow();
        if (window && IsWindowVisible(window) && (IsIconic(window) || !InTheForeground(window)))
            Innermost->NoteFocusWentElsewhere();
    }

    bool FrameRaiseDue(const std::vector<HWND>& modal, const std::vector<TShownWindow>& shown) {
        POINT pointer{};
        GetCursorPos(&pointer);
        const HWND frame = FrameUnder(pointer, modal, shown);
        const DWORD now = GetTickCount();
        if (frame != FFrame) {
            FFrame = frame;
            FFrameSince = now;
            FLastFrameRaise = now - FrameRaiseEvery;
        }
        if (!frame || now - FFrameSince >= FrameWatchFor || now - FLastFrameRaise < FrameRaiseEvery)
            return false;
        FLastFrameRaise = now;
        return true;
    }

    TRaiser FRaiser;
    std::unique_ptr<TStandInWindow> FStandIn;
    // The innermost modal window while it is minimised, and since when.
    HWND FMinimisedWindow = nullptr;
    DWORD FMinimisedSince = 0;
    bool FStandInActive = false;
    HHOOK FClickWatch = nullptr;
    HHOOK FFocusWatch = nullptr;
    UINT_PTR FTimer = 0;
    std::vector<TShownWindow> FSeen;
    HWND FFrame = nullptr;
    DWORD FFrameSince = 0;
    DWORD FLastFrameRaise = 0;
};

thread_local TModalWindow::TKeeper* TModalWindow::TKeeper::Current = nullptr;

TModalWindow::TModalWindow(void* window) : FOuter(Innermost) {
    // Opened right as the modal window before it ended (a box after a box, a dialog after its
    // boxes), it takes over the keys that one's end asked for; and as the manager's history now
    // puts another program before the program's own windows, its own end asks again.
    const bool keysHandedOn = HandKeysRequestOn();
    Innermost = this;
    if (!FOuter)
        FKeeper = std::make_unique<TKeeper>();
    if (keysHandedOn)
        NoteFocusWentElsewhere();
    SetWindow(window);
}

TModalWindow::~TModalWindow() {
    SetMinimizeBox(false);
    Innermost = FOuter;
    if (!FOuter)
        return;
    if (FEndedMinimised)
        FOuter->ShowAgainOnTheDisplay();
    // Their windows are disabled again: the outer modal windows go back above them.
    TKeeper::Current->RaiseAll();
}

void TModalWindow::SetWindow(void* window) {
    SetMinimizeBox(false);
    FWindow = window;
    FRestore.Reset(window);
    SetMinimizeBox(true);
    TKeeper::Current->RaiseInnermost();
}

void TModalWindow::WindowDestroyed() {
    FMinimizeBoxAdded = false;
    SetWindow(nullptr);
}

// Wine takes a window the window manager minimised as minimised only when it has a minimise box;
// otherwise the program could never bring it back. A captioned modal window has one while it is
// modal.
void TModalWindow::SetMinimizeBox(bool on) {
    const HWND window = static_cast<HWND>(FWindow);
    if (!window || !IsWindow(window) || on == FMinimizeBoxAdded)
        return;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (on && ((style & WS_CAPTION) != WS_CAPTION || (style & WS_MINIMIZEBOX)))
        return;
    SetWindowLongPtrW(window, GWL_STYLE,
                      on ? style | WS_MINIMIZEBOX : style & ~LONG_PTR(WS_MINIMIZEBOX));
    FMinimizeBoxAdded = on;
}

bool TModalWindow::AskForTheKeysAtItsEnd() const {
    return FFocusWentElsewhere && ThreadInForeground();
}

void TModalWindow::NoteFocusWentElsewhere() {
    for (TModalWindow* modal = this; modal; modal = modal->FOuter)
        modal->FFocusWentElsewhere = true;
}

void TModalWindow::ActiveWindowTakesOver(bool askForTheKeys) {
    const HWND active = GetActiveWindow();
    // A window the manager focused meanwhile never keeps the keys the user gave the modal window.
    if (askForTheKeys)
        AskWindowManagerForTheKeys(active);
    const HWND root = active ? GetAncestor(active, GA_ROOT) : nullptr;
    if (!Innermost && IsShown(root) && InTheForeground(root) && IsCovered(root))
        TRaiser().Raise(root);
}

void TModalWindow::PlaceChanging(void* window, void* windowPos) {
    TModalWindow* modal = Innermost;
    while (modal && modal->FWindow != window)
        modal = modal->FOuter;
    if (!modal)
        return;
    // Closed from the window manager's list while minimised.
    if (IsIconic(static_cast<HWND>(window)) &&
        (static_cast<const WINDOWPOS*>(windowPos)->flags & SWP_HIDEWINDOW))
        modal->FEndedMinimised = true;
    modal->FRestore.PlaceChanging(window, windowPos);
}

// A window manager minimises the windows a modal window was opened over along with it. Wine,
// as they are disabled, minimises them on the display only, and shows one there again only as it
// comes out of the minimised state: a modal window that ended minimised would leave the one it
// was opened over hidden. That one goes through the minimised state, its focus kept.
void TModalWindow::ShowAgainOnTheDisplay() {
    const HWND window = static_cast<HWND>(FWindow);
    if (SystemActivatesWhatItIsAsked() || !window || !IsWindowVisible(window) || IsIconic(window))
        return;
    const HWND focus = GetFocus();
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    if (focus && IsWindow(focus) && GetFocus() != focus)
        SetFocus(focus);
}
