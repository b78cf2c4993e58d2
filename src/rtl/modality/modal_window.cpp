#include "rtl/modality/modal_window.h"

#include "rtl/modality/background_look.h"
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

// While anything changes the modal windows are looked at this often, so that a window brought
// over them goes back within a moment; changes come in bursts, and the looks go on a while after
// the last one seen.
const UINT BusyEvery = 50;
const DWORD BusyFor = 1000;
// While nothing changes and the program is in front, whether a window of the program hides a
// modal window is looked at ten times a second, with one call, from a thread of its own (see
// TBackgroundLook): a window manager raises one chosen from its list or task bar and tells the
// program nothing. The pointer is looked at every fifth time: a window manager's frame around a
// window is not the program's, and nothing tells it that the pointer came onto one from outside
// the program's windows. Where another program is in front nothing is looked at: the program
// hears when it comes back.
const unsigned PointerEveryNth = 5;
// While a modal window waits for the user to come back to the program, whether the program is
// in front is looked at this often.
const UINT WaitingEvery = 100;
// A window manager offers the focus to another window as soon as it minimised one, and to a new
// window as it shows it; that offer is over well before the user can activate a window.
const DWORD FallbackOver = 500;
// How long the keys a modal window's end asked for are owed to the window opened after it.
const DWORD KeysOwedFor = 2000;
// Wine gives the keys to a window on the display only once the window manager mapped it, a
// moment after the program showed it; keys given to it before are lost.
const DWORD MappedWithin = 250;
// How long after the pointer came onto another window's frame its title bar may be clicked, and
// how often the modal windows are raised meanwhile.
const DWORD FrameWatchFor = 3000;
const DWORD FrameRaiseEvery = 250;

bool IsShown(HWND window) {
    return window && IsWindowVisible(window) && !IsIconic(window);
}

BOOL CALLBACK AddTopLevelWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The top-level windows, the one on top first, asked of the system at once: walking them one by
// one asks it once a window.
std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(AddTopLevelWindow, LPARAM(&windows));
    return windows;
}

// A dialog a system dialog opened over itself (its own message box) that takes the input.
HWND DialogOwnedBy(HWND owner, const std::vector<HWND>& topLevel) {
    for (HWND window : topLevel) {
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
std::vector<HWND> ModalWindowsInOrder(const std::vector<HWND>& topLevel = TopLevelWindows()) {
    std::vector<HWND> windows = ModalChain();
    windows.erase(
        std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsShown(w); }),
        windows.end());
    while (!windows.empty())
        if (HWND dialog = DialogOwnedBy(windows.back(), topLevel))
            windows.push_back(dialog);
        else
            break;
    return windows;
}

// Another program is the one the user works in: a window of another thread (under Wine, the
// desktop's once another program has the keys) is the foreground window.
bool AnotherThreadInFront() {
    const HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
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
// Whether a window above the given one hides part of it (within the bounds given).
bool HidesPartOf(HWND above, HWND window, const RECT& bounds) {
    RECT other{}, common{};
    return IsWindowVisible(above) && GetWindow(above, GW_OWNER) != window &&
           !(GetWindowLongW(above, GWL_EXSTYLE) & WS_EX_TOPMOST) && GetWindowRect(above, &other) &&
           IntersectRect(&common, &bounds, &other);
}

bool IsCovered(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
        if (HidesPartOf(above, window, bounds))
            return true;
    return false;
}

// Whether another window of the given thread hides part of one of its modal windows, from above
// it in the system's order. A window manager raised it, and Wine's order followed as the window
// was exposed, telling the program nothing. The thread's windows are asked of the system at once,
// the one on top first.
bool AWindowRaisedOver(const std::vector<HWND>& modal, DWORD thread) {
    std::vector<HWND> windows;
    EnumThreadWindows(thread, AddTopLevelWindow, LPARAM(&windows));
    for (HWND window : modal) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        for (HWND above : windows) {
            if (above == window)
                break;
            if (std::find(modal.begin(), modal.end(), above) == modal.end() &&
                HidesPartOf(above, window, bounds))
                return true;
        }
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
std::vector<TShownWindow> ShownWindows(const std::vector<HWND>& topLevel = TopLevelWindows()) {
    std::vector<TShownWindow> windows;
    for (HWND window : topLevel) {
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
// The keeper looks at them only while something changes: each change of a window's place, order
// or activation and each move of the pointer over the program's windows starts the looks again.
class TModalWindow::TKeeper {
public:
    TKeeper() {
        FClickWatch = SetWindowsHookExW(WH_MOUSE, WatchClicks, nullptr, GetCurrentThreadId());
        FFocusWatch = SetWindowsHookExW(WH_CBT, WatchFocus, nullptr, GetCurrentThreadId());
        FChangeWatch =
            SetWindowsHookExW(WH_CALLWNDPROCRET, WatchChanges, nullptr, GetCurrentThreadId());
        Current = this;
        Wake();
    }
    ~TKeeper() {
        Current = nullptr;
        if (FTimer)
            KillTimer(nullptr, FTimer);
        for (HHOOK hook : {FClickWatch, FFocusWatch, FChangeWatch})
            if (hook)
                UnhookWindowsHookEx(hook);
    }
    TKeeper(const TKeeper&) = delete;
    TKeeper& operator=(const TKeeper&) = delete;

    static thread_local TKeeper* Current;

    // Every modal window on the screen, each above the one it was shown over.
    void RaiseAll(const std::vector<HWND>& topLevel = TopLevelWindows()) {
        FRaiser.RaiseInOrder(ModalWindowsInOrder(topLevel));
        FSeen = ShownWindows(topLevel);
    }

    // The innermost one only: above the modal windows it was shown over already.
    void RaiseInnermost() {
        const std::vector<HWND> topLevel = TopLevelWindows();
        const std::vector<HWND> windows = ModalWindowsInOrder(topLevel);
        if (!windows.empty())
            FRaiser.Raise(windows.back());
        FSeen = ShownWindows(topLevel);
    }

    // Something changed: the modal windows are looked at soon, and often for a while.
    void Wake() {
        FQuietLook.Stop();
        FBusyUntil = GetTickCount() + BusyFor;
        FQuiet = false;
        LookEvery(BusyEvery);
    }

    // Whether the innermost modal window, opened while the user worked in another program, is
    // kept from being activated: until the window manager's offer as it shows it is over, but
    // for a click on it.
    bool KeepsOut(HWND window) const {
        if (!Innermost || !Innermost->FWaitsForTheUser)
            return false;
        // A form is shown before it is known as the modal window.
        const HWND innermost = InnermostWindow();
        return !innermost ||
               (window == innermost &&
                (FWaitingWindow != innermost || GetTickCount() - FWaitingSince < FallbackOver));
    }

private:
    // A press on a disabled window reaches the program only as a hit on nothing (HTERROR), and
    // only once: the system drops it the first time the queue is looked at, taking it out or
    // not. As on the system, it goes to the modal window in front of it, which comes back if the
    // window manager minimised it. Any move over the program's windows may end on another
    // window's frame.
    static LRESULT CALLBACK WatchClicks(int code, WPARAM message, LPARAM info) {
        if ((code == HC_ACTION || code == HC_NOREMOVE) && Current) {
            Current->Wake();
            if ((message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN ||
                 message == WM_NCMBUTTONDOWN) &&
                int(reinterpret_cast<const MOUSEHOOKSTRUCT*>(info)->wHitTestCode) == HTERROR)
                Current->BringBack();
        }
        return CallNextHookEx(nullptr, code, message, info);
    }

    static LRESULT CALLBACK WatchFocus(int code, WPARAM window, LPARAM info) {
        if (code == HCBT_SETFOCUS && Innermost && Innermost->FWindow)
            Innermost->FRestore.FocusMoving(Innermost->FWindow, reinterpret_cast<void*>(window));
        if (code == HCBT_ACTIVATE && Current && Current->KeepsOut(HWND(window)) &&
            !reinterpret_cast<const CBTACTIVATESTRUCT*>(info)->fMouse)
            return 1;
        return CallNextHookEx(nullptr, code, window, info);
    }

    static LRESULT CALLBACK WatchChanges(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && Current) {
            const UINT message = reinterpret_cast<const CWPRETSTRUCT*>(lParam)->message;
            if (message == WM_WINDOWPOSCHANGED || message == WM_ACTIVATE ||
                message == WM_NCACTIVATE || message == WM_ACTIVATEAPP ||
                message == TBackgroundLook::WakeMessage())
                Current->Wake();
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void LookEvery(UINT interval) {
        if (interval == FInterval)
            return;
        FInterval = interval;
        if (!interval) {
            KillTimer(nullptr, FTimer);
            FTimer = 0;
        } else {
            FTimer = SetTimer(nullptr, FTimer, interval, Look);
        }
    }

    // The modal windows come above the others, those minimised first back on the screen with
    // the innermost active and given the keys.
    void BringBack() {
        const bool restored = RestoreMinimised();
        const std::vector<HWND> windows = ModalWindowsInOrder();
        RaiseAll();
        const bool waited = Innermost && Innermost->FWaitsForTheUser;
        if ((restored || waited) && !windows.empty()) {
            // Minimised again before the next look, it waits out the manager's fallback anew.
            FWaitingWindow = nullptr;
            EndTheWait();
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

    // A window that waited for the user since it opened no longer asks for attention.
    static void EndTheWait() {
        if (!Innermost || !Innermost->FWaitsForTheUser)
            return;
        Innermost->FWaitsForTheUser = false;
        if (const HWND window = InnermostWindow(); window && IsWindow(window)) {
            FLASHWINFO flash{sizeof(flash), window, FLASHW_STOP, 0, 0};
            FlashWindowEx(&flash);
        }
    }

    // The innermost modal window waits for the user while it is minimised, or while it has not
    // been active since it opened in another program's time; once that window is on the
    // screen, the window manager is asked to mark it as wanting attention. While it waits and
    // the program is not the one the user works in, the stand-in takes the thread's activation;
    // the program becoming the foreground one then means the user activated one of its windows,
    // and the modal windows come back.
    void WatchTheWaiting() {
        const HWND window = InnermostWindow();
        const bool minimised = window && IsWindowVisible(window) && IsIconic(window);
        const bool unseen = Innermost && Innermost->FWaitsForTheUser && IsShown(window);
        const HWND waiting = minimised || unseen ? window : nullptr;
        // Wine makes the program the one in front as it shows a window, whether the window
        // becomes active or not: the program in front would have the stand-in become the
        // foreground window. Until the stand-in takes over, the other program is put back.
        const HWND frontBefore = unseen ? static_cast<HWND>(Innermost->FFrontBefore) : nullptr;
        if (frontBefore && !FStandInActive && (!GetForegroundWindow() || ThreadInForeground()) &&
            IsWindow(frontBefore))
            SetForegroundWindow(frontBefore);
        if (!waiting || waiting != FWaitingWindow) {
            FWaitingWindow = waiting;
            FWaitingSince = GetTickCount();
            LetTheStandInGo();
            if (unseen) {
                FLASHWINFO flash{sizeof(flash), window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
                FlashWindowEx(&flash);
            }
        } else if (FStandInActive) {
            if (ThreadInForeground())
                BringBack();
        } else if (GetTickCount() - FWaitingSince >= FallbackOver && !ThreadInForeground()) {
            // It lives as long as the keeper: a window opened meanwhile may have taken it as its
            // owner, being the active one.
            if (!FStandIn)
                FStandIn = std::make_unique<TStandInWindow>();
            FStandInActive = FStandIn->TakeTheActivation();
        }
    }

    // A window that waited since it opened and that the user activated waits no longer.
    static void SeeTheWaitOver() {
        const HWND window = InnermostWindow();
        if (Innermost && Innermost->FWaitsForTheUser && window && GetActiveWindow() == window &&
            ThreadInForeground())
            EndTheWait();
    }

    // The keys owed to the innermost modal window: asked for anew once it is surely on the
    // display, until a request's offer gave them to it then. The program seeming in front proves
    // nothing: the manager's fallback to another program may not have reached it yet.
    static void SeeTheKeysGiven() {
        if (!Innermost || !Innermost->FKeysOwedSince)
            return;
        const HWND window = InnermostWindow();
        const DWORD now = GetTickCount();
        if (!CanTakeTheKeys(window))
            Innermost->FUpSince = 0;
        else if (!Innermost->FUpSince)
            Innermost->FUpSince = now ? now : 1;
        if (KeysRequestWaits())
            return;
        const DWORD upSince = Innermost->FUpSince;
        if (!Innermost->OwesTheKeys() ||
            (upSince && KeysGivenSince(window, upSince + MappedWithin)))
            Innermost->FKeysOwedSince = 0;
        else if (upSince && now - upSince >= MappedWithin)
            AskWindowManagerForTheKeys(window);
    }

    static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
        if (Current)
            Current->Look();
    }

    void Look() {
        WatchTheWaiting();
        if (!FStandInActive)
            LookAtTheModalWindows();
        LookEvery(NextInterval());
        if (FQuiet)
            LookQuietly();
    }

    void LookAtTheModalWindows() {
        // Once a modal window brought back by any path is active; on the stand-in's path, in
        // the same look.
        if (Innermost)
            Innermost->FRestore.GiveFocusBack(Innermost->FWindow);
        SeeTheWaitOver();
        SeeTheKeysGiven();
        NoteWhereTheFocusIs();
        const std::vector<HWND> topLevel = TopLevelWindows();
        const std::vector<HWND> windows = ModalWindowsInOrder(topLevel);
        if (windows.empty() || !InTheForeground(windows.back()))
            return;
        const std::vector<TShownWindow> shown = ShownWindows(topLevel);
        if (shown != FSeen || FrameRaiseDue(windows, shown))
            RaiseAll(topLevel);
    }

    // Left alone and in front: the program's thread sleeps, and the background look wakes it
    // once a window of the program was raised over the modal windows, or the pointer moved.
    void LookQuietly() {
        FQuietLook.Start(
            [modal = ModalChain(), thread = GetCurrentThreadId(), pointer = FPointer,
             looks = 0u]() mutable {
                if (AWindowRaisedOver(modal, thread))
                    return true;
                if (++looks % PointerEveryNth)
                    return false;
                POINT now{};
                GetCursorPos(&now);
                return now.x != pointer.x || now.y != pointer.y;
            },
            InnermostWindow());
    }

    // How often the program's thread looks at the modal windows from now on; 0 also while they
    // are left alone (FQuiet).
    UINT NextInterval() {
        FQuiet = false;
        if (FStandInActive)
            return WaitingEvery;
        const DWORD now = GetTickCount();
        const bool frameWatched = FFrame && now - FFrameSince < FrameWatchFor;
        if (FWaitingWindow || int(FBusyUntil - now) > 0 || frameWatched ||
            (Innermost && Innermost->FKeysOwedSince))
            return BusyEvery;
        const HWND window = InnermostWindow();
        FQuiet = window && IsShown(window) && InTheForeground(window);
        return 0;
    }

    // The innermost modal window on the screen, minimised or not the one the user works in: the
    // window manager focused another window.
    static void NoteWhereTheFocusIs() {
        const HWND window = InnermostWindow();
        if (window && IsWindowVisible(window) && (IsIconic(window) || !InTheForeground(window)))
            Innermost->NoteFocusWentElsewhere();
    }

    bool FrameRaiseDue(const std::vector<HWND>& modal, const std::vector<TShownWindow>& shown) {
        GetCursorPos(&FPointer); // where the background look sees whether it moved
        const HWND frame = FrameUnder(FPointer, modal, shown);
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
    // The innermost modal window while it waits for the user, and since when.
    HWND FWaitingWindow = nullptr;
    DWORD FWaitingSince = 0;
    bool FStandInActive = false;
    HHOOK FClickWatch = nullptr;
    HHOOK FFocusWatch = nullptr;
    HHOOK FChangeWatch = nullptr;
    UINT_PTR FTimer = 0;
    // How often the program's thread looks at the modal windows now; 0: not at all, and the
    // background look watches them while they are left alone.
    UINT FInterval = 0;
    bool FQuiet = false;
    TBackgroundLook FQuietLook;
    DWORD FBusyUntil = 0;
    POINT FPointer{};
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
    const bool requestHandedOn = HandKeysRequestOn();
    const bool keysHandedOn = requestHandedOn || (FOuter && FOuter->OwesTheKeys());
    if (keysHandedOn)
        OweTheKeys(FOuter && FOuter->OwesTheKeys() ? FOuter->FKeysOwedSince : GetTickCount());
    if (FOuter)
        FOuter->FKeysOwedSince = 0;
    // Otherwise, opened while another program is in front, the user works there.
    FWaitsForTheUser = !keysHandedOn && !SystemActivatesWhatItIsAsked() && AnotherThreadInFront();
    if (FWaitsForTheUser)
        FFrontBefore = GetForegroundWindow();

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
    TKeeper::Current->Wake();
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

bool TModalWindow::OwesTheKeys() const {
    return FKeysOwedSince && GetTickCount() - FKeysOwedSince < KeysOwedFor;
}

void TModalWindow::OweTheKeys(unsigned long since) {
    if (!SystemActivatesWhatItIsAsked())
        FKeysOwedSince = since ? since : 1;
}

void TModalWindow::NoteFocusWentElsewhere() {
    for (TModalWindow* modal = this; modal; modal = modal->FOuter)
        modal->FFocusWentElsewhere = true;
}

void TModalWindow::ActiveWindowTakesOver(bool askForTheKeys) {
    const HWND active = GetActiveWindow();
    // A window the manager focused meanwhile never keeps the keys the user gave the modal window;
    // a modal window still up (a dialog shown after the boxes of its opening) is owed them.
    if (askForTheKeys) {
        AskWindowManagerForTheKeys(active);
        if (Innermost)
            Innermost->OweTheKeys(GetTickCount());
    }
    const HWND root = active ? GetAncestor(active, GA_ROOT) : nullptr;
    if (!Innermost && IsShown(root) && InTheForeground(root) && IsCovered(root))
        TRaiser().Raise(root);
}

bool TModalWindow::DeclinesOffer(void* window, unsigned message, uintptr_t wParam,
                                 intptr_t lParam) {
    return IsFocusOffer(window, message, wParam, lParam) && TKeeper::Current &&
           TKeeper::Current->KeepsOut(static_cast<HWND>(window));
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
