#pragma once
#include "vcl/core/hint_window.h"
#include "vcl/graphics/graphics.h"

#include <memory>

// The library's hint pop-up: a font of its own and optional word wrap, sized to its text.
class TQZHintWindow : public THintWindow {
public:
    explicit TQZHintWindow(TComponent* AOwner);
    ~TQZHintWindow() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TFont* HintFont() const { return FFont.get(); }
    void SetHintFont(const TFont* value) { FFont->Assign(value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;

protected:
    void Paint() override;
    void TextChanged() override;

private:
    void FitToText();
    unsigned WrapFlags() const;
    unsigned ReadingOrderFlags() const;

    std::unique_ptr<TFont> FFont;
    bool FActivating = false;
    bool FWordWrap = false;
};
