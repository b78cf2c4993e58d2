// Painting of the header: every visible section with its frame, signs, sort mark, image and
// text, the locked section last, the empty area right of the sections.
#include "qztree/header/header.h"

#include "qztree/base/colors.h"
#include "qztree/base/draw.h"
#include "rtl/wide_text.h"
#include "vcl/base/win_api.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/gdi_objects.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <vector>

namespace {

TColor CornerColor(const TBitmap& bmp, int x, int y) {
    uint32_t p = bmp.ScanLine(y)[x] & 0xFFFFFF;
    return TColor((p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16);
}

void DrawGlyph(HDC dc, THeaderGlyph glyph, int x, int y, int maxBottom, int transparentRow) {
    const TBitmap& bmp = HeaderGlyph(glyph);
    int h = std::min(bmp.Height(), maxBottom - y);
    if (h <= 0)
        return;
    DrawTransparentBitmapEx(dc, bmp, x, y, Rect(0, 0, bmp.Width(), h),
                            CornerColor(bmp, 0, transparentRow));
}

} // namespace

class THeaderPainter {
public:
    THeaderPainter(TCustomQZHeader& header, TCanvas* canvas)
        : H(header), Canvas(canvas), DC(canvas->Handle()) {}

    void Section(TQZHeaderSection* s, TRect r, bool dithered) {
        TColor back = s->ParentColor() ? H.Color() : s->Color();
        if (dithered)
            back = DarkenedColor(back, 252);
        Canvas->Brush()->SetColor(back);
        Canvas->Brush()->SetStyle(bsSolid);
        int state = ThemeState(s, dithered);
        bool pressed = state == HIS_PRESSED;
        if (Themed()) {
            RECT rr = ToRECT(r);
            ThemeApi.DrawThemeBackground(H.Theme(), DC, HP_HEADERITEM, state, &rr, nullptr);
        } else {
            r = ClassicFrame(r, pressed);
        }
        r.Left += 1;
        r.Top += 1;
        r.Bottom -= 1;
        r.Right -= 4;
        Signs(s, r);
        SortMark(s, r);
        r.Left += 5;
        if (r.Right >= r.Left)
            Content(s, r, state);
    }

private:
    bool Themed() const { return H.IsThemeApplied() && ThemeApi.DrawThemeBackground; }

    bool IsPressedDown(TQZHeaderSection* s) const { return s == H.FPressedItem && H.FPressed; }

    int ThemeState(TQZHeaderSection* s, bool dithered) const {
        if (IsPressedDown(s) || (s == H.FDropSrc && !dithered))
            return HIS_PRESSED;
        if (s == H.FTrackSection || (s == H.FDropSrc && dithered))
            return HIS_HOT;
        return HIS_NORMAL;
    }

    void Edge(TRect r, unsigned edge, unsigned flags) {
        RECT rr = ToRECT(r);
        DrawEdge(DC, &rr, edge, flags);
    }

    // The classic raised or sunken frame; returns the content rectangle.
    TRect ClassicFrame(TRect r, bool pressed) {
        Canvas->FillRect(r);
        if (!pressed) {
            if (H.FFlat) {
                Edge(r, BDR_RAISEDINNER, BF_RECT);
            } else {
                Edge(r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
                TRect inner = Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
                Edge(inner, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
                Edge(Rect(inner.Left + 1, inner.Top + 1, inner.Right, inner.Bottom),
                     BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
                r = inner;
            }
            return r;
        }
        if (H.FFlat) {
            Edge(r, BDR_SUNKENOUTER, BF_RECT);
        } else {
            Edge(r, BDR_SUNKENINNER, BF_LEFT | BF_TOP);
            Edge(r, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
        }
        return r.Inflate(-1, -1).Offset(1, 1);
    }

    void Signs(TQZHeaderSection* s, TRect& r) {
        if (!(s->Expandable() || s->LookupEnabled() || s->FilterEnabled()) || r.Left + 7 >= r.Right)
            return;
        if (s->Expandable())
            DrawArrow(Canvas, s->Expanded() ? eadLeft : eadRight,
                      Rect(r.Right - 5, r.Top, r.Right, r.Top + 7), true, clBtnText);
        if (s->LookupEnabled()) {
            DrawGlyph(DC, hgPoint, r.Right - 5, r.Top + 10, std::min(r.Top + 14, r.Bottom) + 1, 0);
        } else if (s->FilterEnabled()) {
            TColor color = s->FilterIsActive() ? H.FActiveFilterColor : H.FFilterColor;
            TColor pen = Canvas->Pen()->Color(), brush = Canvas->Brush()->Color();
            Canvas->Pen()->SetColor(color);
            Canvas->Brush()->SetColor(color);
            Canvas->Polygon({{r.Right - 4, r.Top + 10},
                             {r.Right, r.Top + 10},
                             {r.Right - 2, std::min(r.Top + 14, r.Bottom)}});
            Canvas->Pen()->SetColor(pen);
            Canvas->Brush()->SetColor(brush);
        }
        r.Right -= 8;
    }

    void SortMark(TQZHeaderSection* s, TRect& r) {
        if (s->SortMode() == hsmNone || !s->ShowSortMark())
            return;
        if (r.Right - 8 < r.Left + 5) {
            r.Right = r.Left + 5;
            return;
        }
        r.Right -= 9;
        int mid = (r.Top + r.Bottom) / 2;
        bool ascending = (s->SortMode() == hsmAscend) != H.FInvertSortArrows;
        DrawGlyph(DC, ascending ? hgAscending : hgDescending, r.Right, mid - 3, mid + 3, 5);
        r.Right -= 3;
    }

    int ImageOf(TQZHeaderSection* s) {
        if (!H.FImages)
            return -1;
        int image = s->ImageIndex() == -1 ? H.DoGetPicture(s) : s->ImageIndex();
        return image >= 0 && image < H.FImages->Count() ? image : -1;
    }

    // An image at x, vertically centred, clipped to r.
    void Image(int image, int x, const TRect& r) {
        TSavedDC saved(DC);
        IntersectClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
        int y = r.Top + (r.Height() - H.FImages->Height()) / 2;
        H.FImages->Draw(Canvas, x, y, image);
    }

    void Content(TQZHeaderSection* s, TRect r, int state) {
        int image = ImageOf(s);
        switch (s->Style()) {
        case QZhsPictureOnly:
            if (image >= 0) {
                TRect place;
                CenterRects(H.FImages->Width(), r.Width(), H.FImages->Height(), place, r.Height());
                Image(image, r.Left + place.Left, r);
            }
            return;
        case QZhsText:
            if (image >= 0 && s->PictureAlign == hsaLeft) {
                Image(image, r.Left, r);
                r.Left += H.FImages->Width();
            }
            r.Left += Text(s, r, state) + 3;
            break;
        case QZhsOwnerDraw:
            H.DoSectionDraw(Canvas, s, r, IsPressedDown(s));
            break;
        }
        if (image >= 0 && s->PictureAlign == hsaRight && r.Right >= r.Left)
            Image(image, r.Left, r);
    }

    // Draws the text; returns its width.
    int Text(TQZHeaderSection* s, const TRect& r, int state) {
        TQZSAlignment align = s->Alignment();
        if (H.FRightAlignedText && align != hsaCenter)
            align = align == hsaLeft ? hsaRight : hsaLeft;
        unsigned flags = DT_NOPREFIX;
        flags |= align == hsaLeft ? DT_LEFT : align == hsaCenter ? DT_CENTER : DT_RIGHT;
        flags |= s->TextLayout() == tlTop      ? DT_TOP
                 : s->TextLayout() == tlCenter ? DT_VCENTER
                                               : DT_BOTTOM;
        if (H.FRightAlignedText)
            flags |= DT_RTLREADING;
        if (H.FWrapCaptions)
            flags |= DT_WORDBREAK;
        else if (s->Text().find("\r\n") == std::string::npos)
            flags |= DT_SINGLELINE | DT_END_ELLIPSIS;
        TRect measured = r;
        Canvas->Font()->Assign(H.Font());
        Canvas->DrawText(s->Text(), measured, flags | DT_CALCRECT);
        TRect place = r;
        if (Themed() && ThemeApi.DrawThemeText) {
            std::wstring text = ToWide(s->Text());
            RECT rr = ToRECT(place);
            ThemeApi.DrawThemeText(H.Theme(), DC, HP_HEADERITEM, state, text.c_str(),
                                   int(text.size()), flags, 0, &rr);
            return measured.Width();
        }
        Canvas->Brush()->SetStyle(bsClear);
        if (s == H.FTrackSection) {
            Canvas->Font()->SetColor(clHighlight);
            Canvas->Font()->SetStyle(Canvas->Font()->Style().Include(fsUnderline));
        } else {
            Canvas->Font()->SetColor(s->ParentColor() ? H.Font()->Color() : s->FontColor());
        }
        Canvas->DrawText(s->Text(), place, flags);
        Canvas->Brush()->SetStyle(bsSolid);
        return measured.Width();
    }

    TCustomQZHeader& H;
    TCanvas* Canvas;
    HDC DC;
};

void TCustomQZHeader::RedrawSection(TCanvas* ACanvas, TQZHeaderSection* Section, const TRect& R,
                                    bool Dithered) {
    THeaderPainter(*this, ACanvas).Section(Section, R, Dithered);
}

void TCustomQZHeader::Paint() {
    FPainting = true;
    RedrawSections();
    FPainting = false;
}

void TCustomQZHeader::RedrawSections() {
    TRect clip = Canvas()->ClipRect();
    auto intersects = [&clip](const TRect& r) {
        return r.Left < clip.Right && clip.Left < r.Right && r.Top < clip.Bottom &&
               clip.Top < r.Bottom;
    };
    auto paint = [&](TQZHeaderSection* s, int left) {
        TRect r = Rect(left, 0, left + s->Width(), ClientHeight()).Offset(-ScreenOffset(s), 0);
        if (intersects(r))
            RedrawSection(Canvas(), s, r, false);
    };
    // Left edges are summed on the way: asking each section for its own costs a pass per section.
    std::vector<bool> shown = FSections->VisibleFlags();
    int left = 0;
    for (int i = 0; i < FSections->Count(); ++i) {
        TQZHeaderSection* s = FSections->ItemByPos(i);
        if (!shown[size_t(i)])
            continue;
        if (s != FLockedSection)
            paint(s, left);
        left += s->Width();
    }
    if (FLockedSection && FLockedSection->Visible())
        paint(FLockedSection, FLockedSection->Left());
    TRect rest = Rect(SectionsWidth() - FHPos, 0, ClientWidth(), ClientHeight());
    if (rest.IsEmpty())
        return;
    HDC dc = Canvas()->Handle();
    RECT rr = ToRECT(rest);
    if (IsThemeApplied() && ThemeApi.DrawThemeBackground) {
        ThemeApi.DrawThemeBackground(Theme(), dc, 0, 0, &rr, nullptr);
        return;
    }
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(rest);
    DrawEdge(dc, &rr, BDR_RAISEDINNER, BF_RECT);
}
