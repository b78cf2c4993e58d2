// The tree passes its view's input on as its own events: the tree is the Sender, positions are
// in the tree's client coordinates, and a drag of the view reads as a drag of the tree.
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/view/tree_drag_object.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/strings.h"
#include "vcl/core/drag_drop.h"

TPoint TCustomQZTree::ViewToTree(int X, int Y) const {
    return FTreeView ? Point(X + FTreeView->Left(), Y + FTreeView->Top()) : Point(X, Y);
}

TObject* TCustomQZTree::DragSourceOf(TObject* Source) const {
    if (FTreeView && Source == FTreeView)
        return const_cast<TCustomQZTree*>(this);
    if (auto* object = dynamic_cast<TQZTreeDragObject*>(Source))
        return object->Control();
    if (auto* object = dynamic_cast<TDragControlObject*>(Source))
        if (auto* view = dynamic_cast<TQZTreeView*>(object->Control()))
            return view->Tree();
    if (auto* view = dynamic_cast<TQZTreeView*>(Source))
        return view->Tree();
    return Source;
}

TImageList* TCustomQZTree::GetDragImages() {
    return FTreeView ? FTreeView->GetDragImages() : nullptr;
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
    // The wheel goes through the tree's own handling first (its wheel events); what it takes,
    // the view does not scroll.
    view->OnMouseWheel = [this](TObject*, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                bool& Handled) {
        Handled = TControl::DoMouseWheel(Shift, WheelDelta, MousePos);
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
        // The handler sees the drag position in the tree's coordinates.
        const TPoint shift = ViewToTree(0, 0);
        if (DragObject)
            DragObject->DragPos =
                Point(DragObject->DragPos.X + shift.X, DragObject->DragPos.Y + shift.Y);
        Fire(OnStartDrag, this, DragObject);
        if (DragObject)
            DragObject->DragPos =
                Point(DragObject->DragPos.X - shift.X, DragObject->DragPos.Y - shift.Y);
        else
            DragObject = new TQZTreeDragObject(this); // frees itself when the drag is finished
    };
}

void TCustomQZTree::BindPartTransfers() {
    if (FVScrollBar)
        FVScrollBar->OnScrollHintNeeded = [this](TObject*, int TrackPosition, TQZFString& Hint) {
            VertScrollHintNeededHandler(TrackPosition, Hint);
        };
    if (FHeader) {
        FHeader->OnHeaderLookup = [this](TObject*, TQZHeaderSection* Section, std::string& Text) {
            TriggerHeaderLookupEvent(Section->Index(), Text);
            HeaderSectionLookup(Section->Index(), Text);
        };
        FHeader->OnHeaderLookupDone = [this](TObject*, TQZHeaderSection* Section,
                                             const std::string& Text, bool Accepted) {
            Fire(OnHeaderLookupDone, this, Section->Index(), Text, Accepted);
        };
    }
}

void TCustomQZTree::VertScrollHintNeededHandler(int TrackPosition, std::string& Hint) {
    Fire(OnVertScrollHintNeeded, this, TrackPosition, Hint);
    if (!Hint.empty() || FSortSection == -1)
        return;
    if (TQZTreeItem* item = GetVisItem(TrackPosition))
        Hint = CellText(item, FSortSection);
}

void TCustomQZTree::TriggerHeaderLookupEvent(int SectionIndex, std::string& Text) {
    Fire(OnHeaderLookup, this, SectionIndex, Text);
}

void TCustomQZTree::HeaderSectionLookup(int SectionIndex, const std::string& Text) {
    if (!FAutoLookup)
        return;
    const std::string wanted = AnsiUpperCase(Text);
    for (int i = 0; i < FAllList.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        const std::string cell = AnsiUpperCase(CellText(item, SectionIndex));
        if (cell.compare(0, wanted.size(), wanted) == 0) {
            EnsureVisible(item);
            SetFocused(item);
            return;
        }
    }
}
