#include "../columns_window.h"

#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include <algorithm>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TreePainting, TheDragImageKeepsTheGapOfAnUnselectedRow) {
    TreeWindow w;
    w.tree->SetUseXPThemes(false);
    w.tree->SetMultiSelect(true);
    w.tree->SetRowSelect(true);
    w.tree->SetDragImageMode(dimAll);
    for (int i = 0; i < 6; ++i)
        w.Add(nullptr, "row " + std::to_string(i));
    w.tree->Items()->Item(1)->SetSelected(true);
    w.tree->Items()->Item(3)->SetSelected(true);
    PumpMessages();
    w.View()->FillDragImage();
    TImageList* images = w.View()->GetDragImages();
    ASSERT_NE(images, nullptr);
    const int line = w.tree->LineHeight();
    ASSERT_EQ(images->Height(), 3 * line);
    TBitmap picture(images->Width(), images->Height());
    ImageList_Draw(images->Handle(), 0, picture.DC(), 0, 0, ILD_NORMAL);
    const int x = images->Width() - 5;
    auto at = [&](int y) { return picture.ScanLine(y)[x] & 0xFFFFFF; };
    const uint32_t selected = PixelOf(ColorToRGB(clHighlight));
    EXPECT_EQ(at(line / 2), selected);
    EXPECT_EQ(at(line + line / 2), PixelOf(ColorToRGB(clWindow))) << "the unselected row's gap";
    EXPECT_EQ(at(2 * line + line / 2), selected);
}

TEST(TreePainting, TreeLinesTakeTheirPenStyle) {
    TreeWindow w;
    w.tree->SetUseXPThemes(false);
    w.tree->SetShowRoot(true);
    w.tree->SetLinesColor(clRed);
    // Rows tall enough for a dash and its gap: a line runs row by row.
    w.tree->SetAutoLineHeight(false);
    w.tree->SetLineHeight(40);
    TQZTreeItem* parent = w.Add(nullptr, "parent");
    for (int i = 0; i < 4; ++i)
        w.Add(parent, "child");
    parent->Expand(false);
    // Runs of red along the parent's line down through its children.
    auto runs = [&](TPenStyle Style) {
        w.tree->SetLinesStyle(Style);
        PumpMessages();
        const TPaintedPixels pixels(w.View(), w.View()->ClientWidth(), w.View()->ClientHeight());
        const int line = w.tree->LineHeight();
        std::vector<int> found;
        for (int x = 0; x < 3 * w.tree->ItemIndent() && found.empty(); ++x) {
            int run = 0;
            for (int y = line; y < 4 * line; ++y) {
                if (pixels.At(x, y) == PixelOf(clRed)) {
                    ++run;
                } else if (run > 0) {
                    found.push_back(run);
                    run = 0;
                }
            }
            if (run > 0)
                found.push_back(run);
        }
        return found;
    };
    const std::vector<int> solid = runs(psSolid);
    ASSERT_EQ(solid.size(), 1u);
    const std::vector<int> dashed = runs(psDash);
    EXPECT_GT(dashed.size(), 3u);
    EXPECT_GT(*std::max_element(dashed.begin(), dashed.end()), 2) << "dashes, not dots";
    EXPECT_TRUE(runs(psClear).empty());
}

TEST(TreePainting, LongLinesOfSectionsScrolledUnderTheLockedOneAreHidden) {
    ColumnsWindow w({100, 100, 100, 200});
    w.tree->SetVerticalLines(true);
    w.tree->SetVerticalLinesLong(true);
    w.tree->SetVertDivLinesColor(clRed);
    w.Add(nullptr, "row");
    w.tree->Header()->SetLockedSection(w.Section(0));
    PumpMessages();
    w.tree->SetLeftPosition(150);
    PumpMessages();
    ASSERT_EQ(w.tree->LeftPosition(), 150);
    const auto pixels = w.Paint();
    const int y = w.View()->ClientHeight() - 5; // below the row
    EXPECT_EQ(pixels->At(99, y), PixelOf(clRed)) << "the locked section";
    EXPECT_NE(pixels->At(49, y), PixelOf(clRed)) << "under the locked section";
    EXPECT_EQ(pixels->At(149, y), PixelOf(clRed));
}
