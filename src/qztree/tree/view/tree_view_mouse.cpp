// The tree view's mouse: what lies under a point, focus and selection by clicks, check boxes,
// double clicks, the start of a drag and the selection frame.
#include "qztree/base/tools.h"
#include "qztree/header/header.h"
#include "qztree/header/header_section.h"
#include "qztree/header/header_sections.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/base/win_api.h"
#include "vcl/core/menus.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/gdi_objects.h"

#include <cmath>
#include <memory>
#include <unordered_set>

namespace {

constexpr int DragThreshold = 5;

bool Far(const TPoint& A, int X, int Y) {
    const double dx = X - A.X, dy = Y - A.Y;
    return std::sqrt(dx * dx + dy * dy) >= DragThreshold;
}

bool Inside(const TRect& R, int X) {
    return !R.IsEmpty() && X >= R.Left && X < R.Right;
}

} // namespace

// ---- Hit testing

TRect TQZTreeView::MainCellRect(TQZTreeItem* Item, const TRect& Row) const {
    TCustomQZTree& T = *FOwner;
    if (T.ShowColumns() && !Item->FullTextOut())
        for (const TQZColumnSpan& column : T.VisibleColumns())
            if (column.Section == T.MainTreeColumn()) {
                const int shift = column.Locked ? 0 : T.LeftPosition();
                return Rect(column.Left - shift, Row.Top, column.Right - shift, Row.Bottom);
            }
    return Row;
}

TQZTreeItem* TQZTreeView::GetItemAt(int X, int Y, TSTItemPart& ItemPart, int& HitColumn) const {
    TCustomQZTree& T = *FOwner;
    ItemPart = ipOutside;
    HitColumn = -1;
    const int row = GetItemAtY(Y);
    if (row < 0)
        return nullptr;
    auto* item = static_cast<TQZTreeItem*>(FVisible.FastGet(row));
    const TRect rowRect = GetItemRect(row);
    if (T.ShowColumns() && !item->FullTextOut()) {
        for (const TQZColumnSpan& column : T.VisibleColumns()) {
            const int shift = column.Locked ? 0 : T.LeftPosition();
            if (X < column.Left - shift || X >= column.Right - shift)
                continue;
            HitColumn = column.Section;
            ItemPart = column.Section == T.MainTreeColumn() ? ipInside : ipColumn;
            break;
        }
        if (ItemPart == ipColumn)
            return item;
    }
    const TQZMainCellParts parts = MainCellParts(item, MainCellRect(item, rowRect));
    const int g = T.ItemIndent() / 3;
    const int textLeft = item->TextLeft - T.LeftPosition();
    const int textRight = item->TextRight - T.LeftPosition();
    auto hit = [&](TSTItemPart Part) {
        ItemPart = Part;
        HitColumn = T.MainTreeColumn();
    };
    if (X >= textLeft - g + 1 && X < textRight)
        hit(ipMainText);
    else if (Inside(parts.Image, X))
        hit(ipPicture);
    else if (Inside(parts.StateImage, X))
        hit(ipPicture2);
    else if (Inside(parts.CheckBox, X))
        hit(ipCheckBox);
    else if (parts.HasButton && Inside(parts.Button, X))
        hit(item->SuppressButtons() ? ipInside : ipButton);
    return item;
}

// ---- Cell controls

TQZCellControl* TQZTreeView::CellControlAt(TQZTreeItem* Item, int Section, TPoint& Origin) {
    TCustomQZTree& T = *FOwner;
    if (!Item || !Item->UseStyles() || Section < 0)
        return nullptr;
    TQZCellStyle* style = nullptr;
    if (T.VirtualityLevel() != vlNone) {
        if (!VirtStyle)
            return nullptr;
        T.TriggerVirtualStyleNeeded(Item, Section, VirtStyle.get());
        style = VirtStyle.get();
    } else {
        const int k = Section > T.MainTreeColumn() ? Section - 1 : Section;
        style = k >= 0 && k < Item->StylesCount() ? Item->Styles(k) : Item->MainStyle();
    }
    if (!style || style->OwnerProps() || !style->Control() || !style->Control()->Visible())
        return nullptr;
    // Cell coordinates: from the cell's corner as it shows, whatever the sideways scrolling.
    const int row = FVisible.IndexOf(Item);
    Origin = Point(0, row >= 0 ? GetItemRect(row).Top : 0);
    for (const TQZColumnSpan& column : T.VisibleColumns())
        if (column.Section == Section)
            Origin.X = column.Left - (column.Locked ? 0 : T.LeftPosition());
    return style->Control();
}

TQZCellControl* TQZTreeView::PressedCellControl() {
    TPoint origin;
    return FClickControlItem ? CellControlAt(FClickControlItem, FClickControlSection, origin)
                             : nullptr;
}

bool TQZTreeView::SectionClickSelect(int Section) const {
    TQZHeader* header = FOwner->Header();
    if (!header || Section < 0 || Section >= header->Sections()->Count())
        return true;
    return header->Sections()->Item(Section)->ClickSelect;
}

void TQZTreeView::MouseMove(TShiftState Shift, int X, int Y) {
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    TPoint origin;
    if (part == ipColumn && FOwner->VirtualityLevel() == vlNone)
        if (TQZCellControl* control = CellControlAt(item, column, origin)) {
            control->TriggerMouseMoveEvent(Shift, X - origin.X, Y - origin.Y);
            return;
        }
    TCustomControl::MouseMove(Shift, X, Y);
}

// ---- Messages

bool TQZTreeView::MouseMessage(TMessage& Message) {
    if (HidesLineHint(Message)) {
        DoHideLineHint();
        // Gone because the mouse moved off its row: the next hint may come where it rests.
        if (Message.Msg == WM_MOUSEMOVE)
            FHintGonePoint.reset();
    }
    const TPoint p = MessagePoint(Message.LParam);
    const TShiftState shift = KeysToShiftState(Message.WParam);
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        IntLButtonDown(p.X, p.Y);
        return false;
    case WM_RBUTTONDOWN:
        DoHideLineHint();
        if (FMouseSel)
            CancelMouseSel();
        TakeFocusForPress();
        return false;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(Message);
        IntMouseMove(p.X, p.Y, shift);
        return true;
    case WM_LBUTTONUP:
        return !IntLButtonUp(p.X, p.Y, shift);
    case WM_LBUTTONDBLCLK:
        return !IntLButtonDblClick(p.X, p.Y);
    case WM_RBUTTONUP:
        return !IntRButtonUp(p.X, p.Y);
    case WM_RBUTTONDBLCLK:
        return !IntRButtonDblClick(p.X, p.Y);
    }
    return false;
}

void TQZTreeView::TakeFocusForPress() {
    if (CanFocus() && !Focused())
        SetFocus();
}

void TQZTreeView::IntLButtonDown(int X, int Y) {
    DoHideLineHint();
    FIgnoreClick2 = false;
    TakeFocusForPress();
    FPressCoord = Point(X, Y);
    FPressed = true;
}

bool TQZTreeView::IntLButtonUp(int X, int Y, TShiftState Shift) {
    DoHideLineHint();
    FPressed = false;
    if (FMouseSel) {
        CancelMouseSel();
        FIgnoreClick2 = false;
        return false;
    }
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if (item && !item->Enabled() && !FOwner->IgnoreEnabled())
        return false;
    if (X == FPressCoord.X && Y == FPressCoord.Y && part != ipInside && part != ipOutside &&
        part != ipButton && !FIgnoreClick2) {
        FClicked = true;
        FClickCoord = Point(X, Y);
        FClickItem = item;
        FClickSection = column;
    }
    if (!item)
        FClickItem = nullptr;
    FIgnoreClick2 = false;
    ReleaseCellControl(mbLeft, Shift, item, part, column, X, Y);
    return true;
}

bool TQZTreeView::ReleaseCellControl(TMouseButton Button, TShiftState Shift, TQZTreeItem* Item,
                                     TSTItemPart Part, int Column, int X, int Y) {
    TPoint origin;
    TQZCellControl* control = Part == ipColumn ? CellControlAt(Item, Column, origin) : nullptr;
    if (control) {
        control->TriggerMouseUpEvent(Button, Shift, X - origin.X, Y - origin.Y);
        if (Button == mbLeft && control == PressedCellControl())
            control->TriggerClickEvent();
    }
    // A control pressed and left hears that the button went up elsewhere.
    TQZCellControl* pressed = PressedCellControl();
    const bool pressedElsewhere = pressed && pressed != control;
    if (pressedElsewhere)
        pressed->TriggerMouseUpEvent(Button, Shift, -1, -1);
    FClickControlItem = nullptr;
    return control || !pressedElsewhere;
}

bool TQZTreeView::CellDoubleClick(TQZTreeItem* Item, TSTItemPart Part, int Column) {
    TPoint origin;
    TQZCellControl* control = Part == ipColumn ? CellControlAt(Item, Column, origin) : nullptr;
    if (control)
        control->TriggerDblClickEvent();
    return control != nullptr;
}

bool TQZTreeView::IntLButtonDblClick(int X, int Y) {
    TCustomQZTree& T = *FOwner;
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if ((item && !item->Enabled() && !T.IgnoreEnabled()) || CellDoubleClick(item, part, column))
        return false;
    const bool edits = T.DblClickMode() == dcmEdit && item && item->AllowEdit() &&
                       (part == ipMainText || part == ipColumn) &&
                       (item == FClickItem || T.QuickEditMode());
    // The button toggles on its press; a double click there must not toggle it back.
    const bool toggles = part == ipMainText || (T.FullRowSelect() && part != ipCheckBox &&
                                                part != ipButton && part != ipOutside);
    if (item && !edits && toggles && T.DblClickMode() == dcmExpand) {
        if (item->Expanded()) {
            item->Collapse(false);
        } else {
            item->Expand(false);
            FitMostChildren(item);
        }
    }
    FClicked = false;
    FClickItem = nullptr;
    FClickSection = -2;
    FIgnoreClick2 = true;
    FIgnoreClick = false;
    return part != ipButton && part != ipCheckBox;
}

bool TQZTreeView::IntRButtonUp(int X, int Y) {
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if (item && !item->Enabled() && !FOwner->IgnoreEnabled())
        return false;
    const bool toRow = ReleaseCellControl(mbRight, GetShiftState(), item, part, column, X, Y);
    // Looked up again: the control's mouse-up handler may have replaced it.
    TPoint origin;
    TQZCellControl* control = part == ipColumn ? CellControlAt(item, column, origin) : nullptr;
    TPopupMenu* menu = control ? control->PopupMenu() : nullptr;
    if (!menu || !menu->AutoPopup)
        return toRow;
    const TPoint at = ClientToScreen(Point(X, Y));
    menu->SetPopupComponent(control);
    menu->Popup(at.X, at.Y);
    return false;
}

bool TQZTreeView::IntRButtonDblClick(int X, int Y) {
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    return !(item && !item->Enabled() && !FOwner->IgnoreEnabled()) &&
           !CellDoubleClick(item, part, column);
}

void TQZTreeView::IntMouseMove(int X, int Y, TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    if (Dragging())
        return;
    if (FPressed) {
        TSTItemPart part;
        int column = -1;
        TQZTreeItem* pressed = GetItemAt(FPressCoord.X, FPressCoord.Y, part, column);
        const bool somethingToDrag = T.MultiSelect() ? T.GetSelCount() > 0 : FSelected != nullptr;
        if (pressed && part != ipOutside && !FMouseSel && T.DragAllowed() && somethingToDrag &&
            Far(FPressCoord, X, Y)) {
            FClickPassed = false;
            FPassedItem = nullptr;
            FIgnoreClick2 = true;
            FPressed = false;
            if (T.DragType() != dtOLE)
                BeginDrag(true, -1);
            return;
        }
        if (T.MouseFrameSelect() && T.MultiSelect() && FVisible.Count() > 0) {
            if (!FMouseSel && Far(FPressCoord, X, Y))
                StartMouseSel(Shift);
            if (FMouseSel)
                MoveMouseSel(X, Y);
        }
    }
    ShowItemHint(X, Y);
    ArmHintTimer(X, Y);
    if (T.Tracking() && !FMouseSel)
        TrackItemAt(X, Y);
}

void TQZTreeView::TrackItemAt(int X, int Y) {
    TCustomQZTree& T = *FOwner;
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if (item && !(part == ipMainText || T.RowHotTrack()))
        item = nullptr;
    if (item && !item->Enabled() && !T.IgnoreEnabled())
        item = nullptr;
    // The row under the mouse shows its own cursor; the window asks for it on the next move, so
    // the new one is put up at once. Set on every move, as scrolling and leaving forget the row.
    const TCursor cursor = item ? item->LookStyles()->GetItemCursor(T.Cursor()) : T.Cursor();
    if (cursor != Cursor()) {
        SetCursor(cursor);
        if (cursor != crDefault)
            ::SetCursor(Screen->Cursors(cursor));
    }
    if (item == FTrackItem)
        return;
    TQZTreeItem* old = FTrackItem;
    FTrackItem = item;
    if (old)
        old->RedrawItem(true);
    if (item)
        item->RedrawItem(true);
    T.TriggerHotTrackEvent(old, item);
}

// ---- Selection by clicks

void TQZTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomQZTree& T = *FOwner;
    if (FIgnoreClick || Shift.Contains(ssDouble))
        return TCustomControl::MouseDown(Button, Shift, X, Y);
    T.FSelChange = false;
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if (part == ipOutside && !(T.RowSelect() && !T.ShowColumns()))
        item = nullptr;
    if (item && !item->Enabled() && !T.IgnoreEnabled())
        return TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbRight && part == ipButton)
        part = ipMainText;
    if (part == ipColumn) {
        TPoint origin;
        if (TQZCellControl* control = CellControlAt(item, column, origin)) {
            control->TriggerMouseDownEvent(Button, Shift, X - origin.X, Y - origin.Y);
            FClickControlItem = item;
            FClickControlSection = column;
            if (!control->PassClicks())
                return TCustomControl::MouseDown(Button, Shift, X, Y);
        }
        if (!SectionClickSelect(column))
            return;
    }
    if (part == ipButton && item) {
        if (item->Expanded()) {
            TQZTreeItem* focused = FFocused;
            item->Collapse(false);
            if (FFocused != focused) {
                T.DoAfterSelectionChange();
                T.DoItemFocused();
            }
        } else {
            item->Expand(false);
            FitMostChildren(item);
        }
    } else if (Button == mbLeft && part != ipCheckBox) {
        LeftPress(item, part, Shift);
    } else if (Button == mbRight && T.RightClickSelect()) {
        RightPress(item, part, Shift);
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

TQZTreeItem* TQZTreeView::RowTaken(TQZTreeItem* I, TSTItemPart Part) const {
    // Beside the row's parts only a row-selecting tree takes the press as one on the row.
    return (Part == ipInside || Part == ipOutside) && !FOwner->RowSelect() ? nullptr : I;
}

void TQZTreeView::ReportSelectionChange() {
    if (!FOwner->FSelChange)
        return;
    FOwner->DoAfterSelectionChange();
    FOwner->FSelChange = false;
}

void TQZTreeView::LeftPress(TQZTreeItem* I, TSTItemPart Part, TShiftState Shift) {
    {
        TQZTreeLock lock(SelectionLockTree());
        SelectByPress(RowTaken(I, Part), Shift);
    }
    ReportSelectionChange();
}

void TQZTreeView::SelectByPress(TQZTreeItem* I, TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    const bool multi = T.MultiSelect();
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    const bool usual = T.SelectionMode() == smUsual;
    if (!I) {
        if (!T.AlwaysKeepFocus())
            T.SetFocused(nullptr);
        if (multi && !T.AlwaysKeepSelection())
            T.DeselectAll();
        return;
    }
    if (multi && I->Selected() && !ctrl) {
        // Kept for the release, so that a selection can be dragged whole.
        FClickPassed = true;
        FPassedItem = I;
        FPassedShift = Shift;
        const bool wasSelected = I->Selected();
        T.SetFocused(I);
        if (wasSelected || T.AlwaysKeepSelection())
            I->SetSelected(usual);
        return;
    }
    const int selectedBefore = T.GetSelCount();
    if (multi && usual) {
        if (!ctrl && !shift) {
            T.DeselectAll();
        } else if (shift) {
            SelectFromAnchor(I);
            // Focusing toggles the clicked row, which the range has just selected.
            I->SetSelected(false);
        }
    }
    if (I != FFocused)
        T.SetFocused(I);
    else if (!(I->Selected() && T.AlwaysKeepSelection() && T.GetSelCount() == 1))
        T.DoSetSelected(I);
    if (!multi || (!ctrl && !shift))
        FSelected = FFocused;
    if (ctrl && multi && selectedBefore <= 1 && T.GetSelCount() == 0 && FFocused)
        FFocused->SetSelected(true);
}

TCustomQZTree* TQZTreeView::SelectionLockTree() const {
    // With several rows selectable, a gesture changes many of them: they repaint once.
    return FOwner->MultiSelect() ? FOwner : nullptr;
}

void TQZTreeView::SelectFromAnchor(TQZTreeItem* To) {
    // The anchor survives the deselection that would clear it.
    TQZTreeItem* anchor = FSelected;
    FOwner->DeselectAll();
    FSelected = anchor;
    if (anchor)
        anchor->SetSelected(true);
    FOwner->SelectRange2(To, anchor, false);
}

void TQZTreeView::RightPress(TQZTreeItem* I, TSTItemPart Part, TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    {
        TQZTreeLock lock(SelectionLockTree());
        const bool usual = T.SelectionMode() == smUsual;
        if (I && I->Selected()) {
            T.SetFocused(I);
            I->SetSelected(true);
        } else if (!T.MultiSelect() || !usual || T.GetSelCount() <= 1) {
            SelectByPress(RowTaken(I, Part), Shift);
        }
    }
    ReportSelectionChange();
}

void TQZTreeView::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    TCustomQZTree& T = *FOwner;
    TSTItemPart part;
    int column = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, column);
    if (item && !item->Enabled() && !T.IgnoreEnabled())
        return;
    if (item && part == ipCheckBox && item->CheckBoxEnabled() && Button == mbLeft) {
        switch (item->CheckBoxType()) {
        case ect3SCheckBox:
            item->SetCheckBoxState(item->CheckBoxState() == cbUnchecked ? cbGrayed
                                   : item->CheckBoxState() == cbGrayed  ? cbChecked
                                                                        : cbUnchecked);
            break;
        case ectCheckBox:
            item->SetChecked(!item->Checked());
            break;
        case ectRadioButton:
            item->SetChecked(true);
            break;
        }
        T.DoItemChecked(item);
        T.DoItemChange(item, icmCheckState);
    }
    if (FClickPassed)
        ProcessPassedClick();
}

void TQZTreeView::ProcessPassedClick() {
    TCustomQZTree& T = *FOwner;
    FClickPassed = false;
    TQZTreeItem* passed = FPassedItem;
    FPassedItem = nullptr;
    if (!passed)
        return;
    const bool ctrl = FPassedShift.Contains(ssCtrl), shift = FPassedShift.Contains(ssShift);
    const bool multi = T.MultiSelect(), usual = T.SelectionMode() == smUsual;
    {
        TQZTreeLock lock(SelectionLockTree());
        bool wasSelected = passed->Selected();
        if (multi && usual) {
            if (!ctrl && !shift) {
                wasSelected = FFocused && FFocused->Selected();
                T.DeselectAll();
            } else if (shift) {
                SelectFromAnchor(passed);
            }
        }
        if (passed == FFocused) {
            if (!(wasSelected && !T.AlwaysKeepSelection()) || usual)
                if (usual && !passed->Selected())
                    passed->SetSelected(true);
        } else {
            T.SetFocused(passed);
        }
        if (!multi || (!ctrl && !shift))
            FSelected = passed;
    }
    T.DoAfterSelectionChange();
}

// ---- Selection frame

void TQZTreeView::StartMouseSel(TShiftState Shift) {
    TCustomQZTree& T = *FOwner;
    int row = GetItemAtY(FPressCoord.Y);
    if (row < 0)
        row = FVisible.Count() - 1;
    FMFSStartItem = FMFSEndItem = static_cast<TQZTreeItem*>(FVisible.FastGet(row));
    const int rowTop = GetItemRect(row).Top;
    FMFSStartCoord = FMFSEndCoord = Point(T.LeftPosition() + FPressCoord.X, FPressCoord.Y - rowTop);
    if (!Shift.Contains(ssCtrl)) {
        T.DeselectAll();
        T.DoAfterSelectionChange();
    }
    SetMouseCapture(true);
    FMFSList.Clear();
    FMouseSel = true;
    DrawMouseSelectFrame();
}

void TQZTreeView::MoveMouseSel(int X, int Y) {
    TCustomQZTree& T = *FOwner;
    DrawMouseSelectFrame();
    if (Y < 0 || Y >= ClientHeight() || X < 0 || X >= ClientWidth()) {
        // Outside: one step towards the mouse; the frame follows when it comes back in.
        if (Y < 0 && T.TopIndex() > 0)
            T.SetTopIndex(T.TopIndex() - 1);
        else if (Y >= ClientHeight() && T.TopIndex() + FVisible.Count() < T.TotalVisCount())
            T.SetTopIndex(T.TopIndex() + 1);
        if (X < 0)
            T.SetLeftPosition(std::max(T.LeftPosition() - T.ItemIndent(), 0));
        else if (X >= ClientWidth())
            T.SetLeftPosition(T.LeftPosition() + T.ItemIndent());
        Update();
    } else if (FVisible.Count() > 0) {
        int row = GetItemAtY(Y);
        if (row < 0)
            row = FVisible.Count() - 1;
        FMFSEndItem = static_cast<TQZTreeItem*>(FVisible.FastGet(row));
        FMFSEndCoord = Point(T.LeftPosition() + X, Y - GetItemRect(row).Top);
        SelectMouseSelectItems();
        T.DoAfterSelectionChange();
    }
    DrawMouseSelectFrame();
}

void TQZTreeView::SelectMouseSelectItems() {
    TCustomQZTree& T = *FOwner;
    if (!FMFSStartItem || !FMFSEndItem)
        return;
    int from = FMFSStartItem->AbsoluteIndex(), to = FMFSEndItem->AbsoluteIndex();
    if (from > to)
        std::swap(from, to);
    // Below the rows a frame stands on the last row without touching it: it holds none.
    if (FMFSStartItem == FMFSEndItem && FMFSStartItem == FVisible.Last() &&
        GetItemAtY(FrameY(FMFSStartItem, FMFSStartCoord.Y)) < 0 &&
        GetItemAtY(FrameY(FMFSEndItem, FMFSEndCoord.Y)) < 0)
        to = from - 1;
    const int frameLeft = std::min(FMFSStartCoord.X, FMFSEndCoord.X);
    const int sectionsWidth = T.ShowColumns() ? T.SectionsWidth() : 0;
    TQZList counted;
    for (int i = from; i <= to && i >= 0; ++i) {
        TQZTreeItem* item = T.Items()->Item(i);
        if (!item->FullyExpanded() || (T.FilteredVisibility() && !item->FullyVisible()))
            continue;
        const int right = T.ShowColumns() ? sectionsWidth : item->GetWidth();
        if (frameLeft < right)
            counted.Add(item);
    }
    {
        // Looked up by set: a tall frame holds many rows and this runs on every mouse move.
        const std::unordered_set<const void*> now(counted.List(), counted.List() + counted.Count());
        const std::unordered_set<const void*> before(FMFSList.List(),
                                                     FMFSList.List() + FMFSList.Count());
        TQZTreeLock lock(&T);
        auto toggle = [&](TQZTreeItem* item) {
            if (item->Enabled() || T.IgnoreEnabled())
                item->SetSelected(!item->Selected());
        };
        for (int i = 0; i < counted.Count(); ++i)
            if (before.count(counted.FastGet(i)) == 0)
                toggle(static_cast<TQZTreeItem*>(counted.FastGet(i)));
        for (int i = 0; i < FMFSList.Count(); ++i)
            if (now.count(FMFSList.FastGet(i)) == 0)
                toggle(static_cast<TQZTreeItem*>(FMFSList.FastGet(i)));
    }
    FMFSList.Clear();
    for (int i = 0; i < counted.Count(); ++i)
        FMFSList.Add(counted.FastGet(i));
}

int TQZTreeView::FrameY(TQZTreeItem* Item, int OffsetInRow) const {
    const int row = FVisible.IndexOf(Item);
    if (row >= 0)
        return GetItemRect(row).Top + OffsetInRow;
    // Off screen: above or below by the absolute order.
    const auto* top = static_cast<const TQZTreeItem*>(FVisible.First());
    return top && Item->AbsoluteIndex() < top->AbsoluteIndex() ? -1 : ClientHeight() + 1;
}

void TQZTreeView::DrawMouseSelectFrame() {
    if (!HandleAllocated() || !FMFSStartItem || !FMFSEndItem)
        return;
    TCustomQZTree& T = *FOwner;
    const int x1 = FMFSStartCoord.X - T.LeftPosition(), x2 = FMFSEndCoord.X - T.LeftPosition();
    const int y1 = FrameY(FMFSStartItem, FMFSStartCoord.Y);
    const int y2 = FrameY(FMFSEndItem, FMFSEndCoord.Y);
    RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    TWindowDC dc(WindowHandle());
    SetBkColor(dc.DC(), ColorToRGB(T.BkColor()));
    SetTextColor(dc.DC(), ColorToRGB(clWindowText));
    // Drawn twice, the frame is gone again.
    ::DrawFocusRect(dc.DC(), &r);
}

void TQZTreeView::CancelMouseSel() {
    if (!FMouseSel)
        return;
    DrawMouseSelectFrame();
    FMFSList.Clear();
    FMouseSel = false;
    SetMouseCapture(false);
}
