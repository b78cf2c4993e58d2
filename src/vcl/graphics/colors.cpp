#include "vcl/graphics/colors.h"

#include <windows.h>

uint32_t ColorToRGB(TColor color) {
    if ((color & clSystemColor) == clSystemColor)
        return GetSysColor(color & 0xFF);
    return uint32_t(color);
}
