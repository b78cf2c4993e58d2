#pragma once
#include <memory>

// The window the program waits on while it is up: a modal form or a message box. The others
// take no input then, yet a window manager still raises one that is clicked, or brought forward
// from its window list, over the modal window and hides it. While a modal window is up and the
// program is in the foreground, it is kept above every window of the program; windows of other
// programs the user brought forward are left where they are.
class TModalWindow {
public:
    // The window may be given later: a box is made inside the call that shows it.
    explicit TModalWindow(void* window = nullptr);
    // The modal window this one was shown over goes back above the windows it disables.
    ~TModalWindow();
    TModalWindow(const TModalWindow&) = delete;
    TModalWindow& operator=(const TModalWindow&) = delete;

    // A window already on the screen is raised at once: one shown without the user's input can
    // be mapped below the window that has the focus.
    void SetWindow(void* window);
    void* Window() const { return FWindow; }

private:
    // What keeps the innermost modal window on top while any is up; the outermost owns it.
    class TKeeper;

    void* FWindow = nullptr;
    TModalWindow* FOuter;
    std::unique_ptr<TKeeper> FKeeper;
};
