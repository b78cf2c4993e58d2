#include "tools/window_placement.h"

#include "rtl/format.h"
#include "rtl/strings.h"
#include "tools/qz_string.h"

#include <algorithm>
#include <climits>

namespace {

size_t FolderEnd(const std::string& name) {
    size_t slash = name.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string WithoutExtension(const std::string& name) {
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot < FolderEnd(name) ? name : name.substr(0, dot);
}

} // namespace

std::string PlacementScreenSuffix(int width, int height) {
    return Format("(%dx%d)", {width, height});
}

std::string FormatPlacementNumbers(const std::array<int, 4>& n) {
    return Format("%d,%d,%d,%d", {n[0], n[1], n[2], n[3]});
}

std::array<int, 4> ParsePlacementNumbers(const std::string& text,
                                         const std::array<int, 4>& defaults) {
    const TCharSet delimiters = {' ', ','};
    std::array<int, 4> numbers;
    for (int i = 0; i < 4; ++i)
        numbers[size_t(i)] = StrToIntDef(ExtractWord(i + 1, text, delimiters), defaults[size_t(i)]);
    return numbers;
}

std::optional<TRect> RestoredNormalRect(const TRect& stored, TSize designed, bool fixedSize) {
    if (fixedSize) {
        const int left = std::min(stored.Left, INT_MAX - designed.cx);
        const int top = std::min(stored.Top, INT_MAX - designed.cy);
        return Bounds(left, top, designed.cx, designed.cy);
    }
    if (stored.Right <= stored.Left || stored.Bottom <= stored.Top)
        return std::nullopt;
    return stored;
}

TRect RectOnWorkArea(const TRect& normal, TSize designed, const TRect& work, int titleHeight) {
    // Wide arithmetic: the width of a rectangle from one end of the integer range to the other
    // does not fit an int.
    using Wide = long long;
    const Wide width = Wide(normal.Right) - normal.Left;
    const Wide height = Wide(normal.Bottom) - normal.Top;
    const Wide onWidth = std::max<Wide>(0, Wide(std::min(normal.Right, work.Right)) -
                                               std::max(normal.Left, work.Left));
    const Wide onHeight = std::max<Wide>(0, Wide(std::min(normal.Bottom, work.Bottom)) -
                                                std::max(normal.Top, work.Top));
    const bool mostlyOn =
        2.0 * double(onWidth) * double(onHeight) >= double(width) * double(height);
    const bool titleOn = normal.Top >= work.Top && Wide(normal.Top) + titleHeight <= work.Bottom;
    if (mostlyOn && titleOn)
        return normal;
    const bool fits = width <= work.Width() && height <= work.Height();
    const TSize size = fits ? TSize{int(width), int(height)} : designed;
    return PlacedWithin(normal.TopLeft(), size, work);
}

TWindowState ShowCmdToWindowState(int showCmd, TWindowState start) {
    switch (showCmd) {
    case 1: // SW_SHOWNORMAL
    case 5: // SW_SHOW
    case 9: // SW_RESTORE
        return wsNormal;
    case 2: // SW_SHOWMINIMIZED
    case 6: // SW_MINIMIZE
    case 7: // SW_SHOWMINNOACTIVE
        return wsMinimized;
    case 3: // SW_SHOWMAXIMIZED
        return wsMaximized;
    default:
        return start;
    }
}

std::string DefaultIniFileName(const std::string& programName, bool useRegistry) {
    if (useRegistry)
        return WithoutExtension(programName.substr(FolderEnd(programName)));
    return WithoutExtension(programName) + ".prm";
}

std::string IniFileInProgramFolder(const std::string& fileName, const std::string& programName) {
    if (FolderEnd(fileName) > 0)
        return fileName;
    return programName.substr(0, FolderEnd(programName)) + fileName;
}
