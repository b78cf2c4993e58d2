#pragma once
#include <climits>

// Points and rectangles in pixels; a rectangle holds its left and top edge and excludes its right
// and bottom edge, as the Win32 RECT does.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
    friend bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct TSize {
    int cx = 0;
    int cy = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    friend bool operator==(const TRect& a, const TRect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
    friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
// A rectangle of the size at the wanted place, moved left and up where it would run past the
// area's right or bottom, and right and down where it would begin before its left or top: one
// larger than the area keeps its beginning in it. Worked out in 64 bits, so no place, size or
// area that the integer range holds overflows; an edge that would lie beyond the range is cut
// at its end, so such a rectangle comes out smaller than the size.
inline TRect PlacedWithin(TPoint wanted, TSize size, const TRect& area) {
    struct TSpan {
        int Begin, End;
    };
    auto axis = [](int want, int length, int low, int high) {
        const long long latest = static_cast<long long>(high) - length;
        long long at = want < latest ? want : latest;
        at = at > low ? at : low;
        const long long end = at + length;
        return TSpan{int(at), int(end > INT_MAX ? INT_MAX : end < INT_MIN ? INT_MIN : end)};
    };
    const TSpan x = axis(wanted.X, size.cx, area.Left, area.Right);
    const TSpan y = axis(wanted.Y, size.cy, area.Top, area.Bottom);
    return {x.Begin, y.Begin, x.End, y.End};
}
