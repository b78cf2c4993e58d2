#pragma once
// Run-time binding of the visual-styles library. Controls call the theme functions only through
// ThemeApi, so a program without the library draws classically and tests can put recorders in.
#include "vcl/base/windows_clean.h"

#include <array>

using HTHEME = HANDLE;

struct TThemeFunctions {
    HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
    HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeText)
    (HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
    HRESULT(WINAPI* DrawThemeEdge)
    (HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) = nullptr;
    HRESULT(WINAPI* GetThemePartSize)(HTHEME, HDC, int, int, const RECT*, int, SIZE*) = nullptr;
    HRESULT(WINAPI* GetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
    HRESULT(WINAPI* GetThemeBackgroundContentRect)
    (HTHEME, HDC, int, int, const RECT*, RECT*) = nullptr;
};

constexpr int ThemeEntryPointCount = 47;
// Every entry point the library offers, in the order they are looked up.
const std::array<const char*, ThemeEntryPointCount>& ThemeEntryPointNames();
// The address bound for one of those names; null when the library lacks it or is not loaded.
FARPROC ThemeEntryPoint(const char* name);

// True once the library is loaded and bound; tests may switch it to reach the themed paths.
extern bool ThemesAvailable;
extern TThemeFunctions ThemeApi;

// Loads and binds the library when the system has it (NT 5.1 and later); run once at start.
void InitThemeLibrary();
void DoneThemeLibrary();
bool SystemOffersThemes(DWORD platformId, DWORD major, DWORD minor);

// Paints a themed background for a class without a window; E_NOTIMPL when there is no theme.
HRESULT DrawThemeBackgroundTo(const wchar_t* ClassName, HDC DC, int PartId, int StateId,
                              const RECT& Rect, const RECT* ClipRect);

// Parts, states and properties of the classes the library's controls draw.
constexpr int HP_HEADERITEM = 1;
constexpr int HIS_NORMAL = 1;
constexpr int HIS_HOT = 2;
constexpr int HIS_PRESSED = 3;

constexpr int SBP_ARROWBTN = 1;
constexpr int SBP_THUMBBTNHORZ = 2;
constexpr int SBP_THUMBBTNVERT = 3;
constexpr int SBP_LOWERTRACKHORZ = 4;
constexpr int SBP_UPPERTRACKHORZ = 5;
constexpr int SBP_LOWERTRACKVERT = 6;
constexpr int SBP_UPPERTRACKVERT = 7;
constexpr int SBP_GRIPPERHORZ = 8;
constexpr int SBP_GRIPPERVERT = 9;

constexpr int ABS_UPNORMAL = 1;
constexpr int ABS_DOWNNORMAL = 5;
constexpr int ABS_LEFTNORMAL = 9;
constexpr int ABS_RIGHTNORMAL = 13;

constexpr int SCRBS_NORMAL = 1;
constexpr int SCRBS_HOT = 2;
constexpr int SCRBS_PRESSED = 3;
constexpr int SCRBS_DISABLED = 4;

constexpr int TMT_SCROLLBAR = 1601;
constexpr int THEME_SIZE_TRUE = 1;
