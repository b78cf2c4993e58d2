#pragma once
#include "qztree/base/themes.h"
#include "vcl/core/custom_control.h"

#include <string>

// Base of the header, the scroll bar and the tree: one theme handle per window, opened from the
// control's theme class when the system offers themes and UseXPThemes is on.
class TQZXPThemedControl : public TCustomControl {
public:
    explicit TQZXPThemedControl(TComponent* AOwner);
    ~TQZXPThemedControl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool UseXPThemes() const { return FUseXPThemes; }
    virtual void SetUseXPThemes(bool Value);
    HTHEME Theme() const { return FTheme; }
    bool IsThemeApplied() const { return FUseXPThemes && FTheme != nullptr; }

    void WndProc(TMessage& Message) override;

protected:
    virtual std::wstring GetThemedClassName() const = 0;
    virtual void FreeThemeHandle();
    virtual void CreateThemeHandle();
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void ThemeChanged(TMessage& Message);
    void NonClientPaint(TMessage& Message);
    void DrawThemedBevel(HDC DC, RECT& Border);

    bool FUseXPThemes = true;
    HTHEME FTheme = nullptr;
};
