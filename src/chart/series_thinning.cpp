#include "chart/series_thinning.h"

#include <algorithm>

namespace {

// Adds the points of one column run [first, last] of pixels to out.
void AddColumn(const std::vector<TPoint>& pixels, size_t first, size_t last,
               std::vector<TPoint>& out) {
    size_t low = first, high = first;
    for (size_t i = first + 1; i <= last; ++i) {
        if (pixels[i].Y < pixels[low].Y)
            low = i;
        if (pixels[i].Y > pixels[high].Y)
            high = i;
    }
    size_t kept[] = {first, std::min(low, high), std::max(low, high), last};
    size_t previous = size_t(-1);
    for (size_t index : kept)
        if (index != previous) {
            out.push_back(pixels[index]);
            previous = index;
        }
}

} // namespace

std::vector<TPoint> ThinToPixelColumns(const std::vector<TPoint>& pixels) {
    std::vector<TPoint> out;
    out.reserve(std::min<size_t>(pixels.size(), 4096));
    size_t first = 0;
    for (size_t i = 1; i <= pixels.size(); ++i)
        if (i == pixels.size() || pixels[i].X != pixels[first].X) {
            AddColumn(pixels, first, i - 1, out);
            first = i;
        }
    return out;
}

std::vector<TPoint> SeriesPixels(const std::vector<TSeriesPoint>& points, const TAxisScale& x,
                                 const TAxisScale& y) {
    const double low = std::min(x.Range.Min, x.Range.Max);
    const double high = std::max(x.Range.Min, x.Range.Max);
    auto begin = std::lower_bound(points.begin(), points.end(), low,
                                  [](const TSeriesPoint& p, double v) { return p.X < v; });
    auto end = std::upper_bound(points.begin(), points.end(), high,
                                [](double v, const TSeriesPoint& p) { return v < p.X; });
    if (begin != points.begin())
        --begin;
    if (end != points.end())
        ++end;
    std::vector<TPoint> pixels;
    pixels.reserve(size_t(end - begin));
    for (auto p = begin; p != end; ++p)
        pixels.push_back({x.ValueToPixel(p->X), y.ValueToPixel(p->Y)});
    return ThinToPixelColumns(pixels);
}
