#include "rtl/modality/keys_owed.h"

#include "rtl/modality/window_manager_keys.h"

void TKeysOwed::Owe() {
    FOwed = !SystemActivatesWhatItIsAsked();
}

void TKeysOwed::Shown(HWND window) {
    if (!FOwed || !CanTakeTheKeys(window))
        return;
    FOwed = false;
    // A request still waiting gives them to this window, the active one at the manager's offer;
    // asked anew, it would go from the display before the manager fell back to it.
    if (!KeysRequestWaits())
        AskWindowManagerForTheKeys(window);
}
