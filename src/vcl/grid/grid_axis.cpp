#include "vcl/grid/grid_axis.h"

#include <algorithm>

int TGridAxis::Step(int index) const {
    return Extents[size_t(index)] + (index < FixedCount ? FixedLineWidth : LineWidth);
}

int TGridAxis::FixedExtent() const {
    int extent = 0;
    for (int i = 0; i < std::min(FixedCount, Count()); ++i)
        extent += Step(i);
    return extent;
}

int TGridAxis::Start(int index) const {
    if (index < 0 || index >= Count())
        return -1;
    int pos = 0;
    if (index < FixedCount) {
        for (int i = 0; i < index; ++i)
            pos += Step(i);
        return pos;
    }
    if (index < FirstScrolled)
        return -1;
    pos = FixedExtent();
    for (int i = FirstScrolled; i < index; ++i)
        pos += Step(i);
    return pos;
}

int TGridAxis::IndexAt(int pos) const {
    if (pos < 0)
        return -1;
    int start = 0;
    for (int i = 0; i < std::min(FixedCount, Count()); ++i) {
        start += Step(i);
        if (pos < start)
            return i;
    }
    for (int i = std::max(FirstScrolled, FixedCount); i < Count(); ++i) {
        start += Step(i);
        if (pos < start)
            return i;
    }
    return -1;
}

int TGridAxis::LastShown() const {
    int last = FixedCount - 1;
    int pos = FixedExtent();
    for (int i = std::max(FirstScrolled, FixedCount); i < Count() && pos < ClientExtent; ++i) {
        last = i;
        pos += Step(i);
    }
    return last;
}

int TGridAxis::LastWhole() const {
    int last = FirstScrolled;
    int pos = FixedExtent();
    for (int i = std::max(FirstScrolled, FixedCount); i < Count(); ++i) {
        pos += Extents[size_t(i)];
        if (pos > ClientExtent)
            break;
        last = i;
        pos += LineWidth;
    }
    return last;
}

int TGridAxis::MaxFirstScrolled() const {
    int room = ClientExtent - FixedExtent();
    int first = Count() - 1;
    int used = first >= FixedCount ? Extents[size_t(first)] : 0;
    while (first - 1 >= FixedCount && used + Step(first - 1) <= room) {
        used += Step(first - 1);
        --first;
    }
    return std::max(first, FixedCount);
}

int TGridAxis::FirstToShow(int index) const {
    if (index < FixedCount)
        return FirstScrolled;
    if (index < FirstScrolled)
        return index;
    // Back from the cell, as far as it still ends inside the view, but never before the cells
    // shown now: the view moves only as much as it must.
    int room = ClientExtent - FixedExtent();
    int first = index;
    int used = Extents[size_t(index)];
    while (first > FirstScrolled && used + Step(first - 1) <= room) {
        used += Step(first - 1);
        --first;
    }
    return first;
}
