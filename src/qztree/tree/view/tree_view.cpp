#include "qztree/tree/view/tree_view.h"

#include "qztree/base/hint_window.h"
#include "qztree/base/tree_buttons.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/search_timeout_thread.h"
#include "rtl/published.h"
#include "vcl/base/win_api.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/img_list.h"

const TClassInfo& TQZTreeView::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TQZTreeView", &TCustomControl::StaticClassInfo());
    return *info;
}

namespace {
TCustomQZTree& OwnerTree(TComponent* AOwner) {
    // A view exists only inside a tree control.
    auto* tree = dynamic_cast<TCustomQZTree*>(AOwner);
    if (!tree)
        throw EInvalidOperation("A tree view needs a tree control as its owner");
    return *tree;
}
} // namespace

TQZTreeView::TQZTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FOwner(&OwnerTree(AOwner)), FTmpBmp(std::make_unique<TBitmap>()) {
    TControlStyle style = ControlStyle();
    style.Include(csOpaque);
    style.Include(csDisplayDragImage);
    SetControlStyle(style);
    SetDoubleBuffered(true);
}

TQZTreeView::~TQZTreeView() {
    StopClearSearchTimeoutThread();
}

void TQZTreeView::InvalidateRect(const TRect& Rect, bool Erase) {
    if (!HandleAllocated())
        return;
    RECT r = ToRECT(Rect);
    ::InvalidateRect(WindowHandle(), &r, Erase);
}

void TQZTreeView::Update() {
    if (!HandleAllocated()) {
        FOwner->FUpdated = true;
        return;
    }
    const bool longLines = FOwner->VerticalLines() && FOwner->ShowColumns();
    if (FClearAll || (FRangeUpdate && longLines)) {
        Invalidate();
        FClearAll = false;
    } else if (FRangeUpdate) {
        InvalidateRect(Rect(0, 0, ClientWidth(), GetVisiblesHeight()), false);
    }
    FRangeUpdate = false;
    TCustomControl::Update();
}

void TQZTreeView::CreateWnd() {
    TCustomControl::CreateWnd();
    // Rows and scroll bars wait for a window; now it is there.
    TQZTreeLock lock(FOwner);
    FOwner->FUpdated = true;
    MarkVisibility();
}

void TQZTreeView::Resize() {
    TCustomControl::Resize();
    {
        TQZTreeLock lock(FOwner);
        FOwner->FUpdated = true;
        FClearVis = FClearAll = FVisUpdated = true;
        DoSetTopIndex(FOwner->TopIndex());
    }
    if (FOwner->BackgroundType() != bgtColorFill && FOwner->BackgroundType() != bgtCenterBitmap)
        RedoTmpBmp();
}

void TQZTreeView::ChangeButtonColors() {
    RecolourTreeButtons();
    Invalidate();
}

void TQZTreeView::WndProc(TMessage& Message) {
    if (MouseMessage(Message))
        return;
    switch (Message.Msg) {
    case WM_PAINT:
        if (FOwner->IsUpdating())
            return PaintMessage(Message);
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_SETFOCUS:
        TCustomControl::WndProc(Message);
        return FocusChanged(true);
    case WM_KILLFOCUS:
        ForgetPress();
        TCustomControl::WndProc(Message);
        return FocusChanged(false);
    case WM_SYSCOLORCHANGE:
    case CM_SYSCOLORCHANGE:
        // Forms tell their controls with the layer's notice; the tree posts the system's.
        ChangeButtonColors();
        break;
    }
    TCustomControl::WndProc(Message);
}

void TQZTreeView::PaintMessage(TMessage& Message) {
    // Nothing is painted under the lock; the area is remembered and painted when it ends.
    RECT r{};
    if (GetUpdateRect(WindowHandle(), &r, FALSE))
        FOwner->MarkPendingPaint(FromRECT(r));
    ValidateRect(WindowHandle(), nullptr);
    Message.Result = 0;
}
