#pragma once
#include "qztree/header/header.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/tree_events.h"
#include "vcl/core/control.h"

// The events of the tree's header and scroll bars that a form handles on the tree. The header's
// column draw and mouse down keep the header as Sender; the others come from the tree.
struct TQZTreePartEvents {
    TQZSectionDrawEvent OnHeaderColumnDraw;
    TMouseEvent OnHeaderMouseDown;
    TNotifyEvent OnHeaderResize;
    // Only the requests the tree does not size itself (AutoResizeColumns off).
    TColumnNotifyEvent OnHeaderSectionAutoSize;
    TColumnNotifyEvent OnHeaderSectionFilterCall;
    TQZMeasureSectionEvent OnHeaderSectionMeasure;
    TQZSectionEvent OnHeaderSectionExpand;
    TQZSectionEvent OnHeaderSectionCollapse;

    // The bars' own arguments, passed on unchanged.
    TQZScrollDrawPartEvent OnHorzScrollDrawPart;
    TQZScrollDrawPartEvent OnVertScrollDrawPart;
    TQZScrollHitTestEvent OnHorzScrollHitTest;
    TQZScrollHitTestEvent OnVertScrollHitTest;
    TQZScrollHintNeededEvent OnHorzScrollHintNeeded;
};
