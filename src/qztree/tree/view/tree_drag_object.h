#pragma once
#include "vcl/core/drag_drop.h"

// The screen cursors of a drag from a tree: drop refused, move, copy (Ctrl held).
constexpr TCursor crQZTreeNoDrop = 20001;
constexpr TCursor crQZTreeMove = 20002;
constexpr TCursor crQZTreeCopy = 20003;

// Puts the three drag cursors into the screen's cursor table (once).
void RegisterTreeDragCursors();

// The drag object a tree makes when its OnStartDrag handler supplies none; it frees itself when
// the drag is finished.
class TQZTreeDragObject : public TDragControlObject {
public:
    using TDragControlObject::TDragControlObject;
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};
