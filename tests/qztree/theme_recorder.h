#pragma once
#include "qztree/base/themes.h"

#include <vector>

// Puts recorders in place of the theme library while it lives: every window gets a theme, and
// the parts and states drawn are written down.
class TThemeRecorder {
public:
    struct TCall {
        int Part, State;
        RECT Rect;
    };
    TThemeRecorder() : FWasAvailable(ThemesAvailable), FSaved(ThemeApi) {
        ThemesAvailable = true;
        ThemeApi = TThemeFunctions{};
        ThemeApi.OpenThemeData = &Open;
        ThemeApi.CloseThemeData = &Close;
        ThemeApi.DrawThemeBackground = &Draw;
        Calls.clear();
        Opened = Closed = 0;
    }
    ~TThemeRecorder() {
        ThemeApi = FSaved;
        ThemesAvailable = FWasAvailable;
    }
    TThemeRecorder(const TThemeRecorder&) = delete;
    TThemeRecorder& operator=(const TThemeRecorder&) = delete;

    static bool Has(int part, int state) {
        for (const TCall& c : Calls)
            if (c.Part == part && c.State == state)
                return true;
        return false;
    }
    static inline std::vector<TCall> Calls;
    static inline int Opened = 0, Closed = 0;

private:
    static HTHEME WINAPI Open(HWND, LPCWSTR) {
        ++Opened;
        return HTHEME(0x4321);
    }
    static HRESULT WINAPI Close(HTHEME) {
        ++Closed;
        return S_OK;
    }
    static HRESULT WINAPI Draw(HTHEME, HDC, int part, int state, const RECT* r, const RECT*) {
        Calls.push_back({part, state, r ? *r : RECT{}});
        return S_OK;
    }
    bool FWasAvailable;
    TThemeFunctions FSaved;
};
