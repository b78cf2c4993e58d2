#pragma once
#include "vcl/base/persistent.h"
#include "vcl/base/win_types.h"
#include "vcl/graphics/canvas.h"
#include "vcl/graphics/colors.h"

#include <cstdint>
#include <memory>
#include <string>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// A picture in memory with a canvas of its own. The pixels are a 32-bit top-down device-
// independent bitmap, so ScanLine gives rows of 0x00RRGGBB values whatever the screen is.
class TBitmap : public TPersistent {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    void Assign(const TPersistent* Source) override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    // Keeps the pixels that the new size still covers.
    void SetSize(int width, int height);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value) { FPixelFormat = value; }

    TCanvas* Canvas();
    HBITMAP Handle() const;
    uint32_t* ScanLine(int row) const;
    // The memory context the pixels are selected into, to copy from; null while empty.
    HDC DC() const;

    // When drawn, pixels of TransparentColor are left out (the bottom-left pixel's colour when
    // TransparentColor is clDefault).
    bool Transparent = false;
    TColor TransparentColor = clDefault;
    TColor EffectiveTransparentColor() const;

    // Loads a bitmap resource of a module; false when there is none.
    bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // Takes a copy of any bitmap handle.
    void LoadFromHandle(HBITMAP bitmap);

    TNotifyEvent OnChange;
    void Changed() { Fire(OnChange, this); }

private:
    struct TSurface;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::unique_ptr<TSurface> FSurface;
};
