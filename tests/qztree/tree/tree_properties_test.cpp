// The tree's options as forms reach them by name, its hint and cursors as the view passes them
// to the user, the header's font, and the border the tree draws itself.
#include "../tree_window.h"

#include "qztree/base/hint_window.h"
#include "qztree/header/header.h"
#include "qztree/scroll_bar/scroll_bar_styles.h"
#include "qztree/tree/tree.h"
#include "rtl/published.h"
#include "rtl/string_list.h"
#include "vcl/core/application.h"
#include "vcl/core/hint_window.h"
#include "vcl/core/screen.h"
#include "vcl/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A published value as a form stores it: names for Booleans and enumerations, numbers else.
std::string PublishedText(const TObject& Object, const std::string& Name) {
    const TPropInfo& p = GetPropInfo(Object, Name);
    switch (p.Kind) {
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
        return p.Names.at(size_t(p.GetOrd(Object)));
    case TPropKind::Integer:
    case TPropKind::Set:
        return std::to_string(p.GetOrd(Object));
    case TPropKind::String:
        return p.GetStr(Object);
    default:
        return "?";
    }
}

std::string N(int Value) {
    return std::to_string(Value);
}

} // namespace

TEST(TreePublished, EveryOptionIsFoundByNameWithItsDefault) {
    auto tree = MakeOwned<TQZTree>();
    const std::map<std::string, std::string> defaults = {
        {"ShowColumns", "False"},
        {"MainTreeColumn", "0"},
        {"SelectColumn", "-1"},
        {"ItemIndent", "17"},
        {"LineHeight", N(tree->DefineLineHeight())},
        {"AutoLineHeight", "True"},
        {"AdjustMultilineHeight", "True"},
        {"CheckBoxSize", "15"},
        {"ShowButtons", "True"},
        {"ShowLines", "True"},
        {"ShowRoot", "False"},
        {"ShowRootButtons", "True"},
        {"ShowLeafButton", "False"},
        {"ShowImages", "True"},
        {"ShowEmptyImages", "False"},
        {"ShowEmptyImages2", "False"},
        {"ShowCheckboxes", "False"},
        {"CustomPlusMinus", "False"},
        {"CustomCheckboxes", "False"},
        {"PlusMinusTransparent", "False"},
        {"ChangeStateImage", "False"},
        {"HorizontalLines", "False"},
        {"VerticalLines", "False"},
        {"BarStyle", "False"},
        {"BarStyleVerticalLines", "False"},
        {"VerticalLinesLong", "True"},
        {"LinesColor", N(clBtnFace)},
        {"LinesStyle", "psDot"},
        {"HorzDivLinesColor", N(clBtnFace)},
        {"VertDivLinesColor", N(clBtnFace)},
        {"RowSelect", "True"},
        {"FullRowSelect", "True"},
        {"DrawFocusRect", "True"},
        {"HideFocusRect", "False"},
        {"HideSelection", "False"},
        {"RowHotTrack", "False"},
        {"Tracking", "False"},
        {"NoBlendSelected", "False"},
        {"BkColor", N(clWindow)},
        {"BackgroundType", "bgtColorFill"},
        {"GradientStartColor", N(clBlack)},
        {"GradientEndColor", N(clBlack)},
        {"GradientSteps", "64"},
        {"ScrollBackground", "False"},
        {"StripedItems", "False"},
        {"StripedOddColor", N(clBtnShadow)},
        {"StripedEvenColor", N(clBtnHighlight)},
        {"BorderStyle", "bsSingle"},
        {"BorderSides", N(int(AllBorderSides.Bits()))},
        {"Flat", "False"},
        {"ActiveBorderType", "fbtSunken"},
        {"InactiveBorderType", "fbtSunkenOuter"},
        {"LineBorderActiveColor", N(clBlack)},
        {"LineBorderInactiveColor", N(clBlack)},
        {"FlatFocusedScrollbars", "True"},
        {"UseCustomScrollBars", "True"},
        {"ForcedScrollBars", "0"},
        {"HideHorzScrollBar", "False"},
        {"HideVertScrollBar", "False"},
        {"ScrollbarOpposite", "False"},
        {"RightAlignedTree", "False"},
        {"RightAlignedText", "False"},
        {"MultiSelect", "False"},
        {"MultiSelectLevel", "-1"},
        {"SelectionMode", "smUsual"},
        {"AlwaysKeepSelection", "True"},
        {"AlwaysKeepFocus", "False"},
        {"KeepSelectionWithinLevel", "False"},
        {"DeselectChildrenOnCollapse", "False"},
        {"RightClickSelect", "True"},
        {"MouseFrameSelect", "True"},
        {"IgnoreEnabled", "False"},
        {"AutoExpand", "False"},
        {"AutoCollapse", "False"},
        {"MoveFocusOnCollapse", "False"},
        {"ChangeDelay", "500"},
        {"SortMode", "smNone"},
        {"SortSection", "0"},
        {"SortType", "stText"},
        {"SortDir", "sdAscend"},
        {"SortUseCase", "True"},
        {"FilteredVisibility", "False"},
        {"VirtualityLevel", "vlNone"},
        {"DblClickMode", "dcmExpand"},
        {"ExpandOnDblClick", "True"},
        {"DragType", "dtVornel"},
        {"DragAllowed", "False"},
        {"ExpandOnDragOver", "False"},
        {"DragImageMode", "dimNever"},
        {"DragTrgDrawMode", "SelColorRect"},
        {"DragRectAcceptColor", N(clGreen)},
        {"DragRectDenyColor", N(clRed)},
        {"DragScrollInterval", "100"},
        {"DragExpandDelay", "500"},
        {"Cursor", N(crArrow)},
        {"DragCursor", N(crDrag)},
        {"IncrementalSearch", "False"},
        {"AutoLookup", "False"},
        {"LineHintMode", "shmLong"},
        {"LineHintType", "lhtSmart"},
        {"LineHintTimeout", "3000"},
        {"LineHintColor", N(clWindow)},
        {"HideHintOnMove", "True"},
        {"HideHintOnTimer", "False"},
        {"UseSystemHintColors", "False"},
        {"Hint", ""},
        {"OwnerDrawByColumn", "True"},
        {"OwnerDrawMask", "~~@~~"},
        {"PathSeparator", "\\"},
        {"DoInplaceEdit", "False"},
        {"QuickEditMode", "False"},
        {"ExplorerEditMode", "False"},
        {"InplaceEditorDelay", "500"},
        {"MainTextType", "sftText"},
        {"HintType", "shtHintOrText"},
        {"ScrollTracking", "False"},
        {"AutoResizeColumns", "True"},
        {"ImageTextDelta", "0"},
        {"DoubleBuffered", "True"},
        {"UseXPThemes", "True"},
        {"HeaderHotTrack", "False"},
        {"HeaderUseTreeFont", "True"},
        {"HeaderHintType", PublishedText(*tree, "HeaderHintType")},
    };
    for (const auto& [name, text] : defaults)
        EXPECT_EQ(PublishedText(*tree, name), text) << name;
    // The header's own options are the header's values.
    EXPECT_EQ(GetOrdProp(*tree, "HeaderColor"), tree->Header()->Color());
    EXPECT_EQ(GetOrdProp(*tree, "DefaultSectionWidth"), tree->Header()->DefaultWidth());
    EXPECT_EQ(GetObjectProp(*tree, "HeaderFont"), tree->HeaderFont());
    EXPECT_EQ(GetObjectProp(*tree, "VertScrollBarStyles"), tree->VertScrollBarStyles());
    EXPECT_EQ(GetObjectProp(*tree, "Images"), nullptr);
    // One entry per name, though the tree publishes the hint again.
    int hints = 0;
    for (const TPropInfo* p : tree->ClassInfo().Properties())
        hints += p->Name == "Hint";
    EXPECT_EQ(hints, 1);
}

TEST(TreePublished, ValuesSetByNameTakeEffectThroughTheSetters) {
    auto published = MakeOwned<TQZTree>();
    const TPropInfo& dbl = GetPropInfo(*published, "DblClickMode");
    dbl.SetOrd(*published, dcmNone);
    EXPECT_FALSE(published->ExpandOnDblClick()) << "the setter's side effect";
    const TPropInfo& indent = GetPropInfo(*published, "ItemIndent");
    indent.SetOrd(*published, 30);
    EXPECT_EQ(published->ItemIndent(), 30);
    EXPECT_EQ(published->LineHeight(), published->DefineLineHeight());
    GetPropInfo(*published, "BorderSides")
        .SetOrd(*published, intptr_t(TQZBorderSides{ebsTop}.Bits()));
    EXPECT_EQ(published->BorderSides(), TQZBorderSides{ebsTop});
    GetPropInfo(*published, "ForcedScrollBars")
        .SetOrd(*published, intptr_t(TQZScrollBarSides{sbsVertical}.Bits()));
    EXPECT_TRUE(published->ForcedScrollBars().Contains(sbsVertical));
    SetStrProp(*published, "PathSeparator", "/");
    EXPECT_EQ(published->PathSeparator(), '/');
    SetStrProp(*published, "PathSeparator", "ab"); // not one character: left as it is
    EXPECT_EQ(published->PathSeparator(), '/');
    SetStrProp(*published, "OwnerDrawMask", "##");
    EXPECT_EQ(published->OwnerDrawMask(), "##");
    SetOrdProp(*published, "LockHeaderHeight", 1);
    EXPECT_TRUE(published->Header()->LockHeight());
}

TEST(TreePublished, HeadersTextsWrittenThroughTheListReachTheHeader) {
    auto tree = MakeOwned<TQZTree>();
    auto* list = dynamic_cast<TStrings*>(GetObjectProp(*tree, "HeadersTexts"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 0);

    // As a form or the property storage loads it: the whole list assigned at once.
    TStringList lines;
    lines.SetText("Name\r\n\r\nValue\r\n\r\n");
    list->Assign(lines);
    ASSERT_EQ(tree->HeaderSectionCount(), 3);
    EXPECT_EQ(tree->Header()->Sections()->Item(0)->Text(), "Name");
    EXPECT_EQ(tree->Header()->Sections()->Item(1)->Text(), "");
    EXPECT_EQ(tree->Header()->Sections()->Item(2)->Text(), "Value");

    // Lines added one by one, and one line set.
    list = dynamic_cast<TStrings*>(GetObjectProp(*tree, "HeadersTexts"));
    EXPECT_EQ(list->Text(), "Name\r\n\r\nValue\r\n");
    list->Add("Note");
    ASSERT_EQ(tree->HeaderSectionCount(), 4);
    EXPECT_EQ(tree->Header()->Sections()->Item(3)->Text(), "Note");
    list->Put(1, "Kind");
    EXPECT_EQ(tree->Header()->Sections()->Item(1)->Text(), "Kind");

    // Reading the list again neither adds nor renames sections; an emptied list changes nothing.
    list = dynamic_cast<TStrings*>(GetObjectProp(*tree, "HeadersTexts"));
    EXPECT_EQ(list->Text(), "Name\r\nKind\r\nValue\r\nNote\r\n");
    list->Clear();
    EXPECT_EQ(tree->HeaderSectionCount(), 4);
    EXPECT_EQ(tree->Header()->Sections()->Item(0)->Text(), "Name");
}

TEST(TreeHint, TheTreesHintShowsOverRowsWithoutTheirOwn) {
    TreeWindow t;
    TQZTreeItem* plain = t.Add(nullptr, "plain");
    TQZTreeItem* own = t.Add(nullptr, "own");
    own->SetHint("the row's own");
    t.tree->SetShowHint(true);
    SetStrProp(*t.tree, "Hint", "the tree's hint|more");
    EXPECT_EQ(t.tree->Hint(), "the tree's hint|more");
    EXPECT_EQ(t.tree->RealHint(), "the tree's hint|more");
    EXPECT_EQ(t.View()->Hint(), "the tree's hint|more");
    PumpMessages();

    auto restOn = [&](TQZTreeItem* item) {
        Application->CancelHint();
        const int y = item->VisIndex() * t.tree->LineHeight() + t.tree->LineHeight() / 2;
        PostMouse(t.ViewWindow(), WM_MOUSEMOVE, item->TextLeft + 3, y);
        THintWindow* window = nullptr;
        PumpUntil([&] {
            window = Application->HintWindow();
            return window && window->HandleAllocated() && IsWindowVisible(window->Handle());
        });
        return window ? window->Caption() : std::string("no hint");
    };
    EXPECT_EQ(restOn(plain), "the tree's hint|more");
    EXPECT_EQ(restOn(own), "the row's own");
    Application->CancelHint();
}

TEST(TreeCursor, TheViewShowsTheTreesCursors) {
    TreeWindow t;
    t.Add(nullptr, "row");
    EXPECT_EQ(t.tree->Cursor(), crArrow);
    EXPECT_EQ(t.View()->Cursor(), crArrow);
    t.tree->SetCursor(crHandPoint);
    t.tree->SetDragCursor(crCross);
    EXPECT_EQ(t.View()->Cursor(), crHandPoint);
    EXPECT_EQ(t.View()->DragCursor(), crCross);

    // What the system asks when the mouse moves over the rows.
    POINT inside{20, 5};
    ClientToScreen(t.ViewWindow(), &inside);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(t.ViewWindow(), WM_SETCURSOR, WPARAM(t.ViewWindow()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
}

TEST(TreeHeaderFont, FollowsTheTreesFontUntilItHasItsOwn) {
    TreeWindow t;
    TStringList captions("Name\r\nValue");
    t.tree->SetHeadersTexts(&captions);
    t.tree->SetShowColumns(true);
    PumpMessages();
    const int before = t.tree->Header()->Height();

    t.tree->Font()->SetSize(20);
    PumpMessages();
    EXPECT_EQ(t.tree->HeaderFont()->Size(), 20) << "copied into the header's own font";
    EXPECT_EQ(t.tree->Header()->Font()->Size(), 20);
    EXPECT_GT(t.tree->Header()->Height(), before);
    EXPECT_EQ(t.View()->Top(), t.tree->Header()->Height()) << "the rows start below it";

    // With its own font the header no longer follows the tree's, and a change of that font
    // reaches it at once.
    t.tree->SetHeaderUseTreeFont(false);
    t.tree->HeaderFont()->SetSize(9);
    PumpMessages();
    EXPECT_EQ(t.tree->Header()->Font()->Size(), 9);
    t.tree->Font()->SetSize(12);
    PumpMessages();
    EXPECT_EQ(t.tree->HeaderFont()->Size(), 9);
    EXPECT_EQ(t.tree->Header()->Font()->Size(), 9);
}

TEST(TreeBorder, TheFlatBorderShowsTheActiveKindUnderTheMouseAndWithTheFocus) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    TreeWindow t;
    t.tree->SetUseXPThemes(false);
    t.Add(nullptr, "row");
    t.tree->SetLineBorderInactiveColor(clRed);
    t.tree->SetInactiveBorderType(fbtColorLineBorder);
    t.tree->SetActiveBorderType(fbtLineBorder);
    t.tree->SetFlat(true);
    t.tree->SetBkColor(clLime);
    RedrawFrame(t.tree);
    const HWND window = t.tree->Handle();
    const int middle = t.tree->Height() / 2;
    const int right = t.tree->Width() - 1;
    const uint32_t red = PixelOf(clRed), frame = PixelOf(TColor(ColorToRGB(clWindowFrame)));
    EXPECT_EQ(FramePixel(window, 0, middle), red) << "outer line, inactive colour";
    EXPECT_EQ(FramePixel(window, right, middle), red);
    EXPECT_EQ(FramePixel(window, middle, 0), red);
    EXPECT_EQ(FramePixel(window, 1, middle), PixelOf(clLime)) << "inner line, background";
    t.tree->SetLineBorderInactiveColor(clYellow);
    PumpMessages();
    EXPECT_EQ(FramePixel(window, 0, middle), PixelOf(clYellow)) << "a new colour shows at once";
    t.tree->SetLineBorderInactiveColor(clRed);

    // The mouse over the rows: the active kind; leaving them: the inactive one again.
    POINT inside{20, 5};
    ClientToScreen(t.ViewWindow(), &inside);
    SetCursorPos(inside.x, inside.y);
    PostMouse(t.ViewWindow(), WM_MOUSEMOVE, 20, 5);
    PumpMessages();
    EXPECT_EQ(FramePixel(window, 0, middle), frame);
    PostMessageW(t.ViewWindow(), WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(FramePixel(window, 0, middle), red);

    // A click into the rows gives the tree the focus: the active kind stays.
    PostClick(t.ViewWindow(), 20, 5);
    PostMessageW(t.ViewWindow(), WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(FramePixel(window, 0, middle), frame);

    // Without Flat the custom scroll bars still have the tree draw its border.
    t.tree->SetFlat(false);
    t.tree->SetActiveBorderType(fbtColorLineBorder);
    t.tree->SetLineBorderActiveColor(clBlue);
    RedrawFrame(t.tree);
    EXPECT_EQ(FramePixel(window, 0, middle), PixelOf(clBlue));
}

TEST(TreePublished, AssigningItemsSectionsAndGlyphsCopiesThem) {
    auto source = MakeOwned<TQZTree>();
    TQZTreeItem* top = source->Items()->AddChild(nullptr, "top");
    source->Items()->AddChild(top, "child");
    TStringList captions("Name\r\nValue");
    source->SetHeadersTexts(&captions);

    auto tree = MakeOwned<TQZTree>();
    tree->SetItems(source->Items());
    tree->SetHeaderSections(source->HeaderSections());
    ASSERT_EQ(tree->Items()->Count(), 2);
    EXPECT_EQ(tree->Items()->Item(1)->Text(), "child");
    EXPECT_NE(tree->Items()->Item(0), top) << "copies, not the source's items";
    ASSERT_EQ(tree->HeaderSectionCount(), 2);
    EXPECT_EQ(tree->HeaderSections()->Item(1)->Text(), "Value");
    EXPECT_NE(tree->HeaderSections(), source->HeaderSections());

    TBitmap glyph;
    glyph.SetSize(12, 30);
    tree->SetCustomCheckboxes(true);
    tree->SetShowCheckboxes(true);
    tree->SetCheckBoxGlyph(&glyph);
    EXPECT_EQ(tree->CheckBoxGlyph()->Height(), 30);
    EXPECT_EQ(tree->LineHeight(), 30) << "the glyph's notice defines the row height again";
    tree->SetRadioButtonGlyph(&glyph);
    EXPECT_EQ(tree->RadioButtonGlyph()->Width(), 12);
}

TEST(TreeItemDeletion, ForgetsTheDelayedFocusAndTheShownLineHint) {
    TreeWindow t;
    t.tree->SetBounds(0, 0, 120, 200);
    TQZTreeItem* keep = t.Add(nullptr, "keep");
    TQZTreeItem* gone = t.Add(nullptr, "a row far too long for the narrow tree it is shown in");
    TQZTreeItem* child = t.Add(gone, "child");
    PumpMessages();

    t.tree->DoSetFocusedEx(child, false, true);
    ASSERT_EQ(t.tree->DelayedItem(), child);
    t.View()->DoShowLineHint(gone, -1);
    ASSERT_EQ(t.View()->HintItem(), gone);
    ASSERT_TRUE(IsWindowVisible(t.View()->HintWindow()->Handle()));

    gone->Delete();
    EXPECT_EQ(t.tree->DelayedItem(), nullptr);
    EXPECT_EQ(t.View()->HintItem(), nullptr);
    EXPECT_FALSE(t.View()->HintWindow()->HandleAllocated() &&
                 IsWindowVisible(t.View()->HintWindow()->Handle()));
    // The delay runs out without a word about the deleted item.
    RunMessagesFor(t.tree->ChangeDelay() + 100);
    EXPECT_EQ(t.tree->Items()->Count(), 1);
    EXPECT_EQ(t.tree->Items()->Item(0), keep);
}
