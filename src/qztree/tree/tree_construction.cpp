#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/scroll_bar/scroll_bar_styles.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_drag_object.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/published.h"
#include "rtl/string_list.h"
#include "rtl/value_scope.h"
#include "vcl/base/win_api.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

// Making, loading, copying and ending a tree control.

const TClassInfo& TCustomQZTree::StaticClassInfo() {
    // The hint goes through the tree, so that a hint set by name reaches the view too.
    static const TLasting<TClassInfo> info =
        TClassInfo("TCustomQZTree", &TQZXPThemedControl::StaticClassInfo())
            .String<TCustomQZTree>("Hint", &TCustomQZTree::Hint, &TCustomQZTree::SetHint);
    return *info;
}

namespace {
// The lines of HeadersTexts reach the header: a line set names its section, any other change
// (lines added, the whole list assigned) passes the list on once it is done.
class THeadersTextsList : public TStringList {
public:
    std::function<void(int, const std::string&)> OnLineSet;
    void Put(int Index, const std::string& S) override {
        {
            TValueScope<bool> putting(Putting, true);
            TStringList::Put(Index, S);
        }
        if (OnLineSet)
            OnLineSet(Index, S);
    }
    bool Putting = false;
};
} // namespace

TCustomQZTree::TCustomQZTree(TComponent* AOwner, std::unique_ptr<TQZTreeViewState> View,
                             TQZTreeItems::TItemFactory ItemClass)
    : TQZXPThemedControl(AOwner), FSelectedList(std::make_unique<TQZSelectedList>()),
      FDefaultItemStyles(std::make_unique<TQZItemStateStyle>(nullptr, nullptr)),
      FOwnedView(std::move(View)) {
    TControlStyle style = ControlStyle();
    for (TControlStyleFlag flag : {csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks,
                                   csReplicatable, csDisplayDragImage})
        style.Include(flag);
    SetControlStyle(style);
    if (FOwnedView) {
        FView = FOwnedView.get();
    } else {
        FTreeView = new TQZTreeView(this);
        FView = FTreeView;
    }
    FItems = std::make_unique<TQZTreeItems>(this, std::move(ItemClass));

    TQZItemStateStyle& styles = *FDefaultItemStyles;
    const TFontStyles underlined{fsUnderline};
    styles.FocSelState->SetFontColor(clHighlightText);
    styles.FocSelState->SetBGColor(clHighlight);
    styles.FocSelState->SetFontStyle(underlined);
    styles.SelectedState->SetFontColor(clHighlightText);
    styles.SelectedState->SetBGColor(clHighlight);
    styles.FocusedState->SetFontColor(clHighlight);
    styles.FocusedState->SetBGColor(clNone);
    styles.FocusedState->SetFontStyle(underlined);
    styles.DefaultState->SetFontColor(clWindowText);
    styles.DefaultState->SetBGColor(clNone);
    styles.HideSelectState->SetFontColor(clBtnShadow);
    styles.HideSelectState->SetBGColor(clBtnFace);

    auto texts = std::make_unique<THeadersTextsList>();
    texts->OnLineSet = [this](int Index, const std::string& Text) {
        if (!FFillingHeadersTexts)
            HeadersTextsLineSet(Index, Text);
    };
    texts->OnChange = [this, list = texts.get()](TObject*) {
        if (!FFillingHeadersTexts && !list->Putting)
            SetHeadersTexts(list);
    };
    FHeadersTexts = std::move(texts);
    SetBounds(Left(), Top(), 200, 100);
    SetBorderStyle(bsSingle);
    CreatePieces();
    FLineHeight = DefineLineHeight();
    SetTabStop(true);
    SetCursor(crArrow);
    SetDragCursor(DragCursor());
    RegisterTreeDragCursors();
    FImageChangeLink = [this](TObject* Sender) { ImageListChange(Sender); };
    FBackground = std::make_unique<TBitmap>();
    FBackground->OnChange = [this](TObject* Sender) { BackgroundChange(Sender); };
    FHeaderFont = std::make_unique<TFont>();
    FHeaderFont->Assign(Font());
    FHeaderFont->OnChange = [this](TObject* Sender) { HeaderFontChanged(Sender); };
    FDelayTimer = new TTimer(this);
    FDelayTimer->SetEnabled(false);
}

void TCustomQZTree::CreatePieces() {
    if (FTreeView) {
        FTreeView->SetTabStop(true);
        FTreeView->SetParentFont(true);
        FTreeView->SetParentShowHint(true);
        FTreeView->OnClick = [this](TObject*) { Click(); };
        FTreeView->OnDblClick = [this](TObject*) { DblClick(); };
        FTreeView->OnMouseEnter = [this](TObject*) { SetMouseOver(true); };
        FTreeView->OnMouseLeave = [this](TObject*) { SetMouseOver(false); };
        BindViewTransfers();
    }
    auto makeBar = [this](TScrollBarKind Kind, std::unique_ptr<TQZScrollBarStyles>& Styles) {
        auto* bar = new TQZScrollBar(this);
        bar->SetKind(Kind);
        bar->NoScrollMessages = true;
        bar->SetParentFont(true);
        bar->SetTabStop(false);
        bar->SetBorderStyle(bsNone);
        bar->SetVisible(false);
        bar->SetAltDisablingArrows(true);
        bar->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                  int Y) { ScrollBarMouseDown(Sender, Button, Shift, X, Y); };
        Styles = std::make_unique<TQZScrollBarStyles>(bar, this);
        Styles->OnChange = [this](TObject* Sender) { SBChanged(Sender); };
        if (Kind == sbHorizontal)
            bar->SetHeight(GetSystemMetrics(SM_CYVTHUMB));
        else
            bar->SetWidth(GetSystemMetrics(SM_CXHTHUMB));
        return bar;
    };
    FHScrollBar = makeBar(sbHorizontal, FHorzScrollBarStyle);
    FHScrollBar->ShowTrackHint = true;
    FVScrollBar = makeBar(sbVertical, FVertScrollBarStyle);
    FVScrollBar->ShowTrackHint = false;
    if (FTreeView) {
        FHScrollBar->OnScroll = [this](TObject* Sender, TQZScrollCode Code, int& Pos, bool& Do) {
            FTreeView->OnHScroll(Sender, Code, Pos, Do);
        };
        FVScrollBar->OnScroll = [this](TObject* Sender, TQZScrollCode Code, int& Pos, bool& Do) {
            FTreeView->OnVScroll(Sender, Code, Pos, Do);
        };
    }
    CreateHeader();
    if (FTreeView)
        FTreeView->SetParent(this);
    FHScrollBar->SetParent(this);
    FVScrollBar->SetParent(this);
    AttachHeader();
    BindPartTransfers();
    BindHeaderAndBarRelays();
}

TCustomQZTree::~TCustomQZTree() {
    DestroyItems();
    // A tree ended without Free (on the stack) frees its pieces while it is still whole.
    DestroyComponents();
}

void TCustomQZTree::BeforeDestruction() {
    // The items go while the view and the header can still be told.
    DestroyItems();
    SetImages(nullptr);
    SetImages2(nullptr);
    TQZXPThemedControl::BeforeDestruction();
}

void TCustomQZTree::Notification(TComponent* AComponent, TOperation Operation) {
    TQZXPThemedControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        SetImages(nullptr);
    if (AComponent == FImages2)
        SetImages2(nullptr);
}

void TCustomQZTree::Loaded() {
    TQZTreeLock lock(this);
    TQZXPThemedControl::Loaded();
    if (FSortMode == smAdd || FSortMode == smAddClick) {
        TriggerSortBegin();
        SortChildren(GetRoot(), true);
        TriggerSortEnd();
    }
    FUpdated = true;
    FView->FClearAll = true;
    OnFontChange();
    if (FSelectColumn >= HeaderSectionCount())
        FSelectColumn = -1;
    if (FHeaderHeight >= 0 && FHeaderHeight != HeaderHeight()) {
        SetHeaderHeight(FHeaderHeight);
        FHeaderHeight = -1;
    }
    AutoSizeAllColumns();
}

void TCustomQZTree::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TCustomQZTree*>(Source);
    if (!source)
        return TQZXPThemedControl::Assign(Source);
    TQZTreeLock lock(this);
    FItems->Assign(source->Items());
    FLinesStyle = source->FLinesStyle;
    FLinesColor = source->FLinesColor;
    FDeselectChildrenOnCollapse = source->FDeselectChildrenOnCollapse;
    FDrawFocusRect = source->FDrawFocusRect;
    FBarStyle = source->FBarStyle;
    FAlwaysKeepSelection = source->FAlwaysKeepSelection;
    FFullRowSelect = source->FFullRowSelect;
    FDragType = source->FDragType;
    FAutoLookup = source->FAutoLookup;
    FSelectColumn = source->FSelectColumn;
    FAutoExpand = source->FAutoExpand;
    for (auto [mine, theirs] : {std::pair{&FPlusPicture, &source->FPlusPicture},
                                {&FMinusPicture, &source->FMinusPicture},
                                {&FLeafPicture, &source->FLeafPicture}})
        if (*theirs)
            SetPicture(*mine, theirs->get());
    FCustomPlusMinus = source->FCustomPlusMinus;
    FShowCheckboxes = source->FShowCheckboxes;
    FShowLeafButton = source->FShowLeafButton;
    FHideHorzScrollBar = source->FHideHorzScrollBar;
    FHideVertScrollBar = source->FHideVertScrollBar;
    FBkColor = source->FBkColor;
    FShowButtons = source->FShowButtons;
    FShowLines = source->FShowLines;
    FShowImages = source->FShowImages;
    FShowRoot = source->FShowRoot;
    FLineHintMode = source->FLineHintMode;
    SetShowHeader(source->ShowColumns());
    SetBorderStyle(source->BorderStyle());
    FDoInplaceEdit = source->FDoInplaceEdit;
    FHorizontalLines = source->FHorizontalLines;
    FVerticalLines = source->FVerticalLines;
    FScrollTracking = source->FScrollTracking;
    FTracking = source->FTracking;
    SetHeaderHotTrack(source->FHeaderHotTrack);
    FOwnerDrawByColumn = source->FOwnerDrawByColumn;
    FOwnerDrawMask = source->FOwnerDrawMask;
    FDragTrgDrawMode = source->FDragTrgDrawMode;
    SetTopIndex(source->TopIndex());
    FAutoLineHeight = source->FAutoLineHeight;
    FLineHeight = source->FLineHeight;
    FView->FHRange = -1;
    FView->MarkVisibility();
    FUpdated = true;
}

void TCustomQZTree::CreateParams(TCreateParams& Params) {
    TQZXPThemedControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ClassStyle &= ~unsigned(CS_HREDRAW | CS_VREDRAW);
    if (FRightAlignedText)
        Params.ExStyle |= WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
}

void TCustomQZTree::CreateWnd() {
    FScrollbarsInitialized = false;
    TQZXPThemedControl::CreateWnd();
    AlignPieces();
}

int TCustomQZTree::VisibleRowCount() const {
    return FTreeView ? FTreeView->GetVisCount() : 0;
}
