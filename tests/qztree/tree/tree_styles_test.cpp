#include "../tree_fixture.h"

#include "qztree/tree/cell_control.h"
#include "qztree/tree/cell_style.h"
#include "qztree/tree/state_style.h"
#include "vcl/graphics/graphics.h"

#include <gtest/gtest.h>

TEST(TreeStyles, LooksFallBackToTheTreeDefaults) {
    TestTree tree;
    TQZTreeItem* item = tree.Add(nullptr, "a");
    EXPECT_FALSE(item->HasOwnItemStyles()); // made only when asked for
    TQZItemStateStyle* own = item->DefaultItemStyles();
    EXPECT_EQ(own->OwnerISS, tree.DefaultItemStyles());
    EXPECT_EQ(own->SelectedState->FontColor(), clHighlightText);
    EXPECT_EQ(own->SelectedState->BGColor(), clHighlight);
    EXPECT_TRUE(own->SelectedState->UseBGColor());
    EXPECT_FALSE(own->DefaultState->UseBGColor());
    EXPECT_TRUE(own->FocusedState->GetFontStyle({}).Contains(fsUnderline));
    EXPECT_EQ(own->DefaultState->GetDefFontSize(-11), -11);

    own->SelectedState->SetFontColor(clRed);
    EXPECT_EQ(own->SelectedState->FontColor(), clRed);
    own->SelectedState->SetBGColor(clNone);
    EXPECT_FALSE(own->SelectedState->UseBGColor());
    own->SelectedState->ClearStyle();
    EXPECT_EQ(own->SelectedState->FontColor(), clHighlightText);

    tree.DefaultItemStyles()->DefaultState->SetFontName("Arial");
    own->DefaultState->SetFontName("Tahoma");
    EXPECT_EQ(own->DefaultState->FontName(), "Tahoma");
    own->DefaultState->SetFontName("");
    EXPECT_EQ(own->DefaultState->FontName(), "Arial");
    TFont font;
    font.SetName("Courier New");
    EXPECT_TRUE(own->DefaultState->SetFontName2Font(font));
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Charset(), 204);
    EXPECT_FALSE(own->FocusedState->SetFontName2Font(font) && false);
    font.SetHeight(-11);
    EXPECT_FALSE(own->DefaultState->SetFontSize2Font(font, -11));
    own->DefaultState->SetFontSize(-14);
    EXPECT_TRUE(own->DefaultState->SetFontSize2Font(font, -11));
    EXPECT_EQ(font.Height(), -14);

    TQZStateStyle copy(nullptr, TQZStateStyle::idDefault, nullptr);
    copy.SetFontColor(clGreen);
    copy.Assign(own->HideSelectState.get(), true);
    EXPECT_FALSE(copy.UseFontColor());
    own->HideSelectState->SetFontColor(clBlue);
    copy.Assign(own->HideSelectState.get(), false);
    EXPECT_EQ(copy.FontColor(), clBlue);
}

TEST(TreeStyles, TheStateOfTheRowChoosesTheLook) {
    TestTree tree;
    TQZTreeItem* item = tree.Add(nullptr, "a");
    TQZItemStateStyle* own = item->DefaultItemStyles();
    CountingView& view = tree.Counting();
    EXPECT_EQ(own->GetStateStyle(nullptr), own->DefaultState.get());
    view.FTrackItem = item;
    EXPECT_EQ(own->GetStateStyle(nullptr), own->FocusedState.get());

    tree.SetMultiSelect(true);
    item->SetSelected(true);
    EXPECT_EQ(own->GetStateStyle(nullptr), own->FocSelState.get());
    view.FTrackItem = nullptr;
    EXPECT_EQ(own->GetStateStyle(nullptr), own->SelectedState.get());
    tree.FHideSelect = true;
    view.Focus = false;
    EXPECT_EQ(own->GetStateStyle(nullptr), own->HideSelectState.get());
    view.FTrackItem = item;
    EXPECT_EQ(own->GetStateStyle(nullptr), own->HideSelectState.get());

    // Cells: hot tracking of the row only with RowHotTrack.
    EXPECT_EQ(own->GetCellStateStyle(nullptr), own->SelectedState.get());
    tree.FRowHotTrack = true;
    EXPECT_EQ(own->GetCellStateStyle(nullptr), own->FocSelState.get());
    tree.FFullRowSelect = false;
    EXPECT_EQ(own->GetCellStateStyle(nullptr), own->FocusedState.get());

    // An item without looks of its own is answered by the tree's set, which chooses alike.
    TQZTreeItem* plain = tree.Add(nullptr, "plain");
    TQZItemStateStyle* treeSet = tree.DefaultItemStyles();
    EXPECT_EQ(plain->LookStyles(), treeSet);
    EXPECT_EQ(treeSet->GetStateStyle(plain), treeSet->DefaultState.get());
    view.FTrackItem = plain;
    EXPECT_EQ(treeSet->GetStateStyle(plain), treeSet->FocusedState.get());
    EXPECT_EQ(treeSet->GetCellStateStyle(plain), treeSet->FocusedState.get());
    EXPECT_EQ(treeSet->GetStateStyle(nullptr), treeSet->DefaultState.get());
    EXPECT_EQ(item->LookStyles(), own);

    EXPECT_EQ(own->GetItemCursor(5), 5);
    tree.DefaultItemStyles()->SetCursor(-21);
    EXPECT_EQ(own->GetItemCursor(5), -21);
    own->SetCursor(-3);
    EXPECT_EQ(own->GetItemCursor(5), -3);
}

TEST(TreeStyles, ImageIndexFollowsTheExpandedState) {
    TestTree tree;
    TQZTreeItem* item = tree.Add(nullptr, "a");
    EXPECT_EQ(item->ImageIndex(), -1);
    item->SetImageIndex(4);
    EXPECT_EQ(item->ImageIndex(), 4);
    TQZStateStyle& look = *item->DefaultItemStyles()->DefaultState;
    look.ExpandImageIndex = 1;
    look.CollapseImageIndex = 2;
    look.NoChildImageIndex = 3;
    EXPECT_EQ(item->ImageIndex(), 3);
    tree.Add(item, "child");
    EXPECT_EQ(item->ImageIndex(), 2);
    item->Expand(false);
    EXPECT_EQ(item->ImageIndex(), 1);
    EXPECT_EQ(tree.DefaultItemStyles()->ImageIndex(), -1); // no item of its own
}

TEST(TreeStyles, CellStylesCopyTheirSettingsAndOwnTheirControls) {
    TestTree tree;
    TQZTreeItem* item = tree.Add(nullptr, "a");
    TQZCellStyle* main = item->MainStyle();
    EXPECT_TRUE(main->OwnerProps());
    EXPECT_EQ(main->TextFlags, 0x8824u);
    main->TextFlags = 0x25;
    main->CellType = sftNumber;
    main->Tag = 9;
    item->SetUseStyles(true);
    TQZCellStyle* cell = item->AddStyle();
    EXPECT_EQ(item->StylesCount(), 1);
    EXPECT_EQ(cell->TextFlags, 0x25u);
    EXPECT_EQ(cell->CellType, sftNumber);
    EXPECT_EQ(cell->Tag, 0);
    EXPECT_EQ(cell->StateStyle()->OwnerISS, item->DefaultItemStyles());

    auto* first = new TQZCellControl;
    cell->SetControl(first);
    EXPECT_EQ(first->Owner(), cell);
    auto* second = new TQZCellControl;
    cell->SetControl(second); // the first is freed
    EXPECT_EQ(cell->Control(), second);
    delete second; // a control that goes unhooks itself
    EXPECT_EQ(cell->Control(), nullptr);
    cell->SetControl(new TQZCellControl);

    item->RemoveStyle(cell);
    EXPECT_EQ(item->StylesCount(), 0);
    item->SetUseStyles(false);
    EXPECT_EQ(item->AddStyle()->Owner(), item);
}
