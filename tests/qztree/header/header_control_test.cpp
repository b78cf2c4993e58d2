#include "../theme_recorder.h"
#include "header_fixture.h"

#include "qztree/base/colors.h"
#include "rtl/published.h"
#include "rtl/streams.h"
#include "vcl/controls/edit.h"
#include "vcl/core/menus.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"
#include "vcl/user_input.h"

#include <gtest/gtest.h>

namespace {

int VisibleTotal(const TQZHeaderSections& s) {
    int total = 0;
    for (int i = 0; i < s.Count(); ++i)
        if (s.ItemByPos(i)->Visible())
            total += s.ItemByPos(i)->Width();
    return total;
}

uint32_t Rgb(TColor c) {
    return PixelOf(TColor(ColorToRGB(c)));
}

} // namespace

TEST(HeaderLayout, HeightFollowsFontImagesAndFlatness) {
    THeaderOnForm h(1);
    h.At(0)->SetText("");
    h.Header->Font()->SetHeight(13);
    TImageList images(nullptr);
    images.SetSize(16, 16);
    h.Header->SetImages(&images);
    h.Header->SetFlat(true);
    h.Header->AdjustHeaderHeight();
    EXPECT_EQ(h.Header->Height(), 20) << "max(17, 13 + 4, 16 + 4)";
    h.Header->SetFlat(false);
    EXPECT_EQ(h.Header->Height(), 22);
    h.Header->SetLockHeight(true);
    h.Header->SetFlat(true);
    EXPECT_EQ(h.Header->Height(), 22) << "locked height is not computed";
    h.Header->SetImages(nullptr);

    // A section with a sign makes a very low header 17 pixels high.
    h.Header->SetHeight(12);
    h.At(0)->SetFilterEnabled(true);
    EXPECT_EQ(h.Header->Height(), 17);

    // Whoever sizes the window, the rule comes back unless the height is locked.
    h.Header->SetLockHeight(false);
    int ruled = h.Header->Height();
    MoveWindow(h.Header->Handle(), 0, 0, 400, ruled + 30, TRUE);
    EXPECT_EQ(h.Header->Height(), ruled);
    RECT r;
    GetWindowRect(h.Header->Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, ruled);
    h.Header->SetLockHeight(true);
    MoveWindow(h.Header->Handle(), 0, 0, 400, ruled + 30, TRUE);
    EXPECT_EQ(h.Header->Height(), ruled + 30);
}

TEST(HeaderLayout, RectanglesScrollingAndLockedSection) {
    THeaderOnForm h(3);
    h.At(1)->SetVisible(false);
    EXPECT_EQ(h.At(2)->Left(), 100);
    EXPECT_EQ(h.Header->SectionsWidth(), 200);
    h.At(1)->SetVisible(true);
    h.Header->SetLockedSection(h.At(0));
    h.Header->SetLeftPos(30);
    EXPECT_EQ(h.Header->GetSectionAt(10, 5), h.At(0)) << "the locked one stays at the left";
    EXPECT_EQ(h.Header->GetSectionAt(150, 5), h.At(1)) << "the others scroll under it";
    EXPECT_EQ(h.Header->GetSectionAt(290, 5), nullptr);
    EXPECT_EQ(h.Header->GetSectionRect(0).Left, 30);
    EXPECT_EQ(h.Header->GetSectionAt(50, -1), nullptr);

    TQZSectionPart part;
    h.Header->SetLeftPos(0);
    EXPECT_EQ(h.Header->GetSectionAtEx(198, 5, part), h.At(1));
    EXPECT_EQ(part, espResizeArea);
    EXPECT_EQ(h.Header->GetSectionAtEx(202, 5, part), h.At(1)) << "left grip: the neighbour";
    EXPECT_EQ(part, espResizeArea);
    EXPECT_EQ(h.Header->GetSectionAtEx(150, 5, part), h.At(1));
    EXPECT_EQ(part, espText);
    h.At(1)->SetExpandable(true);
    EXPECT_EQ(h.Header->GetSectionAtEx(193, 5, part), h.At(1));
    EXPECT_EQ(part, espExpandSign);

    // A narrow section is not resized by its own grips.
    h.At(1)->SetWidth(14);
    TQZHeaderSection* hit = nullptr;
    EXPECT_FALSE(h.Header->InResizeArea(105, hit));
    EXPECT_TRUE(h.Header->InResizeArea(116, hit)) << "left grip of the right neighbour";
    EXPECT_EQ(hit, h.At(1));
}

TEST(HeaderLayout, StickySectionsFillTheWidth) {
    THeaderOnForm h(3, 400);
    h.At(0)->SetWidth(100);
    h.At(1)->SetWidth(100);
    h.At(2)->SetWidth(199);
    h.Header->SetStickySections(true);
    h.Form->SetWidth(500);
    ASSERT_EQ(h.Header->ClientWidth(), 500);
    EXPECT_EQ(VisibleTotal(*h.Header->Sections()), h.Header->ClientWidth() - 1);
    EXPECT_NEAR(h.At(0)->Width(), 125, 1) << "growth shared by the stored shares";
    EXPECT_NEAR(h.At(2)->Width(), 249, 2);

    // Widening one section narrows those right of it; nothing goes below 0.
    h.At(0)->SetWidth(480);
    EXPECT_EQ(VisibleTotal(*h.Header->Sections()), h.Header->ClientWidth() - 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(h.At(i)->Width(), 0);
    EXPECT_EQ(h.At(0)->Width(), 480);

    // The last section keeps its width.
    int last = h.At(2)->Width();
    h.At(2)->SetWidth(last + 50);
    EXPECT_EQ(h.At(2)->Width(), last);

    // Hiding a section gives its room to the others.
    h.At(0)->SetWidth(200);
    h.At(1)->SetVisible(false);
    EXPECT_EQ(VisibleTotal(*h.Header->Sections()), h.Header->ClientWidth() - 1);
}

TEST(HeaderPaint, EmptyHeaderAndSortMarks) {
    THeaderOnForm empty;
    int w = empty.Header->ClientWidth(), ht = empty.Header->ClientHeight();
    TPaintedPixels blank(empty.Header, w, ht);
    EXPECT_EQ(blank.At(w / 2, ht / 2), Rgb(clBtnFace));
    EXPECT_EQ(blank.At(0, 0), Rgb(clBtnHighlight)) << "one raised area over the width";
    EXPECT_EQ(blank.At(w - 1, ht - 1), Rgb(clBtnShadow));

    THeaderOnForm h(2);
    h.At(0)->SetText("");
    h.At(0)->SetSortMode(hsmAscend);
    int height = h.Header->ClientHeight();
    // The mark's top row: the ascending one has only its tip there, the descending one its
    // whole base.
    auto topRowCorner = [&] {
        TPaintedPixels p(h.Header, 400, height);
        int mid = (1 + (height - 2)) / 2;
        int x = 99 - 4 - 9;
        EXPECT_EQ(p.At(x + 4, mid - 3), Rgb(clBtnShadow));
        return p.At(x, mid - 3);
    };
    EXPECT_EQ(topRowCorner(), Rgb(clBtnFace));
    h.Header->SetInvertSortArrows(true);
    EXPECT_EQ(topRowCorner(), Rgb(clBtnShadow)) << "inverted: the descending mark";

    // Too narrow a section shows no mark and no text.
    h.At(0)->SetWidth(15);
    h.At(0)->SetText("Wide text");
    TPaintedPixels narrow(h.Header, 400, height);
    int dark = 0;
    for (int y = 2; y < height - 2; ++y)
        for (int x = 2; x < 12; ++x)
            dark += narrow.At(x, y) == Rgb(clBtnShadow) || narrow.At(x, y) == 0;
    EXPECT_EQ(dark, 0);
}

TEST(HeaderPaint, FilterColoursRedrawTheirSigns) {
    THeaderOnForm h(3);
    h.At(1)->SetFilterEnabled(true);
    HWND header = h.Header->Handle();
    UpdateWindow(header);
    auto shown = [header](int x, int y) {
        HDC dc = GetDC(header);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(header, dc);
        return TColor(c);
    };
    // Set by name, as a stored form sets them: the sign is drawn again at once.
    SetOrdProp(*h.Header, "FilterColor", clRed);
    EXPECT_EQ(shown(194, 12), clRed) << "the filter triangle";
    h.At(1)->SetFilterIsActive(true);
    SetOrdProp(*h.Header, "ActiveFilterColor", clBlue);
    EXPECT_EQ(shown(194, 12), clBlue);
}

TEST(HeaderPaint, PressedAndHotLooks) {
    THeaderOnForm h(2);
    h.Header->SetTracking(true);
    h.Mouse(WM_MOUSEMOVE, 50, 5);
    h.Header->Perform(CM_MOUSEENTER);
    h.Mouse(WM_MOUSEMOVE, 52, 5);
    EXPECT_EQ(h.Header->TrackSection(), h.At(0));
    h.Mouse(WM_LBUTTONDOWN, 52, 5);
    EXPECT_EQ(h.Header->TrackSection(), nullptr) << "pressing clears the hot section";
    TPaintedPixels p(h.Header, 400, h.Header->ClientHeight());
    EXPECT_EQ(p.At(0, 0), Rgb(cl3DDkShadow)) << "sunken while pressed";
    h.Mouse(WM_LBUTTONUP, 52, 5);
    TPaintedPixels q(h.Header, 400, h.Header->ClientHeight());
    EXPECT_EQ(q.At(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(h.Events, std::vector<std::string>{"click Section 0"});
}

TEST(HeaderMouse, ResizingWithTheLineAndLive) {
    THeaderOnForm h(2);
    std::vector<std::pair<TQZHResizingStates, int>> steps;
    h.Header->OnSectionResizing = [&](TObject*, TQZHeaderSection*, TQZHResizingStates st, int w) {
        steps.push_back({st, w});
    };
    h.At(0)->SetMaxWidth(150);
    h.Mouse(WM_MOUSEMOVE, 98, 5);
    h.Mouse(WM_LBUTTONDOWN, 98, 5);
    EXPECT_TRUE(h.Header->Resizing());
    EXPECT_EQ(GetCapture(), h.Header->Handle());
    h.Mouse(WM_MOUSEMOVE, 128, 5);
    EXPECT_EQ(h.Header->HeaderLine(), 130);
    h.Mouse(WM_MOUSEMOVE, 198, 5);
    EXPECT_EQ(h.Header->HeaderLine(), 130) << "beyond MaxWidth the line stays";
    h.Mouse(WM_LBUTTONUP, 198, 5);
    EXPECT_FALSE(h.Header->Resizing());
    EXPECT_EQ(h.At(0)->Width(), 130);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps.front(), std::make_pair(trsBegin, 100));
    EXPECT_EQ(steps[1], std::make_pair(trsMove, 130));
    EXPECT_EQ(steps.back(), std::make_pair(trsEnd, 130));
    EXPECT_EQ(h.Events.back(), "resize Section 0");

    h.Header->SetResizeOnDrag(true);
    h.Drag(128, 5, 108, 5);
    EXPECT_EQ(h.At(0)->Width(), 110);

    // Double click on a grip asks the owner to fit the column.
    TQZHeaderSection* fitted = nullptr;
    h.Header->OnSectionAutoSize = [&](TObject*, TQZHeaderSection* s) { fitted = s; };
    TPoint grip = h.Header->ClientToScreen(Point(108, 5));
    SetCursorPos(grip.X, grip.Y);
    h.Mouse(WM_LBUTTONDBLCLK, 108, 5);
    h.Mouse(WM_LBUTTONUP, 108, 5);
    EXPECT_EQ(fitted, h.At(0));
}

TEST(HeaderMouse, DraggingSectionsToNewPlaces) {
    THeaderOnForm h(3);
    h.Header->SetAllowDrag(true);
    // Four pixels are not a drag.
    h.Mouse(WM_LBUTTONDOWN, 50, 8);
    h.Mouse(WM_MOUSEMOVE, 54, 8);
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    h.Mouse(WM_MOUSEMOVE, 55, 8);
    EXPECT_EQ(h.Header->DropSource(), h.At(0));
    h.Mouse(WM_MOUSEMOVE, 350, 8);
    h.Mouse(WM_LBUTTONUP, 350, 8);
    EXPECT_EQ(h.At(2)->Text(), "Section 0") << "dropped beyond the last: last place";
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    EXPECT_NE(GetCapture(), h.Header->Handle());

    h.Events.clear();
    h.Drag(150, 8, 160, 8);
    EXPECT_EQ(h.At(1)->Text(), "Section 2") << "dropped on itself: no move";
    EXPECT_TRUE(std::find_if(h.Events.begin(), h.Events.end(), [](const std::string& e) {
                    return e.rfind("move", 0) == 0;
                }) == h.Events.end());

    h.Drag(250, 8, 20, 8);
    EXPECT_EQ(h.At(0)->Text(), "Section 0");
    EXPECT_EQ(h.Events.back(), "move Section 0 2>0");

    // The locked section cannot be dragged; Escape drops at the own place.
    h.Header->SetLockedSection(h.At(0));
    h.Mouse(WM_LBUTTONDOWN, 50, 8);
    h.Mouse(WM_MOUSEMOVE, 90, 8);
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    h.Mouse(WM_LBUTTONUP, 90, 8);
    h.Mouse(WM_LBUTTONDOWN, 150, 8);
    h.Mouse(WM_MOUSEMOVE, 260, 8);
    ASSERT_NE(h.Header->DropSource(), nullptr);
    SendMessageW(h.Header->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    EXPECT_EQ(h.At(1)->Text(), "Section 1");
}

TEST(HeaderMouse, SignsAndClicks) {
    THeaderOnForm h(2);
    h.At(0)->SetExpandable(true);
    std::vector<std::string> events;
    h.Header->OnSectionExpand = [&](TObject*, TQZHeaderSection*) { events.push_back("expand"); };
    h.Header->OnSectionCollapse = [&](TObject*, TQZHeaderSection*) {
        events.push_back("collapse");
    };
    h.Header->OnFilterCall = [&](TObject*, TQZHeaderSection*) { events.push_back("filter"); };
    h.Mouse(WM_LBUTTONDOWN, 93, 5);
    h.Mouse(WM_LBUTTONUP, 93, 5);
    EXPECT_TRUE(h.At(0)->Expanded());
    h.Mouse(WM_LBUTTONDOWN, 93, 5);
    h.Mouse(WM_LBUTTONUP, 93, 5);
    h.At(1)->SetFilterEnabled(true);
    h.Mouse(WM_LBUTTONDOWN, 194, 14);
    h.Mouse(WM_LBUTTONUP, 194, 14);
    EXPECT_EQ(events, (std::vector<std::string>{"expand", "collapse", "filter"}));
    EXPECT_TRUE(h.Events.empty()) << "a sign is no click on the section";

    // A release over another section is no click.
    h.Mouse(WM_LBUTTONDOWN, 30, 5);
    h.Mouse(WM_LBUTTONUP, 150, 5);
    EXPECT_TRUE(h.Events.empty());
    h.At(0)->SetAllowClick(false);
    h.Mouse(WM_LBUTTONDOWN, 30, 5);
    h.Mouse(WM_LBUTTONUP, 30, 5);
    EXPECT_TRUE(h.Events.empty());
}

TEST(HeaderThemes, ThemedStatesAndSwitchingThemesOff) {
    TThemeRecorder themes;
    THeaderOnForm h(2);
    h.Header->SetUseXPThemes(true);
    ASSERT_TRUE(h.Header->IsThemeApplied());
    int height = h.Header->ClientHeight();
    TThemeRecorder::Calls.clear();
    { TPaintedPixels p(h.Header, 400, height); }
    EXPECT_TRUE(TThemeRecorder::Has(HP_HEADERITEM, HIS_NORMAL));
    EXPECT_TRUE(TThemeRecorder::Has(0, 0)) << "the empty area right of the sections";

    // With a theme the section under the mouse is hot even without Tracking.
    h.Header->Perform(CM_MOUSEENTER);
    h.Mouse(WM_MOUSEMOVE, 150, 5);
    EXPECT_EQ(h.Header->TrackSection(), h.At(1));
    TThemeRecorder::Calls.clear();
    { TPaintedPixels p(h.Header, 400, height); }
    EXPECT_TRUE(TThemeRecorder::Has(HP_HEADERITEM, HIS_HOT));
    h.Mouse(WM_LBUTTONDOWN, 150, 5);
    TThemeRecorder::Calls.clear();
    { TPaintedPixels p(h.Header, 400, height); }
    EXPECT_TRUE(TThemeRecorder::Has(HP_HEADERITEM, HIS_PRESSED));
    h.Mouse(WM_LBUTTONUP, 150, 5);

    int opened = TThemeRecorder::Opened;
    EXPECT_EQ(SendMessageW(h.Header->Handle(), WM_THEMECHANGED, 0, 0), 1);
    EXPECT_EQ(TThemeRecorder::Opened, opened + 1) << "opened again on a theme change";

    int closed = TThemeRecorder::Closed;
    HWND before = h.Header->Handle();
    h.Header->SetUseXPThemes(false);
    EXPECT_GT(TThemeRecorder::Closed, closed);
    EXPECT_FALSE(h.Header->IsThemeApplied());
    EXPECT_NE(h.Header->Handle(), before) << "the window is made again";
    TThemeRecorder::Calls.clear();
    { TPaintedPixels p(h.Header, 400, height); }
    EXPECT_TRUE(TThemeRecorder::Calls.empty()) << "classic drawing";
}

namespace {
struct TEdgeCall {
    RECT Rect;
    UINT Edge, Flags;
};
std::vector<TEdgeCall> EdgeCalls;
HRESULT WINAPI RecordEdge(HTHEME, HDC, int, int, const RECT* r, UINT edge, UINT flags, RECT*) {
    EdgeCalls.push_back({*r, edge, flags});
    return S_OK;
}
} // namespace

TEST(HeaderThemes, BevelsAreDrawnByTheTheme) {
    TThemeRecorder themes;
    ThemeApi.DrawThemeEdge = &RecordEdge;
    THeaderOnForm h(2);
    h.Header->SetUseXPThemes(true);
    EdgeCalls.clear();
    h.Header->SetBevelKind(bkTile);
    h.Header->SetBevelInner(bvRaised);
    h.Header->SetBevelOuter(bvLowered);
    h.Header->SetBevelWidth(2);
    RedrawWindow(h.Header->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    ASSERT_FALSE(EdgeCalls.empty());
    const TEdgeCall& call = EdgeCalls.back();
    RECT window;
    GetWindowRect(h.Header->Handle(), &window);
    EXPECT_EQ(call.Rect.left, 0);
    EXPECT_EQ(call.Rect.top, 0);
    EXPECT_EQ(call.Rect.right, window.right - window.left) << "two bevels of 2 on each side";
    EXPECT_EQ(call.Rect.bottom, window.bottom - window.top);
    EXPECT_EQ(call.Edge, unsigned(BDR_RAISEDINNER | BDR_SUNKENOUTER));
    EXPECT_EQ(call.Flags & (BF_RECT | BF_ADJUST), unsigned(BF_RECT | BF_ADJUST));
    EXPECT_EQ(call.Flags & BF_FLAT, 0u);
}

TEST(HeaderHints, TextByHintType) {
    THeaderOnForm h(2);
    h.At(0)->Hint = "about the first";
    auto hintAt = [&](int x) {
        THintInfo info;
        info.HintControl = h.Header;
        info.CursorPos = Point(x, 5);
        info.HintStr = "control hint";
        h.Header->Perform(CM_HINTSHOW, 0, intptr_t(&info));
        return info.HintStr;
    };
    EXPECT_EQ(hintAt(50), "about the first");
    EXPECT_EQ(h.Header->HintSection(), h.At(0));
    EXPECT_EQ(hintAt(150), "control hint") << "no hint of its own: the control's stays";
    h.Header->SetHintType(shtHintOrText);
    EXPECT_EQ(hintAt(150), "Section 1");
    h.Header->SetHintType(shtMainText);
    EXPECT_EQ(hintAt(50), "Section 0");
    h.Header->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(h.Header->HintSection(), nullptr);
}

TEST(HeaderLayout, StickyFixedSectionsGiveBackTheirWidth) {
    THeaderOnForm h(3, 400);
    h.At(0)->SetWidth(100);
    h.At(1)->SetWidth(100);
    h.At(2)->SetWidth(199);
    h.At(2)->SetResizable(false);
    h.Header->SetStickySections(true);
    // Narrowed below the fixed section's width, the fixed section gives way and remembers.
    h.Form->SetWidth(120);
    EXPECT_EQ(VisibleTotal(*h.Header->Sections()), 119);
    EXPECT_LT(h.At(2)->Width(), 199);
    EXPECT_EQ(h.At(2)->SaveSize(), 199);
    h.Form->SetWidth(400);
    EXPECT_EQ(h.At(2)->Width(), 199) << "given back when there is room again";
    EXPECT_EQ(h.At(2)->SaveSize(), -1);
    EXPECT_EQ(VisibleTotal(*h.Header->Sections()), 399);
}

TEST(HeaderLayout, MeasuredWidths) {
    THeaderOnForm h(2);
    int textWidth = 0, textHeight = 0;
    int w = h.Header->MeasureSectionWidth(h.At(0), &textWidth, &textHeight);
    EXPECT_GT(textWidth, 0);
    EXPECT_EQ(w, 10 + 12 + 5 + textWidth);
    h.At(0)->SetExpandable(true);
    EXPECT_EQ(h.Header->MeasureSectionWidth(h.At(0)), w + 8);
    h.At(1)->SetStyle(QZhsOwnerDraw);
    h.Header->OnMeasureSection = [](TObject*, TQZHeaderSection*, TPoint& size) {
        size = Point(40, 30);
    };
    int ownerHeight = 0;
    EXPECT_EQ(h.Header->MeasureSectionWidth(h.At(1), nullptr, &ownerHeight), 10 + 17 + 40);
    EXPECT_EQ(ownerHeight, 30);
    h.At(1)->SetMinWidth(90);
    EXPECT_EQ(h.Header->MeasureSectionWidth(h.At(1)), 90);
}

namespace {
// A header read from a form's resource: loading until its owner is done.
class TLoadingHeader : public TQZHeader {
public:
    using TComponent::BeginLoading;
    using TComponent::EndLoading;
    using TQZHeader::TQZHeader;
};
} // namespace

TEST(HeaderLoading, LoadedResolvesMenusAndAppliesStoredOrder) {
    THeaderOnForm h;
    auto* menu = new TPopupMenu(h.Form.get());
    menu->SetName("pmColumns");
    auto* header = new TLoadingHeader(h.Form.get());
    header->SetParent(h.Form.get());
    h.Header = header;
    header->BeginLoading();
    for (int i = 0; i < 3; ++i)
        h.Header->Sections()->AddSection()->SetText("S" + std::to_string(i));
    h.Header->SetRightAlignedOrder(true);
    EXPECT_EQ(h.At(0)->Text(), "S0") << "nothing reversed while loading";
    h.Header->Sections()->SetSectionsOrder("i2:w10:vf,");
    EXPECT_EQ(h.At(2)->Width(), 120) << "the order text waits for the end of loading";
    TMemoryStream stream;
    h.Header->Sections()->ItemByPos(1)->SetPopupMenu(menu);
    h.Header->Sections()->WriteData(stream);
    stream.SetPosition(0);
    h.Header->Sections()->ReadData(stream);
    EXPECT_EQ(h.At(1)->PopupMenu(), nullptr);
    EXPECT_EQ(h.At(1)->PopupName(), "pmColumns");
    header->EndLoading();
    EXPECT_EQ(h.At(1)->PopupMenu(), menu);
    EXPECT_EQ(h.At(0)->Text(), "S2") << "the stored right-to-left order applied once";
    menu->Free();
    EXPECT_EQ(h.At(1)->PopupMenu(), nullptr) << "a freed menu is forgotten";
}

TEST(HeaderMouse, CancelModeAndGoingSectionsEndWhatRuns) {
    THeaderOnForm h(3);
    h.Header->SetAllowDrag(true);
    h.Mouse(WM_LBUTTONDOWN, 150, 8);
    h.Mouse(WM_MOUSEMOVE, 170, 8);
    ASSERT_EQ(h.Header->DropSource(), h.At(1));
    SendMessageW(h.Header->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    EXPECT_NE(GetCapture(), h.Header->Handle());

    h.Mouse(WM_MOUSEMOVE, 98, 5);
    h.Mouse(WM_LBUTTONDOWN, 98, 5);
    ASSERT_TRUE(h.Header->Resizing());
    SendMessageW(h.Header->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(h.Header->Resizing());

    // The dragged section deleted mid-drag: the drag ends with it.
    h.Mouse(WM_LBUTTONDOWN, 150, 8);
    h.Mouse(WM_MOUSEMOVE, 170, 8);
    ASSERT_NE(h.Header->DropSource(), nullptr);
    h.Header->Sections()->DeleteSection(h.Header->DropSource());
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    EXPECT_EQ(h.Header->DropTarget(), nullptr);
    EXPECT_NE(GetCapture(), h.Header->Handle());
    h.Mouse(WM_LBUTTONUP, 170, 8);
    EXPECT_EQ(h.Header->Sections()->Count(), 2);

    // The looked-up section deleted while its editor is open: the editor closes.
    std::vector<bool> done;
    h.Header->OnHeaderLookupDone = [&](TObject*, TQZHeaderSection* s, const std::string&,
                                       bool accepted) { done.push_back(accepted); };
    h.At(1)->SetLookupEnabled(true);
    h.Header->OpenLookup(h.At(1));
    ASSERT_TRUE(h.Header->DoingLookup());
    h.Header->Sections()->DeleteSection(h.At(1));
    EXPECT_FALSE(h.Header->DoingLookup());
    EXPECT_EQ(h.Header->LookupSection(), nullptr);
    EXPECT_EQ(done, std::vector<bool>{false});
}

TEST(HeaderMouse, FreedMidResizeOrMidDrag) {
    for (bool drag : {false, true}) {
        THeaderOnForm h(2);
        h.Header->SetAllowDrag(true);
        if (drag) {
            h.Mouse(WM_LBUTTONDOWN, 50, 8);
            h.Mouse(WM_MOUSEMOVE, 80, 8);
            ASSERT_NE(h.Header->DropSource(), nullptr);
        } else {
            h.Mouse(WM_MOUSEMOVE, 98, 5);
            h.Mouse(WM_LBUTTONDOWN, 98, 5);
            ASSERT_TRUE(h.Header->Resizing());
        }
        HWND header = h.Header->Handle();
        h.Form.reset();
        EXPECT_NE(GetCapture(), header);
        EXPECT_FALSE(IsWindow(header));
    }
}

namespace {
// The real cursor at a client point of the header, and a move posted there, as the mouse makes.
void MoveMouse(THeaderOnForm& h, int x, int y, uintptr_t keys) {
    POINT p{x, y};
    ClientToScreen(h.Header->Handle(), &p);
    SetCursorPos(p.x, p.y);
    PostMouse(h.Header->Handle(), WM_MOUSEMOVE, x, y, keys);
}

bool PaintedPressed(THeaderOnForm& h) {
    TThemeRecorder::Calls.clear();
    TPaintedPixels painted(h.Header, 400, h.Header->ClientHeight());
    return TThemeRecorder::Has(HP_HEADERITEM, HIS_PRESSED);
}
} // namespace

TEST(HeaderMouse, APressThatLeavesAndComesBackIsAPressAgain) {
    TThemeRecorder themes;
    THeaderOnForm h(3);
    h.Header->SetUseXPThemes(true);
    h.Header->SetAllowDrag(true);
    HWND header = h.Header->Handle();
    // Pressed near the bottom edge and moved four pixels out: no drag yet, but outside, where
    // the system tells the header that the mouse has left it.
    int bottom = h.Header->ClientHeight() - 2;
    MoveMouse(h, 150, bottom, 0);
    PostMouse(header, WM_LBUTTONDOWN, 150, bottom, MK_LBUTTON);
    EXPECT_TRUE(PaintedPressed(h));
    PostMouse(header, WM_MOUSEMOVE, 150, bottom + 4, MK_LBUTTON);
    PostMouse(header, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(PaintedPressed(h)) << "shown released outside";
    EXPECT_EQ(h.Header->DropSource(), nullptr);
    // Back on it: pressed again, and moving on drags it.
    PostMouse(header, WM_MOUSEMOVE, 150, bottom, MK_LBUTTON);
    EXPECT_TRUE(PaintedPressed(h));
    PostMouse(header, WM_MOUSEMOVE, 170, 8, MK_LBUTTON);
    EXPECT_EQ(h.Header->DropSource(), h.At(1));
    PostMouse(header, WM_LBUTTONUP, 170, 8);
    EXPECT_EQ(h.Header->DropSource(), nullptr);

    // A finished click is not pressed again when the mouse comes back.
    PostClick(header, 150, 8);
    PostMouse(header, WM_MOUSELEAVE, 0, 0);
    PostMouse(header, WM_MOUSEMOVE, 150, 8);
    EXPECT_FALSE(PaintedPressed(h));
}

TEST(HeaderMouse, LosingTheFocusEndsAPressResizeOrDragWithAMouseUp) {
    THeaderOnForm h(3);
    h.Header->SetAllowDrag(true);
    auto* edit = new TEdit(h.Form.get());
    edit->SetParent(h.Form.get());
    edit->SetBounds(10, 100, 100, 24);
    std::vector<std::string> ups;
    h.Header->OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        ups.push_back(button == mbLeft ? "left" : "other");
    };
    HWND header = h.Header->Handle();
    int edge = h.At(0)->Right();
    struct TCase {
        const char* Name;
        int X, MoveX;
    };
    for (TCase c : {TCase{"press", 150, 150}, TCase{"resize", edge - 2, edge + 10},
                    TCase{"drag", 150, 180}}) {
        ups.clear();
        h.Header->SetFocus();
        ASSERT_EQ(GetFocus(), header) << c.Name;
        PostMouse(header, WM_MOUSEMOVE, c.X, 8);
        PostMouse(header, WM_LBUTTONDOWN, c.X, 8, MK_LBUTTON);
        PostMouse(header, WM_MOUSEMOVE, c.MoveX, 8, MK_LBUTTON);
        edit->SetFocus();
        PumpMessages();
        EXPECT_EQ(ups, std::vector<std::string>{"left"}) << c.Name;
        EXPECT_FALSE(h.Header->Resizing()) << c.Name;
        EXPECT_EQ(h.Header->DropSource(), nullptr) << c.Name;
        EXPECT_NE(GetCapture(), header) << c.Name;
    }
}

TEST(HeaderMouse, TheFilterSignOfAFixedSectionWinsOverItsGrip) {
    THeaderOnForm h(2);
    std::vector<std::string> calls;
    h.Header->OnFilterCall = [&](TObject*, TQZHeaderSection* s) { calls.push_back(s->Text()); };
    h.At(0)->SetFilterEnabled(true);
    h.At(0)->SetResizable(false);
    HWND header = h.Header->Handle();
    int r = h.At(0)->Right() - 4;
    // Inside the grip (the last five pixels), inside the sign's box.
    PostClick(header, r - 1, 14);
    EXPECT_EQ(calls, std::vector<std::string>{"Section 0"});
    EXPECT_FALSE(h.Header->Resizing());
    // The box starts at R - 6: a pixel further left is a click on the section.
    PostClick(header, r - 7, 14);
    PostClick(header, r - 6, 14);
    EXPECT_EQ(calls, (std::vector<std::string>{"Section 0", "Section 0"}));
    EXPECT_EQ(h.Events.back(), "click Section 0");
}

namespace {
// What the header shows on the screen now.
std::vector<uint32_t> ScreenPixels(HWND window, int width, int height) {
    TBitmap shot(width, height);
    HDC dc = GetDC(window);
    BitBlt(shot.DC(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(shot.ScanLine(y)[x] & 0xFFFFFF);
    return pixels;
}
} // namespace

TEST(HeaderMouse, TheDragImageLeavesNoEdgeAndNoStaleStrip) {
    THeaderOnForm h(3);
    h.Header->SetAllowDrag(true);
    h.Header->SetMoveOnDrag(true);
    HWND header = h.Header->Handle();
    int height = h.Header->ClientHeight();
    PostMouse(header, WM_MOUSEMOVE, 150, 8);
    PostMouse(header, WM_LBUTTONDOWN, 150, 8, MK_LBUTTON);
    PostMouse(header, WM_MOUSEMOVE, 173, 8, MK_LBUTTON);
    ASSERT_EQ(h.Header->DropSource(), h.At(1));
    // The image of the section spans 123..222; the column after it is the header's own.
    std::vector<uint32_t> screen = ScreenPixels(header, 400, height);
    int white = 0;
    for (int y = 3; y < height - 3; ++y)
        white += screen[size_t(y * 400 + 223)] == 0xFFFFFF;
    EXPECT_EQ(white, 0) << "no white edge right of the image";

    // Over the third section the dragged one moves: the header is drawn anew, and what lies
    // left of the image is the new order, not what was saved under the image before.
    PostMouse(header, WM_MOUSEMOVE, 260, 8, MK_LBUTTON);
    ASSERT_EQ(h.At(2), h.Header->DropSource());
    screen = ScreenPixels(header, 400, height);
    TPaintedPixels painted(h.Header, 400, height);
    int stale = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 105; x < 200; ++x)
            stale += screen[size_t(y * 400 + x)] != painted.At(x, y);
    EXPECT_EQ(stale, 0);
    PostMouse(header, WM_LBUTTONUP, 260, 8);
}

TEST(HeaderMouse, TheSplitCursorGoesWhenTheHeaderIsFreedHiddenOrLeft) {
    for (std::string way : {"freed", "hidden", "hidden resizing", "left"}) {
        THeaderOnForm h(2);
        const int grip = h.At(0)->Right() - 2;
        MoveMouse(h, grip, 5, 0);
        ASSERT_EQ(GetCursor(), HeaderSplitCursor()) << way;
        HWND header = h.Header->Handle();
        int y = 5;
        if (way == "freed") {
            h.Header->Free();
        } else if (way == "left") {
            y = 100;
        } else {
            if (way == "hidden resizing")
                PostMouse(header, WM_LBUTTONDOWN, grip, 5, MK_LBUTTON);
            h.Header->Hide();
            EXPECT_FALSE(h.Header->Resizing()) << way;
            EXPECT_NE(GetCapture(), header) << way;
        }
        // The real pointer moves on over the form: the form chooses the cursor now.
        POINT p{grip + 1, y};
        ClientToScreen(h.Form->Handle(), &p);
        SetCursorPos(p.x, p.y);
        PumpMessages();
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << way;
        EXPECT_EQ(Screen->Cursor(), crDefault) << way;
    }
}
