#include "viewer/settings_dialog/config_page_images.h"

#include "vcl/graphics/canvas.h"
#include "vcl/graphics/img_list.h"
#include "viewer/tool_bar_images.h"

#include <functional>

namespace {
using TShape = std::function<void(TCanvas&)>;

void Lines(TCanvas& canvas, std::initializer_list<TRect> lines) {
    for (const TRect& line : lines) {
        canvas.MoveTo(line.Left, line.Top);
        canvas.LineTo(line.Right, line.Bottom);
    }
}

// A sheet of paper with lines of text.
void Trace(TCanvas& canvas) {
    canvas.Rectangle(3, 1, 13, 15);
    Lines(canvas, {{5, 4, 11, 4}, {5, 7, 11, 7}, {5, 10, 9, 10}});
}

// An equals sign in a box: fixed values.
void Constants(TCanvas& canvas) {
    canvas.Rectangle(1, 2, 15, 14);
    Lines(canvas, {{4, 6, 12, 6}, {4, 9, 12, 9}});
}

// A clock.
void Sheduler(TCanvas& canvas) {
    canvas.Ellipse(Rect(1, 1, 15, 15));
    Lines(canvas, {{8, 8, 8, 3}, {8, 8, 12, 8}});
}

void Folder(TCanvas& canvas) {
    canvas.Polygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
}

// A round sign with an "i".
void Info(TCanvas& canvas) {
    canvas.Ellipse(Rect(1, 1, 15, 15));
    Lines(canvas, {{8, 4, 8, 5}, {8, 7, 8, 12}});
}

// A screen on its stand.
void Visualization(TCanvas& canvas) {
    canvas.Rectangle(1, 2, 15, 11);
    Lines(canvas, {{8, 11, 8, 14}, {4, 14, 12, 14}});
}

// A warning triangle.
void Errors(TCanvas& canvas) {
    canvas.Polygon({{8, 1}, {15, 14}, {1, 14}});
    Lines(canvas, {{8, 5, 8, 10}, {8, 11, 8, 12}});
}

// Two linked boxes.
void Connection(TCanvas& canvas) {
    canvas.Rectangle(1, 1, 7, 7);
    canvas.Rectangle(9, 9, 15, 15);
    Lines(canvas, {{6, 6, 10, 10}});
}

// A wheel on its axle.
void Execution(TCanvas& canvas) {
    canvas.Ellipse(Rect(2, 2, 14, 14));
    canvas.Rectangle(6, 6, 10, 10);
}

// A list with ticks.
void Tasks(TCanvas& canvas) {
    canvas.Rectangle(2, 1, 14, 15);
    Lines(canvas, {{4, 5, 6, 7}, {6, 7, 9, 3}, {4, 11, 6, 13}, {6, 13, 9, 9}});
}

// Each picture twice: lit in its colour for the chosen row, in grey shades otherwise.
void AddPair(TImageList& images, const TShape& shape, TColor lit) {
    AddDrawnPicture(images, [&](TCanvas& canvas) {
        canvas.Pen()->SetColor(clBlack);
        canvas.Brush()->SetColor(lit);
        shape(canvas);
    });
    AddDrawnPicture(images, [&](TCanvas& canvas) {
        canvas.Pen()->SetColor(clGray);
        canvas.Brush()->SetColor(clSilver);
        shape(canvas);
    });
}
} // namespace

void AddConfigPageImages(TImageList& images) {
    images.SetSize(16, 16);
    AddPair(images, Trace, clWhite);
    AddPair(images, Constants, TColor(0xFFE0A0));
    AddPair(images, Sheduler, TColor(0xA0FFFF));
    AddPair(images, Folder, TColor(0x40C8F0));
    AddPair(images, Info, TColor(0xFFC080));
    AddPair(images, Visualization, TColor(0xC0FFC0));
    AddPair(images, Errors, TColor(0x6060FF));
    AddPair(images, Connection, TColor(0xFFC0C0));
    AddPair(images, Execution, TColor(0x80E0E0));
    AddPair(images, Tasks, TColor(0xE0E0FF));
}
