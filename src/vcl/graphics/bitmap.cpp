#include "vcl/graphics/bitmap.h"

#include "rtl/lasting.h"
#include "rtl/wide_text.h"
#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/top_down_dib.h"

#include <algorithm>

// The pixels and the context they are selected into; released in reverse order.
struct TBitmap::TSurface {
    TSurface(int width, int height) : Bitmap(width, height) {
        Selection = std::make_unique<TSelectObject>(DC.DC(), Bitmap.Handle());
        Canvas.SetHandle(DC.DC());
    }
    ~TSurface() { Canvas.SetHandle(nullptr); }

    TTopDownDib Bitmap;
    TMemoryDC DC;
    std::unique_ptr<TSelectObject> Selection;
    TCanvas Canvas;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TPersistent* Source) {
    auto* other = dynamic_cast<const TBitmap*>(Source);
    if (!other)
        return TPersistent::Assign(Source);
    if (other == this)
        return;
    FSurface.reset();
    FWidth = FHeight = 0;
    SetSize(other->FWidth, other->FHeight);
    if (FSurface)
        BitBlt(FSurface->DC.DC(), 0, 0, FWidth, FHeight, other->DC(), 0, 0, SRCCOPY);
    FPixelFormat = other->FPixelFormat;
    Transparent = other->Transparent;
    TransparentColor = other->TransparentColor;
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight)
        return;
    std::unique_ptr<TSurface> surface;
    if (width > 0 && height > 0) {
        surface = std::make_unique<TSurface>(width, height);
        PatBlt(surface->DC.DC(), 0, 0, width, height, WHITENESS);
        if (FSurface)
            BitBlt(surface->DC.DC(), 0, 0, std::min(width, FWidth), std::min(height, FHeight),
                   FSurface->DC.DC(), 0, 0, SRCCOPY);
    }
    FSurface = std::move(surface);
    FWidth = width;
    FHeight = height;
    Changed();
}

TCanvas* TBitmap::Canvas() {
    // A canvas is needed even before a size is given; it draws nowhere until then.
    if (!FSurface) {
        static TLasting<TCanvas> nowhere;
        return &*nowhere;
    }
    return &FSurface->Canvas;
}

HBITMAP TBitmap::Handle() const {
    return FSurface ? FSurface->Bitmap.Handle() : nullptr;
}

HDC TBitmap::DC() const {
    return FSurface ? FSurface->DC.DC() : nullptr;
}

uint32_t* TBitmap::ScanLine(int row) const {
    if (!FSurface || row < 0 || row >= FHeight)
        return nullptr;
    GdiFlush();
    return FSurface->Bitmap.Bits() + size_t(row) * size_t(FWidth);
}

TColor TBitmap::EffectiveTransparentColor() const {
    if (TransparentColor != clDefault)
        return TransparentColor;
    if (!FSurface)
        return clWhite;
    return TColor(GetPixel(FSurface->DC.DC(), 0, FHeight - 1));
}

void TBitmap::LoadFromHandle(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info))
        return;
    FSurface.reset();
    FWidth = FHeight = 0;
    SetSize(info.bmWidth, std::abs(info.bmHeight));
    TMemoryDC source;
    TSelectObject selected(source.DC(), bitmap);
    if (FSurface)
        BitBlt(FSurface->DC.DC(), 0, 0, FWidth, FHeight, source.DC(), 0, 0, SRCCOPY);
    Changed();
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    std::wstring wide = ToWide(name);
    TGdiObject<HBITMAP> loaded(
        HBITMAP(LoadImageW(instance, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded.Handle())
        return false;
    LoadFromHandle(loaded.Handle());
    return true;
}
