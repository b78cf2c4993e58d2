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
    if (Hook())
        return Hook()(text, caption, flags);
    return MessageBoxW(GetActiveWindow(), ToWide(text).c_str(), ToWide(caption).c_str(),
                       flags | MB_TASKMODAL);
}

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Title(), MB_OK);
}
