#include "vcl/graphics/dib_lines.h"

#include "vcl/graphics/top_down_dib.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Coordinates beyond this from the bitmap would make a walk along a segment long.
constexpr int64_t MaxStepsPerPoint = 1 << 15;

struct TDibTarget {
    uint32_t* Bits = nullptr;
    int Width = 0, Height = 0;
    TPoint Offset;      // logical to device
    RECT Clip{};        // device pixels that may be set
    uint32_t Pixel = 0; // 0x00RRGGBB

    uint32_t* Row(int y) const { return Bits + size_t(y) * size_t(Width); }
    void Plot(int x, int y) const {
        if (x >= Clip.left && x < Clip.right && y >= Clip.top && y < Clip.bottom)
            Row(y)[x] = Pixel;
    }
};

bool PlainTarget(HDC dc, TDibTarget& target) {
    if (GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE ||
        GetROP2(dc) != R2_COPYPEN)
        return false;
    DIBSECTION dib{};
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (!IsTopDownDib(bitmap) || GetObjectW(bitmap, sizeof dib, &dib) != int(sizeof dib) ||
        !dib.dsBm.bmBits)
        return false;
    target.Bits = static_cast<uint32_t*>(dib.dsBm.bmBits);
    target.Width = dib.dsBm.bmWidth;
    target.Height = dib.dsBm.bmHeight;
    POINT origin{0, 0};
    LPtoDP(dc, &origin, 1);
    target.Offset = {origin.x, origin.y};
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == COMPLEXREGION || kind == RGN_ERROR)
        return false;
    if (kind == NULLREGION)
        box = {};
    OffsetRect(&box, origin.x, origin.y);
    target.Clip = {std::max<LONG>(box.left, 0), std::max<LONG>(box.top, 0),
                   std::min<LONG>(box.right, target.Width),
                   std::min<LONG>(box.bottom, target.Height)};
    return true;
}

// The system's line: a Bresenham walk along the major axis. Where the line passes exactly
// between two pixels, the tie breaks one way when the minor coordinate grows and the other
// way when it falls, as the system's lines do.
void DrawSegment(const TDibTarget& target, TPoint from, TPoint to) {
    int dx = to.X - from.X, dy = to.Y - from.Y;
    const int xStep = dx < 0 ? -1 : 1, yStep = dy < 0 ? -1 : 1;
    dx = std::abs(dx);
    dy = std::abs(dy);
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int bias = (xMajor ? yStep : xStep) < 0 ? 1 : 0;
    int x = from.X, y = from.Y;
    int error = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        target.Plot(x, y);
        if (error + bias > 0) {
            (xMajor ? y : x) += xMajor ? yStep : xStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        (xMajor ? x : y) += xMajor ? xStep : yStep;
    }
}

} // namespace

bool DrawPolylineIntoDib(HDC dc, const std::vector<TPoint>& points, uint32_t rgb) {
    TDibTarget target;
    if (points.size() < 2 || !PlainTarget(dc, target))
        return false;
    const int64_t limit = MaxStepsPerPoint + std::max(target.Width, target.Height);
    for (const TPoint& p : points) {
        const int64_t x = int64_t(p.X) + target.Offset.X, y = int64_t(p.Y) + target.Offset.Y;
        if (x < -limit || y < -limit || x > limit || y > limit)
            return false;
    }
    target.Pixel = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
    GdiFlush(); // what the system still holds back must reach the pixels first
    for (size_t i = 0; i + 1 < points.size(); ++i)
        DrawSegment(target, {points[i].X + target.Offset.X, points[i].Y + target.Offset.Y},
                    {points[i + 1].X + target.Offset.X, points[i + 1].Y + target.Offset.Y});
    return true;
}
