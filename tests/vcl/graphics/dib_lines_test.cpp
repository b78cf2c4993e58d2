#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/dib_lines.h"
#include "vcl/graphics/gdi_objects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int Side = 96;

// Random polylines over the bitmap and past its edges, every direction and length.
std::vector<TPoint> RandomPolyline(uint32_t& state, int count) {
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % uint32_t(range));
    };
    std::vector<TPoint> points;
    for (int i = 0; i < count; ++i)
        points.push_back({next(Side + 40) - 20, next(Side + 40) - 20});
    return points;
}

struct TPicture {
    TBitmap Bitmap{Side, Side};
    TPicture() {
        Bitmap.Canvas()->Brush()->SetColor(clWhite);
        Bitmap.Canvas()->FillRect({0, 0, Side, Side});
    }
    std::vector<uint32_t> Pixels() const {
        GdiFlush();
        std::vector<uint32_t> pixels(size_t(Side) * Side);
        std::memcpy(pixels.data(), Bitmap.ScanLine(0), pixels.size() * sizeof(uint32_t));
        return pixels;
    }
};

// What the canvas draws, against what the system draws with the same pen, in the same context
// state: same pixels.
void ExpectSameAsSystem(const std::vector<TPoint>& points, const std::function<void(HDC)>& setUp) {
    TPicture canvas, system;
    for (TPicture* picture : {&canvas, &system}) {
        HDC dc = picture->Bitmap.Canvas()->Handle();
        SaveDC(dc);
        setUp(dc);
    }
    canvas.Bitmap.Canvas()->Pen()->SetColor(TColor(0x2080C0));
    canvas.Bitmap.Canvas()->Polyline(points);
    {
        HDC dc = system.Bitmap.Canvas()->Handle();
        TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(TColor(0x2080C0))));
        TSelectObject selection(dc, pen.Handle());
        std::vector<POINT> raw;
        for (const TPoint& p : points)
            raw.push_back({p.X, p.Y});
        Polyline(dc, raw.data(), int(raw.size()));
    }
    for (TPicture* picture : {&canvas, &system})
        RestoreDC(picture->Bitmap.Canvas()->Handle(), -1);
    const std::vector<uint32_t> expected = system.Pixels(), actual = canvas.Pixels();
    size_t differing = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        differing += expected[i] != actual[i];
    EXPECT_EQ(differing, 0u) << "pixels that differ from the system's line";
}

} // namespace

TEST(DibLines, ThinSolidLinesSetTheSystemsPixels) {
    uint32_t state = 7;
    for (int round = 0; round < 40; ++round)
        ExpectSameAsSystem(RandomPolyline(state, 30), [](HDC) {});
}

TEST(DibLines, ClipRectangleAndOriginAreKept) {
    uint32_t state = 11;
    for (int round = 0; round < 20; ++round) {
        ExpectSameAsSystem(RandomPolyline(state, 30), [](HDC dc) {
            IntersectClipRect(dc, 10, 15, 70, 60);
            SetViewportOrgEx(dc, -7, 5, nullptr);
        });
    }
}

// Where the pixels cannot be written as the system would, the system draws: the result is the
// same either way.
TEST(DibLines, ContextsOfOtherKindsAreLeftToTheSystem) {
    uint32_t state = 5;
    const std::vector<TPoint> points = RandomPolyline(state, 20);
    ExpectSameAsSystem(points, [](HDC dc) {
        HRGN two = CreateRectRgn(0, 0, 30, 30);
        HRGN second = CreateRectRgn(50, 50, 90, 90);
        CombineRgn(two, two, second, RGN_OR);
        SelectClipRgn(dc, two);
        DeleteObject(second);
        DeleteObject(two);
    });
    ExpectSameAsSystem(points, [](HDC dc) {
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, 2, 2, nullptr);
        SetViewportExtEx(dc, 3, 3, nullptr);
    });
    TPicture picture;
    HDC dc = picture.Bitmap.Canvas()->Handle();
    TMemoryDC other(dc);
    EXPECT_FALSE(DrawPolylineIntoDib(other.DC(), points, 0));
    SetROP2(dc, R2_XORPEN);
    EXPECT_FALSE(DrawPolylineIntoDib(dc, points, 0));
    SetROP2(dc, R2_COPYPEN);
    EXPECT_FALSE(DrawPolylineIntoDib(dc, {{0, 0}, {1 << 20, 5}}, 0));
    EXPECT_TRUE(DrawPolylineIntoDib(dc, points, 0));
}
