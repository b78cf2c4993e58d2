#include "qztree/base/themes.h"
#include "qztree/scroll_bar/flat_scroll_bars.h"
#include "qztree/scroll_bar/scroll_bar.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "rtl/streams.h"
#include "rtl/value_scope.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>

// The end of the update lock, the row height, the places of header, view and scroll bars, the
// scroll bars' ranges and the frame.

namespace {
// Posted to the tree itself so that the frame is applied again after the current message.
constexpr unsigned WM_UPDATESBFRAME = 0x912;
} // namespace

void TCustomQZTree::ProcessUpdateEnd() {
    if (FFilteredVisibility)
        UpdateDiffItems();
    if (FAutoLineHeight) {
        const int height = DefineLineHeight();
        if (height != FLineHeight) {
            FView->FClearVis = true;
            FLineHeight = height;
        }
    }
    if (FView->FHRange == -1 && !FShowHeader)
        FView->DefineHRange();
    if (FSortRequired) {
        FSortRequired = false;
        TriggerSortBegin();
        SortChildren(GetRoot(), true);
        TriggerSortEnd();
    }
    if (!FUpdated)
        return;
    FUpdated = false;
    if (FView->FVisUpdated) {
        FTotalVisCount = GetTotalVisCount();
        FView->FVisUpdated = false;
    }
    const bool windowed = FTreeView && FTreeView->HandleAllocated();
    if (windowed) {
        TValueScope<bool> ignoring(IgnoreResize, true);
        UpdateScrollBars();
    }
    if (FView->FClearVis && windowed) {
        FView->FClearVis = false;
        FTreeView->DoSetTopIndex(FTopIndex);
    }
    {
        TValueScope<bool> ignoring(IgnoreResize, true);
        if (FShowHeader && FVirtualityLevel == vlNone && FColSizeUpdate) {
            FColSizeUpdate = false;
            AutoSizeAllColumns();
        }
        if (windowed)
            UpdateScrollBars();
    }
    if (FHasPendingPaint) {
        FHasPendingPaint = false;
        FView->InvalidateRect(FPendingPaint, false);
    }
    FView->Update();
}

void TCustomQZTree::MarkPendingPaint(const TRect& Area) {
    if (!FHasPendingPaint) {
        FPendingPaint = Area;
        FHasPendingPaint = true;
    } else {
        FPendingPaint.Left = std::min(FPendingPaint.Left, Area.Left);
        FPendingPaint.Top = std::min(FPendingPaint.Top, Area.Top);
        FPendingPaint.Right = std::max(FPendingPaint.Right, Area.Right);
        FPendingPaint.Bottom = std::max(FPendingPaint.Bottom, Area.Bottom);
    }
    FUpdated = true;
}

int TCustomQZTree::DefineLineHeight() {
    int h = 0;
    if (FShowImages) {
        if (FImages)
            h = FImages->Height();
        if (FImages2)
            h = std::max(h, FImages2->Height());
    }
    h = std::max(h, FItemIndent);
    const int fontHeight = Font()->Height();
    h = std::max(h, fontHeight >= 0 ? fontHeight + 2 : -fontHeight + 4);
    if (FShowCheckboxes) {
        const int box = FCustomCheckboxes
                            ? std::max(CheckBoxGlyph()->Height(), RadioButtonGlyph()->Height())
                            : FItemIndent - 2;
        h = std::max(h, box);
    }
    if (FBarStyle)
        h += 2;
    else if (FHorizontalLines)
        h += 1;
    return h;
}

void TCustomQZTree::SetTopIndex(int Value) {
    if (FTreeView)
        FTreeView->SetVPosition(Value);
    else
        FTopIndex = std::max(Value, 0);
}

void TCustomQZTree::SetLeftPosition(int Value) {
    if (FTreeView)
        FTreeView->SetHPosition(Value);
}

void TCustomQZTree::AlignPieces() {
    if (!HandleAllocated())
        return;
    // The view's new size may change which bars it needs, and the view then lays the pieces
    // out itself, inside this layout; this one would go on to place the bars as they were
    // before. So a layout asked for meanwhile runs when this one is done.
    if (FAligningPieces) {
        FAlignPiecesAgain = true;
        return;
    }
    TValueScope<bool> aligning(FAligningPieces, true);
    for (int round = 0; round < 4; ++round) {
        FAlignPiecesAgain = false;
        PlacePieces();
        if (!FAlignPiecesAgain)
            break;
    }
}

void TCustomQZTree::PlacePieces() {
    TValueScope<bool> aligning(FIgnoreSBChange, true);
    TRect r = ClientRect();
    TRect header = Rect(r.Left, r.Top, r.Right, r.Top);
    if (FShowHeader && Header()) {
        SavedHH = LayoutHeaderHeight();
        header.Bottom = r.Top + SavedHH;
        r.Top = header.Bottom;
    }
    TRect hbar{}, vbar{};
    if (FUseCustomScrollBars && FHScrollVisible) {
        hbar = Rect(r.Left, r.Bottom - FHScrollBar->Height(), r.Right, r.Bottom);
        r.Bottom = hbar.Top;
    }
    if (FUseCustomScrollBars && FVScrollVisible) {
        const int width = FVScrollBar->Width();
        if (FRightAlignedText != FScrollbarOpposite) {
            vbar = Rect(r.Left, r.Top, r.Left + width, r.Bottom);
            r.Left += width;
            header.Left += width;
        } else {
            vbar = Rect(r.Right - width, r.Top, r.Right, r.Bottom);
            r.Right -= width;
            header.Right -= width;
        }
        if (FHScrollVisible) {
            // The corner between the bars stays free.
            if (vbar.Left > hbar.Left)
                hbar.Right = vbar.Left;
            else
                hbar.Left = vbar.Right;
            RECT corner = ToRECT(Rect(vbar.Left, vbar.Bottom, vbar.Right, hbar.Bottom));
            ::InvalidateRect(WindowHandle(), &corner, FALSE);
        }
    }
    PlaceHeader(header);
    if (FTreeView)
        FTreeView->SetBoundsRect(r);
    // A hidden bar keeps its size: its thickness is what the next layout reserves.
    for (auto [bar, bounds] : {std::pair{FHScrollBar, hbar}, std::pair{FVScrollBar, vbar}}) {
        const bool shown = !bounds.IsEmpty();
        if (shown)
            bar->SetBoundsRect(bounds);
        bar->SetVisible(shown);
    }
}

void TCustomQZTree::UpdateScrollBars() {
    for (int round = 0; round < 4; ++round) {
        bool changed = UpdateHScrollBar();
        if (!changed)
            changed = UpdateVScrollBar();
        if (!changed)
            break;
        AlignPieces();
    }
    // The system repaints its own bars as they take the new state: the flat look goes back on.
    if (!FUseCustomScrollBars && DrawsFlatBorder())
        UpdateFrame();
    if (!FScrollbarsInitialized) {
        FScrollbarsInitialized = true;
        if (FUseCustomScrollBars && HandleAllocated())
            PostMessageW(WindowHandle(), WM_UPDATESBFRAME, 0, 0);
    }
}

namespace {
void SendScrollInfo(TQZScrollBar* Bar, HWND Window, int WindowBar, int Max, int Page, int Pos,
                    bool DisableNoScroll) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS |
                 (DisableNoScroll ? SIF_DISABLENOSCROLL : 0u);
    info.nMin = 0;
    info.nMax = Max;
    info.nPage = UINT(std::max(Page, 0));
    info.nPos = Pos;
    info.nTrackPos = Pos;
    Bar->SetScrollInfo(info, true);
    if (Window)
        ::SetScrollInfo(Window, WindowBar, &info, TRUE);
}
} // namespace

bool TCustomQZTree::UpdateHScrollBar() {
    if (!FTreeView)
        return false;
    const int sections = FShowHeader ? SectionsWidth() : 0;
    if (FView->FHRange == -1 && !FShowHeader)
        FTreeView->DefineHRange();
    const int range = std::max(sections, FView->FHRange);
    FView->FHRange = range;
    const int page = FTreeView->Width() + 1;
    const bool needed = range > page && !FHideHorzScrollBar;
    const bool forced = FForcedScrollBars.Contains(sbsHorizontal);
    if (!needed) {
        FView->FHPos = 0;
        HeaderLeftPosChanged();
    }
    FView->FHPos = std::max(std::min(FView->FHPos, range - page + 1), 0);
    HWND own = FUseCustomScrollBars ? nullptr : WindowHandle();
    SendScrollInfo(FHScrollBar, own, SB_HORZ, needed ? range : 0, page, FView->FHPos,
                   FUseCustomScrollBars || forced);
    HeaderLeftPosChanged();
    const bool visible = needed || forced;
    const bool changed = visible != FHScrollVisible;
    FHScrollVisible = visible;
    if (changed)
        for (int i = 0; i < FAllList.Count(); ++i) {
            auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
            if (item->WordBreak())
                item->InvalidateMeasuredHeight();
        }
    return changed && !forced;
}

bool TCustomQZTree::UpdateVScrollBar() {
    if (!FTreeView)
        return false;
    if (FTotalVisCount == 0)
        FTotalVisCount = GetTotalVisCount();
    const bool varHeight = FTotalVarHeightCount > 0;
    const int max = varHeight ? FTreeView->CalcPageUpPos(FTotalVisCount - 1) : FTotalVisCount - 1;
    int total = 0;
    if (!varHeight)
        total = FTotalVisCount * FLineHeight;
    else
        for (int i = 0; i < FTotalVisCount && total <= FTreeView->Height(); ++i)
            total += FTreeView->RowHeight(Items()->ItemAsVis(i));
    const int shown = FTreeView->FVisible.Count();
    const bool needed = !FHideVertScrollBar && (FTopIndex > 0 || total > FTreeView->Height() ||
                                                (shown > 0 && shown < max));
    const bool forced = FForcedScrollBars.Contains(sbsVertical);
    const int page = needed ? (varHeight ? 1 : FTreeView->GetVisCount() - 1) : 1;
    HWND own = FUseCustomScrollBars ? nullptr : WindowHandle();
    SendScrollInfo(FVScrollBar, own, SB_VERT, needed ? max : 0, page, FTopIndex,
                   FUseCustomScrollBars || forced);
    const bool visible = needed || forced;
    const bool changed = visible != FVScrollVisible;
    FVScrollVisible = visible;
    return changed && !forced;
}

int TCustomQZTree::SetScrollInfo(HWND Window, int Bar, bool Redraw, SCROLLINFO& Info) {
    for (TQZScrollBar* bar : {FHScrollBar, FVScrollBar})
        if (bar && bar->HandleAllocated() && bar->WindowHandle() == Window)
            return int(SendMessageW(Window, SBM_SETSCROLLINFO, Redraw, LPARAM(&Info)));
    return -1;
}

int TCustomQZTree::GetScrollInfo(HWND Window, int Bar, SCROLLINFO& Info) {
    for (TQZScrollBar* bar : {FHScrollBar, FVScrollBar})
        if (bar && bar->HandleAllocated() && bar->WindowHandle() == Window)
            return int(SendMessageW(Window, SBM_GETSCROLLINFO, 0, LPARAM(&Info)));
    return 0;
}

void TCustomQZTree::SBChanged(TObject* Sender) {
    if (FIgnoreSBChange || IsLoading() || ComponentState().Contains(csLoading))
        return;
    AlignPieces();
    UpdateScrollBars();
}

void TCustomQZTree::UpdateFrame() {
    if (HandleAllocated() && BorderStyle() == bsSingle)
        RedrawWindow(WindowHandle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

void TCustomQZTree::NCCalcSize(TRect& ClientArea) {
    TQZXPThemedControl::NCCalcSize(ClientArea);
    if (BorderStyle() != bsSingle)
        return;
    // Sides left out of BorderSides give their border back to the client area.
    const int border = GetSystemMetrics(Ctl3D() ? SM_CXEDGE : SM_CXBORDER);
    if (!FBorderSides.Contains(ebsLeft))
        ClientArea.Left -= border;
    if (!FBorderSides.Contains(ebsTop))
        ClientArea.Top -= border;
    if (!FBorderSides.Contains(ebsRight))
        ClientArea.Right += border;
    if (!FBorderSides.Contains(ebsBottom))
        ClientArea.Bottom += border;
}

bool TCustomQZTree::DrawsFlatBorder() const {
    return BorderStyle() == bsSingle && (FFlat || FUseCustomScrollBars || IsThemeApplied());
}

void TCustomQZTree::NCPaint(HDC WindowDC, const TRect& WindowRect) {
    TQZXPThemedControl::NCPaint(WindowDC, WindowRect);
    if (DrawsFlatBorder())
        DrawFlatBorder(WindowDC, WindowRect);
}

void TCustomQZTree::DrawFlatBorder(HDC DC, const TRect& WindowRect) {
    const bool active = FTreeIsFocused || FMouseOver;
    if (IsThemeApplied() && ThemeApi.DrawThemeBackground) {
        RECT r = ToRECT(WindowRect);
        ThemeApi.DrawThemeBackground(Theme(), DC, 0, 0, &r, nullptr);
    } else {
        const TColor line = active ? FLineBorderActiveColor : FLineBorderInactiveColor;
        DrawFlatFrameEx2(DC, WindowRect, line, FBkColor, active, Enabled(), FBorderSides,
                         active ? FActiveBorderType : FInactiveBorderType);
    }
    // The window's own bars, when they are the ones shown, match the flat border.
    if (!FUseCustomScrollBars)
        DrawFlatScrollbars(WindowHandle(), DC, FFlatFocusedScrollbars && active, ssBoth);
}

void TCustomQZTree::DoEnter() {
    FTreeIsFocused = true;
    TQZXPThemedControl::DoEnter();
    if ((FFlat && BorderKindsDiffer()) || FUseCustomScrollBars)
        UpdateFrame();
}

void TCustomQZTree::DoExit() {
    FTreeIsFocused = false;
    TQZXPThemedControl::DoExit();
    if ((FFlat && BorderKindsDiffer()) || FUseCustomScrollBars)
        UpdateFrame();
}

void TCustomQZTree::SetMouseOver(bool Value) {
    if (Value == FMouseOver)
        return;
    FMouseOver = Value;
    if (FFlat && !FTreeIsFocused && BorderKindsDiffer() && !IsThemeApplied())
        UpdateFrame();
}

void TCustomQZTree::Paint() {
    if (!(FUseCustomScrollBars && FHScrollVisible && FVScrollVisible))
        return;
    // The square between the two bars looks like the bars' own background.
    const TRect v = FVScrollBar->BoundsRect(), h = FHScrollBar->BoundsRect();
    const TRect corner = Rect(v.Left, v.Bottom, v.Right, h.Bottom);
    if (FVScrollBar->IsThemeApplied() && ThemeApi.DrawThemeBackground) {
        RECT r = ToRECT(corner);
        ThemeApi.DrawThemeBackground(FVScrollBar->Theme(), Canvas()->Handle(), SBP_LOWERTRACKVERT,
                                     SCRBS_NORMAL, &r, nullptr);
    } else {
        FillSolidRect2(Canvas()->Handle(), corner, FVScrollBar->Color());
    }
}

void TCustomQZTree::Resize() {
    TQZXPThemedControl::Resize();
    AlignPieces();
    if (!IgnoreResize && HandleAllocated()) {
        TQZTreeLock lock(this);
        FUpdated = true;
    }
}

void TCustomQZTree::FontChanged() {
    TQZXPThemedControl::FontChanged();
    // The header's own font follows too, so that switching HeaderUseTreeFont off keeps the look.
    if (FHeaderUseTreeFont && FHeaderFont)
        FHeaderFont->Assign(Font());
    OnFontChange();
    if (FHeaderUseTreeFont && FShowHeader && HandleAllocated())
        AlignPieces();
}

void TCustomQZTree::OnFontChange() {
    if (FTreeView && FTreeView->Painting())
        return;
    TQZTreeLock lock(this);
    if (FTreeView)
        FTreeView->SetFont(Font());
    ApplyHeaderFont();
    if (FAutoLineHeight) {
        const int height = DefineLineHeight();
        if (height != FLineHeight) {
            FView->FClearVis = true;
            if (height < FLineHeight)
                FView->FClearAll = true;
            FLineHeight = height;
        }
    }
    FView->FRangeUpdate = true;
    FUpdated = true;
}

void TCustomQZTree::SetUseXPThemes(bool Value) {
    TQZXPThemedControl::SetUseXPThemes(Value);
    for (TQZXPThemedControl* piece : ThemedPieces())
        piece->SetUseXPThemes(Value);
}

void TCustomQZTree::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_UPDATESBFRAME:
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    case WM_SETFOCUS:
        TQZXPThemedControl::WndProc(Message);
        return PassFocusOn(HWND(Message.WParam));
    case WM_SYSCOLORCHANGE: {
        // The pieces hear of it after this message: the view recolours its buttons.
        const std::vector<TQZXPThemedControl*> themed = ThemedPieces();
        std::vector<TWinControl*> pieces(themed.begin(), themed.end());
        pieces.push_back(FTreeView);
        for (TWinControl* piece : pieces)
            if (piece && piece->HandleAllocated())
                PostMessageW(piece->WindowHandle(), WM_SYSCOLORCHANGE, 0, 0);
        break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        // The window's own bars (without custom ones) scroll as the custom bars do.
        if (Message.LParam == 0 && FTreeView)
            return OwnBarScrolled(Message.Msg == WM_VSCROLL, int(LOWORD(Message.WParam)),
                                  int(short(HIWORD(Message.WParam))));
        break;
    }
    TQZXPThemedControl::WndProc(Message);
}

void TCustomQZTree::OwnBarScrolled(bool Vertical, int Code, int MessagePos) {
    if (Code < SB_LINEUP || Code > SB_ENDSCROLL)
        return;
    int position = MessagePos;
    if (Vertical) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        if (FUseCustomScrollBars)
            FVScrollBar->GetScrollInfo(info);
        else
            ::GetScrollInfo(WindowHandle(), SB_VERT, &info);
        position = Code == SB_THUMBPOSITION || Code == SB_THUMBTRACK ? info.nTrackPos : info.nPos;
    }
    bool doChange = true;
    if (Vertical)
        FTreeView->OnVScroll(FVScrollBar, TQZScrollCode(Code), position, doChange);
    else
        FTreeView->OnHScroll(FHScrollBar, TQZScrollCode(Code), position, doChange);
}

void TCustomQZTree::SaveStringsToStream(TStream& Stream) {
    for (int i = 0; i < FAllList.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i));
        const std::string line =
            std::string(size_t(std::max(item->Level() - 1, 0)), ' ') + item->Text() + "\r\n";
        Stream.WriteBuffer(line.data(), int(line.size()));
    }
}

// ---- Filtering

namespace {
bool Shown(const TQZTreeItem* Item) {
    return Item && Item->FullyVisible();
}
} // namespace

// The item that stands in for a hidden one: its parent when that is a real item and shown,
// else the nearest earlier shown item, else the nearest later one.
TQZTreeItem* TCustomQZTree::ShownNeighbour(TQZTreeItem* Item) const {
    TQZTreeItem* parent = Item->Parent();
    if (parent && !parent->IsRoot() && Shown(parent))
        return parent;
    const int index = AbsIndexOf(Item);
    for (int i = index - 1; i >= 0; --i)
        if (auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i)); Shown(item))
            return item;
    for (int i = index + 1; i < FAllList.Count(); ++i)
        if (auto* item = static_cast<TQZTreeItem*>(FAllList.FastGet(i)); Shown(item))
            return item;
    return nullptr;
}

void TCustomQZTree::UpdateDiffItems() {
    TQZTreeViewState& view = *FView;
    if (view.FTrackItem && !Shown(view.FTrackItem))
        view.FTrackItem = nullptr;
    if (view.FDropTrg && !Shown(view.FDropTrg))
        view.FDropTrg = nullptr;
    if (TQZTreeItem* anchor = view.FSelected; anchor && !Shown(anchor)) {
        if (anchor->Selected())
            anchor->SetSelected(false);
        view.FSelected = ShownNeighbour(anchor);
    }
    if (TQZTreeItem* focused = GetFocused(); focused && !Shown(focused))
        DoSetFocused(ShownNeighbour(focused), true);
}
