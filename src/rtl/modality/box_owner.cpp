#include "rtl/modality/box_owner.h"

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
