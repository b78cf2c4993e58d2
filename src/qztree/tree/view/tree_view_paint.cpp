#include "qztree/base/themes.h"
#include "qztree/base/tree_buttons.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/custom_tree.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/view/tree_view.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <commctrl.h>

// How the view paints its rows: background, then for each row its cells (the main column with
// lines, button, check box, images and text; the others with their texts), grid lines, the
// focus rectangle and the drop mark.

namespace {
constexpr int BP_CHECKBOX = 3;
constexpr int BP_RADIOBUTTON = 2;
constexpr int TVP_GLYPH = 2;
constexpr int GLPS_CLOSED = 1;
constexpr int GLPS_OPENED = 2;

bool Meets(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// A line of single pixels on every second pixel, all lines on one checkerboard.
void DottedLine(HDC DC, int X1, int Y1, int X2, int Y2, COLORREF Color) {
    const int dx = X2 > X1 ? 1 : X2 < X1 ? -1 : 0;
    const int dy = Y2 > Y1 ? 1 : Y2 < Y1 ? -1 : 0;
    int x = X1, y = Y1;
    if (((x + y) & 1) != 0) {
        x += dx;
        y += dy;
    }
    while ((dx == 0 || (dx > 0 ? x < X2 : x > X2)) && (dy == 0 || (dy > 0 ? y < Y2 : y > Y2))) {
        SetPixelV(DC, x, y, Color);
        x += 2 * dx;
        y += 2 * dy;
        if (dx == 0 && dy == 0)
            break;
    }
}
} // namespace

// Paints rows of one list with the settings of one tree.
class TTreePainter {
public:
    TTreePainter(TQZTreeView& View, TCanvas& Canvas)
        : V(View), T(*View.Tree()), C(Canvas), FClip(Canvas.ClipRect()) {}

    // SelectedOnly leaves the unselected rows out, each painted row keeping its place.
    void RedrawTree(int RealLeftPos, const TQZList& Rows, bool SelectedOnly = false);

private:
    void DoRedrawItem(TQZTreeItem* Item, int RowIndex, TRect ItemRect, TRect SurfRect);
    void DoRedrawItemTree(TQZTreeItem* Item, TRect R, const TRect& Row, bool Selected);
    void DrawCell(TQZTreeItem* Item, const TQZColumnSpan& Column, TRect Cell, bool Selected);
    void DrawItemLines(TQZTreeItem* Item, const TRect& Row, const TQZMainCellParts& Parts);
    void DrawButton(TQZTreeItem* Item, const TRect& Box);
    void DrawCheckBox(TQZTreeItem* Item, const TRect& Box);
    void DrawImage(TImageList* List, int Index, int Overlay, const TRect& Box);
    // A line in the pen style; dotted lines fall on the one checkerboard of all tree lines.
    void Line(int X1, int Y1, int X2, int Y2, TColor Color, TPenStyle Style = psSolid);
    void DrawPicture(const TBitmap& Picture, const TRect& Cell);
    void DrawFocus(TQZTreeItem* Item, const TRect& Focus);
    void DrawDropMark(TQZTreeItem* Item, const TRect& Row, const TRect& Focus);
    void ApplyCellFont(TQZTreeItem* Item, TQZStateStyle* Style);
    int ToClient(const TQZColumnSpan& Column, int X) const {
        return Column.Locked ? X : X - T.LeftPosition();
    }

    TQZTreeView& V;
    TCustomQZTree& T;
    TCanvas& C;
    TRect FClip;
    // The shown columns and their width, found once per paint: every row uses the same.
    std::vector<TQZColumnSpan> FColumns;
    int FSectionsWidth = 0;
    TColor FCurBkColor = clNone;
    TColor FCurTextColor = clWindowText;
    bool FOverColors = false;
};

void TTreePainter::Line(int X1, int Y1, int X2, int Y2, TColor Color, TPenStyle Style) {
    HDC dc = C.Handle();
    if (Style == psDot)
        return DottedLine(dc, X1, Y1, X2, Y2, ColorToRGB(Color));
    TPen pen;
    pen.SetColor(Color);
    pen.SetStyle(Style);
    TSelectObject selected(dc, pen.Handle());
    const int mode = SetBkMode(dc, TRANSPARENT); // dashes leave their gaps as they were
    MoveToEx(dc, X1, Y1, nullptr);
    ::LineTo(dc, X2, Y2);
    SetBkMode(dc, mode);
}

void TTreePainter::DrawPicture(const TBitmap& Picture, const TRect& Cell) {
    if (Picture.Empty() || Cell.IsEmpty())
        return;
    HDC dc = C.Handle();
    TSavedDC saved(dc);
    IntersectClipRect(dc, Cell.Left, Cell.Top, Cell.Right, Cell.Bottom);
    const int x = Cell.Left + (Cell.Width() - Picture.Width()) / 2;
    const int y = Cell.Top + (Cell.Height() - Picture.Height()) / 2;
    const TRect all = Rect(0, 0, Picture.Width(), Picture.Height());
    if (Picture.Transparent)
        DrawTransparentBitmapEx(dc, Picture, x, y, all, Picture.EffectiveTransparentColor());
    else
        BitBlt(dc, x, y, all.Width(), all.Height(), Picture.DC(), 0, 0, SRCCOPY);
}

void TTreePainter::RedrawTree(int RealLeftPos, const TQZList& Rows, bool SelectedOnly) {
    if (T.MainTreeColumn() >= T.HeaderSectionCount() && T.MainTreeColumn() != 0)
        T.SetMainTreeColumn(0);
    FColumns = T.VisibleColumns();
    FSectionsWidth = T.SectionsWidth();
    int top = 0;
    for (int i = 0; i < Rows.Count(); ++i) {
        auto* item = static_cast<TQZTreeItem*>(Rows.FastGet(i));
        const int height = V.RowHeight(item);
        TRect r = Rect(0, top, V.ClientWidth(), top + height);
        top += height;
        const bool gridLine = T.HorizontalLines() && !T.BarStyle() && item->BorderStyle == ibsNone;
        if (gridLine)
            --r.Bottom;
        if (!Meets(r, FClip) || (SelectedOnly && !item->Selected()))
            continue;
        TRect surf = r;
        surf.Right = T.ShowColumns() && !item->FullTextOut()
                         ? FSectionsWidth - RealLeftPos
                         : std::max(V.FHRange, V.ClientWidth() + RealLeftPos) - RealLeftPos;
        const bool bordered = T.BarStyle() || item->BorderStyle != ibsNone;
        if (bordered) {
            r = r.Inflate(-1, -1);
            surf = surf.Inflate(-1, -1);
        }
        DoRedrawItem(item, i, r, surf);
        if (bordered) {
            r = r.Inflate(1, 1);
            RECT edge = ToRECT(r);
            const UINT kind = item->BorderStyle == ibsRaised                     ? BDR_RAISEDINNER
                              : item->BorderStyle == ibsNone && item->Selected() ? BDR_SUNKENOUTER
                              : item->BorderStyle == ibsNone                     ? BDR_RAISEDINNER
                                                                                 : BDR_SUNKENOUTER;
            if (item->BorderStyle == ibsSpace) {
                TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(item->BorderSpaceColor)));
                FrameRect(C.Handle(), &edge, brush.Handle());
            } else {
                DrawEdge(C.Handle(), &edge, kind,
                         BF_RECT | (item->BorderStyle == ibsFlat ? BF_FLAT : 0));
            }
        }
    }
    // Below the rows and right of the last column the background shows.
    const int rowsBottom = top;
    if (T.BackgroundType() == bgtColorFill) {
        C.Brush()->SetColor(T.BkColor());
        C.Brush()->SetStyle(bsSolid);
        const TRect client = Rect(0, 0, V.ClientWidth() + 1, V.ClientHeight() + 1);
        C.FillRect(Rect(client.Left, rowsBottom, client.Right, client.Bottom));
        if (T.ShowColumns())
            C.FillRect(Rect(FSectionsWidth - RealLeftPos, 0, client.Right, rowsBottom));
    }
    if (T.HorizontalLines() && !T.BarStyle()) {
        const int right = T.ShowColumns() ? FSectionsWidth - RealLeftPos : V.ClientWidth();
        int y = 0;
        for (int i = 0; i < Rows.Count() && y < V.ClientHeight(); ++i) {
            auto* item = static_cast<TQZTreeItem*>(Rows.FastGet(i));
            y += V.RowHeight(item);
            if (item->DrawHLine() && !(SelectedOnly && !item->Selected()))
                Line(0, y - 1, right, y - 1, T.HorzDivLinesColor());
        }
    }
    if (T.VerticalLines() && T.ShowColumns() && T.VerticalLinesLong() && Rows.Count() > 0) {
        // Sections scrolled under the locked one show no line through it.
        int lockedRight = 0;
        for (const TQZColumnSpan& column : FColumns)
            if (column.Locked)
                lockedRight = column.Right;
        for (const TQZColumnSpan& column : FColumns) {
            const int x = ToClient(column, column.Right) - 1;
            if (column.Right > column.Left && (column.Locked || x >= lockedRight))
                Line(x, rowsBottom, x, V.ClientHeight(), T.VertDivLinesColor());
        }
    }
}

void TTreePainter::DoRedrawItem(TQZTreeItem* Item, int RowIndex, TRect ItemRect, TRect SurfRect) {
    FOverColors = false;
    TQZStateStyle* state = Item->LookStyles()->GetStateStyle(Item);
    FCurTextColor = state->FontColor();
    FCurBkColor = clNone;
    const bool plain = !T.BarStyle() && Item->BorderStyle == ibsNone;
    if (Item->Selected() && plain && T.RowSelect()) {
        FCurBkColor = state->BGColor();
        FCurTextColor = state->FontColor();
        FOverColors = true;
    }
    if (T.StripedItems() && !(Item->Selected() && plain && T.RowSelect())) {
        FCurBkColor = (RowIndex + T.TopIndex()) % 2 ? T.StripedOddColor() : T.StripedEvenColor();
        FOverColors = true;
    }
    if (Item == V.FDropTrg && T.RowSelect()) {
        if (T.DragTrgDrawMode() == ColorRect) {
            FCurBkColor = V.FDropAcc ? T.DragRectAcceptColor() : T.DragRectDenyColor();
            FCurTextColor = clBtnText;
            FOverColors = true;
        } else if (T.DragTrgDrawMode() == SelColorRect) {
            FCurBkColor = clHighlight;
            FCurTextColor = clHighlightText;
            FOverColors = true;
        }
    }
    // The row's background, so cells without colours of their own show it.
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(FCurBkColor != clNone ? FCurBkColor : T.BkColor());
    if (FCurBkColor != clNone || T.BackgroundType() == bgtColorFill)
        C.FillRect(Rect(ItemRect.Left, ItemRect.Top, std::max(SurfRect.Right, ItemRect.Right),
                        ItemRect.Bottom));

    const bool vertLines = T.VerticalLines() && (!T.BarStyle() || T.BarStyleVerticalLines());
    TRect focus = ItemRect;
    if (FColumns.empty() || !T.ShowColumns() || Item->FullTextOut()) {
        DoRedrawItemTree(Item, Rect(ItemRect.Left, ItemRect.Top, SurfRect.Right, ItemRect.Bottom),
                         ItemRect, Item->Selected());
    } else {
        for (const TQZColumnSpan& column : FColumns) {
            TRect cell = Rect(ToClient(column, column.Left), ItemRect.Top,
                              ToClient(column, column.Right), ItemRect.Bottom);
            if (vertLines)
                --cell.Right;
            if (column.Locked) {
                // Scrolled cells went under the locked column; it starts from the row's ground.
                C.Brush()->SetStyle(bsSolid);
                C.Brush()->SetColor(FCurBkColor != clNone ? FCurBkColor : T.BkColor());
                C.FillRect(
                    Rect(cell.Left, ItemRect.Top, ToClient(column, column.Right), ItemRect.Bottom));
            }
            const bool selectedCell =
                Item->Selected() && plain && (T.RowSelect() || column.Section == T.SelectColumn());
            if (column.Section == T.MainTreeColumn())
                DoRedrawItemTree(Item, cell, ItemRect,
                                 selectedCell || (Item->Selected() && T.RowSelect()));
            else
                DrawCell(Item, column, cell, selectedCell);
            if (vertLines)
                Line(cell.Right, ItemRect.Top, cell.Right, ItemRect.Bottom + 1,
                     T.VertDivLinesColor());
        }
    }
    if (Item->StrikedOutLine()) {
        const int y = (ItemRect.Top + ItemRect.Bottom) / 2 + 1;
        const int right = T.ShowColumns() ? FSectionsWidth - T.LeftPosition()
                                          : Item->TextRight - T.LeftPosition();
        const TColor color =
            Item->Selected() && T.RowSelect() ? FCurTextColor : Item->StrikedLineColor;
        Line(Item->TextLeft - 2 - T.LeftPosition(), y, right, y, color);
    }
    // The focus rectangle's extent.
    if (T.RowSelect()) {
        focus.Right = !T.ShowColumns() || Item->FullTextOut()
                          ? V.ClientWidth()
                          : FSectionsWidth - T.LeftPosition() - (plain ? 0 : 1);
    } else if (T.ShowColumns() && T.SelectColumn() >= 0 &&
               T.SelectColumn() < T.HeaderSectionCount()) {
        int left = 0, right = 0;
        T.SectionBounds(T.SelectColumn(), left, right);
        focus.Left = left - T.LeftPosition();
        focus.Right = right - T.LeftPosition();
    } else {
        focus.Left = Item->TextLeft + 1 - T.LeftPosition();
        focus.Right = Item->TextRight - 1 - T.LeftPosition();
    }
    bool drawFocusRect = T.DrawFocusRect();
    T.TriggerItemPostDrawEvent(&C, Item, ItemRect, drawFocusRect);
    if (drawFocusRect)
        DrawFocus(Item, focus);
    DrawDropMark(Item, ItemRect, focus);
}

void TTreePainter::DrawFocus(TQZTreeItem* Item, const TRect& Focus) {
    if (!Item->Focused())
        return;
    if (!V.HasFocus() && T.HideFocusRect())
        return;
    RECT r = ToRECT(Focus);
    SetTextColor(C.Handle(), ColorToRGB(clWindowText));
    SetBkColor(C.Handle(), ColorToRGB(T.BkColor()));
    ::DrawFocusRect(C.Handle(), &r);
}

void TTreePainter::DrawDropMark(TQZTreeItem* Item, const TRect& Row, const TRect& Focus) {
    if (Item != V.FDropTrg)
        return;
    const TDragTargetDraw mode = T.DragTrgDrawMode();
    const TColor color = mode == dtdUpSelColorLine || mode == dtdDownSelColorLine ? clHighlight
                         : V.FDropAcc ? T.DragRectAcceptColor()
                                      : T.DragRectDenyColor();
    switch (mode) {
    case ColorFrame: {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
        RECT r = ToRECT(Focus);
        FrameRect(C.Handle(), &r, brush.Handle());
        break;
    }
    case dtdUpColorLine:
    case dtdUpSelColorLine:
        Line(Focus.Left, Row.Top, Focus.Right, Row.Top, color);
        Line(Focus.Left, Row.Top, Focus.Left, Row.Top + 3, color);
        Line(Focus.Right - 1, Row.Top, Focus.Right - 1, Row.Top + 3, color);
        break;
    case dtdDownColorLine:
    case dtdDownSelColorLine:
        Line(Focus.Left, Row.Bottom - 1, Focus.Right, Row.Bottom - 1, color);
        Line(Focus.Left, Row.Bottom - 1, Focus.Left, Row.Bottom - 4, color);
        Line(Focus.Right - 1, Row.Bottom - 1, Focus.Right - 1, Row.Bottom - 4, color);
        break;
    default:
        break;
    }
}

void TTreePainter::ApplyCellFont(TQZTreeItem* Item, TQZStateStyle* Style) {
    if (Style)
        Style->ApplyFont(*C.Font(), *T.Font());
    else
        C.SetFont(T.Font());
}

void TTreePainter::DrawCell(TQZTreeItem* Item, const TQZColumnSpan& Column, TRect Cell,
                            bool Selected) {
    std::string text;
    if (T.VirtualityLevel() != vlNone) {
        T.TriggerVirtualTextNeeded(Item, Column.Section, text);
    } else if (TStrings* texts = Item->ColumnText()) {
        const int k = Column.Section > T.MainTreeColumn() ? Column.Section - 1 : Column.Section;
        if (k >= 0 && k < texts->Count())
            text = texts->Get(k);
    }
    if (Column.Password)
        text = "******";
    TQZCellStyle* style = T.CellStyle(Item, Column.Section);
    TQZStateStyle* state = Item->LookStyles()->GetStateStyle(Item);
    TColor bk = clNone, fore = state->FontColor();
    if (!Item->UseStyles()) {
        if (FOverColors || Selected) {
            bk = FCurBkColor;
            fore = FCurTextColor;
        } else {
            TQZStateStyle* def = Item->LookStyles()->DefaultState.get();
            bk = def->BGColor();
            fore = def->FontColor();
        }
    } else if (style && !style->OwnerProps() && !FOverColors) {
        TQZStateStyle* cell = style->StateStyle()->GetCellStateStyle(Item);
        bk = cell->BGColor();
        fore = cell->FontColor();
        ApplyCellFont(Item, cell);
    } else {
        bk = FCurBkColor;
        fore = FCurTextColor;
    }
    if (Selected) {
        bk = FCurBkColor != clNone ? FCurBkColor : state->BGColor();
        fore = FOverColors ? FCurTextColor : state->FontColor();
    }
    if (bk != clNone) {
        C.Brush()->SetStyle(bsSolid);
        C.Brush()->SetColor(bk);
        C.FillRect(Cell);
    }
    if (T.OwnerDrawnCell(Column.Section, text, style)) {
        T.DoItemDraw(Item, &C, Column.Section,
                     Rect(Cell.Left + 1, Cell.Top + 1, Cell.Right - 1, Cell.Bottom - 1));
        return;
    }
    if (style && !style->OwnerProps() && style->Control() && style->Control()->Visible()) {
        const int border = style->Control()->BorderWidth();
        style->Control()->Paint(C, Rect(Cell.Left + border, Cell.Top + border, Cell.Right - border,
                                        Cell.Bottom - border));
        return;
    }
    if (style && style->Style == QZhsPictureOnly) {
        if (style->Picture)
            DrawPicture(*style->Picture, Cell);
        return;
    }
    if (!style)
        C.SetFont(T.Font());
    C.Font()->SetColor(fore);
    // A cell style places the text by its own flags; else the section's alignment does.
    unsigned align = Column.Alignment == 1 ? DT_CENTER : Column.Alignment == 2 ? DT_RIGHT : DT_LEFT;
    if (T.RightAlignedText() && align != DT_CENTER)
        align = align == DT_LEFT ? DT_RIGHT : DT_LEFT;
    if (style)
        align = style->TextFlags & (DT_CENTER | DT_RIGHT);
    unsigned flags = DT_NOPREFIX | DT_EXTERNALLEADING | align;
    flags |= Item->Multiline() ? 0u : unsigned(DT_SINGLELINE | DT_END_ELLIPSIS);
    if (Item->WordBreak())
        flags |= DT_WORDBREAK;
    TRect measure = Rect(0, 0, Cell.Width(), 0);
    C.DrawText(text, measure, (flags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    const int w = measure.Width() + 2, indent = T.ItemIndent();
    TRect box = Cell;
    if (align == DT_LEFT) {
        box.Right = std::min(Cell.Left + w + indent / 3, Cell.Right);
        box.Left = std::min(Cell.Left + indent / 5, box.Right);
    } else if (align == DT_RIGHT) {
        box.Left = std::max(Cell.Right - (indent / 3 + w), Cell.Left);
        box.Right = std::max(Cell.Right - indent / 5, box.Left);
    } else {
        const int width = std::min(Cell.Width(), w + 3);
        box.Left = Cell.Left + (Cell.Width() - width) / 2;
        box.Right = box.Left + width;
    }
    box.Left = std::min(box.Left, Cell.Right);
    box.Right = std::max(box.Right, Cell.Left);
    if (style)
        flags |= style->TextFlags & (DT_VCENTER | DT_BOTTOM);
    else if (!(Item->Multiline() && Item->Height() > T.LineHeight()))
        flags |= DT_VCENTER;
    C.Brush()->SetStyle(bsClear);
    C.DrawText(text, box, flags);
    C.Brush()->SetStyle(bsSolid);
}

void TTreePainter::DoRedrawItemTree(TQZTreeItem* Item, TRect R, const TRect& Row, bool Selected) {
    const TQZMainCellParts parts = V.MainCellParts(Item, R);
    TQZStateStyle* state = Item->LookStyles()->GetStateStyle(Item);
    TColor bk = FOverColors || Selected ? FCurBkColor : state->BGColor();
    TColor fore = FOverColors || Selected ? FCurTextColor : state->FontColor();
    if (Selected && !FOverColors) {
        bk = state->BGColor();
        fore = state->FontColor();
    }
    if (T.Tracking() && Item == V.FTrackItem)
        fore = state->FontColor();
    if (T.ShowLines() && !Item->SuppressLines())
        DrawItemLines(Item, Row, parts);
    if (parts.HasButton)
        DrawButton(Item, parts.Button);
    if (!parts.CheckBox.IsEmpty())
        DrawCheckBox(Item, parts.CheckBox);
    Item->SetFlag(ibfImageDrawn, false);
    if (!parts.StateImage.IsEmpty()) {
        TImageList* list = T.Images2() ? T.Images2() : T.Images();
        DrawImage(list, T.DoGetPicture2(Item), Item->OverlayIndex2, parts.StateImage);
    }
    if (!parts.Image.IsEmpty())
        DrawImage(T.Images(), T.DoGetPicture(Item), Item->OverlayIndex, parts.Image);

    TQZCellStyle* style = Item->UseStyles() ? Item->MainStyle() : nullptr;
    TRect text = Rect(parts.TextLeft, R.Top, parts.TextRight, R.Bottom);
    if (T.OwnerDrawnCell(T.MainTreeColumn(), Item->Text(), style)) {
        T.DoItemDraw(Item, &C, T.MainTreeColumn(), text);
        Item->TextLeft = text.Left + T.LeftPosition();
        Item->TextRight = text.Right + T.LeftPosition();
        return;
    }
    if (style && style->Style == QZhsPictureOnly && style->Picture)
        DrawPicture(*style->Picture, text);
    ApplyCellFont(Item, state);
    C.Font()->SetColor(fore);
    unsigned flags = DT_NOPREFIX;
    flags |= Item->Multiline() ? 0u : unsigned(DT_SINGLELINE | DT_END_ELLIPSIS);
    if (Item->WordBreak())
        flags |= DT_WORDBREAK;
    if (T.RightAlignedTree())
        flags |= DT_RIGHT;
    if (T.RightAlignedText())
        flags |= DT_RTLREADING;
    const std::string caption = Item->Text();
    TRect measure = Rect(0, 0, std::max(text.Width(), 1), 0);
    C.DrawText(caption, measure, (flags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    const int width = measure.Width() + 4;
    TRect box =
        parts.Mirrored
            ? Rect(std::max(text.Right + 1 - width, text.Left), R.Top, text.Right + 1, R.Bottom)
            : Rect(text.Left - 1, R.Top, std::min(text.Left - 1 + width, text.Right), R.Bottom);
    if (box.Right < box.Left)
        box.Right = box.Left;
    if (bk != clNone && box.Right > box.Left) {
        C.Brush()->SetStyle(bsSolid);
        C.Brush()->SetColor(bk);
        C.FillRect(box);
    }
    if (!(Item->Multiline() && Item->Height() > T.LineHeight()))
        flags |= DT_VCENTER;
    TRect inner = Rect(box.Left + 1, box.Top, box.Right, box.Bottom);
    C.Brush()->SetStyle(bsClear);
    C.DrawText(caption, inner, flags);
    C.Brush()->SetStyle(bsSolid);
    Item->TextLeft = box.Left + T.LeftPosition();
    Item->TextRight = box.Right > box.Left ? box.Right + T.LeftPosition() : Item->TextLeft;
}

void TTreePainter::DrawItemLines(TQZTreeItem* Item, const TRect& Row,
                                 const TQZMainCellParts& Parts) {
    const int indent = T.ItemIndent();
    const TPenStyle style = T.LinesStyle();
    const TColor color = T.LinesColor();
    const int middle = (Row.Top + Row.Bottom) / 2;
    auto lineX = [&](int column) {
        return Parts.X(Parts.LinesLeft + column * indent + indent / 2);
    };
    auto shown = [&](int x) { return x >= Parts.Cell.Left && x < Parts.Cell.Right; };
    // Lines of the ancestors: level k's column carries a line when it has a later sibling.
    const int level = Item->Level();
    TQZTreeItem* ancestor = Item->Parent();
    for (int k = level - 1; k >= 0 && ancestor && !ancestor->IsRoot(); --k) {
        const bool draw = (k > 0 || T.ShowRoot()) && ancestor->GetNextSibling() &&
                          !ancestor->GetNextSibling()->SuppressLines();
        if (draw && shown(lineX(k)))
            Line(lineX(k), Row.Top, lineX(k), Row.Bottom + 1, color, style);
        ancestor = ancestor->Parent();
    }
    if (level == 0 && !T.ShowRoot())
        return;
    const int x = lineX(level);
    if (!shown(x))
        return;
    Line(x, middle, Parts.X(Parts.LinesLeft + (level + 1) * indent), middle, color, style);
    TQZTreeItem* prev = Item->Parent() ? Item->Parent()->GetPrevChild(Item) : nullptr;
    const bool upper = level == 0 ? prev != nullptr : true;
    if (upper)
        Line(x, Row.Top, x, middle, color, style);
    if (Item->GetNextSibling())
        Line(x, middle, x, Row.Bottom + 1, color, style);
}

void TTreePainter::DrawButton(TQZTreeItem* Item, const TRect& Box) {
    if (Box.IsEmpty())
        return;
    const bool expanded = Item->Expanded();
    const bool hasButton = Item->HasVisibleChildren() || Item->ForceButtons();
    HDC dc = C.Handle();
    TSavedDC saved(dc);
    IntersectClipRect(dc, Box.Left, Box.Top, Box.Right, Box.Bottom);
    if (T.IsThemeApplied() && !T.CustomPlusMinus() && hasButton) {
        RECT r = ToRECT(Box);
        SIZE size{9, 9};
        ThemeApi.GetThemePartSize(T.Theme(), dc, TVP_GLYPH, GLPS_CLOSED, nullptr, THEME_SIZE_TRUE,
                                  &size);
        TRect glyph;
        CenterRects(size.cx + 1, Box.Width(), size.cy + 1, glyph, Box.Height());
        // The centred rectangle is inclusive and relative to the column.
        r = ToRECT(Rect(Box.Left + glyph.Left, Box.Top + glyph.Top, Box.Left + glyph.Right + 1,
                        Box.Top + glyph.Bottom + 1));
        ThemeApi.DrawThemeBackground(T.Theme(), dc, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED,
                                     &r, nullptr);
        return;
    }
    const TBitmap* bitmap = nullptr;
    if (T.CustomPlusMinus())
        bitmap = !hasButton ? T.LeafPicture() : expanded ? T.MinusPicture() : T.PlusPicture();
    else
        bitmap = &TreeButtonBitmap(!hasButton ? tbkLeaf : expanded ? tbkMinus : tbkPlus);
    if (!bitmap || bitmap->Empty())
        return;
    const int x = Box.Left + (Box.Width() - bitmap->Width()) / 2;
    const int y = Box.Top + (Box.Height() - bitmap->Height()) / 2;
    if (T.PlusMinusTransparent())
        DrawTransparentBitmapEx(dc, *bitmap, x, y, Rect(0, 0, bitmap->Width(), bitmap->Height()),
                                TColor(GetPixel(bitmap->DC(), 1, bitmap->Height() - 2)));
    else
        BitBlt(dc, x, y, bitmap->Width(), bitmap->Height(), bitmap->DC(), 0, 0, SRCCOPY);
}

void TTreePainter::DrawCheckBox(TQZTreeItem* Item, const TRect& Box) {
    HDC dc = C.Handle();
    const bool radio = Item->CheckBoxType() == ectRadioButton;
    const TCheckBoxState state = Item->CheckBoxState();
    const bool enabled = Item->CheckBoxEnabled();
    TSavedDC saved(dc);
    IntersectClipRect(dc, Box.Left, Box.Top, Box.Right, Box.Bottom);
    if (T.CustomCheckboxes()) {
        const TBitmap* glyph = radio ? T.RadioButtonGlyph() : T.CheckBoxGlyph();
        if (glyph && !glyph->Empty()) {
            const int frame = glyph->Width() / 6;
            const int index = (state == cbChecked  ? 1
                               : state == cbGrayed ? 2
                                                   : 0) +
                              (enabled ? 0 : 3);
            DrawTransparentBitmapEx(dc, *glyph, Box.Left, Box.Top,
                                    Rect(index * frame, 0, (index + 1) * frame, glyph->Height()),
                                    glyph->EffectiveTransparentColor());
            return;
        }
    }
    if (T.IsThemeApplied() && !T.CustomCheckboxes()) {
        // Themed states: unchecked 1, checked 5, grayed 9; each 3 further when disabled.
        const int themeState = (radio ? (Item->Checked() ? 5 : 1)
                                      : (state == cbChecked  ? 5
                                         : state == cbGrayed ? 9
                                                             : 1)) +
                               (enabled ? 0 : 3);
        RECT r = ToRECT(Box);
        if (SUCCEEDED(DrawThemeBackgroundTo(L"BUTTON", dc, radio ? BP_RADIOBUTTON : BP_CHECKBOX,
                                            themeState, r, nullptr)))
            return;
    }
    UINT flags = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (state == cbChecked)
        flags |= DFCS_CHECKED;
    if (state == cbGrayed && Item->CheckBoxType() == ect3SCheckBox)
        flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!enabled)
        flags |= DFCS_INACTIVE;
    RECT r = ToRECT(Box);
    DrawFrameControl(dc, &r, DFC_BUTTON, flags);
}

void TTreePainter::DrawImage(TImageList* List, int Index, int Overlay, const TRect& Box) {
    if (!List || Index < 0 || Index >= List->Count())
        return;
    HDC dc = C.Handle();
    TSavedDC saved(dc);
    IntersectClipRect(dc, Box.Left, Box.Top, Box.Right, Box.Bottom);
    UINT style = ILD_TRANSPARENT;
    if (Overlay >= 0)
        style |= INDEXTOOVERLAYMASK(Overlay);
    ImageList_DrawEx(List->Handle(), Index, dc, Box.Left, Box.Top, 0, 0, CLR_NONE, CLR_NONE, style);
}

TQZMainCellParts TQZTreeView::MainCellParts(TQZTreeItem* Item, const TRect& Cell) const {
    TQZMainCellParts parts;
    parts.Cell = Cell;
    const TCustomQZTree& t = *FOwner;
    const int indent = t.ItemIndent();
    const bool rootMarks =
        (t.ShowRoot() && t.ShowLines()) || (t.ShowButtons() && t.ShowRootButtons());
    const int origin = Cell.Left + Item->IndentAdjust + (rootMarks ? indent : indent / 5);
    // Column k (0 = top level) holds the lines of the ancestor at level k; an item's own column
    // holds its button.
    parts.LinesLeft = origin - indent;
    int left = origin + indent * (Item->Level() - 1);
    if (Item->Ancestor()->SuppressButtons())
        left -= indent;
    const TRect row = Rect(Cell.Left, Cell.Top, Cell.Right, Cell.Bottom);
    parts.HasButton = t.ShowButtons() && !Item->SuppressButtons() &&
                      (t.ShowRootButtons() || Item->Level() > 0) &&
                      (Item->HasVisibleChildren() || Item->ForceButtons() || t.ShowLeafButton());
    if (parts.HasButton)
        parts.Button = Rect(left, row.Top, left + indent, row.Bottom);
    left += indent;
    if (t.ShowCheckboxes() && Item->ShowCheckBox()) {
        const int size = t.EffectiveCheckBoxSize();
        const int y = row.Top + (row.Height() - size) / 2;
        if (left + size <= Cell.Right)
            parts.CheckBox = Rect(left, y, left + size, y + size);
        left += size;
    }
    if (t.ShowImages()) {
        TImageList* list2 = t.Images2() ? t.Images2() : t.Images();
        const int index2 = FOwner->DoGetPicture2(Item);
        const bool hasState =
            list2 && ((index2 >= 0 && index2 < list2->Count()) || t.ShowEmptyImages2());
        if (hasState) {
            if (t.ShowCheckboxes() && Item->ShowCheckBox())
                left += indent / 3;
            const int y = row.Top + (row.Height() - list2->Height()) / 2;
            parts.StateImage = Rect(left, y, left + list2->Width(), y + list2->Height());
            left += list2->Width() + t.ImageTextDelta();
        }
        TImageList* list = t.Images();
        const int index = FOwner->DoGetPicture(Item);
        if (list && ((index >= 0 && index < list->Count()) || t.ShowEmptyImages())) {
            if (hasState || (t.ShowCheckboxes() && Item->ShowCheckBox()))
                left += indent / 3;
            const int y = row.Top + (row.Height() - list->Height()) / 2;
            parts.Image = Rect(left, y, left + list->Width(), y + list->Height());
            left += list->Width() + t.ImageTextDelta();
        }
    }
    parts.TextLeft = left + indent / 3;
    parts.TextRight = Cell.Right;
    parts.SectionStyle = t.MainColumnStyle();
    if (t.RightAlignedTree()) {
        // The same layout read from the right edge.
        parts.Mirrored = true;
        for (TRect* r : {&parts.Button, &parts.CheckBox, &parts.StateImage, &parts.Image})
            if (!r->IsEmpty())
                *r = Rect(parts.X(r->Right), r->Top, parts.X(r->Left), r->Bottom);
        parts.TextRight = parts.X(parts.TextLeft);
        parts.TextLeft = Cell.Left;
    }
    return parts;
}

void TQZTreeView::Paint() {
    FPainting = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FPainting};
    DoPaintBkgnd(Canvas()->Handle(), Canvas()->ClipRect());
    TTreePainter(*this, *Canvas()).RedrawTree(FHPos, FVisible);
}

void TQZTreeView::DoPaintBkgnd(HDC DC, const TRect& Box) {
    const TQZBkGndType kind = FOwner->BackgroundType();
    if (kind == bgtColorFill) {
        FillSolidRect2(DC, Box, FOwner->BkColor());
        return;
    }
    if (kind == bgtCenterBitmap) {
        TQZBackground background;
        background.DrawMode = bgtCenterBitmap;
        background.SourceBitmap = FOwner->Background();
        background.FillColor = FOwner->BkColor();
        ExtDrawBkgnd(DC, Box, Rect(0, 0, ClientWidth(), ClientHeight()), background);
        return;
    }
    if (FTmpBmp->Empty())
        RedoTmpBmp();
    if (FTmpBmp->Empty())
        return FillSolidRect2(DC, Box, FOwner->BkColor());
    BitBlt(DC, Box.Left, Box.Top, Box.Width(), Box.Height(), FTmpBmp->DC(), Box.Left, Box.Top,
           SRCCOPY);
}

void TQZTreeView::RedoTmpBmp() {
    const TQZBkGndType kind = FOwner->BackgroundType();
    if (kind == bgtColorFill || kind == bgtCenterBitmap) {
        FTmpBmp->SetSize(0, 0);
        return;
    }
    const int w = ClientWidth(), h = ClientHeight();
    if (w <= 0 || h <= 0)
        return;
    FTmpBmp->SetSize(w, h);
    const TRect all = Rect(0, 0, w, h);
    if (kind == bgtHorzGradient || kind == bgtVertGradient) {
        GradientFill(FTmpBmp->DC(), all, FOwner->GradientStartColor(), kind == bgtVertGradient,
                     FOwner->GradientSteps(), FOwner->GradientEndColor());
        return;
    }
    TQZBackground background;
    background.DrawMode = kind;
    background.SourceBitmap = FOwner->Background();
    background.FillColor = FOwner->BkColor();
    ExtDrawBkgnd(FTmpBmp->DC(), all, all, background);
}

void TQZTreeView::FillDragImage() {
    FDragImages.reset();
    const TDragImgMode mode = FOwner->DragImageMode();
    if (mode == dimNever)
        return;
    int first = -1, last = -1;
    for (int i = 0; i < FVisible.Count(); ++i) {
        if (!static_cast<TQZTreeItem*>(FVisible.FastGet(i))->Selected())
            continue;
        if (first >= 0 && mode == dimOne)
            return; // one row only, and a second is selected
        if (first < 0)
            first = i;
        last = i;
    }
    if (first < 0)
        return;
    // The selected rows of the span, painted as the view paints them, from the bitmap's top;
    // an unselected row between them leaves its gap.
    TQZList rows;
    for (int i = first; i <= last; ++i)
        rows.Add(FVisible.FastGet(i));
    const TRect top = GetItemRect(first);
    const int width = FOwner->ShowColumns() ? FOwner->SectionsWidth() : ClientWidth();
    const int height = GetItemRect(last).Bottom - top.Top;
    if (width <= 0 || height <= 0)
        return;
    TBitmap bitmap(width, height);
    FillSolidRect2(bitmap.DC(), Rect(0, 0, width, height), FOwner->BkColor());
    TTreePainter(*this, *bitmap.Canvas()).RedrawTree(FHPos, rows, true);
    FDragImages = MakeOwned<TImageList>();
    FDragImages->SetSize(width, height);
    FDragImages->Add(&bitmap);
    FDDY = top.Top;
}
