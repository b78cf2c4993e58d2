#include "vcl/core/custom_control.h"
#include "vcl/core/drag_drop.h"
#include "vcl/core/forms.h"
#include "vcl/graphics/bitmap.h"
#include "vcl/graphics/img_list.h"

#include "../vcl_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A 16 x 16 picture of one colour, with a square of another in its top-left corner.
std::unique_ptr<TBitmap> Picture(TColor fill, TColor corner, int cornerSize) {
    auto b = std::make_unique<TBitmap>(16, 16);
    b->Canvas()->Brush()->SetColor(fill);
    b->Canvas()->FillRect(Rect(0, 0, 16, 16));
    b->Canvas()->Brush()->SetColor(corner);
    b->Canvas()->FillRect(Rect(0, 0, cornerSize, cornerSize));
    return b;
}

} // namespace

TEST(ImageList, OverlaysAndDrawingStyles) {
    TOwnedPtr<TImageList> list = MakeOwned<TImageList>();
    auto red = Picture(clRed, clRed, 0);
    auto mark = Picture(clFuchsia, clBlue, 4); // fuchsia is see-through
    ASSERT_EQ(list->AddMasked(red.get(), ColorToRGB(clFuchsia)), 0);
    ASSERT_EQ(list->AddMasked(mark.get(), ColorToRGB(clFuchsia)), 1);
    EXPECT_TRUE(list->Overlay(1, 0));
    EXPECT_FALSE(list->Overlay(5, 0));
    EXPECT_FALSE(list->Overlay(1, 15));

    TBitmap canvas(64, 16);
    canvas.Canvas()->Brush()->SetColor(clWhite);
    canvas.Canvas()->FillRect(Rect(0, 0, 64, 16));
    list->DrawOverlay(canvas.Canvas(), 0, 0, 0, 0);
    list->Draw(canvas.Canvas(), 16, 0, 1);
    list->Draw(canvas.Canvas(), 32, 0, 0);
    list->Draw(canvas.Canvas(), 48, 0, 0, dsSelected);
    auto at = [&](int x, int y) { return canvas.ScanLine(y)[x] & 0xFFFFFF; };
    auto changed = [&](int left) {
        int n = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = left; x < left + 16; ++x)
                n += at(x, y) != 0xFF0000u;
        return n;
    };
    EXPECT_EQ(at(1, 1), 0x0000FFu);   // the overlay's corner over the picture
    EXPECT_EQ(at(17, 1), 0x0000FFu);  // the overlay picture alone: its corner...
    EXPECT_EQ(at(26, 10), 0xFFFFFFu); // ...and the background where it is see-through
    EXPECT_EQ(changed(32), 0);        // plain
    // Selected and disabled are blended with the blend colour over every other pixel.
    EXPECT_EQ(changed(48), 128);
    TBitmap second(16, 16);
    list->Draw(second.Canvas(), 0, 0, 0, dsNormal, false);
    EXPECT_NE(second.ScanLine(8)[8] & 0xFFFFFF, second.ScanLine(8)[9] & 0xFFFFFF);
}

namespace {
class TPictureSource : public TCustomControl {
public:
    explicit TPictureSource(TComponent* AOwner) : TCustomControl(AOwner) {
        Images = MakeOwned<TImageList>();
        Images->Add(Picture(clRed, clRed, 0).get());
        Images->SetDragImage(0, 8, 8);
    }
    TImageList* GetDragImages() override { return Images.get(); }
    TOwnedPtr<TImageList> Images;
};
} // namespace

TEST(ImageList, TheDragImageFollowsTheDragOverControlsThatShowIt) {
    auto form = MakeOwned<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 200);
    auto* source = new TPictureSource(form.get());
    source->SetParent(form.get());
    source->SetBounds(0, 0, 50, 50);
    source->SetDragMode(dmAutomatic);
    auto* shows = new TCustomControl(form.get());
    shows->SetParent(form.get());
    shows->SetBounds(100, 0, 100, 100);
    shows->SetControlStyle(shows->ControlStyle() + TControlStyle{csDisplayDragImage});
    auto* plain = new TCustomControl(form.get());
    plain->SetParent(form.get());
    plain->SetBounds(250, 0, 100, 100);
    form->Show();

    HWND capture = DragTo(source, Point(150, 40));
    ASSERT_NE(capture, nullptr);
    MoveCapturedMouse(capture, Point(150, 40), WM_MOUSEMOVE, MK_LBUTTON);
    EXPECT_TRUE(TImageList::Dragging());
    EXPECT_TRUE(source->Images->DragImageVisible());
    POINT pos{}, hotSpot{};
    EXPECT_NE(ImageList_GetDragImage(&pos, &hotSpot), nullptr);
    EXPECT_EQ(pos.x, 150);
    EXPECT_EQ(pos.y, 40);
    EXPECT_EQ(hotSpot.x, 8);

    MoveCapturedMouse(capture, Point(300, 40), WM_MOUSEMOVE, MK_LBUTTON);
    EXPECT_FALSE(source->Images->DragImageVisible());
    MoveCapturedMouse(capture, Point(120, 20), WM_MOUSEMOVE, MK_LBUTTON);
    EXPECT_TRUE(source->Images->DragImageVisible());
    MoveCapturedMouse(capture, Point(120, 20), WM_LBUTTONUP, 0);
    EXPECT_FALSE(TImageList::Dragging());
    EXPECT_EQ(TDragManager::Source(), nullptr);
}
