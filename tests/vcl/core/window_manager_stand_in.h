#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

// What a window manager does with the program's windows under Wine, for the tests: the tests'
// display has none, and Wine shows every window there unmanaged, with the keys where the program
// puts them. Under a manager the keys are on the window the manager focused last: a window hides,
// and the manager falls back to the one it focused before it, which may be another program's.
//
// Like a real manager it works on what the program asked of the display since it last ran, in
// order, and only when it runs (Run): the windows mapped, unmapped, minimised and raised. It keeps
// the windows in the order it focused them, a new one right after the one it focuses now, and
// focuses a new window itself where nothing has the focus, where the window has no owner, or
// where a window of its owner chain has the focus. It keeps them in two layers, those marked to
// stay on top above the others. What it offers a window of the program Wine answers at once, as
// Wine does: it asks the window whether it wants to be active, and passes the offer of a window
// that declines or cannot be active to the program's active window.
class TStandInWindowManager {
public:
    // The program's windows on the screen are mapped at once, the active one focused.
    TStandInWindowManager();
    ~TStandInWindowManager();
    TStandInWindowManager(const TStandInWindowManager&) = delete;
    TStandInWindowManager& operator=(const TStandInWindowManager&) = delete;

    void Run();

    // What the user does through the manager.
    // Goes to another program's window: it is focused.
    void GoesTo(HWND otherProgram);
    // Chooses a window of the program from the manager's list or task bar: it comes back if
    // minimised, goes on top and is focused.
    void Activates(HWND window);
    // Clicks a window's title bar: it goes on top and is focused.
    void ClicksTheTitleBarOf(HWND window);
    // Clicks inside a window: the press reaches the window through the system, and the manager
    // raises and focuses it.
    void ClicksInside(HWND window);
    // Minimises a window from its title bar.
    void Minimises(HWND window);
    // Presses a key: it goes to the window with the focus, which for a window of the program is
    // the program's focused window. False when it went to another program or nowhere.
    bool Types(uint16_t key);

    // The window with the keys: the one focused last; none after a fallback that found nothing.
    HWND Focused() const { return FFocused; }
    // Mapped and seen by the manager: on the display.
    bool OnTheDisplay(HWND window) const;
    // Above the other window in the manager's order.
    bool Above(HWND window, HWND other) const;
    // Another program's window was focused since the mark.
    bool OtherProgramFocusedSinceMark() const { return FOtherFocusedSinceMark; }
    void Mark() { FOtherFocusedSinceMark = false; }

private:
    enum class TKind { Map, Unmap, Minimise, Restore, Raise };
    struct TEvent {
        TKind Kind;
        HWND Window;
    };

    static LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam);
    void Saw(HWND window, const WINDOWPOS& pos);

    void Mapped(HWND window);
    void Unmapped(HWND window);
    void Focus(HWND window);
    void FallBack();
    // What Wine does at the manager's offer of the focus.
    void OfferAsWineTakesIt(HWND window);
    void KeysTo(HWND window);
    void FocusedNow(HWND window);
    void ToTheTop(HWND window);
    bool IsOurs(HWND window) const;

    static thread_local TStandInWindowManager* Current;
    HHOOK FHook;
    std::deque<TEvent> FEvents;
    std::vector<HWND> FMapped;
    std::vector<HWND> FMinimised;
    // The order of focusing, the last focused first; and of stacking, the top first.
    std::vector<HWND> FFocusOrder;
    std::vector<HWND> FStacking;
    HWND FFocused = nullptr;
    // The program's window that had the keys last, which Wine passes an offer on to when the
    // program has no active window.
    HWND FLastFocus = nullptr;
    bool FOtherFocusedSinceMark = false;
};

// As Wine decides whether a window can take the manager's offer.
bool CanBeActive(HWND window);
