#include "vcl/controls/combo_box.h"

#include "../user_input.h"
#include "rtl/published.h"
#include "rtl/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
TComboBox* MakeCombo(TForm* form, TComboBoxStyle style) {
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 150, 21);
    combo->SetStyle(style);
    for (const char* s : {"Первый", "Второй", "Третий"})
        combo->Items()->Add(s);
    return combo;
}

std::string WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return FromWide(text);
}
} // namespace

TEST(ComboBox, ArrowKeysPickItemsAndFireSelectThenChange) {
    auto form = MakeShownForm();
    TComboBox* combo = MakeCombo(form.get(), csDropDownList);
    std::vector<std::string> events;
    combo->OnSelect = [&](TObject*) { events.push_back("select " + combo->Text()); };
    combo->OnChange = [&](TObject*) { events.push_back("change " + combo->Text()); };

    // Set by the program: nothing fires, the window shows it.
    combo->SetItemIndex(0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 0);

    SetFocus(combo->Handle());
    PostKey(combo->Handle(), VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"select Второй", "change Второй"}));
    PostKey(combo->Handle(), VK_DOWN);
    PostKey(combo->Handle(), VK_DOWN); // stays on the last item
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(combo->Text(), "Третий");
    EXPECT_EQ(events.size(), 4u);

    // Text set by the program picks the item of that text; an unknown text picks none.
    combo->SetText("Первый");
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 0);
    combo->SetText("нет такого");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(events.size(), 4u);
}

TEST(ComboBox, ClickInTheDroppedListPicksTheItem) {
    auto form = MakeShownForm();
    TComboBox* combo = MakeCombo(form.get(), csDropDownList);
    combo->SetDropDownCount(2);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    std::vector<std::string> drops;
    combo->OnDropDown = [&](TObject*) { drops.push_back("down"); };
    combo->OnCloseUp = [&](TObject*) { drops.push_back("up"); };
    PostClick(combo->Handle(), 20, 10);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(drops, (std::vector<std::string>{"down"}));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo->Handle(), &info);
    RECT list{};
    GetClientRect(info.hwndList, &list);
    int itemHeight = int(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    // Two items show without scrolling, as DropDownCount asks.
    EXPECT_GE(list.bottom, 2 * itemHeight);
    EXPECT_LT(list.bottom, 3 * itemHeight);
    int y = itemHeight + itemHeight / 2;
    PostMouse(info.hwndList, WM_MOUSEMOVE, 10, y);
    PostMouse(info.hwndList, WM_LBUTTONDOWN, 10, y, MK_LBUTTON);
    PostMouse(info.hwndList, WM_LBUTTONUP, 10, y);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(drops, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Второй");
    EXPECT_GE(changes, 1);
}

TEST(ComboBox, TypedTextIsAChangeAndItemsKeepTheSelectionByText) {
    auto form = MakeShownForm();
    TComboBox* combo = MakeCombo(form.get(), csDropDown);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo->Handle(), &info);
    SetFocus(info.hwndItem);
    PostChars(info.hwndItem, L"Вт");
    EXPECT_EQ(combo->Text(), "Вт");
    EXPECT_EQ(changes, 2);

    // A text set in code that names no item stays as the edit's text.
    combo->SetText("Свой тип");
    EXPECT_EQ(WindowText(combo->Handle()), "Свой тип");
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "Третий");
    EXPECT_EQ(changes, 2);

    // New items before it: the same item stays selected.
    combo->Items()->Insert(0, "Нулевой");
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    combo->Items()->Delete(3);
    EXPECT_EQ(combo->ItemIndex(), -1);

    // The window can go and come back without losing items or selection.
    combo->SetItemIndex(1);
    form->RecreateWnd();
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(GetStrProp(*combo, "Text"), "Первый");
}

TEST(ComboBox, ListWithoutWindowAnswersFromItsItems) {
    auto combo = TOwnedPtr<TComboBox>(CreateComponent<TComboBox>(nullptr));
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("a");
    combo->Items()->Add("b");
    combo->SetText("b");
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
}

TEST(ComboBox, SimpleStyleKeepsItsListInsideItsHeight) {
    auto form = MakeShownForm();
    TComboBox* combo = MakeCombo(form.get(), csSimple);
    combo->SetHeight(120);
    RECT r{};
    GetWindowRect(combo->Handle(), &r);
    EXPECT_EQ(r.bottom - r.top, 120);
    EXPECT_EQ(combo->Height(), 120);
}
