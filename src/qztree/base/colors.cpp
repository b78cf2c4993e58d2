#include "qztree/base/colors.h"

#include <algorithm>

int ColorRValue(TColor Color) {
    return int(ColorToRGB(Color) & 0xFF);
}
int ColorGValue(TColor Color) {
    return int(ColorToRGB(Color) >> 8 & 0xFF);
}
int ColorBValue(TColor Color) {
    return int(ColorToRGB(Color) >> 16 & 0xFF);
}
TColor RGBValue(int R, int G, int B) {
    return TColor((R & 0xFF) | (G & 0xFF) << 8 | (B & 0xFF) << 16);
}

namespace {

int CheckRange(int h) {
    if (h < 0)
        h += HLSMax;
    if (h > HLSMax)
        h -= HLSMax;
    return h;
}

int HueToRGB(int m1, int m2, int h) {
    h = CheckRange(h);
    if (h < HLSMax / 6)
        return m1 + ((m2 - m1) * h + HLSMax / 12) / (HLSMax / 6);
    if (h < HLSMax / 2)
        return m2;
    if (h < HLSMax * 2 / 3)
        return m1 + ((m2 - m1) * (HLSMax * 2 / 3 - h) + HLSMax / 12) / (HLSMax / 6);
    return m1;
}

int Channel(int m1, int m2, int h) {
    return std::clamp((HueToRGB(m1, m2, h) * RGBMax + HLSMax / 2) / HLSMax, 0, 255);
}

} // namespace

THLSColor RGBtoHLS(TColor Color) {
    int r = ColorRValue(Color), g = ColorGValue(Color), b = ColorBValue(Color);
    int cmax = std::max({r, g, b});
    int cmin = std::min({r, g, b});
    int l = ((cmax + cmin) * HLSMax + RGBMax) / (2 * RGBMax);
    if (cmax == cmin)
        return HLSValue(UndefinedHue, l, 0);
    int diff = cmax - cmin;
    int sum = cmax + cmin;
    int s = l <= HLSMax / 2 ? (diff * HLSMax + sum / 2) / sum
                            : (diff * HLSMax + (2 * RGBMax - sum) / 2) / (2 * RGBMax - sum);
    auto distance = [&](int c) { return ((cmax - c) * (HLSMax / 6) + diff / 2) / diff; };
    int rd = distance(r), gd = distance(g), bd = distance(b);
    int h;
    if (r == cmax)
        h = bd - gd;
    else if (g == cmax)
        h = HLSMax / 3 + rd - bd;
    else
        h = HLSMax * 2 / 3 + gd - rd;
    return HLSValue(CheckRange(h), l, s);
}

TColor HLStoRGB(int H, int L, int S) {
    if (S == 0) {
        // Lighter greys may ask for a lightness above the scale; the grey stays a byte.
        int grey = std::clamp(L * RGBMax / HLSMax, 0, 255);
        return RGBValue(grey, grey, grey);
    }
    int m2 = L <= HLSMax / 2 ? (L * (HLSMax + S) + HLSMax / 2) / HLSMax
                             : L + S - (L * S + HLSMax / 2) / HLSMax;
    int m1 = 2 * L - m2;
    return RGBValue(Channel(m1, m2, H + HLSMax / 3), Channel(m1, m2, H),
                    Channel(m1, m2, H - HLSMax / 3));
}

TColor HLStoRGB(THLSColor HLS) {
    return HLStoRGB(HueOf(HLS), LightnessOf(HLS), SaturationOf(HLS));
}

TColor DarkenedColor(TColor Color, int Cap) {
    return WithLightness(Color, Cap, [](int l) { return l - l / 4; });
}
