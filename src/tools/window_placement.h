#pragma once
#include "vcl/base/geometry.h"
#include "vcl/core/forms.h"

#include <array>
#include <optional>
#include <string>

// The texts of a window's placement in the ".prm" file, apart from any window.

// The key suffix of a screen size: "(1024x768)".
std::string PlacementScreenSuffix(int width, int height);
// Four numbers as "%d,%d,%d,%d".
std::string FormatPlacementNumbers(const std::array<int, 4>& numbers);
// Four numbers from words split at blanks and commas; a missing word or one that is no number
// gives its default.
std::array<int, 4> ParsePlacementNumbers(const std::string& text,
                                         const std::array<int, 4>& defaults);
// The normal rectangle a window is restored to from the numbers stored for it, which may be
// anything a file holds: a form whose border cannot be sized keeps its designed size at the
// stored left and top (moved back from the end of the integer range so that its right and
// bottom exist). None when the rectangle is damaged: its right not right of its left, or its
// bottom not below its top.
std::optional<TRect> RestoredNormalRect(const TRect& stored, TSize designed, bool fixedSize);
// A restored normal rectangle as a window is shown on the work area of a monitor: kept exactly
// while most of it lies on the area and its title bar can be reached; else moved onto the area,
// with its own size when that fits the area and the designed size when not, so that neither
// another screen layout nor a damaged file puts a window out of reach or over the whole screen.
TRect RectOnWorkArea(const TRect& normal, TSize designed, const TRect& work, int titleHeight);
// The window state a stored show command stands for; other commands keep the start state.
TWindowState ShowCmdToWindowState(int showCmd, TWindowState start);

// The store's name when none is given: the program's name without folder and extension for
// the registry key, else the program's full name with the extension ".prm".
std::string DefaultIniFileName(const std::string& programName, bool useRegistry);
// A file name without a folder is put into the program's folder.
std::string IniFileInProgramFolder(const std::string& fileName, const std::string& programName);
