// Line hints: the full text of a row or cell that does not fit, shown under a resting mouse.
#include "qztree/base/hint_window.h"
#include "qztree/base/tools.h"
#include "qztree/header/header.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/timer.h"
#include "vcl/graphics/canvas.h"

#include <windows.h>

std::string TQZTreeView::GetShortHint(const std::string& Hint) {
    const size_t bar = Hint.find('|');
    return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string TQZTreeView::GetHintText(TQZTreeItem* Item, int& Section) {
    TCustomQZTree& T = *FOwner;
    const int type = T.HintType();
    if (type == shtHintOnly || type == shtHintOrText) {
        const std::string hint = GetShortHint(Item->Hint());
        if (type == shtHintOnly || !hint.empty())
            return hint;
    }
    const int main = T.MainTreeColumn();
    if (T.LineHintType() != lhtMainTextOnly && T.ShowColumns() && Section >= 0 && Section != main) {
        const bool virtualRow = T.VirtualityLevel() != vlNone;
        const int k = !virtualRow && Section > main ? Section - 1 : Section;
        TQZCellStyle* style = nullptr;
        if (Item->UseStyles()) {
            if (virtualRow && VirtStyle) {
                T.TriggerVirtualStyleNeeded(Item, Section, VirtStyle.get());
                style = VirtStyle.get();
            } else if (!virtualRow) {
                style = Item->Styles(k) && !Item->MainStyle()->OwnerProps() ? Item->Styles(k)
                                                                            : Item->MainStyle();
            }
        }
        if (!style || style->Style == QZhsText) {
            std::string text;
            if (virtualRow)
                T.TriggerVirtualTextNeeded(Item, Section, text);
            else if (TStrings* texts = Item->ColumnText(); texts && k < texts->Count())
                text = texts->Get(k);
            if (!text.empty() || T.LineHintType() == lhtCellTextOnly)
                return text;
            // Smart: an empty cell shows the main text, placed at the main column.
            Section = main;
        } else if (T.LineHintType() == lhtCellTextOnly) {
            return std::string();
        }
    }
    return Item->Text();
}

void TQZTreeView::TryStartHint(int X, int Y) {
    TCustomQZTree& T = *FOwner;
    TSTItemPart part;
    int section = -1;
    TQZTreeItem* item = GetItemAt(X, Y, part, section);
    // A hint would cover the rows a drag is aimed at; it waits until the drag has ended.
    if (part == ipOutside || !item || TDragManager::DragObject())
        return;
    int textSection = section;
    const std::string text =
        T.HintType() != shtHintOnly ? GetHintText(item, textSection) : std::string();
    if (T.LineHintMode() == shmLong && item->Hint().empty() && T.HintType() != shtHintOnly &&
        Fits(item, textSection, text))
        return;
    if (!FHintItem)
        DoShowLineHint(item, section);
}

bool TQZTreeView::Fits(TQZTreeItem* Item, int Section, const std::string& Text) {
    TCustomQZTree& T = *FOwner;
    TRect measure{0, 0, 0, 0};
    Canvas()->SetFont(T.Font());
    Canvas()->DrawText(Text, measure, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    const int width = measure.Width();
    const int g = T.ItemIndent() / 3;
    if (T.ShowColumns() && Section >= 0 && Section != T.MainTreeColumn()) {
        for (const TQZColumnSpan& column : T.VisibleColumns())
            if (column.Section == Section) {
                const int scroll = column.Locked ? 0 : T.LeftPosition();
                return column.Right - column.Left - 2 * g > width &&
                       column.Right - g - scroll <= ClientWidth() && column.Left + g - scroll >= 0;
            }
        return true;
    }
    const int left = Item->TextLeft - T.LeftPosition();
    return width <= Item->TextRight - Item->TextLeft && left >= 0 && left + width <= ClientWidth();
}

void TQZTreeView::DoShowLineHint(TQZTreeItem* Item, int Section) {
    TCustomQZTree& T = *FOwner;
    if (FMouseSel || !Item)
        return;
    const int row = FVisible.IndexOf(Item);
    const TRect rowRect = row >= 0 ? GetItemRect(row) : TRect{};
    if (rowRect.IsEmpty())
        return;
    if (!FHintWindow)
        FHintWindow = std::make_unique<TQZHintWindow>(nullptr);
    int textSection = Section;
    std::string text = GetHintText(Item, textSection);
    if (text.empty())
        return;
    FHintWindow->SetHintFont(T.Font());
    FHintWindow->SetColor(T.UseSystemHintColors() ? clInfoBk : T.LineHintColor());
    FHintWindow->HintFont()->SetColor(T.UseSystemHintColors() ? clInfoText : T.HintTextColor());
    int left = Item->TextLeft - T.LeftPosition();
    if (T.ShowColumns() && textSection >= 0 && textSection != T.MainTreeColumn())
        for (const TQZColumnSpan& column : T.VisibleColumns())
            if (column.Section == textSection)
                left = column.Left - (column.Locked ? 0 : T.LeftPosition()) + T.ItemIndent() / 5;
    left = std::max(left, 0);
    TPoint mouse = FHintCoord;
    if (T.ShowColumns())
        mouse.Y += T.Header() ? T.Header()->Height() : 0;
    bool show = true;
    const std::string before = text;
    T.DoShowHint(Item, Section, text, FHintWindow.get(), mouse, show);
    if (!show || text.empty())
        return;
    TRect box = FHintWindow->CalcHintRect(10000, text, nullptr);
    const TPoint topLeft = ClientToScreen(Point(left, rowRect.Top));
    box = Rect(topLeft.X, topLeft.Y, topLeft.X + box.Width(), topLeft.Y + box.Height());
    FHintItem = Item;
    FHintWindow->ActivateHint(box, text);
}

void TQZTreeView::DoHideLineHint() {
    FHintItem = nullptr;
    FHintTimer.reset();
    if (FHintWindow && FHintWindow->HandleAllocated()) {
        // The system reports a move where the mouse rests once the hint is gone from under it.
        POINT cursor{};
        if (IsWindowVisible(FHintWindow->Handle()) && GetCursorPos(&cursor))
            FHintGonePoint = ScreenToClient(Point(cursor.x, cursor.y));
        ShowWindow(FHintWindow->Handle(), SW_HIDE);
        FHintWindow->ReleaseHandle();
    }
}

void TQZTreeView::OnHintTimer() {
    TCustomQZTree& T = *FOwner;
    if (FHintItem) {
        DoHideLineHint();
        return;
    }
    FHintTimer->SetEnabled(false);
    if (HandleAllocated())
        TryStartHint(FHintCoord.X, FHintCoord.Y);
    if (FHintItem && T.HideHintOnTimer()) {
        const int pause =
            T.LineHintTimeout() > 0 ? T.LineHintTimeout() : Application->HintHidePause;
        FHintTimer->SetInterval(pause > 0 ? pause : 1000);
        FHintTimer->SetEnabled(true);
    }
}

void TQZTreeView::ArmHintTimer(int X, int Y) {
    TCustomQZTree& T = *FOwner;
    if (T.LineHintMode() == shmNone || FMouseSel)
        return;
    // A hint that went while the mouse rests comes back only once the mouse has moved.
    if (FHintGonePoint == std::optional<TPoint>(Point(X, Y)))
        return;
    FHintGonePoint.reset();
    TQZTreeItem* item = RowItemAt(Y);
    if (item == FHintItem || (!item && !T.HideHintOnMove()))
        return;
    DoHideLineHint();
    FHintCoord = Point(X, Y);
    FHintTimer = std::make_unique<TTimer>(nullptr);
    FHintTimer->SetInterval(Application->HintShortPause > 0 ? Application->HintShortPause : 1000);
    FHintTimer->SetOnTimer([this](TObject*) { OnHintTimer(); });
    FHintTimer->SetEnabled(true);
}

bool TQZTreeView::HidesLineHint(const TMessage& Message) const {
    if (!FHintItem)
        return false;
    const unsigned msg = Message.Msg;
    if (msg == WM_NCMOUSEMOVE || msg == CM_ACTIVATE || msg == CM_DEACTIVATE)
        return true;
    if (!FOwner->HideHintOnMove())
        return false;
    if (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL) {
        const TPoint p = MessagePoint(Message.LParam);
        const int row = GetItemAtY(p.Y);
        return row < 0 || FVisible.FastGet(row) != FHintItem;
    }
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || msg == WM_COMMAND;
}

void TQZTreeView::ForgetItem(const TQZTreeItem* Item) {
    if (Item == FHintItem)
        DoHideLineHint();
    if (Item == FClickControlItem)
        FClickControlItem = nullptr;
    TQZTreeViewState::ForgetItem(Item);
}

TQZTreeItem* TQZTreeView::RowItemAt(int Y) const {
    const int row = GetItemAtY(Y);
    return row < 0 ? nullptr : static_cast<TQZTreeItem*>(FVisible.FastGet(row));
}

bool TQZTreeView::HasHint(const TPoint& ClientPos) const {
    if (TCustomControl::HasHint(ClientPos))
        return true;
    TQZTreeItem* item = RowItemAt(ClientPos.Y);
    return item && !item->Hint().empty();
}

bool TQZTreeView::HintShow(THintInfo& HintInfo) {
    TQZTreeItem* item = RowItemAt(HintInfo.CursorPos.Y);
    if (item && !item->Hint().empty())
        HintInfo.HintStr = GetShortHint(item->Hint());
    FHintItemEx = item;
    return TCustomControl::HintShow(HintInfo);
}

void TQZTreeView::ShowItemHint(int X, int Y) {
    // The application's own hint pause shows the first item hint; once one was asked for, the
    // next row with a hint takes over at once.
    if (FMouseSel || (!FHintItemEx && ShowHint()))
        return;
    Application->SetHint("");
    TQZTreeItem* item = RowItemAt(Y);
    if (!item || item == FHintItemEx || item->Hint().empty())
        return;
    Application->SetHint(GetShortHint(item->Hint()));
    if (ShowHint())
        Application->ActivateHint(this, ClientToScreen(Point(X, Y)));
}

void TQZTreeView::MouseLeave() {
    if (TQZTreeItem* tracked = FTrackItem) {
        FTrackItem = nullptr;
        tracked->RedrawItem(true);
        Update();
    }
    FHintItemEx = nullptr;
    DoHideLineHint();
    if (TQZCellControl* control = PressedCellControl()) {
        FClickControlItem = nullptr;
        control->TriggerMouseUpEvent(mbLeft, GetShiftState(), -1, -1);
    }
    TCustomControl::MouseLeave();
}
