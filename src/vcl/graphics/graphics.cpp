#include "vcl/graphics/graphics.h"

#include "rtl/property_change.h"
#include "rtl/published.h"
#include "rtl/wide_text.h"
#include "vcl/graphics/gdi_objects.h"

#include <windows.h>

#include <cmath>

void TGraphicsObject::Changed() {
    FreeHandle();
    Fire(OnChange, this);
}

int ScreenPixelsPerInch() {
    TWindowDC screen(nullptr);
    int ppi = GetDeviceCaps(screen.DC(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

TFont::TFont() = default;
TFont::~TFont() = default;

const TClassInfo& TFont::StaticClassInfo() {
    static const TLasting<TClassInfo> info =
        TClassInfo("TFont", &TPersistent::StaticClassInfo())
            .String("Name", &TFont::Name, &TFont::SetName)
            .Integer("Height", &TFont::Height, &TFont::SetHeight)
            .Integer("Size", &TFont::Size, &TFont::SetSize)
            .Integer("Color", &TFont::Color, &TFont::SetColor)
            .Integer("Charset", &TFont::Charset, &TFont::SetCharset);
    return *info;
}

void TFont::Assign(const TPersistent* Source) {
    auto* other = dynamic_cast<const TFont*>(Source);
    if (!other)
        return TPersistent::Assign(Source);
    if (FName == other->FName && FHeight == other->FHeight && FStyle == other->FStyle &&
        FColor == other->FColor && FCharset == other->FCharset && FPitch == other->FPitch)
        return;
    FName = other->FName;
    FHeight = other->FHeight;
    FStyle = other->FStyle;
    FColor = other->FColor;
    FCharset = other->FCharset;
    FPitch = other->FPitch;
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (!value.empty() && ChangeValue(FName, value))
        Changed();
}

void TFont::SetHeight(int value) {
    if (ChangeValue(FHeight, value))
        Changed();
}

int TFont::Size() const {
    return -int(std::lround(double(FHeight) * 72 / ScreenPixelsPerInch()));
}

void TFont::SetSize(int value) {
    SetHeight(-int(std::lround(double(value) * ScreenPixelsPerInch() / 72)));
}

void TFont::SetStyle(TFontStyles value) {
    if (ChangeValue(FStyle, value))
        Changed();
}

void TFont::SetColor(TColor value) {
    // The colour is applied when text is drawn; the font object itself stays valid.
    if (ChangeValue(FColor, value))
        Fire(OnChange, this);
}

void TFont::SetCharset(int value) {
    if (ChangeValue(FCharset, value))
        Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (ChangeValue(FPitch, value))
        Changed();
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = FStyle.Contains(fsItalic);
        lf.lfUnderline = FStyle.Contains(fsUnderline);
        lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
        lf.lfCharSet = BYTE(FCharset);
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpFixed      ? FIXED_PITCH
                              : FPitch == fpVariable ? VARIABLE_PITCH
                                                     : DEFAULT_PITCH;
        std::wstring face = ToWide(FName);
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        FHandle.Reset(CreateFontIndirectW(&lf));
    }
    return FHandle.Handle();
}

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::Assign(const TPersistent* Source) {
    auto* other = dynamic_cast<const TPen*>(Source);
    if (!other)
        return TPersistent::Assign(Source);
    FColor = other->FColor;
    FWidth = other->FWidth;
    FStyle = other->FStyle;
    FMode = other->FMode;
    Changed();
}

void TPen::SetColor(TColor value) {
    if (ChangeValue(FColor, value))
        Changed();
}

void TPen::SetWidth(int value) {
    if (value >= 0 && ChangeValue(FWidth, value))
        Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (ChangeValue(FStyle, value))
        Changed();
}

void TPen::SetMode(TPenMode value) {
    if (ChangeValue(FMode, value))
        Fire(OnChange, this);
}

HPEN TPen::Handle() const {
    static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                 PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    if (!FHandle)
        FHandle.Reset(CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor)));
    return FHandle.Handle();
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::Assign(const TPersistent* Source) {
    auto* other = dynamic_cast<const TBrush*>(Source);
    if (!other)
        return TPersistent::Assign(Source);
    FColor = other->FColor;
    FStyle = other->FStyle;
    Changed();
}

void TBrush::SetColor(TColor value) {
    if (ChangeValue(FColor, value))
        Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (ChangeValue(FStyle, value))
        Changed();
}

HBRUSH TBrush::Handle() const {
    static const int hatches[] = {
        0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    if (!FHandle) {
        if (FStyle == bsClear)
            FHandle.Reset(HBRUSH(GetStockObject(NULL_BRUSH)));
        else if (FStyle == bsSolid)
            FHandle.Reset(CreateSolidBrush(ColorToRGB(FColor)));
        else
            FHandle.Reset(CreateHatchBrush(hatches[FStyle], ColorToRGB(FColor)));
    }
    return FHandle.Handle();
}
