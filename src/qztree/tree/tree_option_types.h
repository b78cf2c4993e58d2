#pragma once
#include "vcl/base/set.h"

// Kinds of the tree's options; their order is the order in which forms store them by name.
enum TSTSelModes { smSimple, smUsual };
enum THintModes { shmNone, shmLong, shmAll };
enum TLineHintType { lhtMainTextOnly, lhtCellTextOnly, lhtSmart };
enum TDragImgMode { dimNever, dimOne, dimAll };
enum TQZDragType { dtOLE, dtVornel, dtBoth };
enum TQZDblClickMode { dcmNone, dcmExpand, dcmEdit };
enum TDragTargetDraw {
    ColorFrame,
    ColorRect,
    SelColorRect,
    dtdNone,
    dtdUpColorLine,
    dtdDownColorLine,
    dtdUpSelColorLine,
    dtdDownSelColorLine
};
enum TQZScrollBarSide { sbsHorizontal, sbsVertical };
using TQZScrollBarSides = TSet<TQZScrollBarSide>;

// What a changed option asks the tree to redo; the setters name these and one helper does it.
enum TQZTreeEffect {
    teRows,      // repaint the rows
    teAll,       // repaint the whole view
    teVisRows,   // rebuild the list of rows on screen
    teRange,     // recompute the horizontal range
    teHeight,    // define the row height again
    teLayout,    // place header, view and scroll bars again
    teWindow,    // re-create the window
    teFrame,     // redraw the border
    teBuffer,    // rebuild the background buffer
    teInvalidate // invalidate the control
};
using TQZTreeEffects = TSet<TQZTreeEffect>;
