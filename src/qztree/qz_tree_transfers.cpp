// The tree passes its view's input on as its own events: the tree is the Sender, positions are
// in the tree's client coordinates, and a drag of the view reads as a drag of the tree.
#include "qztree/custom_qz_tree.h"
#include "qztree/tree_view.h"
#include "vcl/drag_drop.h"

TPoint TCustomQZTree::ViewToTree(int X, int Y) const {
    return FTreeView ? Point(X + FTreeView->Left(), Y + FTreeView->Top()) : Point(X, Y);
}

TObject* TCustomQZTree::DragSourceOf(TObject* Source) const {
    if (FTreeView && Source == FTreeView)
        return const_cast<TCustomQZTree*>(this);
    if (auto* object = dynamic_cast<TDragControlObject*>(Source))
        if (auto* view = dynamic_cast<TQZTreeView*>(object->Control()))
            return view->Tree();
    if (auto* view = dynamic_cast<TQZTreeView*>(Source))
        return view->Tree();
    return Source;
}

void TCustomQZTree::BindViewTransfers() {
    TQZTreeView* view = FTreeView;
    if (!view)
        return;
    view->OnEnter = [this](TObject*) { Fire(OnEnter, this); };
    view->OnExit = [this](TObject*) { Fire(OnExit, this); };
    view->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        Fire(OnKeyDown, this, Key, Shift);
    };
    view->OnKeyUp = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        Fire(OnKeyUp, this, Key, Shift);
    };
    view->OnKeyPress = [this](TObject*, char& Key) { Fire(OnKeyPress, this, Key); };
    view->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        const TPoint p = ViewToTree(X, Y);
        Fire(OnMouseDown, this, Button, Shift, p.X, p.Y);
    };
    view->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        const TPoint p = ViewToTree(X, Y);
        Fire(OnMouseUp, this, Button, Shift, p.X, p.Y);
    };
    view->OnMouseMove = [this](TObject*, TShiftState Shift, int X, int Y) {
        const TPoint p = ViewToTree(X, Y);
        Fire(OnMouseMove, this, Shift, p.X, p.Y);
    };
    // Without a handler of the tree nothing is accepted.
    view->OnDragOver = [this](TObject*, TObject* Source, int X, int Y, TDragState State,
                              bool& Accept) {
        Accept = false;
        const TPoint p = ViewToTree(X, Y);
        Fire(OnDragOver, this, DragSourceOf(Source), p.X, p.Y, State, Accept);
    };
    view->OnDragDrop = [this](TObject*, TObject* Source, int X, int Y) {
        const TPoint p = ViewToTree(X, Y);
        Fire(OnDragDrop, this, DragSourceOf(Source), p.X, p.Y);
    };
    view->OnEndDrag = [this](TObject*, TObject* Target, int X, int Y) {
        const TPoint p = ViewToTree(X, Y);
        Fire(OnEndDrag, this, DragSourceOf(Target), p.X, p.Y);
    };
    view->OnStartDrag = [this](TObject*, TDragObject*& DragObject) {
        Fire(OnStartDrag, this, DragObject);
    };
}
