#include "rtl/message_box.h"

#include "rtl/wide_text.h"

#include <windows.h>

namespace {

TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

std::string& Title() {
    static std::string title = "QVRDebugViewer";
    return title;
}

} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    TMessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void SetMessageBoxTitle(const std::string& title) {
    Title() = title;
}
const std::string& MessageBoxTitle() {
    return Title();
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return ShowOwnedMessageBox(GetActiveWindow(), text, caption, flags | MB_TASKMODAL);
}

int ShowOwnedMessageBox(void* owner, const std::string& text, const std::string& caption,
                        unsigned flags) {
    if (Hook())
        return Hook()(text, caption, flags & ~unsigned(MB_TASKMODAL));
    return MessageBoxW(static_cast<HWND>(owner), ToWide(text).c_str(), ToWide(caption).c_str(),
                       flags);
}

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Title(), MB_OK);
}
