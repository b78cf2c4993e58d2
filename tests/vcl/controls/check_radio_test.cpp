#include "vcl/controls/check_box.h"
#include "vcl/controls/group_box.h"
#include "vcl/controls/radio_button.h"
#include "vcl/controls/radio_group.h"

#include "../user_input.h"
#include "rtl/published.h"

#include <gtest/gtest.h>

namespace {
LRESULT Mark(TWinControl* control) {
    return SendMessageW(control->Handle(), BM_GETCHECK, 0, 0);
}

bool IsTabStop(TWinControl* control) {
    return GetWindowLongW(control->Handle(), GWL_STYLE) & WS_TABSTOP;
}
} // namespace

TEST(CheckBox, ClicksCycleTheStatesButCodeFiresNoClick) {
    auto form = MakeShownForm();
    auto* box = new TCheckBox(form.get());
    box->SetParent(form.get());
    box->SetCaption("Включено");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);
    EXPECT_EQ(Mark(box), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
    PostClick(box->Handle(), 5, 5);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(Mark(box), BST_UNCHECKED);
    EXPECT_EQ(clicks, 1);

    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        PostClick(box->Handle(), 5, 5);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(clicks, 4);
    box->SetState(cbGrayed);
    EXPECT_EQ(Mark(box), BST_INDETERMINATE);

    // Space on the focused box is a click too.
    box->SetAllowGrayed(false);
    box->SetFocus();
    PostKey(box->Handle(), VK_SPACE);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, 5);
    // The state outlives the window.
    box->RecreateWnd();
    EXPECT_EQ(Mark(box), BST_CHECKED);
    EXPECT_TRUE(GetOrdProp(*box, "Checked"));
}

TEST(RadioButton, CheckingOneUnchecksItsSiblings) {
    auto form = MakeShownForm();
    auto* a = new TRadioButton(form.get());
    auto* b = new TRadioButton(form.get());
    auto* box = new TGroupBox(form.get());
    auto* c = new TRadioButton(form.get());
    for (TWinControl* control : {static_cast<TWinControl*>(a), static_cast<TWinControl*>(b),
                                 static_cast<TWinControl*>(box)})
        control->SetParent(form.get());
    c->SetParent(box); // another parent, another group
    b->SetTop(30);
    box->SetTop(60);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    c->SetChecked(true);
    PostClick(b->Handle(), 5, 5);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(Mark(a), BST_UNCHECKED);
    EXPECT_EQ(Mark(b), BST_CHECKED);
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(clicks, 1);
    PostClick(b->Handle(), 5, 5); // already checked: no click
    EXPECT_EQ(clicks, 1);
    // The group box's caption takes the top of its client area.
    TRect inner = box->ClientRect();
    box->AdjustClientRect(inner);
    EXPECT_GT(inner.Top, 8);
}

TEST(RadioGroup, ClicksAndArrowsChooseWithinTheGroup) {
    auto form = MakeShownForm();
    auto* group = new TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(10, 10, 300, 120);
    group->SetCaption("Connection type");
    for (const char* s : {"ClientSocket", "MQ", "ServerSocket"})
        group->Items()->Add(s);
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->SetItemIndex(0);
    EXPECT_EQ(Mark(group->Buttons(0)), BST_CHECKED);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(IsTabStop(group->Buttons(0)));

    PostClick(group->Buttons(2)->Handle(), 5, 5);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(Mark(group->Buttons(0)), BST_UNCHECKED);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(IsTabStop(group->Buttons(2)));
    EXPECT_FALSE(IsTabStop(group->Buttons(0)));

    // Arrows move the choice and the focus, round at the ends; disabled buttons are passed by.
    group->Buttons(2)->SetFocus();
    EXPECT_TRUE(SendMessageW(group->Buttons(2)->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
    PostKey(group->Buttons(2)->Handle(), VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(GetFocus(), group->Buttons(0)->Handle());
    group->Buttons(2)->SetEnabled(false);
    PostKey(group->Buttons(0)->Handle(), VK_UP);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(Mark(group->Buttons(1)), BST_CHECKED);
    EXPECT_EQ(clicks, 3);

    // Two columns: filled top to bottom, then the next column.
    group->SetColumns(2);
    EXPECT_EQ(group->Buttons(1)->Left(), group->Buttons(0)->Left());
    EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());

    // Fewer items: the choice beyond them goes.
    group->SetItemIndex(2);
    group->Items()->Delete(2);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(GetOrdProp(*group, "ItemIndex"), -1);
}
