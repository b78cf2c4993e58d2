#include "qztree/base/tree_buttons.h"

#include "rtl/lasting.h"
#include "vcl/graphics/bitmap.h"

#include <array>
#include <memory>

namespace {
// B black, G grey, W white.
const char* const PlusPattern[9] = {"GGGGGGGGG", "GWWWWWWWG", "GWWWBWWWG", "GWWWBWWWG", "GWBBBBBWG",
                                    "GWWWBWWWG", "GWWWBWWWG", "GWWWWWWWG", "GGGGGGGGG"};
const char* const MinusPattern[9] = {"GGGGGGGGG", "GWWWWWWWG", "GWWWWWWWG",
                                     "GWWWWWWWG", "GWBBBBBWG", "GWWWWWWWG",
                                     "GWWWWWWWG", "GWWWWWWWG", "GGGGGGGGG"};
const char* const LeafPattern[9] = {"GGGGGGGGG", "GWWWWWWWG", "GWWWWWWWG", "GWWWWWWWG", "GWWWWWWWG",
                                    "GWWWWWWWG", "GWWWWWWWG", "GWWWWWWWG", "GGGGGGGGG"};

uint32_t PixelOf(TColor Color) {
    const uint32_t rgb = ColorToRGB(Color);
    // The bitmap's pixels are blue in the low byte, as in a 32-bit device-independent bitmap.
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::unique_ptr<TBitmap> Draw(const char* const (&Pattern)[9]) {
    auto bitmap = std::make_unique<TBitmap>(9, 9);
    for (int y = 0; y < 9; ++y) {
        uint32_t* line = bitmap->ScanLine(y);
        for (int x = 0; x < 9; ++x)
            line[x] = Pattern[y][x] == 'B' ? 0x000000 : Pattern[y][x] == 'G' ? 0x808080 : 0xFFFFFF;
    }
    ChangeButtonColors(*bitmap);
    return bitmap;
}

std::array<std::unique_ptr<TBitmap>, 3> DrawAll() {
    return {Draw(PlusPattern), Draw(MinusPattern), Draw(LeafPattern)};
}

std::array<std::unique_ptr<TBitmap>, 3>& Buttons() {
    static TLasting<std::array<std::unique_ptr<TBitmap>, 3>> buttons(DrawAll());
    return *buttons;
}
} // namespace

void ChangeButtonColors(TBitmap& Bitmap, TColor Text, TColor Shadow, TColor Window) {
    const uint32_t text = PixelOf(Text), shadow = PixelOf(Shadow), window = PixelOf(Window);
    for (int x = 0; x < Bitmap.Width(); ++x)
        for (int y = 0; y < Bitmap.Height(); ++y) {
            uint32_t& pixel = Bitmap.ScanLine(y)[x];
            const uint32_t rgb = pixel & 0xFFFFFF;
            if (rgb == 0x000000)
                pixel = text;
            else if (rgb == 0x808080)
                pixel = shadow;
            else if (rgb == 0xFFFFFF)
                pixel = window;
        }
    Bitmap.Changed();
}

const TBitmap& TreeButtonBitmap(TTreeButtonKind Kind) {
    return *Buttons()[size_t(Kind)];
}

void RecolourTreeButtons() {
    // Drawn again from black, grey and white: recolouring the recoloured pixels would miss every
    // colour that the last change had already replaced.
    Buttons() = DrawAll();
}
