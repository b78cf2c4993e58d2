#include "vcl/controls/check_box.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/group_box.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/radio_group.h"
#include "vcl/controls/status_bar.h"
#include "vcl/grid/inplace_edit.h"
#include "vcl/grid/string_grid.h"

#include "../user_input.h"

#include <gtest/gtest.h>

namespace {
LRESULT DialogCode(TWinControl* control, uint16_t key = 0) {
    MSG msg{control->Handle(), WM_KEYDOWN, key, 0, 0, {}};
    return SendMessageW(control->Handle(), WM_GETDLGCODE, key, key ? LPARAM(&msg) : 0);
}

bool TabStopStyle(TWinControl* control) {
    return GetWindowLongW(control->Handle(), GWL_STYLE) & WS_TABSTOP;
}

template <class T> T* Place(TForm* form) {
    auto* control = new T(form);
    control->SetParent(form);
    return control;
}
} // namespace

// The keys each control keeps from a dialog's own handling, and which controls Tab stops at,
// as the Win32 dialog manager would see them.
TEST(DialogCodes, ControlsClaimTheKeysTheyUseAndStopTabAsWindowsControlsDo) {
    auto form = MakeShownForm();
    auto* grid = Place<TStringGrid>(form.get());
    auto* memo = Place<TMemo>(form.get());
    auto* combo = Place<TComboBox>(form.get());
    auto* check = Place<TCheckBox>(form.get());
    auto* group = Place<TRadioGroup>(form.get());
    group->Items()->Add("a");
    auto* box = Place<TGroupBox>(form.get());
    auto* pages = Place<TPageControl>(form.get());
    auto* bar = Place<TStatusBar>(form.get());

    EXPECT_TRUE(DialogCode(grid) & DLGC_WANTARROWS);
    EXPECT_TRUE(DialogCode(grid) & DLGC_WANTCHARS);
    EXPECT_FALSE(DialogCode(grid) & DLGC_WANTTAB);
    EXPECT_FALSE(DialogCode(grid, VK_RETURN) & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS));
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetEditorMode(true);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(DialogCode(editor, VK_ESCAPE) & DLGC_WANTMESSAGE);
    EXPECT_FALSE(DialogCode(editor, VK_TAB) & (DLGC_WANTMESSAGE | DLGC_WANTTAB));
    EXPECT_TRUE(DialogCode(memo, VK_RETURN) & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS));
    EXPECT_TRUE(DialogCode(check) & DLGC_BUTTON);
    EXPECT_TRUE(DialogCode(group->Buttons(0)) & DLGC_RADIOBUTTON);

    for (TWinControl* stop :
         std::initializer_list<TWinControl*>{grid, memo, combo, check, group->Buttons(0), pages})
        EXPECT_TRUE(TabStopStyle(stop)) << stop->ClassName();
    for (TWinControl* passed : std::initializer_list<TWinControl*>{group, box, bar})
        EXPECT_FALSE(TabStopStyle(passed)) << passed->ClassName();
}
