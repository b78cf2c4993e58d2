#include "qztree/base/themes.h"

bool ThemesAvailable = false;
TThemeFunctions ThemeApi;

namespace {

HMODULE ThemeLibrary = nullptr;
std::array<FARPROC, ThemeEntryPointCount> EntryPoints{};

template <class F> void BindTyped(F& target, const char* name) {
    target = reinterpret_cast<F>(reinterpret_cast<void*>(ThemeEntryPoint(name)));
}

// The library binds itself when the program starts and counts as gone when it ends.
struct TThemeUnit {
    TThemeUnit() { InitThemeLibrary(); }
    ~TThemeUnit() { DoneThemeLibrary(); }
} ThemeUnit;

} // namespace

const std::array<const char*, ThemeEntryPointCount>& ThemeEntryPointNames() {
    static const std::array<const char*, ThemeEntryPointCount> names{
        "IsThemeActive",
        "EnableTheming",
        "OpenThemeData",
        "CloseThemeData",
        "DrawThemeParentBackground",
        "DrawThemeBackground",
        "DrawThemeText",
        "GetThemeBackgroundContentRect",
        "GetThemeBackgroundExtent",
        "GetThemePartSize",
        "GetThemeTextExtent",
        "GetThemeTextMetrics",
        "GetThemeBackgroundRegion",
        "HitTestThemeBackground",
        "DrawThemeEdge",
        "DrawThemeIcon",
        "IsThemePartDefined",
        "IsThemeBackgroundPartiallyTransparent",
        "GetThemeColor",
        "GetThemeMetric",
        "GetThemeString",
        "GetThemeBool",
        "GetThemeInt",
        "GetThemeEnumValue",
        "GetThemeFileName",
        "GetThemePosition",
        "GetThemeFont",
        "GetThemeRect",
        "GetThemeMargins",
        "GetThemeIntList",
        "GetThemePropertyOrigin",
        "SetWindowTheme",
        "GetThemeSysColor",
        "GetThemeSysColorBrush",
        "GetThemeSysSize",
        "GetThemeSysBool",
        "GetThemeSysFont",
        "GetThemeSysString",
        "GetThemeSysInt",
        "IsAppThemed",
        "GetWindowTheme",
        "EnableThemeDialogTexture",
        "IsThemeDialogTextureEnabled",
        "GetThemeAppProperties",
        "SetThemeAppProperties",
        "GetThemeDocumentationProperty",
        "GetCurrentThemeName",
    };
    return names;
}

FARPROC ThemeEntryPoint(const char* name) {
    const auto& names = ThemeEntryPointNames();
    for (size_t i = 0; i < names.size(); ++i)
        if (lstrcmpA(names[i], name) == 0)
            return EntryPoints[i];
    return nullptr;
}

bool SystemOffersThemes(DWORD platformId, DWORD major, DWORD minor) {
    return platformId == VER_PLATFORM_WIN32_NT && ((major == 5 && minor >= 1) || major >= 6);
}

void InitThemeLibrary() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info) ||
        !SystemOffersThemes(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion))
        return;
    if (!ThemeLibrary)
        ThemeLibrary = LoadLibraryW(L"uxtheme.dll");
    if (!ThemeLibrary)
        return;
    const auto& names = ThemeEntryPointNames();
    for (size_t i = 0; i < names.size(); ++i)
        EntryPoints[i] = GetProcAddress(ThemeLibrary, names[i]);
    BindTyped(ThemeApi.OpenThemeData, "OpenThemeData");
    BindTyped(ThemeApi.CloseThemeData, "CloseThemeData");
    BindTyped(ThemeApi.DrawThemeBackground, "DrawThemeBackground");
    BindTyped(ThemeApi.DrawThemeText, "DrawThemeText");
    BindTyped(ThemeApi.DrawThemeEdge, "DrawThemeEdge");
    BindTyped(ThemeApi.GetThemePartSize, "GetThemePartSize");
    BindTyped(ThemeApi.GetThemeColor, "GetThemeColor");
    BindTyped(ThemeApi.GetThemeBackgroundContentRect, "GetThemeBackgroundContentRect");
    ThemesAvailable = true;
}

// The library stays loaded: windows still alive at exit may hold theme handles.
void DoneThemeLibrary() {
    ThemesAvailable = false;
}

HRESULT DrawThemeBackgroundTo(const wchar_t* ClassName, HDC DC, int PartId, int StateId,
                              const RECT& Rect, const RECT* ClipRect) {
    HTHEME theme = ThemesAvailable && ThemeApi.OpenThemeData
                       ? ThemeApi.OpenThemeData(nullptr, ClassName)
                       : nullptr;
    if (!theme)
        return E_NOTIMPL;
    HRESULT result = ThemeApi.DrawThemeBackground
                         ? ThemeApi.DrawThemeBackground(theme, DC, PartId, StateId, &Rect, ClipRect)
                         : E_NOTIMPL;
    if (ThemeApi.CloseThemeData)
        ThemeApi.CloseThemeData(theme);
    return result;
}
