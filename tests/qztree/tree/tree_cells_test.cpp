#include "../columns_window.h"
#include "../theme_recorder.h"

#include "qztree/base/draw.h"
#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/state_style.h"
#include "vcl/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
std::pair<int, int> Pair(const TSize& Size) {
    return {Size.cx, Size.cy};
}

// A row with a style for each of its two columns.
struct StyledRow {
    TQZTreeItem* Item;
    TQZCellStyle* Cell;
    StyledRow(ColumnsWindow& W, const std::string& Text, const std::string& CellText) {
        Item = W.Add(nullptr, Text);
        Item->ColumnText()->Add(CellText);
        Item->SetUseStyles(true);
        Cell = Item->AddStyle();
    }
};
} // namespace

TEST(TreeMeasuring, CellsAreMeasuredAsTheyArePainted) {
    ColumnsWindow w({100, 300});
    const int margin = w.tree->ItemIndent() / 5 * 3;
    const int line = w.tree->LineHeight();
    std::vector<int> asked;
    w.tree->OnMeasureItemPart = [&](TObject*, TQZTreeItem*, int Part, TPoint& Size) {
        asked.push_back(Part);
        Size = Point(50, 40);
    };

    // A word-break cell wraps at its column's width, not one word per line.
    StyledRow words(w, "words", "one two three four five six");
    words.Item->SetMultiline(true);
    words.Item->SetWordBreak(true);
    const TSize wide = w.tree->MeasureCell(words.Item, 1);
    EXPECT_LE(wide.cy, line + 4);
    w.Section(1)->SetWidth(60);
    EXPECT_GT(w.tree->MeasureCell(words.Item, 1).cy, wide.cy);
    w.Section(1)->SetWidth(300);

    // The cell style's font sets the width.
    StyledRow big(w, "big", "text");
    StyledRow small(w, "small", "text");
    big.Cell->SetOwnerProps(false);
    big.Cell->StateStyle()->DefaultState->SetFontSize(-30);
    EXPECT_GT(w.tree->MeasureCell(big.Item, 1).cx, w.tree->MeasureCell(small.Item, 1).cx);

    // A password column measures its stars, whatever the text.
    StyledRow longText(w, "long", "a much longer text than the other");
    w.Section(1)->SetPassword(true);
    EXPECT_EQ(w.tree->MeasureCell(longText.Item, 1).cx, w.tree->MeasureCell(small.Item, 1).cx);
    w.Section(1)->SetPassword(false);

    // Owner-drawn cells ask the event and get the text margin.
    StyledRow owned(w, "owned", "text");
    owned.Cell->Style = QZhsOwnerDraw;
    EXPECT_EQ(Pair(w.tree->MeasureCell(owned.Item, 1)), std::make_pair(50 + margin, 40));
    EXPECT_EQ(asked, std::vector<int>{1});
    owned.Item->MainStyle()->Style = QZhsOwnerDraw;
    const int ownedMain = w.tree->MeasureCell(owned.Item, 0).cx;
    EXPECT_EQ(asked, (std::vector<int>{1, 0}));
    w.tree->OnMeasureItemPart = [&](TObject*, TQZTreeItem*, int, TPoint& Size) {
        Size = Point(80, 40);
    };
    EXPECT_EQ(w.tree->MeasureCell(owned.Item, 0).cx, ownedMain + 30);

    // A picture cell takes the picture's size, a control the column's width.
    TBitmap picture(33, 21);
    StyledRow pictured(w, "pictured", "text");
    pictured.Cell->Style = QZhsPictureOnly;
    pictured.Cell->Picture = &picture;
    EXPECT_EQ(Pair(w.tree->MeasureCell(pictured.Item, 1)), std::make_pair(33, 21));
    StyledRow boxed(w, "boxed", "text");
    boxed.Cell->SetOwnerProps(false);
    boxed.Cell->SetControl(new TQZCellCheckBox);
    EXPECT_EQ(Pair(w.tree->MeasureCell(boxed.Item, 1)), std::make_pair(300, line));
}

TEST(TreeCellPainting, PicturesTextFlagsAndAnOwnerDrawnMainStyleArePainted) {
    ColumnsWindow w({100, 200});
    w.tree->SetAutoLineHeight(false);
    w.tree->SetLineHeight(40);
    std::vector<std::string> ownerDrawn;
    w.tree->OnItemDraw = [&](TObject*, TQZTreeItem* Item, TCanvas*, TRect, int Section) {
        ownerDrawn.push_back(Item->Text() + " " + std::to_string(Section));
    };
    TBitmap picture(10, 10);
    FillSolidRect2(picture.DC(), Rect(0, 0, 10, 10), clRed);
    StyledRow pictured(w, "pictured", "hidden text");
    pictured.Cell->Style = QZhsPictureOnly;
    pictured.Cell->Picture = &picture;
    StyledRow placed(w, "placed", "WWWW");
    placed.Cell->TextFlags = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;
    StyledRow owned(w, "owned", "cell");
    owned.Item->MainStyle()->Style = QZhsOwnerDraw;
    PumpMessages();
    ownerDrawn.clear();
    const auto pixels = w.Paint();

    // The picture is centred in its cell, and its text is not drawn.
    EXPECT_EQ(pixels->At(200, 20), PixelOf(clRed));
    EXPECT_EQ(ColumnsWindow::Inked(*pixels, Rect(102, 2, 190, 38)), 0);
    // The style's flags put the text at the cell's bottom right.
    const int top = 40;
    EXPECT_GT(ColumnsWindow::Inked(*pixels, Rect(200, top + 20, 298, top + 39)), 10);
    EXPECT_EQ(ColumnsWindow::Inked(*pixels, Rect(101, top, 200, top + 39)), 0);
    EXPECT_EQ(ColumnsWindow::Inked(*pixels, Rect(200, top, 298, top + 18)), 0);
    // The main cell of an owner-drawn main style is left to the owner.
    EXPECT_EQ(ownerDrawn, std::vector<std::string>{"owned 0"});
}

namespace {
std::vector<std::wstring> ThemeTexts;
HRESULT WINAPI RecordText(HTHEME, HDC, int, int, LPCWSTR Text, int Length, DWORD, DWORD,
                          const RECT*) {
    ThemeTexts.emplace_back(Text, size_t(Length));
    return S_OK;
}
HRESULT WINAPI CannotDraw(HTHEME, HDC, int, int, const RECT*, const RECT*) {
    return E_FAIL;
}
} // namespace

TEST(TreeCellPainting, ACellCheckBoxDrawsClassicallyWhereTheThemeCannot) {
    TThemeRecorder themes;
    ThemeApi.DrawThemeText = &RecordText;
    ThemeTexts.clear();
    ColumnsWindow w({100, 200});
    w.tree->SetUseXPThemes(true);
    PumpMessages();
    ASSERT_TRUE(w.tree->IsThemeApplied());
    StyledRow row(w, "row", "");
    row.Cell->SetOwnerProps(false);
    auto* box = new TQZCellCheckBox;
    box->SetCaption("caption");
    box->SetChecked(true);
    row.Cell->SetControl(box);
    PumpMessages();
    const int line = w.tree->LineHeight();
    const TRect boxArea = Rect(102, 0, 102 + w.tree->EffectiveCheckBoxSize(), line);

    // The theme draws box and caption.
    ThemeTexts.clear();
    w.Paint();
    EXPECT_EQ(ThemeTexts, std::vector<std::wstring>{L"caption"});
    EXPECT_EQ(ColumnsWindow::Inked(*w.Paint(), boxArea), 0); // the recorder draws nothing

    // A theme that cannot draw the box leaves it, and the caption, to the classic look.
    ThemeApi.DrawThemeBackground = &CannotDraw;
    ThemeTexts.clear();
    const auto pixels = w.Paint();
    EXPECT_GT(ColumnsWindow::Inked(*pixels, boxArea), 20);
    EXPECT_TRUE(ThemeTexts.empty());
    EXPECT_GT(ColumnsWindow::Inked(*pixels, Rect(boxArea.Right + 4, 0, 299, line)), 10);
}

TEST(TreeCellPainting, ACellCheckBoxInTheSelectColumnTakesTheSelectedCaptionColour) {
    ColumnsWindow w({100, 200});
    w.tree->SetRowSelect(false);
    w.tree->SetSelectColumn(1);
    StyledRow row(w, "row", "");
    row.Cell->SetOwnerProps(false);
    auto* box = new TQZCellCheckBox;
    box->SetCaption("WWWWWW");
    row.Cell->SetControl(box);
    w.tree->SetFocused(row.Item);
    row.Item->SetSelected(true);
    PumpMessages();
    const auto pixels = w.Paint();
    const uint32_t selectedText = PixelOf(ColorToRGB(clHighlightText));
    int inSelectedColour = 0;
    for (int y = 1; y < w.tree->LineHeight() - 1; ++y)
        for (int x = 130; x < 290; ++x)
            inSelectedColour += pixels->At(x, y) == selectedText;
    EXPECT_GT(inSelectedColour, 10);
}
