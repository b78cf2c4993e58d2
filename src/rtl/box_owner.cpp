#include "rtl/box_owner.h"

#include "rtl/program_modal_dialog.h"

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

int ShowProgramModalBox(void* owner, const std::wstring& text, const std::wstring& caption,
                        unsigned flags) {
    TProgramModalDialog modal(owner);
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), caption.c_str(),
                       flags & ~MB_TASKMODAL);
}
