#include "vcl/core/forms.h"
#include "vcl/core/menus.h"

#include "../vcl_test_support.h"
#include "rtl/wide_text.h"

#include <gtest/gtest.h>

namespace {

// Opens the built Win32 menu to the test.
class TInspectedMenu : public TPopupMenu {
public:
    using TPopupMenu::BuildMenu;
    using TPopupMenu::TPopupMenu;
};

TMenuItem* AddItem(TPopupMenu* menu, const std::string& caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
}

struct TItemState {
    std::string Text;
    unsigned Type = 0;
    unsigned State = 0;
};

TItemState ItemAt(HMENU menu, int position) {
    wchar_t text[100] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 99;
    GetMenuItemInfoW(menu, UINT(position), TRUE, &info);
    return {FromWide(text), info.fType, info.fState};
}

} // namespace

TEST(PopupMenu, ItemsShowTheirStateAndShortCutInTheSystemMenu) {
    auto form = MakeOwned<TForm>();
    auto* menu = new TInspectedMenu(form.get());
    auto* small = AddItem(menu, "Small");
    auto* large = AddItem(menu, "Large");
    auto* hidden = AddItem(menu, "Hidden");
    auto* off = AddItem(menu, "Off");
    auto* open = AddItem(menu, "Open");
    for (auto* item : {small, large}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
    small->SetChecked(true);
    large->SetChecked(true); // one radio item of a group is checked at a time
    EXPECT_FALSE(small->Checked());
    hidden->SetVisible(false);
    off->SetEnabled(false);
    open->SetDefault(true);
    open->SetShortCut(ShortCut(VK_F3, {ssShift}));

    HMENU built = menu->BuildMenu(true);
    ASSERT_EQ(GetMenuItemCount(built), 4);
    TItemState s = ItemAt(built, 0), l = ItemAt(built, 1), o = ItemAt(built, 2),
               d = ItemAt(built, 3);
    DestroyMenu(built);
    EXPECT_TRUE(s.Type & MFT_RADIOCHECK);
    EXPECT_FALSE(s.State & MFS_CHECKED);
    EXPECT_TRUE(l.State & MFS_CHECKED);
    EXPECT_EQ(o.Text, "Off");
    EXPECT_TRUE(o.State & MFS_GRAYED);
    EXPECT_EQ(d.Text, "Open\tShift+F3");
    EXPECT_TRUE(d.State & MFS_DEFAULT);
}

TEST(PopupMenu, PopupAtAPointAsksOnPopupAndRunsTheChosenItem) {
    auto form = MakeOwned<TForm>();
    form->SetBounds(0, 0, 200, 200);
    form->Show();
    auto* menu = new TPopupMenu(form.get());
    auto* first = AddItem(menu, "First");
    auto* second = AddItem(menu, "Second");
    std::vector<std::string> events;
    first->OnClick = [&](TObject*) { events.push_back("first"); };
    second->OnClick = [&](TObject*) { events.push_back("second"); };
    menu->OnPopup = [&](TObject*) {
        events.push_back("popup");
        // What the user does once the menu is open: down twice and Enter.
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(form->Handle(), WM_KEYDOWN, key, 1);
            PostMessageW(form->Handle(), WM_KEYUP, key, 0xC0000001);
        }
    };
    menu->SetPopupComponent(form.get());
    menu->Popup(50, 50);
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "second"}));
}
