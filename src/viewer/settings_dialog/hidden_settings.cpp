#include "viewer/settings_dialog/hidden_settings.h"

#include <cstring>

void TQVRHiddenSettingsKeys::KeyDown(uint16_t key) {
    if (key < 'A' || key > 'Z')
        return;
    if (FLetters.size() >= std::strlen(Sequence))
        FLetters.erase(0, 1);
    FLetters += char(key);
}
