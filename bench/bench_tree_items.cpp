// Prints how long the tree's item model takes for the bulk work of a large tree, at several
// sizes in one run so that they can be compared: parents with 10 children each, 3 columns,
// filled under one update lock, expanded, indexed by visible row page by page, selected and
// deselected in scattered order, sorted by each column, and cleared. No window is involved.
// Usage: bench_tree_items [parents...]  (default 1000 10000 100000: 11k, 110k and 1.1M items)
// The goal compares the two largest sizes: fill and clear grow linearly (the larger within 12x
// of the smaller for 10x the items) and sorting as n log n.
#include "bench_timing.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "rtl/string_list.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int ChildrenEach = 10;
constexpr int PageRows = 40;

// Scatters 0..count-1 so that removals hit the middle of the selection.
std::vector<int> Scattered(int count) {
    std::vector<int> order(static_cast<size_t>(count));
    unsigned state = 12345;
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    for (int i = count - 1; i > 0; --i) {
        state = state * 1103515245u + 12345u;
        std::swap(order[size_t(i)], order[size_t(state % unsigned(i + 1))]);
    }
    return order;
}

enum TStep {
    Fill,
    Expand,
    ReadPages,
    PageAfterChange,
    Select,
    Deselect,
    Sort0,
    Sort1,
    Sort2,
    Clear,
    StepCount
};
const char* const StepNames[StepCount] = {"fill under one lock",
                                          "expand every parent under one lock",
                                          "visible rows read page by page",
                                          "one page after a change above it",
                                          "select every item",
                                          "deselect every item in scattered order",
                                          "sort by column 0",
                                          "sort by column 1",
                                          "sort by column 2",
                                          "clear"};

struct TRun {
    int Items = 0;
    double Ms[StepCount] = {};
    long long Checksum = 0;
};

void FillTree(TCustomQZTree& tree, int parents) {
    TQZTreeItems& items = *tree.Items();
    TQZTreeLock lock(&tree);
    for (int p = 0; p < parents; ++p) {
        TQZTreeItem* parent =
            items.AddChild(nullptr, "parent " + std::to_string(p * 7919 % parents));
        parent->ColumnText()->Add(std::to_string(p % 97));
        parent->ColumnText()->Add(std::to_string(p % 13));
        for (int c = 0; c < ChildrenEach; ++c) {
            TQZTreeItem* child = items.AddChild(parent, "child " + std::to_string(c));
            child->ColumnText()->Add(std::to_string((p + c) % 101));
            child->ColumnText()->Add(std::to_string(c * 3));
        }
    }
}

TRun RunSize(int parents) {
    TRun run;
    TCustomQZTree tree(nullptr, std::make_unique<TQZTreeViewState>());
    TQZTreeItems& items = *tree.Items();
    run.Ms[Fill] = MillisecondsOf([&] { FillTree(tree, parents); });
    run.Items = items.Count();

    run.Ms[Expand] = MillisecondsOf([&] {
        TQZTreeLock lock(&tree);
        for (int p = 0; p < items.Root()->Count(); ++p)
            items.Root()->Children(p)->Expand(false);
    });
    run.Ms[ReadPages] = MillisecondsOf([&] {
        for (int top = 0; top < tree.GetTotalVisCount(); top += PageRows)
            for (int row = top; row < top + PageRows; ++row)
                if (TQZTreeItem* item = items.ItemAsVis(row))
                    run.Checksum += item->AbsoluteIndex() + item->VisIndex();
    });
    run.Ms[PageAfterChange] = MillisecondsOf([&] {
        if (items.Root()->Count() == 0)
            return;
        items.Root()->Children(0)->Collapse(false);
        const int first = tree.GetTotalVisCount() / 2;
        for (int row = first; row < first + PageRows; ++row)
            if (TQZTreeItem* item = items.ItemAsVis(row))
                run.Checksum += item->VisIndex();
        items.Root()->Children(0)->Expand(false);
    });

    tree.SetMultiSelect(true);
    const std::vector<int> order = Scattered(items.Count());
    run.Ms[Select] = MillisecondsOf([&] {
        TQZTreeLock lock(&tree);
        for (int i = 0; i < items.Count(); ++i)
            items.Item(i)->SetSelected(true);
    });
    run.Ms[Deselect] = MillisecondsOf([&] {
        TQZTreeLock lock(&tree);
        for (int i : order)
            items.Item(i)->SetSelected(false);
    });
    for (int section = 0; section < 3; ++section)
        run.Ms[Sort0 + section] = MillisecondsOf([&] {
            tree.FSortSection = section;
            tree.SortChildren(items.Root(), true);
        });
    run.Ms[Clear] = MillisecondsOf([&] { items.Clear(); });
    return run;
}

double NLogN(double n) {
    return n * std::log(n);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    std::vector<TRun> runs;
    for (int parents : sizes)
        runs.push_back(RunSize(parents));

    std::printf("%-40s", "items");
    for (const TRun& run : runs)
        std::printf(" %10d", run.Items);
    std::printf("\n");
    for (int step = 0; step < StepCount; ++step) {
        std::printf("%-40s", StepNames[step]);
        for (const TRun& run : runs)
            std::printf(" %7.1f ms", run.Ms[step]);
        std::printf("\n");
    }
    long long checksum = 0;
    for (const TRun& run : runs)
        checksum += run.Checksum;
    std::printf("checksum %lld\n", checksum);
    if (runs.size() < 2)
        return 0;

    // The two largest sizes, each step's growth against the growth of the work itself.
    const TRun& small = runs[runs.size() - 2];
    const TRun& large = runs.back();
    const double items = double(large.Items) / small.Items;
    const double sortWork = NLogN(large.Items) / NLogN(small.Items);
    auto growth = [&](int step) { return large.Ms[step] / std::max(small.Ms[step], 0.001); };
    bool met = true;
    auto check = [&](const char* what, double ratio, double limit) {
        const bool ok = ratio <= limit;
        met = met && ok;
        std::printf("%-40s %6.1fx (goal <= %.1fx) %s\n", what, ratio, limit,
                    ok ? "met" : "NOT met");
    };
    std::printf("growth from %d to %d items (%.1fx the items, %.1fx the n log n):\n", small.Items,
                large.Items, items, sortWork);
    check("fill", growth(Fill), 1.2 * items);
    check("clear", growth(Clear), 1.2 * items);
    for (int step = Sort0; step <= Sort2; ++step)
        check(StepNames[step], growth(step), 1.2 * sortWork);
    std::printf("goal %s\n", met ? "met" : "NOT met");
    return 0;
}
