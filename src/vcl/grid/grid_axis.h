#pragma once
#include <vector>

// One direction of a grid: the columns across or the rows down. Every cell is followed by its
// grid line; the fixed cells stay at the start, the others scroll, starting with FirstScrolled.
// Painting, hit testing, sizing and scrolling of the grid all read positions from here.
struct TGridAxis {
    std::vector<int> Extents; // pixels of each cell, without its line
    int FixedCount = 0;
    int FirstScrolled = 0;
    int FixedLineWidth = 1;
    int LineWidth = 1;
    int ClientExtent = 0;

    int Count() const { return int(Extents.size()); }
    // Pixels of a cell with the line after it.
    int Step(int index) const;
    // Pixels taken by the fixed cells.
    int FixedExtent() const;
    // Where the cell starts, or -1 when it is scrolled away before the shown ones.
    int Start(int index) const;
    // The cell shown at a pixel (its line counts with it), or -1 beyond the last cell.
    int IndexAt(int pos) const;
    // The last cell that shows at least partly; FixedCount - 1 when no scrolled one shows.
    int LastShown() const;
    // The last cell that shows whole, never before FirstScrolled.
    int LastWhole() const;
    // The largest FirstScrolled that still fills the view, so the last cell shows whole.
    int MaxFirstScrolled() const;
    // The FirstScrolled that brings the cell into view, moving as little as possible.
    int FirstToShow(int index) const;
};
