// The header's and the scroll bars' events become the tree's, each through one virtual operation
// of the tree, so that a derived control can intercept it.
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/custom_tree.h"

void TCustomQZTree::BindHeaderAndBarRelays() {
    if (FHeader) {
        TQZHeader& h = *FHeader;
        h.OnSectionDraw = [this](TObject* Sender, TCanvas* Canvas, TQZHeaderSection* Section,
                                 const TRect& R, bool Pressed) {
            DoHeaderDraw(Sender, Canvas, Section, R, Pressed);
        };
        h.OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y) { Fire(OnHeaderMouseDown, Sender, Button, Shift, X, Y); };
        h.OnFilterCall = [this](TObject*, TQZHeaderSection* Section) {
            Fire(OnHeaderSectionFilterCall, this, Section->Index());
        };
        h.OnMeasureSection = [this](TObject* Sender, TQZHeaderSection* Section, TPoint& Size) {
            MeasureSectionTransfer(Sender, Section, Size);
        };
        h.OnSectionExpand = [this](TObject*, TQZHeaderSection* Section) {
            HeaderSectionExpanded(Section, true);
        };
        h.OnSectionCollapse = [this](TObject*, TQZHeaderSection* Section) {
            HeaderSectionExpanded(Section, false);
        };
    }
    FHScrollBar->OnDrawPart = [this](TObject*, TCanvas* Canvas, const TRect& R,
                                     TQZScrollBarPart Part, bool Enabled, bool Focused,
                                     bool Pressed, bool& DefaultDraw) {
        Fire(OnHorzScrollDrawPart, this, Canvas, R, Part, Enabled, Focused, Pressed, DefaultDraw);
    };
    FVScrollBar->OnDrawPart = [this](TObject*, TCanvas* Canvas, const TRect& R,
                                     TQZScrollBarPart Part, bool Enabled, bool Focused,
                                     bool Pressed, bool& DefaultDraw) {
        Fire(OnVertScrollDrawPart, this, Canvas, R, Part, Enabled, Focused, Pressed, DefaultDraw);
    };
    FHScrollBar->OnHitTest = [this](TObject* Sender, int X, int Y, TQZScrollBarPart& Part,
                                    bool& DefaultTest) {
        HorzScrollHitTestTransfer(Sender, X, Y, Part, DefaultTest);
    };
    FVScrollBar->OnHitTest = [this](TObject* Sender, int X, int Y, TQZScrollBarPart& Part,
                                    bool& DefaultTest) {
        VertScrollHitTestTransfer(Sender, X, Y, Part, DefaultTest);
    };
    FHScrollBar->OnScrollHintNeeded = [this](TObject*, int TrackPosition, TQZFString& Hint) {
        Fire(OnHorzScrollHintNeeded, this, TrackPosition, Hint);
    };
}

void TCustomQZTree::DoHeaderDraw(TObject* Header, TCanvas* Canvas, TQZHeaderSection* Section,
                                 const TRect& R, bool Pressed) {
    Fire(OnHeaderColumnDraw, Header, Canvas, Section, R, Pressed);
}

void TCustomQZTree::TriggerHeaderSectionExpandEvent(TQZHeaderSection* Section) {
    Fire(OnHeaderSectionExpand, this, Section);
}

void TCustomQZTree::TriggerHeaderSectionCollapseEvent(TQZHeaderSection* Section) {
    Fire(OnHeaderSectionCollapse, this, Section);
}

void TCustomQZTree::MeasureSectionTransfer(TObject*, TQZHeaderSection* Section, TPoint& Size) {
    Fire(OnHeaderSectionMeasure, this, Section, Size);
}

void TCustomQZTree::HorzScrollHitTestTransfer(TObject*, int X, int Y, TQZScrollBarPart& Part,
                                              bool& DefaultTest) {
    Fire(OnHorzScrollHitTest, this, X, Y, Part, DefaultTest);
}

void TCustomQZTree::VertScrollHitTestTransfer(TObject*, int X, int Y, TQZScrollBarPart& Part,
                                              bool& DefaultTest) {
    Fire(OnVertScrollHitTest, this, X, Y, Part, DefaultTest);
}

void TCustomQZTree::HeaderResizeHandler() {
    DoHeaderResize();
    Fire(OnHeaderResize, this);
}

void TCustomQZTree::HeaderSectionExpanded(TQZHeaderSection* Section, bool Expanded) {
    if (Expanded)
        TriggerHeaderSectionExpandEvent(Section);
    else
        TriggerHeaderSectionCollapseEvent(Section);
    TQZTreeLock lock(this);
    FUpdated = true;
    FView->FClearAll = true;
}
