#include "rtl/modality/keys_owed.h"

#include "rtl/modality/window_manager_keys.h"

namespace {

// How long the keys a modal window's end asked for are owed to the window opened after it.
const DWORD KeysOwedFor = 2000;
// Wine gives the keys to a window on the display only once the window manager mapped it, a
// moment after the program showed it; keys given to it before are lost.
const DWORD MappedWithin = 250;

} // namespace

void TKeysOwed::Owe(DWORD since) {
    if (!SystemActivatesWhatItIsAsked())
        FSince = since ? since : 1;
}

bool TKeysOwed::Owed() const {
    return FSince && GetTickCount() - FSince < KeysOwedFor;
}

void TKeysOwed::See(HWND window) {
    if (!FSince)
        return;
    const DWORD now = GetTickCount();
    if (!CanTakeTheKeys(window))
        FUpSince = 0;
    else if (!FUpSince)
        FUpSince = now ? now : 1;
    if (KeysRequestWaits())
        return;
    if (!Owed() || (FUpSince && KeysGivenSince(window, FUpSince + MappedWithin)))
        FSince = 0;
    else if (FUpSince && now - FUpSince >= MappedWithin)
        AskWindowManagerForTheKeys(window);
}
