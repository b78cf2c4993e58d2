#pragma once
#include "rtl/property_change.h"
#include "tools/progress_cyl_shading.h"
#include "vcl/base/persistent.h"
#include "vcl/core/graphic_control.h"

#include <memory>
#include <string>

class TBitmap;
class TQZProgressCyl;

enum TQZFontEffect { feNone, feInvert, feShadowTopLeft, feShadowBottomRight };
enum TQZFontOrientation { foLeftToRight, foTopToBottom, foBottomToTop };
enum TQZCylinderEffect { ceFlat, ceUltraLow, ceLow, ceMedium, ceHigh, ceMaximum };
// The bar's preset looks; a change of any look property makes the look custom.
enum TQZProEffect { peCustom };
enum TProgressBarOrientation { pbHorizontal, pbVertical };

// The shading of one part of the bar. Intensity, LightAngle and RangeRGB divide and refuse 0.
class TQZPCColorStyle : public TPersistent {
public:
    explicit TQZPCColorStyle(TQZProgressCyl* progressCyl) : FProgressCyl(progressCyl) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const TCylShading& Shading() const { return FShading; }

    int IntensityRGB() const { return FShading.IntensityRGB; }
    void SetIntensityRGB(int value) { Change(FShading.IntensityRGB, value); }
    float Intensity() const { return FShading.Intensity; }
    void SetIntensity(float value) { ChangeDivisor(FShading.Intensity, value); }
    float IntensityFactor() const { return FShading.IntensityFactor; }
    void SetIntensityFactor(float value) { Change(FShading.IntensityFactor, value); }
    int RangeRGB() const { return FShading.RangeRGB; }
    void SetRangeRGB(int value) { ChangeDivisor(FShading.RangeRGB, value); }
    int ColorRGB() const { return FShading.ColorRGB; }
    void SetColorRGB(int value) { Change(FShading.ColorRGB, value); }
    float ColorFactor() const { return FShading.ColorFactor; }
    void SetColorFactor(float value) { Change(FShading.ColorFactor, value); }
    float LightAngle() const { return FShading.LightAngle; }
    void SetLightAngle(float value) { ChangeDivisor(FShading.LightAngle, value); }

private:
    template <class T> void Change(T& field, T value);
    template <class T> void ChangeDivisor(T& field, T value) {
        if (value != 0)
            Change(field, value);
    }

    TQZProgressCyl* FProgressCyl;
    TCylShading FShading;
};

// A progress bar drawn as a lit cylinder inside two bevels, with a fill line at the progress
// edge and the percentage written over it.
class TQZProgressCyl : public TGraphicControl {
public:
    explicit TQZProgressCyl(TComponent* AOwner);
    ~TQZProgressCyl() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Step() const { return FStep; }
    void SetStep(int value) { FStep = value; }
    bool StopAtMax() const { return FStopAtMax; }
    void SetStopAtMax(bool value) { FStopAtMax = value; }
    int Percent() const { return FFill.Percent; }
    // The text painted now: TextDone at 100 percent when set, else the percent and Text.
    std::string ShownText() const;

    std::string Text() const { return FText; }
    void SetText(const std::string& value) { SetLook(FText, value); }
    std::string TextDone() const { return FTextDone; }
    void SetTextDone(const std::string& value) { SetLook(FTextDone, value); }
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value) { SetLook(FShowText, value); }
    TQZFontEffect FontEffect() const { return FFontEffect; }
    void SetFontEffect(TQZFontEffect value) { SetLook(FFontEffect, value); }
    TColor FontShadowColor() const { return FFontShadowColor; }
    void SetFontShadowColor(TColor value) { SetLook(FFontShadowColor, value); }
    TQZFontOrientation FontOrientation() const { return FFontOrientation; }
    void SetFontOrientation(TQZFontOrientation value) { SetLook(FFontOrientation, value); }
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation value) { SetLook(FOrientation, value, lrBorder); }

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value) { SetLook(FBevelOuter, value, lrBevels); }
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value) { SetLook(FBevelInner, value, lrBevels); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value) { SetLook(FBorderWidth, value, lrBevels | lrBorder); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value) { SetLook(FBevelWidth, value, lrBorder); }
    TColor BevelColor() const { return FBevelColor; }
    void SetBevelColor(TColor value) { SetLook(FBevelColor, value, lrBevels); }

    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value) { SetLook(FBackColor, value, lrColors); }
    TColor BackBorderColor() const { return FBackBorderColor; }
    void SetBackBorderColor(TColor value) { SetLook(FBackBorderColor, value); }
    TColor ForeLineColor() const { return FForeLineColor; }
    void SetForeLineColor(TColor value) { SetLook(FForeLineColor, value, lrColors); }
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor value) { SetLook(FForeColor, value, lrColors); }
    TQZCylinderEffect CylinderEffect() const { return FCylinderEffect; }
    void SetCylinderEffect(TQZCylinderEffect value) { SetLook(FCylinderEffect, value, lrBorder); }
    TQZProEffect ProEffect() const { return FProEffect; }
    void SetProEffect(TQZProEffect value) { FProEffect = value; }

    TQZPCColorStyle* ForeStyle() const { return FForeStyle.get(); }
    TQZPCColorStyle* BackStyle() const { return FBackStyle.get(); }

    const TCylGeometry& Geometry() const { return FGeometry; }
    const TCylFill& Fill() const { return FFill; }
    bool MouseIsEntered() const { return FMouseIsEntered; }

    TNotifyEvent OnProgressDone;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void BoundsChanged(const TRect& OldBounds, bool Resized) override;
    void ColorChanged() override;
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    friend class TQZPCColorStyle;

    // What a look change makes the bar work out again before it repaints.
    enum TLookRedo : unsigned { lrNothing = 0, lrColors = 1, lrBevels = 2, lrBorder = 4 };
    template <class T> void SetLook(T& field, T value, unsigned redo = lrNothing) {
        if (ChangeValue(field, value))
            LookChanged(redo);
    }
    // The preset no longer holds (unless one is being applied) and the bar is painted again.
    void LookChanged(unsigned redo = lrNothing);
    void ResetBorder();
    void ResetColor();
    void ResetBevelColors();
    void UpdatePosition(int value);

    void PaintCylinder(TBitmap& bitmap) const;
    void PaintBevels(TBitmap& bitmap) const;
    void PaintText(TBitmap& bitmap);

    bool FInit = false;
    bool FBEffect = true;
    bool FMouseIsEntered = false;
    int FCylFXFactor = 255;
    int FFontFXFactor = 1;
    int FLastPos = 0;
    int FLastPour = 0;
    TCylFill FFill;
    TCylGeometry FGeometry;
    TCylFactors FForeFactors, FBackFactors, FLineFactors;
    TCylBevelColors FBevelColors;
    std::unique_ptr<TBitmap> FBmpShow;
    std::unique_ptr<TBitmap> FBmpFont;

    std::unique_ptr<TQZPCColorStyle> FForeStyle;
    std::unique_ptr<TQZPCColorStyle> FBackStyle;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;
    int FStep = 1;
    bool FStopAtMax = true;
    std::string FText = "%";
    std::string FTextDone;
    bool FShowText = true;
    TQZFontEffect FFontEffect = feShadowBottomRight;
    TColor FFontShadowColor = clBtnFace;
    TQZFontOrientation FFontOrientation = foLeftToRight;
    TProgressBarOrientation FOrientation = pbHorizontal;
    TBevelCut FBevelOuter = bvLowered;
    TBevelCut FBevelInner = bvRaised;
    int FBorderWidth = 2;
    int FBevelWidth = 1;
    TColor FBevelColor = clBtnFace;
    TColor FBackColor = clBtnFace;
    TColor FBackBorderColor = clBlack;
    TColor FForeLineColor = clHighlight;
    TColor FForeColor = clWhite;
    TQZCylinderEffect FCylinderEffect = ceMaximum;
    TQZProEffect FProEffect = peCustom;
};

template <class T> void TQZPCColorStyle::Change(T& field, T value) {
    if (ChangeValue(field, value))
        FProgressCyl->LookChanged(TQZProgressCyl::lrColors);
}
