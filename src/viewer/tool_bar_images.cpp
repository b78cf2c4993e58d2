#include "viewer/tool_bar_images.h"

#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <functional>

namespace {
constexpr int Size = 16;
// Magenta, which reads the same as a colour and as a pixel of the bitmap's rows.
constexpr TColor Transparent = clFuchsia;
constexpr uint32_t TransparentPixel = 0xFF00FF;

void DrawOpenFolder(TCanvas& canvas) {
    canvas.Pen()->SetColor(clOlive);
    canvas.Brush()->SetColor(TColor(0x40C8F0));
    canvas.Polygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
    canvas.Brush()->SetColor(TColor(0x80E8FF));
    canvas.Polygon({{3, 7}, {15, 7}, {13, 13}, {1, 13}});
}

void DrawCross(TCanvas& canvas) {
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(2);
    canvas.MoveTo(3, 3);
    canvas.LineTo(13, 13);
    canvas.MoveTo(12, 3);
    canvas.LineTo(2, 13);
}

std::function<void(TCanvas&)> Disc(TColor fill) {
    return [fill](TCanvas& canvas) {
        canvas.Pen()->SetColor(clGray);
        canvas.Brush()->SetColor(fill);
        canvas.Ellipse(Rect(3, 3, 13, 13));
    };
}
} // namespace

// The picture is drawn on a key colour; every other pixel becomes opaque in the alpha channel,
// which the 32-bit list draws by.
void AddDrawnPicture(TImageList& images, const std::function<void(TCanvas&)>& draw) {
    TBitmap picture(Size, Size);
    TCanvas& canvas = *picture.Canvas();
    canvas.Brush()->SetColor(Transparent);
    canvas.FillRect(Rect(0, 0, Size, Size));
    draw(canvas);
    for (int y = 0; y < Size; ++y) {
        uint32_t* row = picture.ScanLine(y);
        for (int x = 0; x < Size; ++x)
            row[x] = (row[x] & 0xFFFFFF) == TransparentPixel ? 0 : row[x] | 0xFF000000;
    }
    images.Add(&picture);
}

void AddTimeLineImages(TImageList& images) {
    images.SetSize(Size, Size);
    AddDrawnPicture(images, DrawOpenFolder);
    AddDrawnPicture(images, DrawCross);
}

void AddTaskStateImages(TImageList& images) {
    images.SetSize(Size, Size);
    AddDrawnPicture(images, Disc(clSilver));
    AddDrawnPicture(images, Disc(clLime));
}
