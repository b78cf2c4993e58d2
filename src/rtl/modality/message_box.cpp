#include "rtl/modality/message_box.h"

#include "rtl/lasting.h"
#include "rtl/modality/box_owner.h"
#include "rtl/modality/program_modal_dialog.h"
#include "rtl/wide_text.h"

#include <windows.h>

namespace {

TMessageBoxHook& Hook() {
    static TLasting<TMessageBoxHook> hook;
    return *hook;
}

std::string& Title() {
    static TLasting<std::string> title("QVRDebugViewer");
    return *title;
}

// Without a display no box can be shown (no window can be made); the message still reaches
// whoever started the program from a console.
void WriteToStandardError(const std::string& text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error && error != INVALID_HANDLE_VALUE)
        WriteFile(error, text.data(), DWORD(text.size()), &written, nullptr);
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
    return ShowOwnedMessageBox(GetActiveWindow(), text, caption, flags);
}

int ShowOwnedMessageBox(void* owner, const std::string& text, const std::string& caption,
                        unsigned flags) {
    if (Hook())
        return Hook()(text, caption, flags);
    const HWND window = static_cast<HWND>(BoxOwner(owner));
    int answer = 0;
    {
        TProgramModalDialog modal(window);
        answer = MessageBoxW(window, ToWide(text).c_str(), ToWide(caption).c_str(),
                             flags & ~MB_TASKMODAL);
    }
    // Zero by the documentation, -1 from a dialog that could not be made.
    if (answer <= 0)
        WriteToStandardError(caption + ": " + text + "\n");
    return answer;
}

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Title(), MB_OK);
}
