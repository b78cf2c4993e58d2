#include "tools/progress_cyl_shading.h"

#include "rtl/strings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TCylGeometry CylinderGeometry(int width, int height, int bevelWidth, int borderWidth,
                              int cylinderFactor) {
    TCylGeometry g;
    g.OutR = width;
    g.OutB = height;
    g.InnTL = bevelWidth + borderWidth;
    g.InnR = width - g.InnTL;
    g.InnB = height - g.InnTL;
    g.CylTL = 2 * bevelWidth + borderWidth;
    g.CylR = width - g.CylTL;
    g.CylB = height - g.CylTL;
    if (g.CylB - g.CylTL > 0)
        g.PaceH = cylinderFactor / (g.CylB - g.CylTL);
    if (g.CylR - g.CylTL > 0)
        g.PaceV = cylinderFactor / (g.CylR - g.CylTL);
    return g;
}

TCylFill CylinderFill(int position, int min, int max, bool vertical, int width, int height,
                      const TCylGeometry& g) {
    TCylFill f;
    f.Position = std::clamp(position, min, max);
    f.APosition = f.Position - min;
    f.Percent = int(Round(double(f.APosition) / double(max - min) * 100));
    // The range is kept as a single, as the bar has always kept it.
    const double range = double(1.0f / float(max - min));
    const int length = vertical ? height : width;
    f.Pixel = int(Round(double(length) * f.APosition * range)) + 2 * g.CylTL -
              int(Round(2.0 * g.CylTL * f.APosition * range));
    if (vertical)
        f.LinePos = std::min(g.CylB + 2 * g.CylTL - f.Pixel, g.CylB - 1);
    else
        f.LinePos = std::max(f.Pixel - g.CylTL, g.CylTL + 1);
    return f;
}

namespace {

float ChannelFactor(int c, const TCylShading& s) {
    return float(((c * double(s.IntensityFactor) + s.IntensityRGB) / s.Intensity + c) / s.RangeRGB);
}

uint32_t ShadedChannel(double base, float factor) {
    double value = std::trunc(base * factor);
    return uint32_t(std::clamp(value, 0.0, 255.0));
}

uint32_t ShiftedChannels(uint32_t rgb, int delta) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int c = int((rgb >> shift) & 0xFF) + delta;
        result |= uint32_t(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}

} // namespace

TCylFactors CylinderFactors(uint32_t rgb, const TCylShading& s) {
    return {ChannelFactor(int(rgb & 0xFF), s), ChannelFactor(int((rgb >> 8) & 0xFF), s),
            ChannelFactor(int((rgb >> 16) & 0xFF), s)};
}

uint32_t ShadedPixel(int k, int pace, const TCylShading& s, const TCylFactors& f) {
    double base = double(std::abs(k)) * pace * s.ColorFactor + s.ColorRGB;
    return ShadedChannel(base, f.R) << 16 | ShadedChannel(base, f.G) << 8 |
           ShadedChannel(base, f.B);
}

int ShadeStart(int cylinderSize, const TCylShading& s) {
    return int(std::trunc(cylinderSize / double(s.LightAngle)));
}

TCylBevelShades BevelShades(TColor bevelColor) {
    if (bevelColor == clBtnFace)
        return {};
    uint32_t rgb = ColorToRGB(bevelColor);
    TColor light = TColor(ShiftedChannels(rgb, 64));
    TColor dark = TColor(ShiftedChannels(rgb, -64));
    return {light, dark, light, dark};
}

TCylBevelColors BevelColors(const TCylBevelShades& shades, TBevelCut inner, TBevelCut outer,
                            int borderWidth, TColor color) {
    // Without a border between them the two bevels meet, and the 3-D shades keep them apart.
    const bool touching = borderWidth == 0;
    TCylBevelColors c;
    switch (inner) {
    case bvLowered:
        if (touching && outer == bvLowered) {
            c.InnTL = shades.DkShadow3D;
            c.InnBR = shades.Light3D;
        } else {
            c.InnTL = shades.Shadow;
            c.InnBR = shades.Highlight;
        }
        break;
    case bvRaised:
        c.InnTL = touching && outer == bvRaised ? shades.Light3D : shades.Highlight;
        c.InnBR = shades.Shadow;
        break;
    case bvSpace:
        c.InnTL = c.InnBR = color;
        break;
    case bvNone:
        break;
    }
    switch (outer) {
    case bvLowered:
        c.OutTL = shades.Shadow;
        c.OutBR = shades.Highlight;
        break;
    case bvRaised:
        c.OutTL = shades.Highlight;
        c.OutBR = touching && inner == bvRaised ? shades.DkShadow3D : shades.Shadow;
        break;
    case bvSpace:
        c.OutTL = c.OutBR = color;
        break;
    case bvNone:
        break;
    }
    return c;
}

TPoint CylinderTextOrigin(int escapement, int width, int height, int textWidth, int textHeight) {
    switch (escapement) {
    case 900: // reads upwards: the box lies right of and above the start
        return {(width - textHeight) / 2, (height + textWidth) / 2};
    case 2700: // reads downwards: the box lies left of and below the start
        return {(width + textHeight) / 2, (height - textWidth) / 2};
    default:
        return {(width - textWidth) / 2, (height - textHeight) / 2};
    }
}
