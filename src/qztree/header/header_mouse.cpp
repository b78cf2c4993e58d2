// The header under the mouse: pressing and clicking sections and their signs, resizing with a
// line or live, moving sections by dragging, hot tracking, the split cursor and hints.
#include "qztree/header/header.h"

#include "qztree/base/colors.h"
#include "qztree/base/draw.h"
#include "vcl/base/win_api.h"
#include "vcl/core/application.h"
#include "vcl/core/menus.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"

#include <cmath>
#include <utility>

namespace {

constexpr int DragThreshold = 5;
constexpr TCursor crHeaderSplit = 20010;

void ShowSplitCursor() {
    Screen->SetCursors(crHeaderSplit, HeaderSplitCursor());
    Screen->SetCursor(crHeaderSplit);
}

bool IsSplitCursor() {
    return Screen->Cursor() == crHeaderSplit;
}

} // namespace

void TCustomQZHeader::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        // No menus while a section is being resized.
        if (FResizing)
            return;
        if (Message.Msg == WM_RBUTTONDOWN) {
            TPoint p = MessagePoint(Message.LParam);
            TQZHeaderSection* s = GetSectionAt(p.X, p.Y);
            if (s && s->PopupMenu() && s->PopupMenu()->AutoPopup) {
                TPoint screen = ClientToScreen(p);
                s->PopupMenu()->SetPopupComponent(this);
                s->PopupMenu()->Popup(screen.X, screen.Y);
                return;
            }
        }
        break;
    case WM_SYSCOLORCHANGE:
        Invalidate();
        break;
    default:
        break;
    }
    TQZXPThemedControl::WndProc(Message);
}

void TCustomQZHeader::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The fitted column has moved its edge away from the mouse, which may now be over a
    // section; a press there would sort it when the button comes up.
    const bool fitted = std::exchange(FFittedByDoubleClick, false) && Shift.Contains(ssDouble);
    if (fitted) {
        FPressed = false;
        FPressedItem = nullptr;
    } else if (Button == mbLeft && !FControlStyle.Contains(csNoStdEvents)) {
        LeftDown(X, Y);
    }
    TQZXPThemedControl::MouseDown(Button, Shift, X, Y);
}

void TCustomQZHeader::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && !FControlStyle.Contains(csNoStdEvents))
        LeftUp(X, Y);
    TQZXPThemedControl::MouseUp(Button, Shift, X, Y);
}

void TCustomQZHeader::RedrawSectionOf(TQZHeaderSection* Section) {
    if (Section)
        Section->Redraw();
}

void TCustomQZHeader::SetHotSection(TQZHeaderSection* Section) {
    if (FTrackSection == Section)
        return;
    TQZHeaderSection* old = FTrackSection;
    FTrackSection = Section;
    RedrawSectionOf(old);
    RedrawSectionOf(Section);
}

void TCustomQZHeader::LeftDown(int X, int Y) {
    if (FDoingLookup) {
        CloseLookup(false);
        return;
    }
    TQZHeaderSection* hit = nullptr;
    if (InResizeArea(X, hit) && hit && hit->Resizable())
        return StartResize(hit, X);
    FPressCoord = Point(X, Y);
    FPressed = true;
    SetHotSection(nullptr);
    FPressedItem = GetSectionAt(X, Y);
    TQZHeaderSection* s = FPressedItem;
    if (!s)
        return;
    // The signs are looked for here, not by GetSectionAtEx: on a section that cannot be resized
    // its grip does not hide them, and the filter's box is a pixel narrower.
    bool wide = s->Width() > 14;
    int r = SignsRight(s);
    bool lowerRow = 12 <= Y && Y <= 16;
    if (wide && s->Expandable() && r - 7 <= X && X <= r && 2 <= Y && Y <= 9) {
        s->SetExpanded(!s->Expanded());
        s->Expanded() ? DoSectionExpandEvent(s) : DoSectionCollapseEvent(s);
        FPressedItem = nullptr;
    } else if (wide && s->FilterEnabled() && r - 6 <= X && X <= r && lowerRow) {
        TriggerFilterCallEvent(s);
        FPressedItem = nullptr;
    } else if (wide && s->LookupEnabled() && s != FLockedSection && r - 7 <= X && X <= r &&
               lowerRow) {
        FPressedItem = nullptr;
        OpenLookup(s);
    } else if (s->AllowClick()) {
        s->Redraw();
    } else {
        FPressedItem = nullptr;
    }
}

void TCustomQZHeader::StartResize(TQZHeaderSection* Section, int X) {
    FResizing = true;
    FResizeSection = Section;
    SetHotSection(nullptr);
    ShowSplitCursor();
    SetCapture(WindowHandle());
    FHeaderLine = Section->Left() - ScreenOffset(Section) + Section->Width();
    FLineTab = X - FHeaderLine;
    if (!FResizeOnDrag && Parent()) {
        // The line runs over the parent's client area below the header too.
        FLineWnd = Parent()->Handle();
        FLineDC = GetDCEx(FLineWnd, nullptr, DCX_CACHE);
        ToggleResizeLine();
    }
    DoSectionResizing(Section, trsBegin, Section->Width());
}

void TCustomQZHeader::ToggleResizeLine() {
    if (!FLineDC || !Parent())
        return;
    PatBlt(FLineDC, Left() + FHeaderLine, Top(), 1, Parent()->ClientHeight() - Top(), DSTINVERT);
    FHeaderLineVis = !FHeaderLineVis;
}

void TCustomQZHeader::MoveResize(int X) {
    TQZHeaderSection* s = FResizeSection;
    int left = s->Left();
    int off = ScreenOffset(s);
    int at = X + off - FLineTab;
    if (at < left)
        return;
    if (FStickySections) {
        int fixedRight = 0;
        for (int i = s->Position() + 1; i < FSections->Count(); ++i)
            if (!FSections->ItemByPos(i)->Resizable())
                fixedRight += FSections->ItemByPos(i)->Width();
        if (Width() - fixedRight <= at)
            return;
    }
    int width = at - left;
    if (width < s->MinWidth() || width > s->MaxWidth())
        return;
    if (FResizeOnDrag) {
        s->SetWidth(width);
        InvalidateRight(s->Index());
        Update();
    } else {
        if (FHeaderLineVis)
            ToggleResizeLine();
        FHeaderLine = left + width - off;
        ToggleResizeLine();
    }
    DoSectionResizing(s, trsMove, width);
}

void TCustomQZHeader::EndResize() {
    TQZHeaderSection* s = FResizeSection;
    FResizing = false;
    Screen->SetCursor(crDefault);
    if (GetCapture() == WindowHandle())
        ReleaseCapture();
    if (!FResizeOnDrag) {
        if (FHeaderLineVis)
            ToggleResizeLine();
        ReleaseLineDC();
        if (s)
            s->SetWidth(FHeaderLine - s->Left() + ScreenOffset(s));
    }
    if (s) {
        DoSectionResizing(s, trsEnd, s->Width());
        DoSectionResize(s);
    }
    FResizeSection = nullptr;
    Invalidate();
    Update();
}

void TCustomQZHeader::ReleaseLineDC() {
    if (FLineDC)
        ReleaseDC(FLineWnd, FLineDC);
    FLineDC = nullptr;
    FLineWnd = nullptr;
    FHeaderLineVis = false;
}

void TCustomQZHeader::LeftUp(int X, int Y) {
    if (FResizing)
        return EndResize();
    if (FDropSrc)
        return EndDrag(X, Y);
    FPressed = false;
    TQZHeaderSection* pressed = FPressedItem;
    // The press is over: a later return of the mouse must not press the section again.
    FPressedItem = nullptr;
    if (pressed) {
        pressed->Redraw();
        if (GetSectionAt(FPressCoord.X, FPressCoord.Y) == GetSectionAt(X, Y))
            DoSectionClick(pressed);
    }
    if (GetSectionAt(X, Y) != FTrackSection)
        SetHotSection(nullptr);
}

void TCustomQZHeader::MouseMove(TShiftState Shift, int X, int Y) {
    TQZXPThemedControl::MouseMove(Shift, X, Y);
    if (FPressed && FAllowDrag && FPressedItem && FPressedItem != FLockedSection && !FDropSrc &&
        std::hypot(double(X - FPressCoord.X), double(Y - FPressCoord.Y)) >= DragThreshold)
        StartDrag(X, Y);
    if (FAllowDrag && !FPressed && FDropSrc)
        MoveDrag(X, Y);
    TrackHot(X, Y);
    UpdateCursorAndHint(X, Y);
    if (FResizing)
        MoveResize(X);
}

void TCustomQZHeader::TrackHot(int X, int Y) {
    if (!(FTracking || IsThemeApplied()) || FResizing || FDropSrc || !FMouseInControl ||
        IsDesigning() || FControlStyle.Contains(csNoStdEvents))
        return;
    SetHotSection(GetSectionAt(X, Y));
}

void TCustomQZHeader::UpdateCursorAndHint(int X, int Y) {
    if (FPressed || FResizing || FDropSrc || !FMouseInControl)
        return;
    TQZHeaderSection* hit = nullptr;
    if (InResizeArea(X, hit) && hit && hit->Resizable() && !IsDesigning())
        ShowSplitCursor();
    else
        GiveBackSplitCursor();
    TQZHeaderSection* under = GetSectionAt(X, Y);
    if (FHintSection && FHintSection != under && ShowHint() && under && !under->Hint.empty()) {
        // Moving the hint's anchor away and back makes the application show the new text.
        Application->HintMouseMove(this, Point(-10000, -10000));
        Application->HintMouseMove(this, ClientToScreen(Point(X, Y)));
    }
}

void TCustomQZHeader::StartDrag(int X, int Y) {
    SetHotSection(nullptr);
    FDropSrc = FPressedItem;
    FPressed = false;
    FDropSrc->Redraw();
    BuildDragImage(FPressCoord.X);
    FPressCoord.X += FHPos;
    SetCapture(WindowHandle());
    FDropTrg = nullptr;
    FDragCoord = Point(FPressCoord.X - FHPos, FPressCoord.Y);
    DragRect = GetSectionRect(FDropSrc->Index());
    if (FDropSrc != FLockedSection)
        DragRect = DragRect.Offset(-FHPos, 0);
}

void TCustomQZHeader::BuildDragImage(int X) {
    TQZHeaderSection* s = GetSectionAt(X, 0);
    if (!s)
        return;
    TRect r = Rect(0, 0, s->Width(), ClientHeight());
    DragBmp = std::make_unique<TBitmap>(r.Width() + 1, r.Height() + 1);
    // The spare column and row take the see-through colour, or they show as a white edge.
    FillSolidRect2(DragBmp->DC(), Rect(0, 0, DragBmp->Width(), DragBmp->Height()),
                   DragTransparentColor());
    DragBmp->Canvas()->Font()->Assign(Font());
    RedrawSection(DragBmp->Canvas(), s, r, true);
    SaveBmp = std::make_unique<TBitmap>(r.Width() + 1, r.Height() + 1);
    FDragImageShown = false;
}

void TCustomQZHeader::DrawDragImageAt(int X) {
    if (!DragBmp || !HandleAllocated())
        return;
    TWindowDC dc(WindowHandle());
    int w = DragBmp->Width(), h = DragBmp->Height();
    if (FDragImageShown)
        BitBlt(dc.DC(), DragRect.Left, DragRect.Top, w, h, SaveBmp->DC(), 0, 0, SRCCOPY);
    DragRect = DragRect.Offset(X - FDragCoord.X, 0);
    BitBlt(SaveBmp->DC(), 0, 0, w, h, dc.DC(), DragRect.Left, DragRect.Top, SRCCOPY);
    DrawTransparentBitmapEx(dc.DC(), *DragBmp, DragRect.Left, DragRect.Top, Rect(0, 0, w, h),
                            DragTransparentColor());
    FDragImageShown = true;
}

TColor TCustomQZHeader::DragTransparentColor() const {
    TColor back = FDropSrc && !FDropSrc->ParentColor() ? FDropSrc->Color() : Color();
    return DarkenedColor(back, 239);
}

void TCustomQZHeader::MoveDrag(int X, int Y) {
    FDropTrg = GetSectionAt(X, Y);
    if (FMoveOnDrag && FDropTrg != FDropSrc) {
        int before = FDropSrc->Position();
        int width = FDropSrc->Width();
        if (!FDropTrg)
            FSections->MoveSection(FDropSrc, FSections->Count() - 1);
        else if (FDropSrc->Position() < FDropTrg->Position() &&
                 X > FDropTrg->Right() - FHPos - width)
            FSections->MoveSection(FDropSrc, FDropTrg->Position());
        else if (FDropSrc->Position() > FDropTrg->Position() &&
                 X < FDropTrg->Left() - FHPos + width)
            FSections->MoveSection(FDropSrc, FDropTrg->Position());
        Update();
        // A move repaints the whole header over the image: what was saved under it is stale.
        if (FDropSrc->Position() != before)
            FDragImageShown = false;
    }
    DrawDragImageAt(X);
    FDragCoord = Point(X, Y);
}

void TCustomQZHeader::FreeDragImage() {
    if (FDragImageShown && DragBmp && HandleAllocated()) {
        TWindowDC dc(WindowHandle());
        BitBlt(dc.DC(), DragRect.Left, DragRect.Top, SaveBmp->Width(), SaveBmp->Height(),
               SaveBmp->DC(), 0, 0, SRCCOPY);
    }
    FDragImageShown = false;
    DragBmp.reset();
    SaveBmp.reset();
    DragBmpMask.reset();
}

void TCustomQZHeader::EndDrag(int X, int Y) {
    TQZHeaderSection* source = FDropSrc;
    FDropTrg = GetSectionAt(X, Y);
    if (!FDropTrg)
        FDropTrg = GetSectionAt(X, 1);
    if (FDropTrg != source)
        FSections->MoveSection(source, FDropTrg ? FDropTrg->Position() : FSections->Count() - 1);
    CancelDrag();
}

void TCustomQZHeader::CancelDrag() {
    FPressed = false;
    FPressedItem = nullptr;
    FTrackSection = nullptr;
    FDropSrc = nullptr;
    FDropTrg = nullptr;
    FreeDragImage();
    if (GetCapture() == WindowHandle())
        ReleaseCapture();
    if (HandleAllocated()) {
        InvalidateRect(WindowHandle(), nullptr, TRUE);
        Update();
    }
}

void TCustomQZHeader::DblClick() {
    TQZXPThemedControl::DblClick();
    POINT p;
    GetCursorPos(&p);
    TPoint client = ScreenToClient(FromPOINT(p));
    TQZSectionPart part = espText;
    TQZHeaderSection* s = GetSectionAtEx(client.X, client.Y, part);
    if (s && part == espResizeArea && s->Resizable()) {
        FFittedByDoubleClick = true;
        TriggerSectionAutoSizeEvent(s);
    }
}

void TCustomQZHeader::MouseEnter() {
    TQZXPThemedControl::MouseEnter();
    // A press that left the header and comes back is a press again: shown, and it may drag.
    if (FPressedItem && !FDropSrc) {
        FPressed = true;
        FPressedItem->Redraw();
    }
    FMouseInControl = true;
}

void TCustomQZHeader::MouseLeave() {
    TQZXPThemedControl::MouseLeave();
    FMouseInControl = false;
    FDropTrg = nullptr;
    if (FPressed) {
        FPressed = false;
        RedrawSectionOf(FPressedItem);
    }
    SetHotSection(nullptr);
    if (!FResizing)
        GiveBackSplitCursor();
    FHintSection = nullptr;
}

void TCustomQZHeader::GiveBackSplitCursor() {
    if (IsSplitCursor())
        Screen->SetCursor(crDefault);
}

void TCustomQZHeader::VisibleChanged() {
    TQZXPThemedControl::VisibleChanged();
    if (Visible())
        return;
    // A hidden header gets no more mouse: a resize or drag ends as on cancel mode.
    CancelMode();
    GiveBackSplitCursor();
}

void TCustomQZHeader::KeyDown(uint16_t& Key, TShiftState Shift) {
    // Escape drops a dragged section at its own place.
    if (Key == VK_ESCAPE && Shift.Empty() && FDropSrc) {
        TRect r = GetSectionRect(FDropSrc->Index());
        int x = FDropSrc == FLockedSection ? r.Left : r.Left - FHPos;
        EndDrag(x, 1);
        Key = 0;
        return;
    }
    TQZXPThemedControl::KeyDown(Key, Shift);
}

void TCustomQZHeader::DoExit() {
    if (FPressed || FResizing || FDropSrc) {
        POINT p;
        GetCursorPos(&p);
        TPoint client = ScreenToClient(FromPOINT(p));
        MouseUp(mbLeft, TShiftState{}, client.X, client.Y);
        // No button-up will come to take the mouse back from a plain press.
        if (GetCapture() == WindowHandle())
            ReleaseCapture();
    }
    TQZXPThemedControl::DoExit();
}

void TCustomQZHeader::CancelMode() {
    if (FAllowDrag && !FPressed && FDropSrc)
        LeftUp(-1, -1);
    if (FResizing)
        LeftUp(-1, -1);
    TQZXPThemedControl::CancelMode();
}

void TCustomQZHeader::DragMessage(TDragMessage DragMsg, TDragRec& DragRec, TMessage& Message) {
    TQZXPThemedControl::DragMessage(DragMsg, DragRec, Message);
    if (DragMsg != dmDragLeave && DragMsg != dmDragDrop && DragMsg != dmDragCancel)
        return;
    TQZHeaderSection* target = FDropTrg;
    FDropTrg = nullptr;
    if (DragMsg == dmDragCancel)
        FDropSrc = nullptr;
    RedrawSectionOf(target);
    Update();
}

bool TCustomQZHeader::HintShow(THintInfo& HintInfo) {
    FHintSection = GetSectionAt(HintInfo.CursorPos.X, HintInfo.CursorPos.Y);
    if (!FHintSection)
        return true;
    std::string text;
    switch (FHintType) {
    case shtMainText:
        text = FHintSection->Text();
        break;
    case shtHintOnly:
        text = FHintSection->Hint;
        break;
    case shtHintOrText:
        text = FHintSection->Hint.empty() ? FHintSection->Text() : FHintSection->Hint;
        break;
    }
    if (!text.empty())
        HintInfo.HintStr = text;
    return true;
}
