#include "sample_shapes.h"

#include "support/debug_file_samples.h"

#include <algorithm>
#include <climits>

namespace {

// Small snapshots of fixed texts but for a figure at where in the long ones, which are of one
// size throughout.
TSampleShape FigureShape(double where) {
    TSampleShape shape = DemoShape();
    shape.ConfigBytes = 20000;
    shape.DataBaseBytes = 2000;
    shape.ConfigEvery = INT_MAX;
    shape.TaskStackPool = 30;
    shape.RepeatLeakStacks = true;
    shape.FigureAt = where;
    return shape;
}

std::function<std::string(int)> BlocksOf(const TSampleShape& shape) {
    return [shape](int index) { return SampleBlock(index, shape); };
}

} // namespace

std::vector<TReaderShape> ReaderShapes(const std::string& only) {
    TSampleShape stackTops = DemoShape();
    stackTops.ConfigEvery = INT_MAX;
    stackTops.TaskStackPool = 30;
    stackTops.MovingStackTops = true;
    stackTops.FigureAt = 0.5;
    // A server's snapshots are large: its sizes are about 130 MB and 1 GB.
    std::vector<TReaderShape> shapes = {
        {"make_sample's (a site's configuration)", 5000, 40000, SiteBlock},
        {"stack tops moving, uptime in the database text", 5000, 40000, BlocksOf(stackTops)},
        {"long texts, a figure at their start", 5000, 40000, BlocksOf(FigureShape(0))},
        {"long texts, a figure in their middle", 5000, 40000, BlocksOf(FigureShape(0.5))},
        {"long texts, a figure at their end", 5000, 40000, BlocksOf(FigureShape(1))},
        {"server-like", 600, 4800, BlocksOf(ServerLikeShape())},
        {"every text anew", 600, 4800, BlocksOf(TSampleShape())},
    };
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [&only](const TReaderShape& shape) {
                                    return std::string(shape.Name).find(only) == std::string::npos;
                                }),
                 shapes.end());
    return shapes;
}
