#include "vcl/controls/up_down.h"
#include "vcl/core/forms.h"

#include "../vcl_test_support.h"

#include <gtest/gtest.h>

TEST(UpDown, AClickOnAnArrowFiresTheControlsOnClickAndTheArrowsEvent) {
    auto form = MakeOwned<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 200);
    auto* ud = new TUpDown(form.get());
    ud->SetParent(form.get());
    ud->SetBounds(10, 10, 17, 40);
    ud->SetMax(10);
    form->Show();
    int clicks = 0;
    std::vector<TUDBtnType> arrows;
    // Set through the base class, as a program holding any control does.
    TControl* asControl = ud;
    asControl->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, ud);
        ++clicks;
    };
    ud->OnButtonClick = [&](TObject*, TUDBtnType button) { arrows.push_back(button); };

    HWND window = ud->Handle();
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(ud->Position(), 1);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 35));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 35));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
    EXPECT_EQ(ud->Position(), 0);
    EXPECT_EQ(arrows, (std::vector<TUDBtnType>{btNext, btPrev}));
}
