// The header's own pictures, drawn once by the program: sort marks, drop arrows, the lookup
// point and the split cursor of the resize grips.
#include "qztree/header/header.h"

#include "rtl/lasting.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr TColor GlyphBackground = clFuchsia;

// Rows of a glyph: '#' dark, '+' light, anything else background.
std::unique_ptr<TBitmap> GlyphFrom(const std::vector<const char*>& rows) {
    int h = int(rows.size()), w = int(std::strlen(rows[0]));
    auto bmp = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            char c = rows[size_t(y)][x];
            TColor color = c == '#' ? clBtnShadow : c == '+' ? clBtnHighlight : GlyphBackground;
            bmp->Canvas()->SetPixel(x, y, color);
        }
    return bmp;
}

} // namespace

const TBitmap& HeaderGlyph(THeaderGlyph Glyph) {
    static const TLasting<std::array<std::unique_ptr<TBitmap>, 5>> glyphs(std::array{
        // Solid marks: they must show on classic and themed backgrounds alike.
        GlyphFrom({"....#....", "...###...", "..#####..", ".#######.", "#########", "........."}),
        GlyphFrom({"#########", ".#######.", "..#####..", "...###...", "....#....", "........."}),
        GlyphFrom({"....#", "...##", "..###", ".####", "..###", "...##", "....#"}),
        GlyphFrom({"#....", "##...", "###..", "####.", "###..", "##...", "#...."}),
        GlyphFrom({".###.", "#####", "#####", "#####", ".###."}),
    });
    return *(*glyphs)[size_t(Glyph)];
}

HCURSOR HeaderSplitCursor() {
    // Two arrows pointing left and right around a double bar, 32 x 32, hot spot in the middle.
    static HCURSOR cursor = [] {
        std::array<uint8_t, 128> andMask;
        std::array<uint8_t, 128> xorMask{};
        andMask.fill(0xFF);
        auto dot = [&](int x, int y) {
            andMask[size_t(y * 4 + x / 8)] &= uint8_t(~(0x80 >> (x % 8)));
        };
        for (int y = 8; y < 24; ++y) {
            dot(15, y);
            dot(17, y);
        }
        for (int x = 6; x < 27; ++x)
            if (x < 15 || x > 17)
                dot(x, 16);
        for (int d = 1; d < 4; ++d) {
            dot(6 + d, 16 - d);
            dot(6 + d, 16 + d);
            dot(26 - d, 16 - d);
            dot(26 - d, 16 + d);
        }
        return CreateCursor(GetModuleHandleW(nullptr), 16, 16, 32, 32, andMask.data(),
                            xorMask.data());
    }();
    return cursor;
}
