#pragma once
#include "vcl/graphics/colors.h"

#include <cstdint>

// Colour arithmetic of the tree library: channels of resolved colours and a hue-lightness-
// saturation model on a 0..252 scale, packed like an RGB value (hue low byte, lightness second,
// saturation third).
constexpr int HLSMax = 252;
constexpr int RGBMax = 255;
constexpr int UndefinedHue = HLSMax * 2 / 3;

int ColorRValue(TColor Color);
int ColorGValue(TColor Color);
int ColorBValue(TColor Color);
TColor RGBValue(int R, int G, int B);

using THLSColor = int32_t;
constexpr THLSColor HLSValue(int H, int L, int S) {
    return THLSColor((H & 0xFF) | (L & 0xFF) << 8 | (S & 0xFF) << 16);
}
constexpr int HueOf(THLSColor c) {
    return c & 0xFF;
}
constexpr int LightnessOf(THLSColor c) {
    return c >> 8 & 0xFF;
}
constexpr int SaturationOf(THLSColor c) {
    return c >> 16 & 0xFF;
}

THLSColor RGBtoHLS(TColor Color);
// Lightness may exceed the scale a little (up to 255), as the lighter colours ask; every channel
// stays inside 0..255.
TColor HLStoRGB(int H, int L, int S);
TColor HLStoRGB(THLSColor HLS);

// The colour with its lightness changed to Change(L), capped at Cap.
template <class F> TColor WithLightness(TColor Color, int Cap, F Change) {
    THLSColor hls = RGBtoHLS(Color);
    int l = Change(LightnessOf(hls));
    if (l > Cap)
        l = Cap;
    if (l < 0)
        l = 0;
    return HLStoRGB(HueOf(hls), l, SaturationOf(hls));
}

// Three quarters of the lightness: the header's pressed and dragged looks.
TColor DarkenedColor(TColor Color, int Cap);
