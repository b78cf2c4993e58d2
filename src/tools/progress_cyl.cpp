#include "tools/progress_cyl.h"

#include "rtl/published.h"
#include "rtl/strings.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/graphics.h"

const TClassInfo& TQZPCColorStyle::StaticClassInfo() {
    using S = TQZPCColorStyle;
    static const TLasting<TClassInfo> info =
        TClassInfo("TQZPCColorStyle", &TPersistent::StaticClassInfo())
            .Integer("IntensityRGB", &S::IntensityRGB, &S::SetIntensityRGB)
            .Float("Intensity", &S::Intensity, &S::SetIntensity)
            .Float("IntensityFactor", &S::IntensityFactor, &S::SetIntensityFactor)
            .Integer("RangeRGB", &S::RangeRGB, &S::SetRangeRGB)
            .Integer("ColorRGB", &S::ColorRGB, &S::SetColorRGB)
            .Float("ColorFactor", &S::ColorFactor, &S::SetColorFactor)
            .Float("LightAngle", &S::LightAngle, &S::SetLightAngle);
    return *info;
}

const TClassInfo& TQZProgressCyl::StaticClassInfo() {
    using P = TQZProgressCyl;
    static const std::vector<std::string> bevels = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    static const TLasting<TClassInfo> info =
        TClassInfo("TQZProgressCyl", &TGraphicControl::StaticClassInfo())
            .Integer("Position", &P::Position, &P::SetPosition)
            .Integer("Min", &P::Min, &P::SetMin)
            .Integer("Max", &P::Max, &P::SetMax)
            .Integer("Step", &P::Step, &P::SetStep)
            .Boolean("StopAtMax", &P::StopAtMax, &P::SetStopAtMax)
            .String("Text", &P::Text, &P::SetText)
            .String("TextDone", &P::TextDone, &P::SetTextDone)
            .Boolean("ShowText", &P::ShowText, &P::SetShowText)
            .Enumeration("FontEffect", &P::FontEffect, &P::SetFontEffect,
                         {"feNone", "feInvert", "feShadowTopLeft", "feShadowBottomRight"})
            .Integer("FontShadowColor", &P::FontShadowColor, &P::SetFontShadowColor)
            .Enumeration("FontOrientation", &P::FontOrientation, &P::SetFontOrientation,
                         {"foLeftToRight", "foTopToBottom", "foBottomToTop"})
            .Enumeration("Orientation", &P::Orientation, &P::SetOrientation,
                         {"pbHorizontal", "pbVertical"})
            .Enumeration("BevelOuter", &P::BevelOuter, &P::SetBevelOuter, bevels)
            .Enumeration("BevelInner", &P::BevelInner, &P::SetBevelInner, bevels)
            .Integer("BorderWidth", &P::BorderWidth, &P::SetBorderWidth)
            .Integer("BevelWidth", &P::BevelWidth, &P::SetBevelWidth)
            .Integer("BevelColor", &P::BevelColor, &P::SetBevelColor)
            .Integer("BackColor", &P::BackColor, &P::SetBackColor)
            .Integer("BackBorderColor", &P::BackBorderColor, &P::SetBackBorderColor)
            .Integer("ForeLineColor", &P::ForeLineColor, &P::SetForeLineColor)
            .Integer("ForeColor", &P::ForeColor, &P::SetForeColor)
            .Enumeration("CylinderEffect", &P::CylinderEffect, &P::SetCylinderEffect,
                         {"ceFlat", "ceUltraLow", "ceLow", "ceMedium", "ceHigh", "ceMaximum"})
            .Enumeration("ProEffect", &P::ProEffect, &P::SetProEffect, {"peCustom"})
            .Object("ForeStyle", &P::ForeStyle)
            .Object("BackStyle", &P::BackStyle);
    return *info;
}

TQZProgressCyl::TQZProgressCyl(TComponent* AOwner)
    : TGraphicControl(AOwner), FBmpShow(std::make_unique<TBitmap>()),
      FForeStyle(std::make_unique<TQZPCColorStyle>(this)),
      FBackStyle(std::make_unique<TQZPCColorStyle>(this)) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csFramed});
    SetColor(clBtnFace);
    Font()->SetName("Arial");
    Font()->SetSize(9);
    Font()->SetStyle({fsBold});
    Font()->SetColor(clBlack);
    SetBounds(Left(), Top(), 150, 22);
    LookChanged(lrColors | lrBevels | lrBorder);
    FInit = true;
    FBEffect = false;
}

TQZProgressCyl::~TQZProgressCyl() = default;

std::string TQZProgressCyl::ShownText() const {
    if (!FTextDone.empty() && FFill.Percent == 100)
        return FTextDone;
    return IntToStr(FFill.Percent) + FText;
}

void TQZProgressCyl::LookChanged(unsigned redo) {
    FFontFXFactor = FFontEffect == feShadowTopLeft       ? -1
                    : FFontEffect == feShadowBottomRight ? 1
                                                         : 0;
    if (FFontEffect == feInvert && !FBmpFont) {
        FBmpFont = std::make_unique<TBitmap>();
        FBmpFont->SetSize(Width(), Height());
    }
    if (redo & lrColors)
        ResetColor();
    if (redo & lrBevels)
        ResetBevelColors();
    if (redo & lrBorder)
        ResetBorder();
    if (!FBEffect)
        FProEffect = peCustom;
    Invalidate();
}

void TQZProgressCyl::SetPosition(int value) {
    UpdatePosition(value);
}

void TQZProgressCyl::UpdatePosition(int value) {
    FFill =
        CylinderFill(value, FMin, FMax, FOrientation == pbVertical, Width(), Height(), FGeometry);
    FPosition = FFill.Position;
    if (FFill.Pixel == FLastPos && FFill.Percent == FLastPour)
        return;
    FLastPos = FFill.Pixel;
    FLastPour = FFill.Percent;
    if (FPosition == FMax)
        Fire(OnProgressDone, this);
    // The reading loop that drives the bar runs no messages, so the bar paints at once.
    if (FInit)
        Repaint();
}

void TQZProgressCyl::SetMin(int value) {
    if (value == FMin)
        return;
    if (value == FMax)
        value = FMax - 1;
    if (value < FMax) {
        FMin = value;
        if (FPosition < FMin)
            FPosition = FMin;
    }
    ResetBorder();
}

void TQZProgressCyl::SetMax(int value) {
    if (value == FMax)
        return;
    if (value == FMin)
        value = FMin + 1;
    if (value > FMin) {
        FMax = value;
        if (FPosition > FMax)
            FPosition = FMax;
    }
    ResetBorder();
}

void TQZProgressCyl::ResetBorder() {
    static const int factors[] = {1, 51, 102, 153, 204, 255};
    FCylFXFactor = factors[FCylinderEffect];
    FGeometry = CylinderGeometry(Width(), Height(), FBevelWidth, FBorderWidth, FCylFXFactor);
    FBmpShow->SetSize(Width(), Height());
    if (FBmpFont)
        FBmpFont->SetSize(Width(), Height());
    UpdatePosition(FPosition);
}

void TQZProgressCyl::ResetColor() {
    FForeFactors = CylinderFactors(ColorToRGB(FForeColor), FForeStyle->Shading());
    FLineFactors = CylinderFactors(ColorToRGB(FForeLineColor), FForeStyle->Shading());
    FBackFactors = CylinderFactors(ColorToRGB(FBackColor), FBackStyle->Shading());
}

void TQZProgressCyl::ResetBevelColors() {
    FBevelColors =
        BevelColors(BevelShades(FBevelColor), FBevelInner, FBevelOuter, FBorderWidth, Color());
}

void TQZProgressCyl::BoundsChanged(const TRect& OldBounds, bool Resized) {
    TGraphicControl::BoundsChanged(OldBounds, Resized);
    if (Resized)
        ResetBorder();
}

void TQZProgressCyl::ColorChanged() {
    LookChanged(lrBevels);
}

void TQZProgressCyl::FontChanged() {
    LookChanged();
}

void TQZProgressCyl::MouseEnter() {
    TGraphicControl::MouseEnter();
    FMouseIsEntered = true;
    Repaint();
}

void TQZProgressCyl::MouseLeave() {
    TGraphicControl::MouseLeave();
    FMouseIsEntered = false;
    Repaint();
}

void TQZProgressCyl::WndProc(TMessage& Message) {
    if (Message.Msg == CM_SYSCOLORCHANGE)
        LookChanged(lrColors | lrBevels);
    TGraphicControl::WndProc(Message);
}
