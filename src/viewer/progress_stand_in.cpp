#include "viewer/progress_stand_in.h"

#include "rtl/strings.h"

#include <algorithm>

void TProgressStandIn::SetPosition(int value) {
    value = std::clamp(value, 0, FMax);
    if (value == FPosition)
        return;
    FPosition = value;
    SetCaption(IntToStr(value) + "%");
}
