#include "vcl/graphics/gdi_objects.h"

#include "vcl/base/win_api.h"
#include "vcl/base/win_types.h"

void DeleteGdiObject(void* object) {
    if (object)
        DeleteObject(HGDIOBJ(object));
}

TShiftState KeysToShiftState(uintptr_t keys) {
    TShiftState s;
    s.Set(ssShift, keys & MK_SHIFT);
    s.Set(ssCtrl, keys & MK_CONTROL);
    s.Set(ssLeft, keys & MK_LBUTTON);
    s.Set(ssRight, keys & MK_RBUTTON);
    s.Set(ssMiddle, keys & MK_MBUTTON);
    s.Set(ssAlt, GetKeyState(VK_MENU) < 0);
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    s.Set(ssShift, GetKeyState(VK_SHIFT) < 0);
    s.Set(ssCtrl, GetKeyState(VK_CONTROL) < 0);
    s.Set(ssAlt, GetKeyState(VK_MENU) < 0);
    s.Set(ssLeft, GetKeyState(VK_LBUTTON) < 0);
    s.Set(ssRight, GetKeyState(VK_RBUTTON) < 0);
    s.Set(ssMiddle, GetKeyState(VK_MBUTTON) < 0);
    return s;
}
