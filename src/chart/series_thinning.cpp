#include "chart/series_thinning.h"

#include <algorithm>

namespace {

// Adds the lowest and the highest point of one column run [first, last] of pixels to out.
void AddColumn(const std::vector<TPoint>& pixels, size_t first, size_t last,
               std::vector<TPoint>& out) {
    size_t low = first, high = first;
    for (size_t i = first + 1; i <= last; ++i) {
        if (pixels[i].Y < pixels[low].Y)
            low = i;
        if (pixels[i].Y > pixels[high].Y)
            high = i;
    }
    out.push_back(pixels[std::min(low, high)]);
    if (low != high)
        out.push_back(pixels[std::max(low, high)]);
}

bool SameScale(const TAxisScale& a, const TAxisScale& b) {
    return a.Range.Min == b.Range.Min && a.Range.Max == b.Range.Max && a.From == b.From &&
           a.To == b.To;
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

const std::vector<TPoint>& TSeriesPixelCache::Pixels(const TLineSeries& series, const TAxisScale& x,
                                                     const TAxisScale& y) {
    TEntry& entry = FEntries[&series];
    entry.Used = true;
    if (entry.Revision != series.Revision() || !SameScale(entry.X, x) || !SameScale(entry.Y, y)) {
        entry.Pixels = SeriesPixels(series.Points(), x, y);
        entry.Revision = series.Revision();
        entry.X = x;
        entry.Y = y;
    }
    return entry.Pixels;
}

void TSeriesPixelCache::ForgetUnused() {
    for (auto entry = FEntries.begin(); entry != FEntries.end();) {
        if (entry->second.Used) {
            entry->second.Used = false;
            ++entry;
        } else {
            entry = FEntries.erase(entry);
        }
    }
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
