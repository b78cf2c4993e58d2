#pragma once
#include "rtl/events.h"
#include "vcl/base/persistent.h"
#include "vcl/base/set.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/colors.h"

#include <string>

// Base of the drawing tools: tells its user of every change, and makes its Win32 object only
// when asked, so many property changes in a row cost one object.
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
    virtual void FreeHandle() = 0;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET_VALUE = 1;
constexpr int RUSSIAN_CHARSET_VALUE = 204;

// Pixels per logical inch of the screen, for point sizes.
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
    TFont();
    ~TFont() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Assign(const TPersistent* Source) override;

    std::string Name() const { return FName; }
    void SetName(const std::string& value);
    // Height in pixels; negative: of the characters without internal leading, as Win32 takes it.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Size in points, derived from the height at the screen's resolution.
    int Size() const;
    void SetSize(int value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Charset() const { return FCharset; }
    void SetCharset(int value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);

    HFONT Handle() const;

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FCharset = RUSSIAN_CHARSET_VALUE;
    TFontPitch FPitch = fpDefault;
    mutable TGdiObject<HFONT> FHandle;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmXor,
    pmNotXor,
    pmMerge,
    pmMask
};

class TPen : public TGraphicsObject {
public:
    TPen();
    ~TPen() override;
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    // The raster operation lines are drawn with (pmNot draws a line that a second drawing erases).
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);

    HPEN Handle() const;

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    mutable TGdiObject<HPEN> FHandle;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
    TBrush();
    ~TBrush() override;
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);

    HBRUSH Handle() const;

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    mutable TGdiObject<HBRUSH> FHandle;
};
