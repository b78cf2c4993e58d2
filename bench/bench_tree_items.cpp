// Prints how long the tree's item model takes for the bulk work of a large tree: 100,000 items
// (10,000 parents with 10 children, 3 columns) filled under one update lock, expanded, indexed
// by visible row page by page, selected and deselected in scattered order, sorted by each
// column, and cleared. No window is involved.
// Usage: bench_tree_items [parents]  (default 10000)
#include "qztree/custom_qz_tree.h"
#include "qztree/qz_tree_item.h"
#include "qztree/qz_tree_items.h"
#include "rtl/string_list.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

template <class F> void Measure(const char* what, F work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("%-44s %9.1f ms\n", what, took.count());
}

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

} // namespace

int main(int argc, char** argv) {
    const int parents = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int childrenEach = 10;
    TCustomQZTree tree(nullptr, std::make_unique<TQZTreeViewState>());
    TQZTreeItems& items = *tree.Items();

    Measure("fill under one lock", [&] {
        TQZTreeLock lock(&tree);
        for (int p = 0; p < parents; ++p) {
            TQZTreeItem* parent =
                items.AddChild(nullptr, "parent " + std::to_string(p * 7919 % parents));
            parent->ColumnText()->Add(std::to_string(p % 97));
            parent->ColumnText()->Add(std::to_string(p % 13));
            for (int c = 0; c < childrenEach; ++c) {
                TQZTreeItem* child = items.AddChild(parent, "child " + std::to_string(c));
                child->ColumnText()->Add(std::to_string((p + c) % 101));
                child->ColumnText()->Add(std::to_string(c * 3));
            }
        }
    });
    std::printf("items: %d\n", items.Count());

    Measure("expand every parent under one lock", [&] {
        TQZTreeLock lock(&tree);
        for (int p = 0; p < items.Root()->Count(); ++p)
            items.Root()->Children(p)->Expand(false);
    });
    std::printf("visible rows: %d\n", tree.TotalVisCount());

    const int page = 40;
    long long checksum = 0;
    Measure("visible rows read page by page", [&] {
        for (int top = 0; top < tree.GetTotalVisCount(); top += page)
            for (int row = top; row < top + page; ++row)
                if (TQZTreeItem* item = items.ItemAsVis(row))
                    checksum += item->AbsoluteIndex() + item->VisIndex();
    });
    Measure("one page after a change above it", [&] {
        items.Root()->Children(0)->Collapse(false);
        for (int row = 50000; row < 50000 + page; ++row)
            checksum += items.ItemAsVis(row)->VisIndex();
        items.Root()->Children(0)->Expand(false);
    });

    tree.SetMultiSelect(true);
    const std::vector<int> order = Scattered(items.Count());
    Measure("select every item", [&] {
        TQZTreeLock lock(&tree);
        for (int i = 0; i < items.Count(); ++i)
            items.Item(i)->SetSelected(true);
    });
    Measure("deselect every item in scattered order", [&] {
        TQZTreeLock lock(&tree);
        for (int i : order)
            items.Item(i)->SetSelected(false);
    });

    for (int section = 0; section < 3; ++section) {
        const std::string what = "sort by column " + std::to_string(section);
        Measure(what.c_str(), [&] {
            tree.FSortSection = section;
            tree.SortChildren(items.Root(), true);
        });
    }
    Measure("clear", [&] { items.Clear(); });
    std::printf("checksum %lld\n", checksum);
    return 0;
}
