#pragma once
#include "vcl/core/graphic_control.h"

// A line (or, with WordWrap, lines) of text drawn on the parent; with AutoSize it takes the
// size of its text.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

protected:
    void Paint() override;
    // A label made while its form loads takes the size of its text once the loading is done.
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    unsigned DrawFlags() const;
    void AdjustSize();
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FTransparent = false;
    bool FWordWrap = false;
};
