#pragma once
#include "vcl/base/controls_types.h"
#include "vcl/base/geometry.h"
#include "vcl/graphics/colors.h"

#include <cstdint>

// The arithmetic of the cylinder progress bar, apart from any window: where its bevels and its
// cylinder lie, where the fill edge stands for a position, and how bright each row is.

// Shading parameters of one part of the bar (the filled part, the empty part).
struct TCylShading {
    int IntensityRGB = 255;
    float Intensity = 4.0f;
    float IntensityFactor = -1.0f;
    int RangeRGB = 255;
    int ColorRGB = 255;
    float ColorFactor = -1.0f;
    float LightAngle = -3.0f;
};

// The bar's rectangles as edges: the outer edge (0 to Width, Height), the inner bevel from
// InnTL to InnR and InnB, the cylinder from CylTL to CylR and CylB; and the shade step per row
// (PaceH) and per column (PaceV).
struct TCylGeometry {
    int OutTL = 0, OutR = 0, OutB = 0;
    int InnTL = 0, InnR = 0, InnB = 0;
    int CylTL = 0, CylR = 0, CylB = 0;
    int PaceH = 0, PaceV = 0;

    // Room for the bevels and at least one pixel of cylinder: the bar paints only then.
    bool Valid() const {
        return OutR >= 1 && OutB >= 1 && InnR - InnTL >= 1 && InnB - InnTL >= 1 &&
               CylR - CylTL >= 1 && CylB - CylTL >= 1;
    }
};

TCylGeometry CylinderGeometry(int width, int height, int bevelWidth, int borderWidth,
                              int cylinderFactor);

// Where a position puts the fill edge.
struct TCylFill {
    int Position = 0;  // clamped to Min..Max
    int APosition = 0; // Position - Min
    int Percent = 0;
    int Pixel = 0;   // the edge in pixels along the bar, as compared between changes
    int LinePos = 0; // the column (horizontal) or row (vertical) of the fill line
};

TCylFill CylinderFill(int position, int min, int max, bool vertical, int width, int height,
                      const TCylGeometry& g);

// Per-channel brightness factors of a colour (0x00BBGGRR, system colours already resolved).
struct TCylFactors {
    float R = 0, G = 0, B = 0;
};

TCylFactors CylinderFactors(uint32_t rgb, const TCylShading& s);

// The pixel (0x00RRGGBB, as a bitmap's scan line holds it) of a part k rows (or columns) away
// from the brightest one.
uint32_t ShadedPixel(int k, int pace, const TCylShading& s, const TCylFactors& f);

// The row (or column) counter's start: the brightest row lies -start rows into the cylinder.
int ShadeStart(int cylinderSize, const TCylShading& s);

// The four shades of the bevels: the system's for the button face, else the bevel colour with
// each channel moved by 64 (clamped).
struct TCylBevelShades {
    TColor Highlight = clBtnHighlight;
    TColor Shadow = clBtnShadow;
    TColor Light3D = cl3DLight;
    TColor DkShadow3D = cl3DDkShadow;
};
TCylBevelShades BevelShades(TColor bevelColor);

// The top-left and bottom-right colours of the inner and outer bevels.
struct TCylBevelColors {
    TColor InnTL = clNone, InnBR = clNone, OutTL = clNone, OutBR = clNone;
};
TCylBevelColors BevelColors(const TCylBevelShades& shades, TBevelCut inner, TBevelCut outer,
                            int borderWidth, TColor color);

// Where text of the given size starts so that it is centred in the bar, for a font turned by
// escapement tenths of a degree (0, 900 or 2700): a turned text's box lies beside its start.
TPoint CylinderTextOrigin(int escapement, int width, int height, int textWidth, int textHeight);
