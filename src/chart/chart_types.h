#pragma once
#include <cstdint>

// Colours are RGB values 0x00BBGGRR.
using TChartColor = int32_t;

constexpr TChartColor chBlack = 0x000000;
constexpr TChartColor chBlue = 0xFF0000;

enum class TChartPenStyle { Solid, Dash };

struct TChartPoint {
    int X = 0;
    int Y = 0;
};

// A rectangle in pixels; Right and Bottom are the first pixels outside it.
struct TChartRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(const TChartPoint& p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
};
